#include "app/output/panel_pages.h"

#include "app/output/page_strokes.h"
#include "app/output/pair_panels.h"
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
  const std::size_t perDocument = static_cast<std::size_t>(kPagesPerDocument * rowsPerPage_ * kPanelsPerRow);
  documents_.resize((pairs_.size() + perDocument - 1) / perDocument);
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

int PanelPages::pages() const {
  const std::size_t rows = (pairs_.size() + kPanelsPerRow - 1) / kPanelsPerRow;
  return static_cast<int>((rows + rowsPerPage_ - 1) / rowsPerPage_);
}

void PanelPages::drawRemaining() {
  for (std::size_t document; (document = next_++) < documents_.size();) draw(document);
}

void PanelPages::startAt(int page) {
  started_ = true;
  firstPage_.set_value(page);
}

std::vector<PdfPart> PanelPages::documents() {
  drawRemaining();
  drawing_.join();
  if (failure_) std::rethrow_exception(failure_);
  return std::move(documents_);
}

void PanelPages::draw(std::size_t document) {
  const std::size_t perDocument = static_cast<std::size_t>(kPagesPerDocument * rowsPerPage_ * kPanelsPerRow);
  const std::size_t first = document * perDocument, end = std::min(pairs_.size(), first + perDocument);
  ReportWriter writer;
  // A copy of the future of its own: threads may wait on one shared state, not on one future.
  ReportPages pages(writer.pdf(), [known = firstPageKnown_, document] {
    return known.get() + static_cast<int>(document) * kPagesPerDocument;
  });
  const double width = (pages.width() - kPanelGap * (kPanelsPerRow - 1)) / kPanelsPerRow;
  std::vector<PageStrokes> lines;
  for (std::size_t row = first; row < end; row += kPanelsPerRow) {
    const QRectF band = pages.take(kPanelHeight + kPanelGap);
    while (lines.size() <= static_cast<std::size_t>(pages.pages()))
      lines.emplace_back(pages.painter().combinedTransform(), writer.pdf().pageLayout().fullRectPoints().height(),
                         writer.pdf().resolution());
    for (std::size_t k = 0; k < kPanelsPerRow && row + k < end; ++k) {
      const QRectF area(band.left() + static_cast<double>(k) * (width + kPanelGap), band.top(), width, kPanelHeight);
      drawPairPanel(pages.painter(), lines.back(), area, report_, pairs_[row + k]);
    }
  }
  pages.finish();
  PdfPart& part = documents_[document];
  part.document = writer.bytes();
  for (const PageStrokes& page : lines) part.overlays.push_back(page.deflated());
}
