#pragma once

#include <vector>

// A running sum of doubles that loses nothing: values can be added and taken away again in any
// order, and the sum is always the exact one. It is kept as a few extended-precision parts that
// do not overlap (Shewchuk's expansion), so one huge value neither swallows the small ones beside
// it nor leaves a trace once taken away. Extended precision also keeps the sum of doubles
// anywhere near the largest from overflowing.
class ExactSum {
 public:
  void add(double value) { addPart(value); }
  void subtract(double value) { add(-value); }
  // Adds another sum, as exactly: sums of parts of a sample make the sum of the whole.
  void add(const ExactSum& other);
  // The sum rounded to extended precision.
  long double value() const;

 private:
  void addPart(long double value);

  std::vector<long double> parts_;  // ascending magnitude, none zero
};
