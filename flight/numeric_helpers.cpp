#include "flight/numeric_helpers.h"

#include <cmath>
#include <limits>

double Par(double T) {
  const long double t = T;
  long double result;
  if (t < 0) {
    result = 6.1115L * std::exp((23.036L - t / 333.7L) * t / (279.82L + t));
  } else {
    result = 6.1121L * std::exp((18.678L - t / 234.5L) * t / (257.14L + t));
  }
  // Just below the ice branch's pole the value leaves a double's range; far below it, it comes
  // back: no physical temperature, but the formula's value.
  const double rounded = static_cast<double>(result);
  return std::isfinite(rounded) ? rounded : std::numeric_limits<double>::quiet_NaN();
}

double LinearInterpolation(double X1, double X2, double Y1, double Y2, double X) {
  const long double x1 = X1, x2 = X2, y1 = Y1, y2 = Y2, x = X;
  if (x1 == x2) return static_cast<double>((y1 + y2) / 2.0L);
  return static_cast<double>((x - x1) / (x2 - x1) * (y2 - y1) + y1);
}
