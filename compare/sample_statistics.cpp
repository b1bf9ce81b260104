#include "compare/sample_statistics.h"

#include "compare/exact_sum.h"

#include <algorithm>
#include <cmath>
#include <limits>

double exactMean(const double* values, std::size_t count) {
  ExactSum sum;
  for (std::size_t i = 0; i < count; ++i) sum.add(values[i]);
  return exactMean(sum, count);
}

double exactMean(const ExactSum& sum, std::size_t count) { return static_cast<double>(sum.value() / count); }

double sampleStandardDeviation(const double* values, std::size_t count, double mean) {
  if (count < 2) return std::numeric_limits<double>::quiet_NaN();
  long double squares = 0;
  for (std::size_t i = 0; i < count; ++i) squares += (values[i] - mean) * static_cast<long double>(values[i] - mean);
  return static_cast<double>(std::sqrt(squares / (count - 1)));
}

double rootMeanSquare(const double* values, std::size_t count) {
  long double squares = 0;
  for (std::size_t i = 0; i < count; ++i) squares += values[i] * static_cast<long double>(values[i]);
  return static_cast<double>(std::sqrt(squares / count));
}

// Each quantile needs the values of two neighbouring ranks. Selecting them in ascending order
// lets every selection work only on what lies above the last one: linear time in all.
void linearQuantiles(double* values, std::size_t count, const double* fractions, double* quantiles,
                     std::size_t fractionCount) {
  double* const end = values + count;
  double* searchedFrom = values;
  for (std::size_t q = 0; q < fractionCount; ++q) {
    const double rank = (count - 1) * fractions[q];
    const std::size_t below = static_cast<std::size_t>(std::floor(rank));
    double* const lower = values + below;
    if (lower >= searchedFrom) std::nth_element(searchedFrom, lower, end);
    searchedFrom = lower + 1;
    const double low = *lower;
    const double high = lower + 1 < end ? *std::min_element(lower + 1, end) : low;
    const double t = rank - below;
    // numpy's form: from the nearer end, so that t = 0 and t = 1 give the ranks themselves.
    quantiles[q] = t < 0.5 ? low + (high - low) * t : high - (high - low) * (1 - t);
  }
}
