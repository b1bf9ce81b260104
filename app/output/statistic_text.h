#pragma once

#include <QString>

#include <cmath>

// A statistic as the window and the report show it: three decimals, a dash for a value that
// does not exist (the spread of a single value). What rounds to zero is zero, never "-0.000".
inline QString statisticText(double value) {
  if (!std::isfinite(value)) return QStringLiteral("—");
  const QString text = QString::number(value, 'f', 3);
  return text == QLatin1String("-0.000") ? QStringLiteral("0.000") : text;
}

// A share as a percentage with one decimal, or a dash where there are no points to share.
inline QString shareText(double share) {
  return std::isfinite(share) ? QString::number(100 * share, 'f', 1) : QStringLiteral("—");
}
