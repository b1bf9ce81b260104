#pragma once

#include <QWidget>

class QToolButton;

// A pair of arrow buttons holding a whole-number position within a range, moved by a step.
// clicked() follows only a step that moved the position; a step past an end stops at the end.
class UpDown : public QWidget {
  Q_OBJECT
 public:
  UpDown(int minimum, int maximum, QWidget* parent);

  int position() const { return position_; }
  int increment() const { return increment_; }
  void setIncrement(int increment) { increment_ = increment; }

  void stepUp() { step(increment_); }
  void stepDown() { step(-increment_); }

 signals:
  void clicked(bool up);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void step(int delta);

  QToolButton* up_;
  QToolButton* down_;
  int minimum_;
  int maximum_;
  int position_ = 0;
  int increment_ = 1;
};
