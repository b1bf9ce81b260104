#pragma once

#include <QLocale>
#include <QString>

#include <cmath>

// A statistic as the window and the report show it: three decimals, a dash for a value that
// does not exist (the spread of a single value). What rounds to zero is zero, never "-0.000".
// Written as the locale writes numbers ("0,084" under a Russian one), as the axes are: the window
// passes its axes' notation, the report and the campaign window take the user's.
inline QString statisticText(double value, const QLocale& notation = QLocale()) {
  if (!std::isfinite(value)) return QStringLiteral("—");
  const QString text = notation.toString(value, 'f', 3), zero = notation.toString(0.0, 'f', 3);
  return text == notation.negativeSign() + zero ? zero : text;
}

// A share as a percentage with one decimal, or a dash where there are no points to share.
inline QString shareText(double share, const QLocale& notation = QLocale()) {
  return std::isfinite(share) ? notation.toString(100 * share, 'f', 1) : QStringLiteral("—");
}
