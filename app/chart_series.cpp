#include "chart_series.h"

#include <QStyle>
#include <QStyleOptionButton>

#include <cmath>

namespace {
constexpr int kCheckBoxGap = 4;
}

ChartSeries::ChartSeries(QCustomPlot* chart, const QString& ownName, const QPen& pen)
    : QCPCurve(chart->xAxis, chart->yAxis), ownName_(ownName) {
  setObjectName(ownName);
  setPen(pen);
  setLineStyle(QCPCurve::lsLine);
  setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
  setName(ownName);
  chart->legend->addItem(new CheckableLegendItem(chart->legend, this));
}

void ChartSeries::setLegendTitle(const QString& title) {
  legendTitle_ = title;
  setName(title.trimmed().isEmpty() ? ownName_ : title);
}

void ChartSeries::setPoints(const std::vector<double>& x, const std::vector<double>& y) {
  QVector<QCPCurveData> points(static_cast<int>(x.size()));
  for (std::size_t i = 0; i < x.size(); ++i) points[static_cast<int>(i)] = QCPCurveData(static_cast<double>(i), x[i], y[i]);
  data()->set(points, true);
}

// A flight has far more rows than the chart has pixels. Within one row of pixels, a run of
// points covers no more than its leftmost to its rightmost point, so the run is drawn through
// its first, leftmost, rightmost and last points only: the line looks the same, and the
// points of the series stay as they are.
void ChartSeries::drawCurveLine(QCPPainter* painter, const QVector<QPointF>& lines) const {
  if (painter->pen().style() == Qt::NoPen || painter->pen().color().alpha() == 0) return;
  drawnLine_.clear();
  const auto pixelRow = [](const QPointF& point) { return std::floor(point.y()); };
  for (int first = 0; first < lines.size();) {
    int last = first, left = first, right = first;
    while (last + 1 < lines.size() && pixelRow(lines[last + 1]) == pixelRow(lines[first])) {
      ++last;
      if (lines[last].x() < lines[left].x()) left = last;
      if (lines[last].x() > lines[right].x()) right = last;
    }
    int kept[] = {first, std::min(left, right), std::max(left, right), last};
    for (int i = 0; i < 4; ++i)
      if (i == 0 || kept[i] != kept[i - 1]) drawnLine_.append(lines[kept[i]]);
    first = last + 1;
  }
  // One polyline, not a line per segment: the points hold no gaps to break it at.
  applyDefaultAntialiasingHint(painter);
  painter->drawPolyline(drawnLine_.constData(), static_cast<int>(drawnLine_.size()));
}

CheckableLegendItem::CheckableLegendItem(QCPLegend* legend, QCPAbstractPlottable* series)
    : QCPPlottableLegendItem(legend, series) {}

int CheckableLegendItem::checkBoxWidth() const { return mParentLegend->iconSize().height(); }

void CheckableLegendItem::draw(QCPPainter* painter) {
  const int side = checkBoxWidth();
  QStyleOptionButton box;
  box.rect = QRect(mRect.left(), mRect.top() + (mRect.height() - side) / 2, side, side);
  box.state = QStyle::State_Enabled | (plottable()->visible() ? QStyle::State_On : QStyle::State_Off);
  mParentPlot->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, mParentPlot);

  // The stock entry draws icon and name from the left edge of its rectangle: move that edge
  // past the check box for the duration of the stock drawing.
  const QRect whole = mRect;
  mRect.setLeft(mRect.left() + side + kCheckBoxGap);
  QCPPlottableLegendItem::draw(painter);
  mRect = whole;
}

QSize CheckableLegendItem::minimumOuterSizeHint() const {
  return QCPPlottableLegendItem::minimumOuterSizeHint() + QSize(checkBoxWidth() + kCheckBoxGap, 0);
}

void setUpInteractiveChart(QCustomPlot* chart) {
  chart->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
  QObject::connect(chart, &QCustomPlot::mouseDoubleClick, chart, [chart] {
    fitChartToData(chart);
    chart->replot();
  });
  QObject::connect(chart, &QCustomPlot::legendClick, chart,
                   [chart](QCPLegend*, QCPAbstractLegendItem* item, QMouseEvent*) {
                     const auto entry = qobject_cast<QCPPlottableLegendItem*>(item);
                     if (!entry) return;
                     entry->plottable()->setVisible(!entry->plottable()->visible());
                     chart->replot();
                   });
}

void fitChartToData(QCustomPlot* chart) { chart->rescaleAxes(); }
