#pragma once

#include "app/output/campaign_output.h"

#include <QByteArray>
#include <QDateTime>

// The report an operator hands in, as PDF bytes on A4 pages: what was compared and how, when
// and by which version of the program, both profiles, the layer table and the pairs table with
// each pair's status.
QByteArray campaignReportPdf(const CampaignReport& report, const QDateTime& made);

// When a report is made: the moment SOURCE_DATE_EPOCH gives in seconds, so that a report can be
// made again the same, otherwise now. Fails with a FlightError when it is set to anything else.
QDateTime reportDate();
