#include "app/widgets/uncertainty_band.h"

#include <cmath>
#include <limits>

UncertaintyBand::UncertaintyBand(QCustomPlot* chart, const QColor& colour) : QCPCurve(chart->xAxis, chart->yAxis) {
  setObjectName(QStringLiteral("UncertaintyBand"));
  setName(QStringLiteral("±2·u_c"));
  setPen(Qt::NoPen);
  QColor fill = colour;
  fill.setAlpha(60);
  setBrush(fill);
}

void UncertaintyBand::setUncertainties(const std::vector<double>& heights, const std::vector<double>& uncertainties) {
  uncertainties_ = uncertainties;
  holdsBand_ = false;
  QVector<QCPCurveData> points;
  points.reserve(static_cast<int>(uncertainties.size()));
  for (std::size_t i = 0; i < uncertainties.size(); ++i) {
    points.append(QCPCurveData(static_cast<double>(i), kCoverage * uncertainties[i], heights[i]));
    holdsBand_ = holdsBand_ || !std::isnan(uncertainties[i]);
  }
  data()->set(points, true);
}

double UncertaintyBand::uncertaintyOf(std::size_t point) const {
  return point < uncertainties_.size() ? uncertainties_[point] : std::numeric_limits<double>::quiet_NaN();
}

// The band reaches as far below zero as above it.
QCPRange UncertaintyBand::getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain) const {
  const QCPRange upper = QCPCurve::getKeyRange(foundRange, QCP::sdBoth);
  if (!foundRange) return upper;
  const double reach = std::max(std::abs(upper.lower), std::abs(upper.upper));
  if (inSignDomain == QCP::sdNegative) return QCPRange(-reach, 0);
  if (inSignDomain == QCP::sdPositive) return QCPRange(0, reach);
  return QCPRange(-reach, reach);
}

void UncertaintyBand::draw(QCPPainter* painter) {
  painter->setPen(Qt::NoPen);
  painter->setBrush(mBrush);
  applyFillAntialiasingHint(painter);
  std::vector<const QCPCurveData*> run;
  QPolygonF outline;
  // Up the +k·u_c side, then back down the −k·u_c side.
  const auto drawRun = [&] {
    outline.clear();
    for (const QCPCurveData* point : run)
      outline.append(QPointF(mKeyAxis->coordToPixel(point->key), mValueAxis->coordToPixel(point->value)));
    for (auto point = run.rbegin(); point != run.rend(); ++point)
      outline.append(QPointF(mKeyAxis->coordToPixel(-(*point)->key), mValueAxis->coordToPixel((*point)->value)));
    if (run.size() > 1) painter->drawPolygon(outline);
    run.clear();
  };
  for (const QCPCurveData& point : *mDataContainer) {
    if (std::isnan(point.key)) drawRun();
    else run.push_back(&point);
  }
  drawRun();
}
