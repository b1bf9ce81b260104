#include "app/output/chart_export.h"

#include "app/output/atomic_file.h"
#include "app/widgets/chart_crosshair.h"
#include "intake/flight_error.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <qcustomplot.h>

namespace {

[[noreturn]] void failToPaint(const QString& fileName) {
  throw FlightError(("Cannot write \"" + fileName + "\": the picture could not be drawn.").toStdString());
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

QString suffixOf(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix != "png" && suffix != "svg" && suffix != "pdf")
    throw FlightError(("Cannot save a picture as \"" + fileName + "\": name it .png, .svg or .pdf.").toStdString());
  return suffix;
}

}  // namespace

void drawCharts(QCPPainter& painter, const QList<QCustomPlot*>& charts) {
  int left = 0;
  for (QCustomPlot* chart : charts) {
    const QSize size = chart->size();
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

// Drawn in memory: the writers of the formats do not all tell when a write fails, so the file
// itself is left to the atomic writer.
QByteArray chartsPicture(const QList<QCustomPlot*>& charts, const QString& suffix, const QString& fileName, int scale,
                         int dotsPerInch) {
  const QSize size = sideBySide(charts);
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  if (suffix == "png") {
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    paintCharts(charts, image, fileName, scale);
    // Stated only once drawn: the painter sizes text by the image's resolution.
    constexpr double kInchesPerMetre = 1 / 0.0254;
    image.setDotsPerMeterX(qRound(dotsPerInch * kInchesPerMetre));
    image.setDotsPerMeterY(qRound(dotsPerInch * kInchesPerMetre));
    if (!image.save(&bytes, "PNG")) failToPaint(fileName);
  } else if (suffix == "svg") {
    QSvgGenerator svg;
    svg.setOutputDevice(&bytes);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    paintCharts(charts, svg, fileName);
  } else {
    QPdfWriter pdf(&bytes);
    pdf.setResolution(72);
    pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    paintCharts(charts, pdf, fileName);
  }
  return bytes.data();
}

void saveChartImage(QCustomPlot* chart, const QString& fileName) { saveChartsImage({chart}, fileName); }

void saveChartsImage(const QList<QCustomPlot*>& charts, const QString& fileName) {
  writeFileAtomically(fileName, chartsPicture(charts, suffixOf(fileName), fileName));
}

QString chartImageFilter() {
  return QStringLiteral("PNG (*.png);;SVG (*.svg);;PDF (*.pdf)");
}
