#include "interactive_chart.h"

InteractiveChart::InteractiveChart(QWidget* parent) : QCustomPlot(parent) {
  setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
  for (QCPAxis* axis : {xAxis, yAxis})
    connect(axis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this, axis](const QCPRange& range) {
      if (!operatorActing_) return;
      followsData_ = false;
      if (axis == yAxis) heightMovedByOperator(range);
    });
  connect(this, &QCustomPlot::legendClick, this, [this](QCPLegend*, QCPAbstractLegendItem* item, QMouseEvent*) {
    const auto entry = qobject_cast<QCPPlottableLegendItem*>(item);
    if (!entry) return;
    entry->plottable()->setVisible(!entry->plottable()->visible());
    replot();
  });
}

void InteractiveChart::fitToData() {
  if (followsData_) rescaleAxes();
}

void InteractiveChart::linkHeightAxes(InteractiveChart* first, InteractiveChart* second) {
  first->linked_ = second;
  second->linked_ = first;
}

// What the stock handler changes in the ranges is the operator's doing.
template <typename Handle>
void InteractiveChart::asTheOperator(Handle handle) {
  operatorActing_ = true;
  handle();
  operatorActing_ = false;
}

void InteractiveChart::wheelEvent(QWheelEvent* event) {
  asTheOperator([&] { QCustomPlot::wheelEvent(event); });
}

void InteractiveChart::mouseMoveEvent(QMouseEvent* event) {
  asTheOperator([&] { QCustomPlot::mouseMoveEvent(event); });
}

void InteractiveChart::mouseDoubleClickEvent(QMouseEvent* event) {
  QCustomPlot::mouseDoubleClickEvent(event);
  followsData_ = true;
  rescaleAxes();
  replot();
}

// The linked chart then holds its ranges as well, as if the operator had moved it.
void InteractiveChart::heightMovedByOperator(const QCPRange& range) {
  if (!linked_) return;
  linked_->followsData_ = false;
  linked_->yAxis->setRange(range);
  linked_->replot(rpQueuedReplot);
}
