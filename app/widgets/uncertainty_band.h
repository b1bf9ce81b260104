#pragma once

#include <qcustomplot.h>

#include <vector>

// The band of ±k·u_c around zero on the comparison chart: where a difference lies within it, the
// two flights agree within their combined uncertainty. Drawn as one translucent area for each run
// of heights that have a u_c, so that no band bridges a height without one.
class UncertaintyBand : public QCPCurve {
  Q_OBJECT
 public:
  static constexpr double kCoverage = 2;

  UncertaintyBand(QCustomPlot* chart, const QColor& colour);

  // The comparison points' heights and their u_c (NaN where none); empty for no band.
  void setUncertainties(const std::vector<double>& heights, const std::vector<double>& uncertainties);
  // The u_c of the comparison point of that place in its series, or NaN.
  double uncertaintyOf(std::size_t point) const;
  // Whether any height has a u_c.
  bool holdsBand() const { return holdsBand_; }

  QCPRange getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain) const override;
  double selectTest(const QPointF&, bool, QVariant*) const override { return -1; }

 protected:
  void draw(QCPPainter* painter) override;

 private:
  std::vector<double> uncertainties_;
  bool holdsBand_ = false;
};
