#pragma once

#include <QDoubleSpinBox>

#include <optional>

// The seconds of flight 2's clock shift, to the tenth and up to a day either way; below them it
// says "авто", the shift then being found from each pair's heights.
class ShiftBox : public QDoubleSpinBox {
 public:
  explicit ShiftBox(QWidget* parent);

  // The seconds typed; nothing while it says "авто".
  std::optional<double> typed() const;
  bool showsAutomatic() const { return value() == minimum(); }
  void showAutomatic() { setValue(minimum()); }
};
