#pragma once

#include "campaign/campaign_report.h"

#include <QStringList>

// The campaign's two tables as the window and the report show them: the columns' captions and
// one row of texts for each layer or pair.

// The captions of the statistics carry the unit when one is given ("Среднее, °C"). Judged
// campaigns add the mean u_c and the share of points within 2 u_c.
QStringList layerTableCaptions(const QString& unit, bool judged);
QStringList layerTableRow(const LayerSummary& layer, bool judged, bool solarGroups);

// The pair's own columns come first, as the window lets the group be edited before a run.
enum PairColumn { kFlight1Column, kFlight2Column, kGroupColumn, kStatusColumn };
QStringList pairTableCaptions();
QStringList pairTableRow(const CampaignPair& pair);  // before a run: the pair's own columns
QStringList pairTableRow(const CampaignPair& pair, const PairRow& row);
// The pair's state as the tables write it, in Russian: "сравнена", or the first line of the
// reason it was skipped.
QString pairStatus(const PairRow& row);
