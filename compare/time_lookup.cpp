#include "compare/time_lookup.h"

#include "flight/numeric_helpers.h"

#include <algorithm>
#include <cmath>
#include <limits>

void TimeLookup::build(const double* times, int count) {
  rows_.clear();
  for (int row = 1; row <= count; ++row)
    if (std::isfinite(times[row])) rows_.push_back(row);
  const auto earlier = [times](int a, int b) { return times[a] < times[b]; };
  if (!std::is_sorted(rows_.begin(), rows_.end(), earlier)) std::stable_sort(rows_.begin(), rows_.end(), earlier);
  times_.resize(rows_.size());
  std::transform(rows_.begin(), rows_.end(), times_.begin(), [times](int row) { return times[row]; });
  std::vector<double> steps;
  for (std::size_t i = 1; i < times_.size(); ++i)
    if (times_[i] > times_[i - 1]) steps.push_back(times_[i] - times_[i - 1]);
  if (steps.empty()) {
    longestStep_ = 0;
    return;
  }
  // The lower median: of two middle steps the shorter, so that a flight sampled as often
  // at 1 s as at 2 s is not allowed gaps of 4 s.
  const auto middle = steps.begin() + static_cast<std::ptrdiff_t>((steps.size() - 1) / 2);
  std::nth_element(steps.begin(), middle, steps.end());
  longestStep_ = 2 * *middle;
}

bool TimeLookup::bracket(double time, Bracket& around) const {
  if (std::isnan(time) || times_.empty() || time < times_.front() || time > times_.back()) return false;
  if (times_.size() == 1) {
    around = {rows_[0], rows_[0], times_[0], times_[0]};
    return true;
  }
  // The first sample after the time; a time on the last sample takes the pair that ends there.
  // A comparison asks for its moments in order, so the pair after the last one found comes first.
  const auto isLater = [&](std::size_t index) {
    return index >= 1 && index < times_.size() && times_[index - 1] <= time && time < times_[index];
  };
  std::size_t later = isLater(hint_) ? hint_ : isLater(hint_ + 1) ? hint_ + 1 : static_cast<std::size_t>(std::upper_bound(times_.begin(), times_.end(), time) - times_.begin());
  later = std::min(later, times_.size() - 1);
  hint_ = later;
  const std::size_t earlier = later - 1;
  if (times_[later] - times_[earlier] > longestStep_) return false;
  around = {rows_[earlier], rows_[later], times_[earlier], times_[later]};
  return true;
}

double TimeLookup::valueAt(const double* column, double time) const {
  Bracket around;
  if (!bracket(time, around)) return std::numeric_limits<double>::quiet_NaN();
  return LinearInterpolation(around.time1, around.time2, column[around.earlier], column[around.later], time);
}
