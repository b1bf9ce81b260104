#include "app/widgets/up_down.h"

#include <QToolButton>

#include <algorithm>

UpDown::UpDown(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)),
      minimum_(minimum), maximum_(maximum) {
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  up_->setAutoRepeat(true);
  down_->setAutoRepeat(true);
  connect(up_, &QToolButton::clicked, this, &UpDown::stepUp);
  connect(down_, &QToolButton::clicked, this, &UpDown::stepDown);
}

void UpDown::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

void UpDown::step(int delta) {
  const int moved = std::clamp(position_ + delta, minimum_, maximum_);
  if (moved == position_) return;
  position_ = moved;
  emit clicked(delta > 0);
}
