#pragma once

#include <QString>

#include <cmath>

// A statistic as the window and the report show it: three decimals, a dash for a value that
// does not exist (the spread of a single value).
inline QString statisticText(double value) {
  return std::isfinite(value) ? QString::number(value, 'f', 3) : QStringLiteral("—");
}
