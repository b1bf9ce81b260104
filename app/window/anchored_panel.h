#pragma once

#include <QFrame>

// A panel whose children keep their places from its left and top edges, except one that keeps
// its distance from the right edge when the panel is resized.
class RightAnchoredPanel : public QFrame {
 public:
  using QFrame::QFrame;
  void anchorRight(QWidget* child) {
    anchored_ = child;
    rightMargin_ = width() - child->geometry().right() - 1;
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QFrame::resizeEvent(event);
    if (anchored_) anchored_->move(width() - rightMargin_ - anchored_->width(), anchored_->y());
  }

 private:
  QWidget* anchored_ = nullptr;
  int rightMargin_ = 0;
};
