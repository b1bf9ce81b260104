#include "app/widgets/interactive_chart.h"

#include "app/widgets/clearest_area.h"
#include "app/widgets/legend_tool_tip.h"

#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>

InteractiveChart::InteractiveChart(QWidget* parent) : QCustomPlot(parent) {
  setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
  connect(xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this] {
    if (operatorActing_) valuesHeld_ = true;
  });
  connect(yAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this](const QCPRange& range) {
    if (!operatorActing_) return;
    heightsHeld_ = true;
    if (linked_) linked_->holdHeights(range);
  });
  connect(this, &QCustomPlot::legendClick, this, [this](QCPLegend*, QCPAbstractLegendItem* item, QMouseEvent*) {
    const auto entry = qobject_cast<QCPPlottableLegendItem*>(item);
    if (!entry) return;
    entry->plottable()->setVisible(!entry->plottable()->visible());
    replot();
  });
  connect(this, &QCustomPlot::beforeReplot, this, &InteractiveChart::placeLegend);
}

// The legend's size is the last layout's; the new one will not differ by a corner's worth.
void InteractiveChart::placeLegend() {
  QCPLayoutInset* inset = axisRect()->insetLayout();
  if (!legend->visible() || inset->elementCount() == 0 || inset->elementAt(0) != legend) return;
  // The window's corner first: the others only where it hides more.
  const Qt::Alignment corners[] = {Qt::AlignTop | Qt::AlignRight, Qt::AlignTop | Qt::AlignLeft,
                                   Qt::AlignBottom | Qt::AlignRight, Qt::AlignBottom | Qt::AlignLeft};
  const QRect within = inset->rect();
  const QSize size = legend->outerRect().size();
  std::vector<QRectF> areas;
  for (const Qt::Alignment corner : corners)
    areas.push_back(QStyle::alignedRect(Qt::LeftToRight, corner, size, within));
  inset->setInsetAlignment(0, corners[clearestArea(this, areas)]);
}

void InteractiveChart::fitToData() {
  if (!valuesHeld_) xAxis->rescale();
  if (!heightsHeld_) yAxis->rescale();
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

bool InteractiveChart::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto help = static_cast<QHelpEvent*>(event);
    const auto entry = qobject_cast<QCPPlottableLegendItem*>(layoutElementAt(help->pos()));
    const QString tip = entry ? legendToolTip(entry->plottable()) : QString();
    if (!tip.isEmpty()) {
      QToolTip::showText(help->globalPos(), tip, this);
      return true;
    }
  }
  return QCustomPlot::event(event);
}

void InteractiveChart::wheelEvent(QWheelEvent* event) {
  asTheOperator([&] { QCustomPlot::wheelEvent(event); });
}

void InteractiveChart::mouseMoveEvent(QMouseEvent* event) {
  asTheOperator([&] { QCustomPlot::mouseMoveEvent(event); });
}

void InteractiveChart::mouseDoubleClickEvent(QMouseEvent* event) {
  QCustomPlot::mouseDoubleClickEvent(event);
  giveBackToData();
}

void InteractiveChart::giveBackToData() {
  valuesHeld_ = false;
  releaseHeights();
  if (linked_) linked_->releaseHeights();
}

void InteractiveChart::holdHeights(const QCPRange& range) {
  heightsHeld_ = true;
  yAxis->setRange(range);
  replot(rpQueuedReplot);
}

void InteractiveChart::releaseHeights() {
  heightsHeld_ = false;
  fitToData();
  replot();
}
