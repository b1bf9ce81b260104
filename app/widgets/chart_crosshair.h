#pragma once

#include <QColor>
#include <QObject>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class QCPItemRect;
class QCPItemStraightLine;
class QCPItemText;
class QCPLayer;
class QCustomPlot;
class QMouseEvent;
class QPoint;

// The layer the crosshair is drawn on.
inline const QString kCrosshairLayer = QStringLiteral("crosshair");

// One line of the readout, in the colour of the curve it reads.
struct ReadoutLine {
  QString text;
  QColor colour = Qt::black;
};

// What the readout says at a height and a value under the mouse, a line each.
using Readout = std::function<std::vector<ReadoutLine>(double height, double value)>;

// Lines through the mouse on a chart, with a readout beside it of what the chart holds at that
// height. Drawn on a layer of its own, so a mouse move repaints only the crosshair.
class ChartCrosshair : public QObject {
  Q_OBJECT
 public:
  ChartCrosshair(QCustomPlot* chart, Readout readout);

  // The readout's lines, joined by line breaks; empty while it is hidden.
  QString text() const;
  // Where the readout stands, in the chart's pixels.
  QRectF readoutRect() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool readsValuesAt(const QPoint& at) const;
  void follow(QMouseEvent* event);
  void showLines(const std::vector<ReadoutLine>& lines, const QPointF& mouse);
  QPointF insidePlot(const QPointF& mouse, const QSizeF& size) const;
  void setShown(bool shown);

  QCustomPlot* chart_;
  Readout readout_;
  QCPLayer* layer_;
  QCPItemStraightLine* vertical_;
  QCPItemStraightLine* horizontal_;
  QCPItemRect* background_;
  std::vector<QCPItemText*> lines_;
  int linesShown_ = 0;
};
