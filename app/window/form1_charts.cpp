// The two charts and their five series.
#include "app/window/form1.h"

#include "app/output/chart_titles.h"
#include "app/widgets/chart_crosshair.h"
#include "app/widgets/chart_series.h"
#include "app/widgets/interactive_chart.h"
#include "app/widgets/uncertainty_band.h"

namespace {

InteractiveChart* chart(QWidget* parent, const char* name) {
  auto control = new InteractiveChart(parent);
  control->setObjectName(QString::fromLatin1(name));
  control->setAutoAddPlottableToLegend(false);
  control->legend->setVisible(true);
  // Opaque, so that no curve runs through the names.
  control->legend->setBrush(Qt::white);
  control->legend->setBorderPen(QPen(QColor(Qt::lightGray)));
  control->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
  control->yAxis->setLabel(heightAxisTitle());
  return control;
}

// Cosmetic: thin lines go to Qt's fast line rasteriser, which matters for a comparison curve
// that zigzags across its chart row after row.
QPen linePen(const QColor& colour, int width = 1) {
  QPen pen(colour, width);
  pen.setCosmetic(true);
  return pen;
}

}  // namespace

void TForm1::createChart1() {
  Chart1 = chart(Splitter1, "Chart1");
  // Two sondes of one balloon draw nearly one line: flight 1 wide and light underneath, flight 2
  // narrow and dark on top, so that where they meet both stay in sight, flight 1 as its edges.
  Series1 = new ChartSeries(Chart1, QStringLiteral("Series1"), linePen(QColor(0xFF, 0x80, 0x80), 5));
  Series2 = new ChartSeries(Chart1, QStringLiteral("Series2"), linePen(QColor(0, 0, 0xFF), 2));
  Series5 = new ChartSeries(Chart1, QStringLiteral("Series5"), linePen(QColor(0, 0x80, 0)));
  // Taken off its layer and put back last: drawn over flight 3 too, while the legend keeps the
  // slots' order.
  Series2->setLayer(Series2->layer());
}

void TForm1::createChart2() {
  Chart2 = chart(Splitter1, "Chart2");
  // First, so that the comparison is drawn over it; listed only while there is a band.
  Band = new UncertaintyBand(Chart2, QColor(0x44, 0x66, 0xA3));
  // The comparison values zigzag row by row; the average, drawn over them, must stand out.
  Series3 = new ChartSeries(Chart2, QStringLiteral("Series3"), linePen(QColor(0x44, 0x66, 0xA3)));
  Series4 = new ChartSeries(Chart2, QStringLiteral("Series4"), linePen(QColor(0x00, 0xF7, 0xFD), 3));
  Series3->setName(comparisonSeriesName(false));
  Series4->setName(movingAverageSeriesName());
  Series4->setVisible(false);
  InteractiveChart::linkHeightAxes(Chart1, Chart2);
}
