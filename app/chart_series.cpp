#include "chart_series.h"

#include <QStyle>
#include <QStyleOptionButton>

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
