#pragma once

#include <QObject>
#include <QRectF>
#include <QString>

class QCPItemStraightLine;
class QCPItemText;
class QCPLayer;
class QCustomPlot;
class QMouseEvent;
class QPoint;
class ChartSeries;
class UncertaintyBand;

// The layer the crosshair is drawn on.
inline const QString kCrosshairLayer = QStringLiteral("crosshair");

// Lines through the mouse on a chart, with the height and the value under it; on the
// comparison chart also the comparison value at that height, with its combined uncertainty where
// it has one. Drawn on a layer of its own, so a
// mouse move repaints only the crosshair.
class ChartCrosshair : public QObject {
  Q_OBJECT
 public:
  // comparison: the series whose value at the mouse's height is shown, or none; band: the u_c of
  // its points, or none.
  ChartCrosshair(QCustomPlot* chart, const ChartSeries* comparison, const UncertaintyBand* band = nullptr);

  QString text() const;
  // Where the readout stands, in the chart's pixels.
  QRectF readoutRect() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool readsValuesAt(const QPoint& at) const;
  void follow(QMouseEvent* event);
  QSizeF readoutSize() const;
  QPointF insidePlot(const QPointF& mouse) const;
  void setShown(bool shown);

  QCustomPlot* chart_;
  const ChartSeries* comparison_;
  const UncertaintyBand* band_;
  QCPLayer* layer_;
  QCPItemStraightLine* vertical_;
  QCPItemStraightLine* horizontal_;
  QCPItemText* label_;
};
