#include "app/widgets/shift_box.h"

#include "compare/clock_shift.h"

ShiftBox::ShiftBox(QWidget* parent) : QDoubleSpinBox(parent) {
  setRange(-kLongestShift - 0.1, kLongestShift);
  setDecimals(1);
  setSingleStep(0.1);
  setSpecialValueText(QStringLiteral("авто"));
  showAutomatic();
}

std::optional<double> ShiftBox::typed() const {
  if (showsAutomatic()) return std::nullopt;
  return value();
}
