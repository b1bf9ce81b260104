#pragma once

#include <qcustomplot.h>

// A chart the operator zooms with the wheel and pans by dragging. Its ranges follow the data
// at every redraw until the operator zooms or pans it; from then on they stay, whatever is
// redrawn, until a double click gives them back to the data. A click on a legend entry shows
// or hides its series. Charts whose height axes are linked show the same heights: moving one
// moves the other.
class InteractiveChart : public QCustomPlot {
  Q_OBJECT
 public:
  explicit InteractiveChart(QWidget* parent);

  bool followsData() const { return followsData_; }
  // After a redraw: the ranges take the extent of the data, unless the operator holds them.
  void fitToData();
  // Both charts' height (vertical) axes move together when the operator moves either.
  static void linkHeightAxes(InteractiveChart* first, InteractiveChart* second);

 protected:
  void wheelEvent(QWheelEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  template <typename Handle>
  void asTheOperator(Handle handle);
  void heightMovedByOperator(const QCPRange& range);

  bool followsData_ = true;
  bool operatorActing_ = false;
  InteractiveChart* linked_ = nullptr;
};
