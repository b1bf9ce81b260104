#include "app/output/chart_export.h"

#include "app/output/atomic_file.h"
#include "app/output/svg_text.h"
#include "app/widgets/chart_crosshair.h"
#include "app/widgets/chart_series.h"
#include "flight/flight_error.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <qcustomplot.h>

#include <functional>

namespace {

[[noreturn]] void failToPaint(const QString& fileName) {
  throw FlightError(Message(MessageId::PictureNotDrawn, {fileName.toStdString()}));
}

// Paints the charts left to right with one painter on the device.
void paintCharts(const QList<QCustomPlot*>& charts, QPaintDevice& device, const QString& fileName, int scale = 1) {
  QCPPainter painter(&device);
  if (!painter.isActive()) failToPaint(fileName);
  // Lines grow with the picture, as QCustomPlot's own scaled pictures draw them.
  if (scale != 1) painter.setMode(QCPPainter::pmNonCosmetic);
  painter.scale(scale, scale);
  drawCharts(painter, charts);
  if (!painter.end()) failToPaint(fileName);
}

QSize sideBySide(const QList<QCustomPlot*>& charts) {
  QSize total(0, 0);
  for (const QCustomPlot* chart : charts) {
    total.rwidth() += chart->size().width();
    total.setHeight(std::max(total.height(), chart->size().height()));
  }
  return total;
}

bool isDrawn(const QCPAbstractPlottable* plottable) {
  const auto curve = qobject_cast<const QCPCurve*>(plottable);
  return plottable->visible() && (!curve || curve->dataCount() > 0);
}

// The window's legend entries carry check boxes and list hidden curves; a printed legend lists
// the curves drawn, plainly. The entries come back as they were once the picture is drawn.
class PrintedLegends {
 public:
  explicit PrintedLegends(const QList<QCustomPlot*>& charts) {
    for (QCustomPlot* chart : charts) {
      Listed listed{chart->legend, {}};
      for (int i = 0; i < chart->legend->itemCount(); ++i)
        if (const auto entry = qobject_cast<QCPPlottableLegendItem*>(chart->legend->item(i)))
          listed.entries.push_back({entry->plottable(), qobject_cast<CheckableLegendItem*>(entry) != nullptr});
      chart->legend->clearItems();
      for (const Entry& entry : listed.entries)
        if (isDrawn(entry.plottable)) chart->legend->addItem(new FittedLegendItem(chart->legend, entry.plottable));
      legends_.push_back(std::move(listed));
    }
  }
  ~PrintedLegends() {
    for (const Listed& listed : legends_) {
      listed.legend->clearItems();
      for (const Entry& entry : listed.entries)
        listed.legend->addItem(entry.checkable ? new CheckableLegendItem(listed.legend, entry.plottable)
                                               : new QCPPlottableLegendItem(listed.legend, entry.plottable));
      // Drawn at the page's size, the chart kept that layout: the window's own comes back, so
      // that the crosshair and the legend's boxes answer where they are seen.
      listed.legend->parentPlot()->replot();
    }
  }
  PrintedLegends(const PrintedLegends&) = delete;
  PrintedLegends& operator=(const PrintedLegends&) = delete;

 private:
  struct Entry {
    QCPAbstractPlottable* plottable;
    bool checkable;
  };
  struct Listed {
    QCPLegend* legend;
    std::vector<Entry> entries;
  };
  std::vector<Listed> legends_;
};

// A4 landscape for two charts side by side, its half (A5 upright) for one; in points.
QSizeF pageSize(int charts) {
  const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Point);
  return charts > 1 ? a4.transposed() : QSizeF(a4.height() / 2, a4.width());
}

// The title line, then the charts filling the rest of the page, each as wide as its share of the
// window's width.
void paintPage(const QList<QCustomPlot*>& charts, QPaintDevice& device, const QSizeF& page, const QString& title,
               const QString& fileName) {
  QCPPainter painter(&device);
  if (!painter.isActive()) failToPaint(fileName);
  constexpr double kMargin = 24;
  QFont font = charts.front()->font();
  font.setPointSizeF(10);
  font.setBold(true);
  painter.setFont(font);
  const QRectF text(kMargin, kMargin, page.width() - 2 * kMargin, page.height());
  const QRectF titleBox = painter.boundingRect(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, title);
  painter.drawText(titleBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, title);
  const QSizeF area(page.width() - 2 * kMargin, page.height() - 2 * kMargin - titleBox.height() - 8);
  painter.translate(kMargin, titleBox.bottom() + 8);
  drawCharts(painter, charts, area.toSize());
  if (!painter.end()) failToPaint(fileName);
}

