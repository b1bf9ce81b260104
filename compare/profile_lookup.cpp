#include "compare/profile_lookup.h"

#include "flight/numeric_helpers.h"

#include <algorithm>
#include <cmath>
#include <limits>

void ProfileLookup::build(const double* heights, int count) {
  heights_.clear();
  for (int k = 1; k <= count; ++k)
    if (!std::isnan(heights[k])) heights_.push_back(heights[k]);
  if (!std::is_sorted(heights_.begin(), heights_.end())) std::sort(heights_.begin(), heights_.end());
  heights_.erase(std::unique(heights_.begin(), heights_.end()), heights_.end());

  const int pieces = heights_.empty() ? 0 : 2 * static_cast<int>(heights_.size()) - 1;
  owner_.assign(pieces, 0);
  nextUnowned_.resize(pieces + 1);
  for (int piece = 0; piece <= pieces; ++piece) nextUnowned_[piece] = piece;
  const auto firstUnowned = [this](int piece) {
    while (nextUnowned_[piece] != piece) {
      nextUnowned_[piece] = nextUnowned_[nextUnowned_[piece]];
      piece = nextUnowned_[piece];
    }
    return piece;
  };

  int point = 0;
  for (int k = 1; k < count; ++k) {
    const double low = heights[k], high = heights[k + 1];
    if (!(low <= high)) continue;  // a falling pair, or one without a height, encloses nothing
    const int first = 2 * (point = pointAtOrBelow(low, point));
    const int last = 2 * (point = pointAtOrBelow(high, point));
    for (int piece = firstUnowned(first); piece <= last; piece = firstUnowned(piece)) {
      owner_[piece] = k;
      nextUnowned_[piece] = piece + 1;
    }
  }
  lastPoint_ = 0;
}

// Gallops from the hint, where the last search ended: profile and flight heights mostly rise a
// step at a time, so most searches take a comparison or two.
int ProfileLookup::pointAtOrBelow(double height, int hint) const {
  const int points = static_cast<int>(heights_.size());
  int low = std::min(hint, points - 1);
  int high;
  if (heights_[low] <= height) {
    int step = 1;
    high = low + 1;
    while (high < points && heights_[high] <= height) {
      low = high;
      step *= 2;
      high = std::min(points, low + step);
    }
  } else {
    high = low;
    int step = 1;
    low = std::max(0, high - 1);
    while (low > 0 && heights_[low] > height) {
      high = low;
      step *= 2;
      low = std::max(0, high - step);
    }
  }
  // Here heights_[low] <= height, and high is the end or holds a greater height.
  return static_cast<int>(std::upper_bound(heights_.begin() + low, heights_.begin() + high, height) -
                          heights_.begin()) - 1;
}

int ProfileLookup::bracket(double height) {
  if (heights_.empty() || !(height >= heights_.front() && height <= heights_.back())) return 0;
  lastPoint_ = pointAtOrBelow(height, lastPoint_);
  const int piece = heights_[lastPoint_] == height ? 2 * lastPoint_ : 2 * lastPoint_ + 1;
  return owner_[piece];
}

void CurveLookup::build(const std::vector<double>& values, const std::vector<double>& heights) {
  values_.assign(1, 0.0);
  values_.insert(values_.end(), values.begin(), values.end());
  heights_.assign(1, 0.0);
  heights_.insert(heights_.end(), heights.begin(), heights.end());
  lookup_.build(heights_.data(), static_cast<int>(heights.size()));
}

double CurveLookup::valueAt(double height) {
  const int k = lookup_.bracket(height);
  if (k == 0) return std::numeric_limits<double>::quiet_NaN();
  return LinearInterpolation(heights_[k], heights_[k + 1], values_[k], values_[k + 1], height);
}
