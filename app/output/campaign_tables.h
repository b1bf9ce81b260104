#pragma once

#include "campaign/campaign_report.h"

#include <QStringList>

// The campaign's two tables as the window and the report show them: the columns' captions and
// one row of texts for each layer or pair.

QStringList layerTableCaptions();
QStringList layerTableRow(const LayerSummary& layer);

// The pair's own columns come first, as the window lets the group be edited before a run.
enum PairColumn { kFlight1Column, kFlight2Column, kGroupColumn, kStatusColumn };
QStringList pairTableCaptions();
QStringList pairTableRow(const CampaignPair& pair);  // before a run: the pair's own columns
QStringList pairTableRow(const PairRow& row);
