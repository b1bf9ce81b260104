#include "compare/clock_shift.h"

#include "flight/flight_error.h"
#include "flight/flight_identity.h"
#include "flight/numeric_helpers.h"
#include "flight/utc_time.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Flight 1's heights the measure compares over.
constexpr double kBandBottom = 4000.0, kBandTop = 6000.0;
// Heights are compared as running means over this many seconds either side: a sonde's heights
// scatter from second to second, and reading one between two samples averages that scatter
// away, which would pull the shift towards fractions of a second.
constexpr double kSmoothing = 5.0;
// A misfit that rises by less than this share of itself 1 s either side of its minimum finds no
// shift to better than a second.
constexpr double kFlatRise = 0.02;

struct HeightRange {
  double low = std::numeric_limits<double>::infinity(), high = -std::numeric_limits<double>::infinity();
  void add(double height) {
    if (!std::isfinite(height)) return;
    low = std::min(low, height);
    high = std::max(high, height);
  }
};

HeightRange rangeOf(const double* heights, int rows) {
  HeightRange range;
  for (int row = 1; row <= rows; ++row) range.add(heights[row]);
  return range;
}

// Flight 1's rows with a time and a height within the band.
std::vector<int> bandRows(const ShiftFlights& flights) {
  const HeightRange one = rangeOf(flights.height1, flights.rows1), two = rangeOf(flights.height2, flights.rows2);
  double bottom = kBandBottom, top = kBandTop;
  if (one.high < kBandTop || two.high < kBandTop) {
    const double low = std::max(one.low, two.low), high = std::min(one.high, two.high);
    bottom = low + (high - low) / 3;
    top = high - (high - low) / 3;
  }
  std::vector<int> rows;
  for (int row = 1; row <= flights.rows1; ++row)
    if (std::isfinite(flights.time1[row]) && flights.height1[row] >= bottom && flights.height1[row] <= top)
      rows.push_back(row);
  return rows;
}

// A flight's heights as running means over ±kSmoothing seconds, by row; NaN at a row without a
// time or without a height near it.
std::vector<double> smoothedHeights(const double* heights, const double* times, int rows) {
  std::vector<int> order;
  for (int row = 1; row <= rows; ++row)
    if (std::isfinite(times[row])) order.push_back(row);
  std::stable_sort(order.begin(), order.end(), [times](int a, int b) { return times[a] < times[b]; });
  std::vector<double> smoothed(static_cast<std::size_t>(rows) + 1, std::numeric_limits<double>::quiet_NaN());
  std::size_t first = 0, last = 0;  // the rows of the window, [first, last) in time order
  double sum = 0;
  int count = 0;
  const auto take = [&](std::size_t at, int sign) {
    const double height = heights[order[at]];
    if (!std::isfinite(height)) return;
    sum += sign * height;
    count += sign;
  };
  for (int row : order) {
    const double time = times[row];
    while (last < order.size() && times[order[last]] <= time + kSmoothing) take(last++, +1);
    while (times[order[first]] < time - kSmoothing) take(first++, -1);
    if (count > 0) smoothed[static_cast<std::size_t>(row)] = sum / count;
  }
  return smoothed;
}

// The spread and the mean of z1(t) − z2(t + shift) over the band; an infinite spread where less
// than half of the band meets flight 2 (at the ends of the search, a few rows would fit anything).
class HeightMisfit {
 public:
  HeightMisfit(const ShiftFlights& flights, std::vector<int> band)
      : flights_(flights), band_(std::move(band)),
        height1_(smoothedHeights(flights.height1, flights.time1, flights.rows1)),
        height2_(smoothedHeights(flights.height2, flights.time2, flights.rows2)) {
    differences_.reserve(band_.size());
  }

  bool empty() const { return band_.empty(); }

  double at(double shift) {
    differences_.clear();
    for (int row : band_) {
      const double height2 = flights_.times2.valueAt(height2_.data(), flights_.time1[row] + shift);
      const double difference = height1_[static_cast<std::size_t>(row)] - height2;
      if (std::isfinite(difference)) differences_.push_back(difference);
    }
    if (differences_.size() < std::max<std::size_t>(3, (band_.size() + 1) / 2)) {
      mean_ = std::numeric_limits<double>::quiet_NaN();
      return std::numeric_limits<double>::infinity();
    }
    double sum = 0;
    for (double d : differences_) sum += d;
    mean_ = sum / static_cast<double>(differences_.size());
    double squares = 0;
    for (double d : differences_) squares += (d - mean_) * (d - mean_);
    return std::sqrt(squares / static_cast<double>(differences_.size() - 1));
  }

