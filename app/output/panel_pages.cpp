#include "app/output/panel_pages.h"

#include "app/output/page_strokes.h"
#include "campaign/parallel_work.h"
#include "flight/flight_error.h"

namespace {

constexpr int kPanelsPerRow = 2;
// Pages of one document: enough documents for every core, few enough that each font is not
// embedded hundreds of times.
constexpr int kPagesPerDocument = 20;

}  // namespace

PanelPages::PanelPages(const CampaignReport& report, std::vector<std::size_t> pairs, int rowsPerPage)
    : report_(report), pairs_(std::move(pairs)), rowsPerPage_(rowsPerPage), firstPageKnown_(firstPage_.get_future()) {
  const std::size_t perDocument = kPagesPerDocument * panelsPerPage();
  documents_ = std::vector<Document>((pairs_.size() + perDocument - 1) / perDocument);
  drawing_ = std::thread([this] {
    try {
      runInParallel(jobsFor(report_.settings.jobs, documents_.size()), [this] { drawRemaining(); });
    } catch (...) {
      failure_ = std::current_exception();
    }
  });
}

PanelPages::~PanelPages() {
  // Pages ahead of the panels that failed to draw would leave them waiting for their number.
  if (!started_) firstPage_.set_exception(std::make_exception_ptr(FlightError(MessageId::ReportNotDrawn)));
  if (drawing_.joinable()) drawing_.join();
}

std::size_t PanelPages::panelsPerPage() const { return static_cast<std::size_t>(rowsPerPage_ * kPanelsPerRow); }

int PanelPages::pages() const {
  const std::size_t rows = (pairs_.size() + kPanelsPerRow - 1) / kPanelsPerRow;
  return static_cast<int>((rows + rowsPerPage_ - 1) / rowsPerPage_);
}

void PanelPages::startAt(int page) {
  started_ = true;
  firstPage_.set_value(page);
}

std::vector<PdfPart> PanelPages::documents() {
  drawRemaining();
  drawing_.join();
  if (failure_) std::rethrow_exception(failure_);
  std::vector<PdfPart> parts;
  for (Document& document : documents_) parts.push_back(std::move(document.part));
  return parts;
}

void PanelPages::drawRemaining() {
  for (std::size_t task; (task = next_++) < 2 * documents_.size();) {
    const bool layingOut = task < documents_.size();
    Document& document = documents_[task % documents_.size()];
    try {
      if (layingOut) {
        layOut(task);
        document.laidOut.set_value();
      } else {
        finish(task - documents_.size());
      }
    } catch (...) {
      // The painter ends here, on the thread that drew with it: Qt then embeds the fonts of this
      // thread's FreeType faces, which end with the thread.
      document.pages.reset();
      if (layingOut) document.laidOut.set_exception(std::current_exception());
      throw;
    }
  }
}

void PanelPages::layOut(std::size_t index) {
  Document& document = documents_[index];
  document.writer = std::make_unique<ReportWriter>();
  // A copy of the future of its own: threads may wait on one shared state, not on one future.
  document.pages = std::make_unique<ReportPages>(document.writer->pdf(), [known = firstPageKnown_, index] {
    return known.get() + static_cast<int>(index) * kPagesPerDocument;
  });
  ReportPages& pages = *document.pages;
  const std::size_t perPage = panelsPerPage();
  const std::size_t first = index * kPagesPerDocument * perPage, end = std::min(pairs_.size(), first + kPagesPerDocument * perPage);
  const double width = (pages.width() - kPanelGap * (kPanelsPerRow - 1)) / kPanelsPerRow;
  pages.painter().setFont(panelFont());
  const QFontMetricsF metrics = pages.painter().fontMetrics();
  for (std::size_t pageFirst = first; pageFirst < end; pageFirst += perPage) {
    PageStrokes lines(pages.painter().combinedTransform(), document.writer->pdf().pageLayout().fullRectPoints().height(),
                      document.writer->pdf().resolution());
    for (std::size_t panel = pageFirst; panel < std::min(end, pageFirst + perPage); ++panel) {
      const std::size_t onPage = panel - pageFirst;
      const QRectF band = pages.band(static_cast<int>(onPage / kPanelsPerRow), kPanelHeight + kPanelGap);
      const QRectF area(band.left() + static_cast<double>(onPage % kPanelsPerRow) * (width + kPanelGap), band.top(),
                        width, kPanelHeight);
      document.texts.push_back(drawPanelLines(metrics, area, report_, pairs_[panel], lines));
    }
    document.part.overlays.push_back(lines.deflated());
  }
}

void PanelPages::finish(std::size_t index) {
  Document& document = documents_[index];
  document.laidOut.get_future().get();
  ReportPages& pages = *document.pages;
  for (std::size_t panel = 0; panel < document.texts.size(); ++panel) {
    if (panel > 0 && panel % panelsPerPage() == 0) pages.newPage();
    drawPanelTexts(pages.painter(), document.texts[panel]);
  }
  pages.finish();
  document.part.document = document.writer->bytes();
  document.pages.reset();
  document.writer.reset();
}
