#include "app/widgets/chart_crosshair.h"

#include "app/widgets/chart_series.h"
#include "app/widgets/uncertainty_band.h"

#include <QHelpEvent>
#include <QToolTip>

#include <algorithm>
#include <cmath>

ChartCrosshair::ChartCrosshair(QCustomPlot* chart, const ChartSeries* comparison, const UncertaintyBand* band)
    : QObject(chart), chart_(chart), comparison_(comparison), band_(band) {
  const QCPLayer* current = chart->currentLayer();
  chart->addLayer(kCrosshairLayer, nullptr, QCustomPlot::limAbove);
  layer_ = chart->layer(kCrosshairLayer);
  layer_->setMode(QCPLayer::lmBuffered);
  chart->setCurrentLayer(layer_);
  const QPen pen(QColor(0x80, 0x80, 0x80), 1, Qt::DashLine);
  vertical_ = new QCPItemStraightLine(chart);
  horizontal_ = new QCPItemStraightLine(chart);
  label_ = new QCPItemText(chart);
  for (QCPAbstractItem* item : {static_cast<QCPAbstractItem*>(vertical_), static_cast<QCPAbstractItem*>(horizontal_),
                                static_cast<QCPAbstractItem*>(label_)})
    item->setSelectable(false);
  vertical_->setPen(pen);
  horizontal_->setPen(pen);
  label_->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
  label_->setPadding(QMargins(4, 2, 4, 2));
  label_->setBrush(QColor(255, 255, 255, 220));
  label_->position->setType(QCPItemPosition::ptAbsolute);
  chart->setCurrentLayer(current->name());
  setShown(false);

  chart->setMouseTracking(true);
  chart->installEventFilter(this);
  connect(chart, &QCustomPlot::mouseMove, this, &ChartCrosshair::follow);
}

QString ChartCrosshair::text() const { return label_->visible() ? label_->text() : QString(); }

bool ChartCrosshair::eventFilter(QObject* watched, QEvent* event) {
  if (watched == chart_ && event->type() == QEvent::Leave) setShown(false);
  // Where the crosshair reads values no tooltip covers them, nor follows the mouse across the
  // plot; the chart's tooltip shows over its axes and legend.
  if (watched == chart_ && event->type() == QEvent::ToolTip && readsValuesAt(static_cast<QHelpEvent*>(event)->pos())) {
    QToolTip::hideText();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

bool ChartCrosshair::readsValuesAt(const QPoint& at) const {
  // Over the legend the crosshair would stand between the mouse and the legend's check boxes.
  const bool overLegend = chart_->legend->visible() && chart_->legend->outerRect().contains(at);
  return !overLegend && chart_->axisRect()->rect().contains(at);
}

void ChartCrosshair::follow(QMouseEvent* event) {
  const QPointF at = event->position();
  if (!readsValuesAt(at.toPoint())) {
    setShown(false);
    return;
  }
  const double value = chart_->xAxis->pixelToCoord(at.x());
  const double height = chart_->yAxis->pixelToCoord(at.y());
  vertical_->point1->setCoords(value, 0);
  vertical_->point2->setCoords(value, 1);
  horizontal_->point1->setCoords(0, height);
  horizontal_->point2->setCoords(1, height);
  QString text = QStringLiteral("высота %1\nзначение %2").arg(height, 0, 'f', 1).arg(value, 0, 'g', 5);
  if (comparison_ && !comparison_->data()->isEmpty()) {
    // The comparison point nearest in height; a flight's heights need not be sorted.
    const QCPCurveData* nearest = nullptr;
    for (const QCPCurveData& point : *comparison_->data())
      if (!nearest || std::abs(point.value - height) < std::abs(nearest->value - height)) nearest = &point;
    text += QStringLiteral("\nразность %1 (на %2)").arg(nearest->key, 0, 'g', 5).arg(nearest->value, 0, 'f', 1);
    const double uncertainty = band_ ? band_->uncertaintyOf(static_cast<std::size_t>(nearest->t)) : std::nan("");
    if (!std::isnan(uncertainty))
      text += QStringLiteral("\nu_c %1, Δ/u_c %2").arg(uncertainty, 0, 'g', 3).arg(nearest->key / uncertainty, 0, 'f', 2);
  }
  label_->setText(text);
  label_->position->setCoords(insidePlot(at));
  setShown(true);
}

// Beside the mouse, up and to the right, or on the other side where the plot's edge is near:
// the readout always stays wholly inside the plot.
QPointF ChartCrosshair::insidePlot(const QPointF& mouse) const {
  constexpr double kGap = 8;
  const QSizeF size = readoutSize();
  const QRectF plot = chart_->axisRect()->rect();
  // The label's position is its bottom-left corner.
  double x = mouse.x() + kGap, y = mouse.y() - kGap;
  if (x + size.width() > plot.right()) x = mouse.x() - kGap - size.width();
  if (y - size.height() < plot.top()) y = mouse.y() + kGap + size.height();
  return {std::clamp(x, plot.left(), std::max(plot.left(), plot.right() - size.width())),
          std::clamp(y, std::min(plot.bottom(), plot.top() + size.height()), plot.bottom())};
}

QSizeF ChartCrosshair::readoutSize() const {
  const QMargins padding = label_->padding();
  return QFontMetricsF(label_->font()).size(0, label_->text()) +
         QSizeF(padding.left() + padding.right(), padding.top() + padding.bottom());
}

QRectF ChartCrosshair::readoutRect() const {
  const QSizeF size = readoutSize();
  const QPointF bottomLeft = label_->position->pixelPosition();
  return {QPointF(bottomLeft.x(), bottomLeft.y() - size.height()), size};
}

void ChartCrosshair::setShown(bool shown) {
  vertical_->setVisible(shown);
  horizontal_->setVisible(shown);
  label_->setVisible(shown);
  layer_->replot();
}