  double mean() const { return mean_; }

 private:
  const ShiftFlights& flights_;
  std::vector<int> band_;
  std::vector<double> height1_, height2_;
  std::vector<double> differences_;
  double mean_ = std::numeric_limits<double>::quiet_NaN();
};

// Shifts are searched on whole tenths of a second, so that a shift found reads as it is: a count
// divided by the steps in a second is the double nearest that many tenths, where a count times
// 0.1 may miss it (-39 · 0.1 is -3.9000000000000004).
double tenths(long long count) { return static_cast<double>(count) / (1 / kShiftStep); }

ClockShift describe(HeightMisfit& misfit, double shift, const StatedClocks& clocks) {
  ClockShift found;
  found.shift = shift;
  found.expected = clocks.expected;
  const double before = misfit.at(shift - 1), after = misfit.at(shift + 1);
  found.misfit = misfit.at(shift);
  found.heightDifference = misfit.mean();
  if (!std::isfinite(found.misfit)) {
    found.misfit = found.heightDifference = ClockShift::kNone;
    return found;
  }
  found.sharpness = std::min(before, after) - found.misfit;
  found.flat = !(found.sharpness > kFlatRise * found.misfit);
  if (clocks.stated)
    for (int seconds : {0, clocks.gpsSeconds, -clocks.gpsSeconds})
      if (std::abs(shift - (clocks.expected + seconds)) <= 1.0) {
        found.clockSeconds = seconds;
        break;
      }
  return found;
}

}  // namespace

ClockShift findShift(const ShiftFlights& flights, const StatedClocks& clocks) {
  HeightMisfit misfit(flights, bandRows(flights));
  if (misfit.empty()) throw FlightError(MessageId::ShiftNotFound);
  // Whole seconds first, then tenths around the best: the misfit changes smoothly with the shift.
  const long long first = std::llround(std::ceil((clocks.expected - kShiftSearch) / kShiftStep));
  const long long last = std::llround(std::floor((clocks.expected + kShiftSearch) / kShiftStep));
  const long long stride = std::llround(1.0 / kShiftStep);
  long long best = first;
  double lowest = std::numeric_limits<double>::infinity();
  for (long long k = first; k <= last; k += stride) {
    const double value = misfit.at(tenths(k));
    if (value < lowest) {
      lowest = value;
      best = k;
    }
  }
  if (!std::isfinite(lowest)) throw FlightError(MessageId::ShiftNotFound);
  const bool atEdge = best - first < stride || last - best < stride;
  for (long long k = std::max(first, best - stride); k <= std::min(last, best + stride); ++k) {
    const double value = misfit.at(tenths(k));
    if (value < lowest) {
      lowest = value;
      best = k;
    }
  }
  ClockShift found = describe(misfit, tenths(best), clocks);
  found.automatic = true;
  found.atEdge = atEdge;
  return found;
}

ClockShift typedShift(const ShiftFlights& flights, double shift, const StatedClocks& clocks) {
  HeightMisfit misfit(flights, bandRows(flights));
  if (misfit.empty()) {
    ClockShift typed;
    typed.shift = shift;
    typed.expected = clocks.expected;
    return typed;
  }
  return describe(misfit, shift, clocks);
}

StatedClocks statedClocks(const FlightIdentity& first, const FlightIdentity& second) {
  const double launch1 = utcSeconds(first.launchTime), launch2 = utcSeconds(second.launchTime);
  if (!std::isfinite(launch1) || !std::isfinite(launch2)) return {};
  return {true, launch1 - launch2, gpsMinusUtc(launch1)};
}

int gpsMinusUtc(double utcSeconds) {
  // The days (since 1970) from which UTC was one more second behind GPS time.
  static constexpr int kLeapDays[] = {4199,  4564,  4929,  5660,  6574,  7305,  7670,  8217,  8582,
                                      8947,  9496,  10043, 10592, 13149, 14245, 15522, 16617, 17167};
  const double day = std::floor(utcSeconds / 86400.0);
  return static_cast<int>(std::count_if(std::begin(kLeapDays), std::end(kLeapDays), [day](int leap) { return day >= leap; }));
}
