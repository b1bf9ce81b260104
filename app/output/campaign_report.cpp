#include "app/output/campaign_report.h"

#include "app/output/campaign_charts.h"
#include "app/output/campaign_tables.h"
#include "app/output/chart_export.h"
#include "app/output/chart_titles.h"
#include "app/support/shown_text.h"
#include "intake/flight_error.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPdfWriter>

namespace {

// The page is laid out in the pixels the charts are laid out in, so that their text keeps the
// size it has on screen.
constexpr int kResolution = 96;
constexpr double kMargin = 60;
constexpr double kCellPadding = 3;
constexpr int kChartsHeight = 440;

[[noreturn]] void failToDraw() { throw FlightError("Cannot write \"report.pdf\": the report could not be drawn."); }

QFont reportFont(double points, bool bold = false) {
  QFont font;
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

struct Column {
  double weight;
  Qt::Alignment alignment;
  Qt::TextElideMode elide;  // ElideNone: the text wraps within the column
};

// Fills A4 pages from top to bottom, each block on a new page when the rest of this one is too
// short for it; a table repeats its captions on every page it runs onto.
class ReportPages {
 public:
  explicit ReportPages(QPdfWriter& pdf) : pdf_(pdf), painter_(&pdf) {
    if (!painter_.isActive()) failToDraw();
    bottom_ = pdf.height() - kMargin;
    width_ = pdf.width() - 2 * kMargin;
  }

  double width() const { return width_; }
  QCPPainter& painter() { return painter_; }

  // Goes on to a new page unless this one has the height left.
  void keepRoom(double height) {
    if (y_ + height > bottom_ && y_ > kMargin) newPage();
  }

  // The band of the page the next block of this height fills.
  QRectF take(double height) {
    keepRoom(height);
    const QRectF band(kMargin, y_, width_, height);
    y_ += height;
    return band;
  }

  void skip(double height) { y_ += height; }

  void text(const QString& text, const QFont& font) {
    painter_.setFont(font);
    const double height = painter_.boundingRect(QRectF(0, 0, width_, 1e6), Qt::TextWordWrap, text).height();
    painter_.drawText(take(height), Qt::TextWordWrap, text);
  }

  void table(const std::vector<Column>& columns, const QStringList& captions, const std::vector<QStringList>& rows) {
    double weights = 0;
    for (const Column& column : columns) weights += column.weight;
    std::vector<double> widths;
    for (const Column& column : columns) widths.push_back(width_ * column.weight / weights);
    const double captionsHeight = rowHeight(captions, columns, widths, true);
    // The captions never stand alone at the foot of a page.
    if (!rows.empty()) keepRoom(captionsHeight + rowHeight(rows.front(), columns, widths, false));
    drawRow(captions, columns, widths, take(captionsHeight), true);
    for (const QStringList& row : rows) {
      const double height = rowHeight(row, columns, widths, false);
      if (y_ + height > bottom_) {
        newPage();
        drawRow(captions, columns, widths, take(captionsHeight), true);
      }
      drawRow(row, columns, widths, take(height), false);
    }
  }

  void finish() {
    footer();
    if (!painter_.end()) failToDraw();
  }

 private:
  void newPage() {
    footer();
    if (!pdf_.newPage()) failToDraw();
    y_ = kMargin;
  }

  void footer() {
    painter_.setFont(reportFont(7));
    painter_.setPen(Qt::darkGray);
    painter_.drawText(QRectF(kMargin, bottom_ + kMargin / 3, width_, kMargin / 3), Qt::AlignRight | Qt::AlignVCenter,
                      QStringLiteral("FlightCompare — стр. %1").arg(++page_));
  }

  static bool wraps(const Column& column, bool captions) { return captions || column.elide == Qt::ElideNone; }

  double rowHeight(const QStringList& cells, const std::vector<Column>& columns, const std::vector<double>& widths,
                   bool captions) {
    painter_.setFont(reportFont(7, captions));
    double height = painter_.fontMetrics().height();
    for (std::size_t c = 0; c < columns.size(); ++c)
      if (wraps(columns[c], captions))
        height = std::max(height, painter_.boundingRect(QRectF(0, 0, widths[c] - 2 * kCellPadding, 1e6), Qt::TextWordWrap,
                                                        cells[static_cast<int>(c)]).height());
    return height + 2 * kCellPadding;
  }

  void drawRow(const QStringList& cells, const std::vector<Column>& columns, const std::vector<double>& widths,
               const QRectF& band, bool captions) {
    painter_.setFont(reportFont(7, captions));
    double left = band.left();
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const QRectF cell(left, band.top(), widths[c], band.height());
      left += widths[c];
      painter_.setPen(QColor(0xBB, 0xBB, 0xBB));
      painter_.setBrush(captions ? QColor(0xEE, 0xEE, 0xEE) : QColor(Qt::white));
      painter_.drawRect(cell);
      painter_.setPen(Qt::black);
      const QRectF inner = cell.adjusted(kCellPadding, kCellPadding, -kCellPadding, -kCellPadding);
      const QString& text = cells[static_cast<int>(c)];
      const Qt::Alignment alignment = captions ? Qt::AlignLeft | Qt::AlignTop : columns[c].alignment;
      if (wraps(columns[c], captions))
        painter_.drawText(inner, Qt::TextWordWrap | alignment, text);
      else
        painter_.drawText(inner, alignment,
                          painter_.fontMetrics().elidedText(text, columns[c].elide, static_cast<int>(inner.width())));
    }
  }

  QPdfWriter& pdf_;
  QCPPainter painter_;
  double bottom_, width_, y_ = kMargin;
  int page_ = 0;
};

// What the campaign's model says of its settings, then when the report was made and by which
// version of the program.
QStringList settingsLines(const CampaignReport& report, const QDateTime& made) {
  QStringList lines;
  for (const std::string& line : report.settingsLines) lines << shownText(line);
  const QString version = QCoreApplication::applicationVersion();
  return lines << QStringLiteral("Дата отчёта: %1").arg(made.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'")))
               << QStringLiteral("Версия программы: %1").arg(version.isEmpty() ? QStringLiteral("—") : version);
}

const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
const Qt::Alignment kRight = Qt::AlignRight | Qt::AlignTop;

void layerTable(ReportPages& pages, const CampaignReport& report) {
  std::vector<Column> columns{{2.2, kLeft, Qt::ElideRight}, {1.6, kLeft, Qt::ElideRight}, {0.8, kRight, Qt::ElideRight},
                              {1.0, kRight, Qt::ElideRight}};
  for (int statistic = 0; statistic < 7; ++statistic) columns.push_back({1.2, kRight, Qt::ElideRight});
  std::vector<QStringList> rows;
  for (const LayerSummary& layer : report.result.layers) rows.push_back(layerTableRow(layer));
  pages.table(columns, layerTableCaptions(), rows);
}

void pairTable(ReportPages& pages, const CampaignReport& report) {
  const std::vector<Column> columns{{0.6, kRight, Qt::ElideRight}, {3.0, kLeft, Qt::ElideMiddle},
                                    {3.0, kLeft, Qt::ElideMiddle}, {1.3, kLeft, Qt::ElideRight},
                                    {4.0, kLeft, Qt::ElideNone},   {0.9, kRight, Qt::ElideRight},
                                    {1.1, kRight, Qt::ElideRight}, {1.1, kRight, Qt::ElideRight}};
  std::vector<QStringList> rows;
  for (std::size_t i = 0; i < report.pairRows.size(); ++i)
    rows.push_back(QStringList{QString::number(i + 1)} + pairTableRow(report.pairRows[i]));
  pages.table(columns, QStringList{QStringLiteral("№")} + pairTableCaptions(), rows);
}

// Qt stamps a PDF with the moment it is written, in local time: "D:20261209065313Z" where that is
// UTC, as main() makes it for a report made again (SOURCE_DATE_EPOCH). There the report's own date
// takes its place, digit for digit, so that every offset after it stays as it is.
void stampCreationDate(QByteArray& pdf, const QDateTime& made) {
  static const QByteArray kKey = "/CreationDate (D:";
  constexpr qsizetype kDigits = 14;
  const qsizetype at = pdf.indexOf(kKey);
  if (at < 0 || pdf.size() <= at + kKey.size() + kDigits || pdf[at + kKey.size() + kDigits] != 'Z') return;
  pdf.replace(at + kKey.size(), kDigits, made.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1());
}

}  // namespace

QByteArray campaignReportPdf(const CampaignReport& report, const QDateTime& made) {
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&bytes);
  pdf.setResolution(kResolution);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  pdf.setTitle(QStringLiteral("Кампания сравнения полётов"));
  pdf.setCreator(QStringLiteral("FlightCompare %1").arg(QCoreApplication::applicationVersion()));
  {
    ReportPages pages(pdf);
    pages.text(QStringLiteral("Кампания сравнения полётов"), reportFont(15, true));
    pages.skip(8);
    for (const QString& line : settingsLines(report, made)) pages.text(line, reportFont(10));
    pages.skip(12);
    OffscreenCampaignCharts charts(report, QSize(static_cast<int>(pages.width()), kChartsHeight));
    const QRectF band = pages.take(kChartsHeight);
    pages.painter().save();
    pages.painter().translate(band.topLeft());
    drawCharts(pages.painter(), charts.charts());
    pages.painter().restore();
    pages.skip(16);
    // A heading stays with the start of its table.
    constexpr double kHeadingRoom = 100;
    pages.keepRoom(kHeadingRoom);
    pages.text(QStringLiteral("Слои"), reportFont(11, true));
    if (report.result.layers.empty())
      pages.text(QStringLiteral("Ни одна пара не дала значений."), reportFont(9));
    else
      layerTable(pages, report);
    pages.skip(16);
    pages.keepRoom(kHeadingRoom);
    pages.text(QStringLiteral("Пары"), reportFont(11, true));
    pairTable(pages, report);
    pages.finish();
  }
  QByteArray written = bytes.data();
  stampCreationDate(written, made);
  return written;
}

QDateTime reportDate() {
  const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
  if (epoch.isEmpty()) return QDateTime::currentDateTimeUtc();
  bool isNumber = false;
  const qint64 seconds = epoch.toLongLong(&isNumber);
  if (!isNumber) throw FlightError("SOURCE_DATE_EPOCH must be a number of seconds.", "SOURCE_DATE_EPOCH: " + epoch.toStdString());
  return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}
