#pragma once

#include <qcustomplot.h>

#include <vector>

// One curve of a chart. A curve joins its points in the order they were added (a graph would
// sort them by key, and a flight's heights may go back and forth). The legend lists it under
// its title, or under its own name while the title is blank.
class ChartSeries : public QCPCurve {
  Q_OBJECT
 public:
  ChartSeries(QCustomPlot* chart, const QString& ownName, const QPen& pen);

  QString ownName() const { return ownName_; }
  QString legendTitle() const { return legendTitle_; }
  void setLegendTitle(const QString& title);

  // Replaces the points; they keep the order given.
  void setPoints(const std::vector<double>& x, const std::vector<double>& y);

  // A curve takes no clicks: nothing on a chart is selectable, and testing a click against
  // every point of a 50000-row flight would make every wheel notch cost as much as a replot.
  double selectTest(const QPointF&, bool, QVariant*) const override { return -1; }

 protected:
  void draw(QCPPainter* painter) override;
  void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

 private:
  // The pen as the painter's picture needs it: a PNG drawn at 4× scales the window's pixel-wide
  // (cosmetic) lines with everything else.
  QPen drawnPen(const QCPPainter* painter) const;

  QString ownName_;
  QString legendTitle_;
};

// A legend entry no wider than its plot: a flight's label may be wider than a narrow chart, and
// would stand over the height axis' labels. A name that does not fit is cut short with an
// ellipsis; the entry's tip tells the flight whole.
class FittedLegendItem : public QCPPlottableLegendItem {
  Q_OBJECT
 public:
  FittedLegendItem(QCPLegend* legend, QCPAbstractPlottable* series) : QCPPlottableLegendItem(legend, series) {}

 protected:
  void draw(QCPPainter* painter) override;
  QSize minimumOuterSizeHint() const override;
  // What the entry keeps to its left of the stock entry's icon and name.
  virtual int leadingWidth() const { return 0; }

 private:
  int widestEntry() const;
};

// A legend entry with a check box in front; clicking the entry shows or hides its series.
class CheckableLegendItem : public FittedLegendItem {
  Q_OBJECT
 public:
  CheckableLegendItem(QCPLegend* legend, QCPAbstractPlottable* series);

 protected:
  void draw(QCPPainter* painter) override;
  int leadingWidth() const override;
};
