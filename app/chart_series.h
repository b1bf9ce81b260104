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

 protected:
  void drawCurveLine(QCPPainter* painter, const QVector<QPointF>& lines) const override;

 private:
  QString ownName_;
  QString legendTitle_;
  mutable QVector<QPointF> drawnLine_;
};

// A legend entry with a check box in front; clicking the entry shows or hides its series.
class CheckableLegendItem : public QCPPlottableLegendItem {
  Q_OBJECT
 public:
  CheckableLegendItem(QCPLegend* legend, QCPAbstractPlottable* series);

 protected:
  void draw(QCPPainter* painter) override;
  QSize minimumOuterSizeHint() const override;

 private:
  int checkBoxWidth() const;
};

// Zoom with the wheel, pan by dragging, a double click restores the automatic ranges, and a
// click on a legend entry toggles its series without touching its points.
void setUpInteractiveChart(QCustomPlot* chart);

// Lets the axes take the extent of what the chart holds.
void fitChartToData(QCustomPlot* chart);
