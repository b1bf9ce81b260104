#pragma once

// The top of the ascent: two falls in a row. The strict form wants real falls; the other also
// takes a level stretch, and before row 11 only drops the two rows and reads on.
struct AscentTest {
  int count;  // the rows that stay
  bool stop;  // whether reading ends here
};

// Tested once row `count` (from 1) of the heights has been read; inline, as it runs every row.
inline AscentTest testTopOfAscent(const double* heights, int count, bool strict) {
  if (count < 3) return {count, false};
  const double before = heights[count - 2], last = heights[count - 1], now = heights[count];
  if (strict) {
    if (last > now && before > last) return {count - 2, true};
  } else if (last >= now && before >= last) {
    return {count - 2, count > 10};
  }
  return {count, false};
}
