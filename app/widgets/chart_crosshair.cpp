#include "app/widgets/chart_crosshair.h"

#include "app/widgets/clearest_area.h"

#include <qcustomplot.h>

#include <QHelpEvent>
#include <QToolTip>

#include <algorithm>

namespace {
const QMargins kPadding(4, 2, 4, 2);
}

ChartCrosshair::ChartCrosshair(QCustomPlot* chart, Readout readout)
    : QObject(chart), chart_(chart), readout_(std::move(readout)) {
  const QCPLayer* current = chart->currentLayer();
  chart->addLayer(kCrosshairLayer, nullptr, QCustomPlot::limAbove);
  layer_ = chart->layer(kCrosshairLayer);
  layer_->setMode(QCPLayer::lmBuffered);
  chart->setCurrentLayer(layer_);
  const QPen pen(QColor(0x80, 0x80, 0x80), 1, Qt::DashLine);
  vertical_ = new QCPItemStraightLine(chart);
  horizontal_ = new QCPItemStraightLine(chart);
  background_ = new QCPItemRect(chart);
  for (QCPAbstractItem* item : {static_cast<QCPAbstractItem*>(vertical_), static_cast<QCPAbstractItem*>(horizontal_),
                                static_cast<QCPAbstractItem*>(background_)})
    item->setSelectable(false);
  vertical_->setPen(pen);
  horizontal_->setPen(pen);
  background_->setPen(Qt::NoPen);
  // Translucent: a curve the box still lies over shows through it.
  background_->setBrush(QColor(255, 255, 255, 170));
  background_->topLeft->setType(QCPItemPosition::ptAbsolute);
  background_->bottomRight->setType(QCPItemPosition::ptAbsolute);
  chart->setCurrentLayer(current->name());
  setShown(false);

  chart->setMouseTracking(true);
  chart->installEventFilter(this);
  connect(chart, &QCustomPlot::mouseMove, this, &ChartCrosshair::follow);
}

QString ChartCrosshair::text() const {
  QStringList texts;
  for (int i = 0; i < linesShown_ && background_->visible(); ++i) texts << lines_[i]->text();
  return texts.join(QLatin1Char('\n'));
}

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
  showLines(readout_(height, value), at);
  setShown(true);
}

// Each line is an item of its own, in its colour, over one background.
void ChartCrosshair::showLines(const std::vector<ReadoutLine>& lines, const QPointF& mouse) {
  const QCPLayer* current = chart_->currentLayer();
  chart_->setCurrentLayer(layer_);
  while (lines_.size() < lines.size()) {
    auto text = new QCPItemText(chart_);
    text->setSelectable(false);
    text->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->position->setType(QCPItemPosition::ptAbsolute);
    lines_.push_back(text);
  }
  chart_->setCurrentLayer(current->name());
  linesShown_ = static_cast<int>(lines.size());
  QSizeF size(0, 0);
  std::vector<double> heights;
  // A flight's label may be wider than a narrow plot: cut in its middle, a line keeps the value at
  // its end.
  const double widest = chart_->axisRect()->rect().width() - kPadding.left() - kPadding.right();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const QFontMetricsF metrics(lines_[i]->font());
    lines_[i]->setText(metrics.elidedText(lines[i].text, Qt::ElideMiddle, widest));
    lines_[i]->setColor(lines[i].colour);
    const QSizeF line = metrics.size(0, lines_[i]->text());
    heights.push_back(line.height());
    size = QSizeF(std::max(size.width(), line.width()), size.height() + line.height());
  }
  size += QSizeF(kPadding.left() + kPadding.right(), kPadding.top() + kPadding.bottom());
  const QPointF topLeft = insidePlot(mouse, size);
  background_->topLeft->setCoords(topLeft);
  background_->bottomRight->setCoords(topLeft + QPointF(size.width(), size.height()));
  double y = topLeft.y() + kPadding.top();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines_[i]->position->setCoords(topLeft.x() + kPadding.left(), y);
    y += heights[i];
  }
}

// Beside the mouse, in whichever of its four corners hides the fewest points of the curves (the
// curve read runs through the mouse, up and down the heights) and not the legend; always wholly
// inside the plot, and never over the mouse itself.
QPointF ChartCrosshair::insidePlot(const QPointF& mouse, const QSizeF& size) const {
  constexpr double kGap = 12;
  const QRectF plot = chart_->axisRect()->rect();
  const QRectF legend = chart_->legend->visible() ? QRectF(chart_->legend->outerRect()) : QRectF();
  std::vector<QRectF> places, clearOfLegend;
  for (const double x : {mouse.x() + kGap, mouse.x() - kGap - size.width()})
    for (const double top : {mouse.y() - kGap - size.height(), mouse.y() + kGap}) {
      const QRectF place(QPointF(x, top), size);
      if (!plot.contains(place)) continue;
      places.push_back(place);
      if (!place.intersects(legend)) clearOfLegend.push_back(place);
    }
  const std::vector<QRectF>& choices = clearOfLegend.empty() ? places : clearOfLegend;
  if (!choices.empty()) return choices[clearestArea(chart_, choices)].topLeft();
  // A plot too small for the box beside the mouse: as near it as the plot allows.
  return {std::clamp(mouse.x() + kGap, plot.left(), std::max(plot.left(), plot.right() - size.width())),
          std::clamp(mouse.y() - kGap - size.height(), plot.top(), std::max(plot.top(), plot.bottom() - size.height()))};
}

QRectF ChartCrosshair::readoutRect() const {
  return QRectF(background_->topLeft->pixelPosition(), background_->bottomRight->pixelPosition());
}

void ChartCrosshair::setShown(bool shown) {
  vertical_->setVisible(shown);
  horizontal_->setVisible(shown);
  background_->setVisible(shown);
  for (std::size_t i = 0; i < lines_.size(); ++i) lines_[i]->setVisible(shown && static_cast<int>(i) < linesShown_);
  layer_->replot();
}
