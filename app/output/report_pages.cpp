#include "app/output/report_pages.h"

#include "app/output/text_breaks.h"
#include "flight/flight_error.h"

#include <QCoreApplication>

#include <algorithm>

#include <utility>

namespace {

constexpr double kMargin = 60;
constexpr double kCellPadding = 3;

[[noreturn]] void failToDraw() { throw FlightError(MessageId::ReportNotDrawn); }

}  // namespace

QFont reportFont(double points, bool bold) {
  QFont font;
  font.setPointSizeF(points);
  font.setBold(bold);
  // Letters stay letters: no "ﬁ" ligature in a path or name that a reader copies out of the PDF.
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

ReportWriter::ReportWriter() : pdf_(&buffer_) {
  buffer_.open(QIODevice::WriteOnly);
  pdf_.setResolution(kReportResolution);
  pdf_.setPageSize(QPageSize(QPageSize::A4));
  pdf_.setPageMargins(QMarginsF(0, 0, 0, 0));
  pdf_.setTitle(QStringLiteral("Кампания сравнения полётов"));
  pdf_.setCreator(QStringLiteral("FlightCompare %1").arg(QCoreApplication::applicationVersion()));
}

ReportPages::ReportPages(QPdfWriter& pdf, std::function<int()> firstPage)
    : pdf_(pdf), firstPage_(std::move(firstPage)), painter_(&pdf), y_(kMargin) {
  if (!painter_.isActive()) failToDraw();
  bottom_ = pdf.height() - kMargin;
  width_ = pdf.width() - 2 * kMargin;
}

int ReportPages::bandsPerPage(double height) const {
  return std::max(1, static_cast<int>((bottom_ - kMargin) / height));
}

QRectF ReportPages::band(int index, double height) const { return QRectF(kMargin, kMargin + index * height, width_, height); }

void ReportPages::keepRoom(double height) {
  if (y_ + height > bottom_ && y_ > kMargin) newPage();
}

QRectF ReportPages::take(double height) {
  keepRoom(height);
  const QRectF band(kMargin, y_, width_, height);
  y_ += height;
  return band;
}

void ReportPages::newPage() {
  footer();
  if (!pdf_.newPage()) failToDraw();
  y_ = kMargin;
}

void ReportPages::text(const QString& text, const QFont& font) {
  painter_.setFont(font);
  const Wrapped shown = wrapped(text, width_);
  const double height = painter_.boundingRect(QRectF(0, 0, width_, 1e6), shown.flags, shown.text).height();
  painter_.setPen(Qt::black);
  painter_.drawText(take(height), shown.flags, shown.text);
}

void ReportPages::heading(const QString& text, double room) {
  skip(14);
  keepRoom(room + 24);
  this->text(text, reportFont(11, true));
  skip(4);
}

void ReportPages::table(const std::vector<ReportColumn>& columns, const QStringList& captions,
                        const std::vector<QStringList>& rows) {
  table(columns, captions, rows.size(), [&rows](std::size_t row) { return rows[row]; });
}

void ReportPages::table(const std::vector<ReportColumn>& columns, const QStringList& captions, std::size_t rows,
                        const std::function<QStringList(std::size_t)>& rowAt) {
  double weights = 0;
  for (const ReportColumn& column : columns) weights += column.weight;
  std::vector<double> widths;
  for (const ReportColumn& column : columns) widths.push_back(width_ * column.weight / weights);
  const Row captionsRow = layOutRow(captions, columns, widths, true);
  // The captions never stand alone at the foot of a page.
  if (rows > 0) keepRoom(captionsRow.height + layOutRow(rowAt(0), columns, widths, false).height);
  drawRow(captionsRow, columns, widths, take(captionsRow.height), true);
  for (std::size_t index = 0; index < rows; ++index) {
    const Row row = layOutRow(rowAt(index), columns, widths, false);
    if (y_ + row.height > bottom_) {
      newPage();
      drawRow(captionsRow, columns, widths, take(captionsRow.height), true);
    }
    drawRow(row, columns, widths, take(row.height), false);
  }
}

void ReportPages::finish() {
  footer();
  if (!painter_.end()) failToDraw();
}

int ReportPages::pageNumber() {
  if (pages_ == 0) firstNumber_ = firstPage_();
  return firstNumber_ + pages_;
}

void ReportPages::footer() {
  painter_.setFont(reportFont(7));
  painter_.setPen(Qt::darkGray);
  painter_.drawText(QRectF(kMargin, bottom_ + kMargin / 3, width_, kMargin / 3), Qt::AlignRight | Qt::AlignVCenter,
                    QStringLiteral("FlightCompare — стр. %1").arg(pageNumber()));
  ++pages_;
}

// Words wrap where they can; a word wider than the room (a path, a long name) wraps anywhere
// rather than run out of its cell.
ReportPages::Wrapped ReportPages::wrapped(const QString& text, double width) {
  // Most cells hold a line that fits: measured at once, without laying out a wrapped text.
  if (!text.contains(QLatin1Char('\n')) && painter_.fontMetrics().horizontalAdvance(text) <= width)
    return {text, Qt::TextWordWrap};
  const auto fits = [&](const QString& candidate) {
    return painter_.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, candidate).width() <= width + 0.5;
  };
  if (fits(text)) return {text, Qt::TextWordWrap};
  const QString paths = withPathBreaks(text);
  if (fits(paths)) return {paths, Qt::TextWordWrap};
  const QString syllables = withSyllableBreaks(text);
  // A run of digits or signs with no place to break is cut where the column ends, never hidden.
  return {syllables, fits(syllables) ? Qt::TextWordWrap : Qt::TextWrapAnywhere};
}

