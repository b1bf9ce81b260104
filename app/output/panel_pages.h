#pragma once

#include "app/output/pair_panels.h"
#include "app/output/pdf_join.h"
#include "app/output/report_pages.h"
#include "campaign/campaign_report.h"

#include <atomic>
#include <exception>
#include <future>
#include <memory>
#include <thread>
#include <vector>

// The report's pages of pair panels, two to a row, drawn as documents of a few pages each on
// threads of their own while the report's other pages are drawn; the report joins them. Every
// document's panels are laid out and their lines drawn first, then their texts and footers,
// which wait for the pages ahead of the panels to be counted. They are shared out by pages,
// never by threads, so the documents are the same however many threads draw them.
class PanelPages {
 public:
  static constexpr double kPanelHeight = 290, kPanelGap = 14;

  // rowsPerPage: how many rows of panels a page holds; pairs: those drawn, in order.
  PanelPages(const CampaignReport& report, std::vector<std::size_t> pairs, int rowsPerPage);
  ~PanelPages();
  PanelPages(const PanelPages&) = delete;
  PanelPages& operator=(const PanelPages&) = delete;

  int pages() const;
  // The number of the panels' first page, once the pages ahead of them are counted.
  void startAt(int page);
  // The panels' documents in page order, their lines drawn over their pages; the calling thread
  // takes its share of what is not yet begun. Throws what stopped their drawing.
  std::vector<PdfPart> documents();

 private:
  struct Document {
    std::unique_ptr<ReportWriter> writer;
    std::unique_ptr<ReportPages> pages;
    std::vector<std::vector<PanelText>> texts;  // each panel's, in order
    std::promise<void> laidOut;
    PdfPart part;
  };

  std::size_t panelsPerPage() const;
  // Lays out every document, then finishes every document, as long as any is left.
  void drawRemaining();
  void layOut(std::size_t document);
  void finish(std::size_t document);

  const CampaignReport& report_;
  std::vector<std::size_t> pairs_;
  int rowsPerPage_;
  std::promise<int> firstPage_;
  std::shared_future<int> firstPageKnown_;
  bool started_ = false;
  std::vector<Document> documents_;
  std::atomic<std::size_t> next_{0};
  std::exception_ptr failure_;
  std::thread drawing_;
};
