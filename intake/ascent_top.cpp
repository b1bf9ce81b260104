#include "ascent_top.h"

AscentTest testTopOfAscent(const double* heights, int count, bool strict) {
  if (count < 3) return {count, false};
  const double before = heights[count - 2], last = heights[count - 1], now = heights[count];
  if (strict) {
    if (last > now && before > last) return {count - 2, true};
  } else if (last >= now && before >= last) {
    return {count - 2, count > 10};
  }
  return {count, false};
}
