#include "chart_export.h"

#include "flight_error.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <qcustomplot.h>


namespace {


[[noreturn]] void failToWrite(const QString& fileName) {
  throw FlightError(("Cannot write the picture \"" + fileName + "\".").toStdString());
}

// Paints the charts left to right with one painter on the device.
void paintCharts(const QList<QCustomPlot*>& charts, QPaintDevice& device) {
  QCPPainter painter(&device);
  int left = 0;
  for (QCustomPlot* chart : charts) {
    const QSize size = chart->size();
    painter.save();
    painter.translate(left, 0);
    chart->toPainter(&painter, size.width(), size.height());
    painter.restore();
    left += size.width();
  }
}

QSize sideBySide(const QList<QCustomPlot*>& charts) {
  QSize total(0, 0);
  for (const QCustomPlot* chart : charts) {
    total.rwidth() += chart->size().width();
    total.setHeight(std::max(total.height(), chart->size().height()));
  }
  return total;
}

void saveVector(const QList<QCustomPlot*>& charts, const QString& fileName, const QString& suffix) {
  const QSize size = sideBySide(charts);
  if (suffix == "svg") {
    QSvgGenerator svg;
    svg.setFileName(fileName);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    paintCharts(charts, svg);
    return;
  }
  QPdfWriter pdf(fileName);
  pdf.setResolution(72);
  pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  paintCharts(charts, pdf);
}

QString suffixOf(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix != "png" && suffix != "svg" && suffix != "pdf")
    throw FlightError(("Cannot save a picture as \"" + fileName + "\": name it .png, .svg or .pdf.").toStdString());
  return suffix;
}

void checkWritten(const QString& fileName) {
  if (!QFileInfo(fileName).isFile() || QFileInfo(fileName).size() == 0) failToWrite(fileName);
}

}  // namespace

void saveChartImage(QCustomPlot* chart, const QString& fileName) {
  const QString suffix = suffixOf(fileName);
  const QSize size = chart->size();
  bool saved = true;
  if (suffix == "png") saved = chart->savePng(fileName, size.width(), size.height());
  else if (suffix == "pdf") saved = chart->savePdf(fileName, size.width(), size.height());
  else saveVector({chart}, fileName, suffix);
  if (!saved) failToWrite(fileName);
  checkWritten(fileName);
}

void saveChartsImage(const QList<QCustomPlot*>& charts, const QString& fileName) {
  const QString suffix = suffixOf(fileName);
  if (suffix == "png") {
    QImage image(sideBySide(charts), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    paintCharts(charts, image);
    if (!image.save(fileName, "PNG")) failToWrite(fileName);
  } else {
    saveVector(charts, fileName, suffix);
  }
  checkWritten(fileName);
}

QString chartImageFilter() {
  return QStringLiteral("PNG (*.png);;SVG (*.svg);;PDF (*.pdf)");
}
