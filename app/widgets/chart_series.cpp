#include "app/widgets/chart_series.h"

#include "app/widgets/thinned_polyline.h"

#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kCheckBoxGap = 4;

// A linear axis' coordinate to pixels, worked out once for all the points of a replot.
class PixelsOf {
 public:
  explicit PixelsOf(const QCPAxis* axis)
      : lower_(axis->range().lower), lowerPixel_(axis->coordToPixel(lower_)),
        perUnit_((axis->coordToPixel(axis->range().upper) - lowerPixel_) / axis->range().size()) {}
  double operator()(double coordinate) const { return lowerPixel_ + (coordinate - lower_) * perUnit_; }

 private:
  double lower_, lowerPixel_, perUnit_;
};

}  // namespace

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


// One pass from the points to the line drawn, thinned to what the pixels can show; the
// points of the series stay as they are.
void ChartSeries::draw(QCPPainter* painter) {
  if (mDataContainer->isEmpty() || mLineStyle == lsNone || mPen.style() == Qt::NoPen) return;
  painter->setPen(drawnPen(painter));
  painter->setBrush(Qt::NoBrush);
  applyDefaultAntialiasingHint(painter);
  const PixelsOf x(mKeyAxis.data()), y(mValueAxis.data());
  const double margin = mPen.widthF() + 2;
  ThinnedPolyline line(QRectF(clipRect()).adjusted(-margin, -margin, margin, margin),
                       [painter](const QVector<QPointF>& piece) {
                         painter->drawPolyline(piece.constData(), static_cast<int>(piece.size()));
                       });
  for (const QCPCurveData& point : *mDataContainer) {
    const QPointF pixel(x(point.key), y(point.value));
    if (std::isfinite(pixel.x()) && std::isfinite(pixel.y())) line.lineTo(pixel);
  }
  line.finish();
}

void ChartSeries::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
  applyDefaultAntialiasingHint(painter);
  painter->setPen(drawnPen(painter));
  painter->drawLine(QLineF(rect.left(), rect.center().y(), rect.right(), rect.center().y()));
}

QPen ChartSeries::drawnPen(const QCPPainter* painter) const {
  QPen pen = mPen;
  if (painter->modes().testFlag(QCPPainter::pmNonCosmetic)) pen.setCosmetic(false);
  return pen;
}

int FittedLegendItem::widestEntry() const {
  const QCPLegend* legend = mParentLegend;
  const QMargins around = legend->margins() + mMargins;
  return std::max(0, mParentPlot->axisRect()->insetLayout()->rect().width() - around.left() - around.right());
}

QSize FittedLegendItem::minimumOuterSizeHint() const {
  const QSize whole = QCPPlottableLegendItem::minimumOuterSizeHint() + QSize(leadingWidth(), 0);
  return {std::min(whole.width(), widestEntry() + mMargins.left() + mMargins.right()), whole.height()};
}

void FittedLegendItem::draw(QCPPainter* painter) {
  const QString name = mPlottable->name();
  const int room = mRect.width() - leadingWidth() - mParentLegend->iconSize().width() - mParentLegend->iconTextPadding();
  mPlottable->setName(QFontMetrics(getFont(), painter->device()).elidedText(name, Qt::ElideRight, room));
  // The stock entry draws icon and name from the left edge of its rectangle: move that edge
  // past what stands in front for the duration of the stock drawing.
  const QRect whole = mRect;
  mRect.setLeft(mRect.left() + leadingWidth());
  QCPPlottableLegendItem::draw(painter);
  mRect = whole;
  mPlottable->setName(name);
}

CheckableLegendItem::CheckableLegendItem(QCPLegend* legend, QCPAbstractPlottable* series)
    : FittedLegendItem(legend, series) {}

int CheckableLegendItem::leadingWidth() const { return mParentLegend->iconSize().height() + kCheckBoxGap; }

void CheckableLegendItem::draw(QCPPainter* painter) {
  const int side = mParentLegend->iconSize().height();
  QStyleOptionButton box;
  box.rect = QRect(mRect.left(), mRect.top() + (mRect.height() - side) / 2, side, side);
  box.state = QStyle::State_Enabled | (plottable()->visible() ? QStyle::State_On : QStyle::State_Off);
  mParentPlot->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, mParentPlot);
  FittedLegendItem::draw(painter);
}
