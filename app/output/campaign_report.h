#pragma once

#include "app/output/campaign_output.h"

#include <QByteArray>
#include <QDateTime>

// The report an operator hands in, as PDF bytes on A4 pages: a title block (the list, the
// period, the stations, the sondes of each slot, what was compared and how, the date and the
// program's version), both profiles, a summary at round heights, the layer table, the pairs
// with their flights and statuses, a small profile of each compared pair, and the files in full.
QByteArray campaignReportPdf(const CampaignReport& report, const QDateTime& made);

// When a report is made: the moment SOURCE_DATE_EPOCH gives in seconds, so that a report can be
// made again the same, otherwise now. Fails with a FlightError when it is set to anything else.
QDateTime reportDate();
