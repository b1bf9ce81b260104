#pragma once

#include <cstddef>

// Statistics of a sample of comparison values, as intercomparison reports give them.

class ExactSum;

// The mean, from the exact sum rounded once.
double exactMean(const double* values, std::size_t count);
double exactMean(const ExactSum& sum, std::size_t count);

// The sample standard deviation (n - 1) about the mean; NaN for fewer than two values.
double sampleStandardDeviation(const double* values, std::size_t count, double mean);

// The square root of the mean square.
double rootMeanSquare(const double* values, std::size_t count);

// Quantiles by linear interpolation between the closest ranks (numpy's default), at ascending
// fractions. Reorders the values.
void linearQuantiles(double* values, std::size_t count, const double* fractions, double* quantiles,
                     std::size_t fractionCount);
