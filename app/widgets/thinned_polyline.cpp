#include "app/widgets/thinned_polyline.h"

#include <algorithm>

// Liang and Barsky: the segment a + t (b - a), t in [0, 1], against each edge in turn.
bool clipToBox(QPointF& a, QPointF& b, const QRectF& box) {
  const QPointF start = a, along = b - a;
  const double p[4] = {-along.x(), along.x(), -along.y(), along.y()};
  const double q[4] = {start.x() - box.left(), box.right() - start.x(), start.y() - box.top(), box.bottom() - start.y()};
  double enter = 0, leave = 1;
  for (int edge = 0; edge < 4; ++edge) {
    if (p[edge] == 0) {
      if (q[edge] < 0) return false;
      continue;
    }
    const double t = q[edge] / p[edge];
    if (p[edge] < 0) enter = std::max(enter, t);
    else leave = std::min(leave, t);
    if (enter > leave) return false;
  }
  if (enter > 0) a = start + enter * along;
  if (leave < 1) b = start + leave * along;
  return true;
}

void ThinnedPolyline::cutAndAdd(const QPointF& point, int side) {
  const bool wasStarted = started_;
  started_ = true;
  previousSide_ = side;
  if (!wasStarted) {
    previous_ = point;
    return;
  }
  QPointF from = previous_, to = point;
  previous_ = point;
  if (!clipToBox(from, to, box_)) {
    finish();
    return;
  }
  // Coming in from outside the box starts a new piece.
  if (!pieceOpen_ || from != lastAdded_) {
    finish();
    add(from);
  }
  add(to);
  if (to != point) finish();  // going out
}

void ThinnedPolyline::endRun() {
  if (runLength_ == 0) return;
  const Kept& earlier = left_.order < right_.order ? left_ : right_;
  const Kept& later = left_.order < right_.order ? right_ : left_;
  const Kept* const inOrder[] = {&first_, &earlier, &later, &last_};
  int lastOrder = -1;
  for (const Kept* kept : inOrder) {
    if (kept->order == lastOrder) continue;
    piece_.append(kept->point);
    lastOrder = kept->order;
  }
  runLength_ = 0;
}

void ThinnedPolyline::finish() {
  endRun();
  if (piece_.size() >= 2) draw_(piece_);
  piece_.clear();
  pieceOpen_ = false;
}
