#pragma once

#include "app/output/atomic_file.h"
#include "app/output/campaign_output.h"
#include "app/output/panel_pages.h"
#include "app/output/report_pages.h"

#include <QDateTime>

#include <future>

// The report an operator hands in, PDF on A4 pages drawn in memory, the pair profiles on every
// core, then joined and given to the sink: a title block (the list, the period, the
// stations, the sondes of each slot, what was compared and how, the date and the program's
// version), both profiles, a summary at round heights, the layer table, the pairs with their
// flights and statuses, the skipped pairs' reasons and the profiles of the compared pairs that
// most need a look, and the files in full.
class CampaignReportPdf {
 public:
  // Begins the panels, most of the report, on other threads: they are laid out while their
  // maker draws the campaign's pictures and the pages ahead of them.
  CampaignReportPdf(const CampaignReport& report, const QDateTime& made);
  // Draws the pages ahead of the panels, and the files at the end on a thread of their own.
  void draw();
  // Joins the pages, once drawn, and gives the report to the sink.
  void write(const ByteSink& write);

 private:
  const CampaignReport& report_;
  QDateTime made_;
  ReportWriter front_;
  ReportPages frontPages_;
  PanelPages panels_;
  std::future<QByteArray> appendix_;
};

// When a report is made: the moment SOURCE_DATE_EPOCH gives in seconds, so that a report can be
// made again the same, otherwise now. Fails with a FlightError when it is set to anything else.
QDateTime reportDate();