ReportPages::Row ReportPages::layOutRow(const QStringList& cells, const std::vector<ReportColumn>& columns,
                                        const std::vector<double>& widths, bool captions) {
  painter_.setFont(reportFont(7, captions));
  Row row{{}, static_cast<double>(painter_.fontMetrics().height())};
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const QString& text = cells[static_cast<int>(c)];
    const double room = widths[c] - 2 * kCellPadding;
    if (!captions && !columns[c].wraps) {
      row.cells.push_back({painter_.fontMetrics().elidedText(text, Qt::ElideRight, static_cast<int>(room)), 0});
      continue;
    }
    const Wrapped& shown = row.cells.emplace_back(wrapped(text, room));
    row.height = std::max(row.height, painter_.boundingRect(QRectF(0, 0, room, 1e6), shown.flags, shown.text).height());
  }
  row.height += 2 * kCellPadding;
  return row;
}

void ReportPages::drawRow(const Row& row, const std::vector<ReportColumn>& columns, const std::vector<double>& widths,
                          const QRectF& band, bool captions) {
  painter_.setFont(reportFont(7, captions));
  std::vector<QRectF> boxes;
  double left = band.left();
  for (const double width : widths) {
    boxes.emplace_back(left, band.top(), width, band.height());
    left += width;
  }
  // The row's borders at once: a PDF then states the pen once a row, not once a cell, and the
  // tables of a large campaign's pairs and files are most of the report's pages ahead of the
  // panels. The page is white under the cells.
  painter_.setPen(QColor(0xBB, 0xBB, 0xBB));
  painter_.setBrush(captions ? QBrush(QColor(0xEE, 0xEE, 0xEE)) : QBrush(Qt::NoBrush));
  painter_.drawRects(boxes.data(), static_cast<int>(boxes.size()));
  painter_.setPen(Qt::black);
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const Qt::Alignment alignment = captions ? Qt::AlignLeft | Qt::AlignTop : columns[c].alignment;
    painter_.drawText(boxes[c].adjusted(kCellPadding, kCellPadding, -kCellPadding, -kCellPadding),
                      row.cells[c].flags | static_cast<int>(alignment), row.cells[c].text);
  }
}
