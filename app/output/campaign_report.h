#pragma once

#include "app/output/atomic_file.h"
#include "app/output/campaign_output.h"

#include <QDateTime>

// The report an operator hands in, PDF on A4 pages drawn in memory, the pair profiles on every
// core, then joined and given to the sink: a title block (the list, the period, the
// stations, the sondes of each slot, what was compared and how, the date and the program's
// version), both profiles, a summary at round heights, the layer table, the pairs with their
// flights and statuses, the skipped pairs' reasons and the profiles of the compared pairs that
// most need a look, and the files in full.
void writeCampaignReportPdf(const CampaignReport& report, const QDateTime& made, const ByteSink& write);

// When a report is made: the moment SOURCE_DATE_EPOCH gives in seconds, so that a report can be
// made again the same, otherwise now. Fails with a FlightError when it is set to anything else.
QDateTime reportDate();
