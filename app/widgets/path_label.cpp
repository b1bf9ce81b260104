#include "app/widgets/path_label.h"

#include <QPainter>
#include <QStyle>

void PathLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect room = contentsRect();
  style()->drawItemText(&painter, room, static_cast<int>(alignment()), palette(), isEnabled(),
                        fontMetrics().elidedText(text(), Qt::ElideLeft, room.width()), foregroundRole());
}
