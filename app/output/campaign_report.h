#pragma once

#include "app/output/atomic_file.h"
#include "app/output/campaign_output.h"
#include "app/output/panel_pages.h"
#include "app/output/report_pages.h"

#include <QDateTime>

// The report an operator hands in, PDF on A4 pages drawn in memory, the pair profiles on every
// core, then joined and given to the sink: a title block (the list, the period, the
// stations, the sondes of each slot, what was compared and how, the date and the program's
// version), both profiles, a summary at round heights, the layer table, the pairs with their
// flights and statuses, the skipped pairs' reasons and the profiles of the compared pairs that
// most need a look, and the files in full. The panels, most of the report, are drawn on other
// threads from the moment it is made, as soon as it has drawn the pages ahead of them, and while
// its maker draws and writes the campaign's other files.
class CampaignReportPdf {
 public:
  CampaignReportPdf(const CampaignReport& report, const QDateTime& made);
  // Joins the pages and gives the report to the sink.
  void write(const ByteSink& write);

 private:
  QDateTime made_;
  ReportWriter front_, back_;
  ReportPages frontPages_;
  PanelPages panels_;
};

// When a report is made: the moment SOURCE_DATE_EPOCH gives in seconds, so that a report can be
// made again the same, otherwise now. Fails with a FlightError when it is set to anything else.
QDateTime reportDate();
