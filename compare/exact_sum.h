#pragma once

#include <vector>

// A running sum of doubles that loses nothing: values can be added and taken away again in any
// order, and the sum is always the exact one. It is kept as a few extended-precision parts that
// do not overlap (Shewchuk's expansion), so one huge value neither swallows the small ones beside
// it nor leaves a trace once taken away. Extended precision also keeps the sum of doubles
// anywhere near the largest from overflowing.
class ExactSum {
 public:
  void add(double value);
  void subtract(double value) { add(-value); }
  // The sum rounded to extended precision.
  long double value() const;

 private:
  std::vector<long double> parts_;  // ascending magnitude, none zero
};
