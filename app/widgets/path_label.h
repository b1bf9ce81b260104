#pragma once

#include <QLabel>

// A file-name label on the top panel: it never grows past its room, and shows as much of the
// name as fits, cut from the left, since a path's end names the file. Its text stays whole.
class PathLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
