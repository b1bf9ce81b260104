#pragma once

#include <vector>

// Finds, for a height, the first pair k in profile order with heights[k] <= height <=
// heights[k + 1] (Massiv2H in the window), exactly as a scan from pair 1 would, in logarithmic time or better.
//
// Each pair (k, k + 1) with rising or equal heights covers a closed range of heights. The
// distinct heights of the profile cut the line into points and the open gaps between them;
// a pair covers a run of those pieces, and each piece is owned by the first pair that covers
// it. A lookup then only finds the piece a height falls in.
class ProfileLookup {
 public:
  // Indexes the profile's heights[1..count] as they stand.
  void build(const double* heights, int count);

  // The first bracketing pair k, or 0 when no pair encloses the height.
  int bracket(double height);

 private:
  // The index of the greatest distinct height not above height, which must lie within them.
  int pointAtOrBelow(double height, int hint) const;

  std::vector<double> heights_;     // the distinct heights, ascending
  std::vector<int> owner_;          // per piece (point 2i, gap 2i+1): first pair, or 0
  std::vector<int> nextUnowned_;    // path-halving links over pieces still without an owner
  int lastPoint_ = 0;               // where the previous lookup ended
};

// A drawn curve's value at a height: between the first pair of its points (in the order drawn)
// whose heights enclose it, interpolated as the comparison reads flight 2; NaN where none does.
class CurveLookup {
 public:
  void build(const std::vector<double>& values, const std::vector<double>& heights);
  double valueAt(double height);

 private:
  std::vector<double> values_, heights_;  // from index 1, as the profile counts
  ProfileLookup lookup_;
};
