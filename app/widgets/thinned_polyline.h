#pragma once

#include <QPointF>
#include <QRectF>
#include <QVector>

#include <functional>

// What a curve of far more points than its chart has pixels draws. Within one row of pixels a
// run of points covers no more than its leftmost to its rightmost point, so each run is drawn
// through its first, leftmost, rightmost and last points only: the line looks the same. Every
// segment is cut to a box around the plot, so a point far off, as after a deep zoom, never
// reaches the rasteriser; a curve that leaves the box and comes back is drawn in pieces.
class ThinnedPolyline {
 public:
  using Draw = std::function<void(const QVector<QPointF>&)>;
  ThinnedPolyline(const QRectF& box, Draw draw) : box_(box), draw_(std::move(draw)) {}

  // The next point of the curve, in pixels.
  void lineTo(const QPointF& point) {
    const int side = sideOf(point);
    if (side == 0 && previousSide_ == 0 && pieceOpen_) {
      // Most segments lie wholly inside the box: nothing to cut.
      previous_ = point;
      add(point);
    } else if ((side & previousSide_) != 0) {
      // Wholly beyond one edge, as most are after a deep zoom: nothing to draw.
      previous_ = point;
      previousSide_ = side;
      if (pieceOpen_) finish();
    } else {
      cutAndAdd(point, side);
    }
  }

  // Draws what is left.
  void finish();

 private:
  void cutAndAdd(const QPointF& point, int side);

  // Which edges of the box a point lies beyond, one bit each; 0 inside.
  int sideOf(const QPointF& point) const {
    return int(point.x() < box_.left()) | int(point.x() > box_.right()) << 1 | int(point.y() < box_.top()) << 2 |
           int(point.y() > box_.bottom()) << 3;
  }
  void endRun();

  // Rows are counted down from the box's top, which every added point lies below.
  void add(const QPointF& point) {
    pieceOpen_ = true;
    lastAdded_ = point;
    const Kept kept{point, added_++};
    const int row = static_cast<int>(point.y() - box_.top());
    if (runLength_ == 0 || row != runRow_) {
      endRun();
      runRow_ = row;
      first_ = left_ = right_ = last_ = kept;
    } else {
      if (point.x() < left_.point.x()) left_ = kept;
      if (point.x() > right_.point.x()) right_ = kept;
      last_ = kept;
    }
    ++runLength_;
  }

  struct Kept {
    QPointF point;
    int order;
  };

  QRectF box_;
  Draw draw_;
  QVector<QPointF> piece_;
  bool started_ = false;
  QPointF previous_;
  int previousSide_ = 0;
  bool pieceOpen_ = false;
  QPointF lastAdded_;
  int added_ = 0;
  int runLength_ = 0;
  int runRow_ = 0;
  Kept first_{}, left_{}, right_{}, last_{};
};

// Cuts the segment from a to b to the box; false when none of it lies inside.
bool clipToBox(QPointF& a, QPointF& b, const QRectF& box);
