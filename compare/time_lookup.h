#pragma once

#include <vector>

// A flight's columns read at a moment of its own clock: linear in time between its two samples
// around the moment. A sonde's clock only runs forward, but a file may hold rows without a time
// or out of order, so the samples are taken in the order of their times. No value is read
// across a gap longer than twice the flight's median time step, nor outside its first and last
// time: a missing stretch is not bridged by a straight line.
class TimeLookup {
 public:
  // Indexes times[1..count] as they stand.
  void build(const double* times, int count);

  // A column's value at a time, between the samples around it; NaN where there are none.
  double valueAt(const double* column, double time) const;

  // The rows with a time, by their time.
  const std::vector<int>& rowsByTime() const { return rows_; }
  // The longest step between two samples that are not a gap apart.
  double longestStep() const { return longestStep_; }

 private:
  // The samples around a time; false where none are.
  struct Bracket {
    int earlier, later;  // rows
    double time1, time2;
  };
  bool bracket(double time, Bracket& around) const;

  std::vector<int> rows_;       // the rows with a time, by their time
  std::vector<double> times_;   // their times, ascending
  double longestStep_ = 0;
  mutable std::size_t hint_ = 1;  // the later sample of the pair found last
};
