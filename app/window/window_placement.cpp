#include "app/window/window_placement.h"

QRect centredWithin(const QRect& available, const QSize& wanted, const QSize& minimum) {
  const QRect room = available.marginsRemoved(kFrameAllowance);
  QRect placed(QPoint(), wanted.boundedTo(room.size()).expandedTo(minimum));
  placed.moveCenter(room.center());
  return placed;
}