// An SVG ("svg") or a PDF of a size in points, painted in memory; the title, when given, is the
// document's.
QByteArray vectorPicture(const QString& suffix, const QSizeF& size, const QString& title,
                         const std::function<void(QPaintDevice&)>& paint) {
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  if (suffix == "svg") {
    QSvgGenerator svg;
    svg.setOutputDevice(&bytes);
    svg.setResolution(72);
    svg.setSize(size.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), size));
    // Qt writes the title into its <title> element as it stands: a label holding "</title><script>"
    // would otherwise end it and put an element of the file's making into the picture.
    if (!title.isEmpty()) svg.setTitle(title.toHtmlEscaped());
    paint(svg);
    return withPortableText(bytes.data(), svg);
  } else {
    QPdfWriter pdf(&bytes);
    pdf.setResolution(72);
    pdf.setPageLayout(QPageLayout(QPageSize(size, QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
    if (!title.isEmpty()) pdf.setTitle(title);
    paint(pdf);
  }
  return bytes.data();
}

QString suffixOf(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix != "png" && suffix != "svg" && suffix != "pdf")
    throw FlightError(Message(MessageId::PictureSuffix, {fileName.toStdString()}));
  return suffix;
}

}  // namespace

void drawCharts(QCPPainter& painter, const QList<QCustomPlot*>& charts) {
  drawCharts(painter, charts, sideBySide(charts));
}

void drawCharts(QCPPainter& painter, const QList<QCustomPlot*>& charts, const QSize& area) {
  const QSize natural = sideBySide(charts);
  int left = 0;
  for (QCustomPlot* chart : charts) {
    const QSize size(chart->width() * area.width() / std::max(1, natural.width()), area.height());
    // The crosshair follows the mouse on screen; it is no part of what is saved.
    QCPLayer* crosshair = chart->layer(kCrosshairLayer);
    const bool crosshairShown = crosshair && crosshair->visible();
    if (crosshair) crosshair->setVisible(false);
    painter.save();
    painter.translate(left, 0);
    chart->toPainter(&painter, size.width(), size.height());
    painter.restore();
    if (crosshair) crosshair->setVisible(crosshairShown);
    left += size.width();
  }
}

QImage chartsImage(const QList<QCustomPlot*>& charts, const QString& fileName, int scale, int dotsPerInch) {
  // Opaque, on white: a PNG of three channels rather than four, written in two thirds the time.
  QImage image(sideBySide(charts) * scale, QImage::Format_RGB32);
  image.fill(Qt::white);
  paintCharts(charts, image, fileName, scale);
  // Stated only once drawn: the painter sizes text by the image's resolution.
  constexpr double kInchesPerMetre = 1 / 0.0254;
  image.setDotsPerMeterX(qRound(dotsPerInch * kInchesPerMetre));
  image.setDotsPerMeterY(qRound(dotsPerInch * kInchesPerMetre));
  return image;
}

// Written in memory: the writers of the formats do not all tell when a write fails, so the file
// itself is left to the atomic writer.
QByteArray pngBytes(const QImage& image, const QString& fileName) {
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  if (!image.save(&bytes, "PNG")) failToPaint(fileName);
  return bytes.data();
}

QByteArray chartsPicture(const QList<QCustomPlot*>& charts, const QString& suffix, const QString& fileName, int scale,
                         int dotsPerInch) {
  if (suffix == "png") return pngBytes(chartsImage(charts, fileName, scale, dotsPerInch), fileName);
  return vectorPicture(suffix, QSizeF(sideBySide(charts)), QString(),
                       [&](QPaintDevice& device) { paintCharts(charts, device, fileName); });
}

void saveChartsImage(const QList<QCustomPlot*>& charts, const QString& fileName, const ChartPrint& print) {
  const QString suffix = suffixOf(fileName);
  const PrintedLegends legends(charts);
  if (suffix == "png") {
    writeFileAtomically(fileName, chartsPicture(charts, suffix, fileName, print.scale));
    return;
  }
  const QSizeF page = pageSize(static_cast<int>(charts.size()));
  writeFileAtomically(fileName, vectorPicture(suffix, page, print.title, [&](QPaintDevice& device) {
                        paintPage(charts, device, page, print.title, fileName);
                      }));
}

QString chartImageFilter() {
  return QStringLiteral("PNG, 2× экрана (*.png);;PNG, 4× (*.png);;PNG, 8× (*.png);;PNG, 1× (*.png);;"
                        "PDF, страница (*.pdf);;SVG, страница (*.svg)");
}

int filterScale(const QString& filter) {
  const QRegularExpressionMatch scale = QRegularExpression(QStringLiteral("(\\d)×")).match(filter);
  return scale.hasMatch() ? scale.captured(1).toInt() : 2;
}
