#pragma once

#include <qcustomplot.h>

// A chart the operator zooms with the wheel and pans by dragging. Each of its axes follows the
// data at every redraw until the operator zooms or pans it; from then on it stays, whatever is
// redrawn, until a double click gives the chart back to the data. A click on a legend entry
// shows or hides its series. Charts whose height axes are linked show the same heights: moving
// the heights of one moves the other's, and a double click on either gives both back. A legend
// entry of a series with a tip of its own shows that tip. The legend stands in the corner of the
// plot where it hides the fewest points, chosen afresh at every redraw, since a quantity of
// another range moves the curves under it.
class InteractiveChart : public QCustomPlot {
  Q_OBJECT
 public:
  explicit InteractiveChart(QWidget* parent);

  // After a redraw: the axes the operator does not hold take the extent of the data.
  void fitToData();
  // The value axis follows the data again: what it held belonged to another quantity.
  void releaseValues() { valuesHeld_ = false; }
  // Both axes of this chart and the heights of the linked one follow the data again, as after a
  // double click.
  void giveBackToData();
  static void linkHeightAxes(InteractiveChart* first, InteractiveChart* second);

 protected:
  bool event(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  template <typename Handle>
  void asTheOperator(Handle handle);
  void holdHeights(const QCPRange& range);
  void releaseHeights();
  void placeLegend();

  bool valuesHeld_ = false;
  bool heightsHeld_ = false;
  bool operatorActing_ = false;
  InteractiveChart* linked_ = nullptr;
};
