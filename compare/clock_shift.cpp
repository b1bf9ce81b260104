#include "compare/clock_shift.h"

#include "flight/flight_error.h"
#include "flight/flight_identity.h"
#include "flight/utc_time.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Flight 1's heights the measure compares over.
constexpr double kBandBottom = 4000.0, kBandTop = 6000.0;
// A misfit that rises by less than this share of itself 5 s either side of its minimum finds no
// shift to better than a few seconds.
constexpr double kSharpnessSeconds = 5.0;
constexpr double kFlatRise = 0.05;
// The rows of the band the whole-second pass of the search compares, about.
constexpr std::size_t kCoarseRows = 50;
// Flight 2's heights this far beyond the band tell its scatter.
constexpr double kScatterMargin = 500.0;

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

struct Band {
  double bottom, top;
  std::vector<int> rows;  // flight 1's, with a time and a height within the band
};

Band heightBand(const ShiftFlights& flights) {
  const HeightRange one = rangeOf(flights.height1, flights.rows1), two = rangeOf(flights.height2, flights.rows2);
  double bottom = kBandBottom, top = kBandTop;
  if (one.high < kBandTop || two.high < kBandTop) {
    const double low = std::max(one.low, two.low), high = std::min(one.high, two.high);
    bottom = low + (high - low) / 3;
    top = high - (high - low) / 3;
  }
  Band band{bottom, top, {}};
  for (int row = 1; row <= flights.rows1; ++row)
    if (std::isfinite(flights.time1[row]) && flights.height1[row] >= bottom && flights.height1[row] <= top)
      band.rows.push_back(row);
  return band;
}

// The variance of flight 2's heights' scatter from sample to sample about their course near the
// band, from its second differences over evenly spaced samples (six times that variance for
// independent scatter); 0 where too few samples tell it.
double scatterVariance(const ShiftFlights& flights, const Band& band) {
  const std::vector<int>& rows = flights.times2.rowsByTime();
  const double* z = flights.height2;
  const double* t = flights.time2;
  double sum = 0, squares = 0;
  int count = 0;
  for (std::size_t k = 1; k + 1 < rows.size(); ++k) {
    const int before = rows[k - 1], at = rows[k], after = rows[k + 1];
    if (!(z[at] >= band.bottom - kScatterMargin && z[at] <= band.top + kScatterMargin)) continue;
    const double step1 = t[at] - t[before], step2 = t[after] - t[at];
    if (!(step1 > 0) || std::abs(step2 - step1) > 0.01 * step1) continue;
    const double curvature = z[after] - 2 * z[at] + z[before];
    if (!std::isfinite(curvature)) continue;
    sum += curvature;
    squares += curvature * curvature;
    ++count;
  }
  if (count < 10) return 0;
  const double mean = sum / count;
  return std::max(0.0, (squares / count - mean * mean) / 6);
}

// The spread and the mean of z1(t) − z2(t + shift) over the band; an infinite spread where less
// than half of the band meets flight 2 (at the ends of the search, a few rows would fit anything).
// Reading flight 2 between two samples averages their scatter, and would make any shift between
// whole steps fit better; the spread puts that scatter back, as independent scatter of the
// variance measured has it: a share 2f(1 − f) of it at a fraction f of the step.
// The search asks for it some 150 times a pair, so both flights are laid out in time order once
// and each pass walks flight 2's samples forward instead of searching them.
class HeightMisfit {
 public:
  HeightMisfit(const ShiftFlights& flights, const Band& band)
      : scatter_(band.rows.empty() ? 0 : scatterVariance(flights, band)), longestStep_(flights.times2.longestStep()) {
    std::vector<int> rows = band.rows;
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return flights.time1[a] < flights.time1[b]; });
    for (int row : rows) {
      time1_.push_back(flights.time1[row]);
      height1_.push_back(flights.height1[row]);
    }
    for (int row : flights.times2.rowsByTime()) {
      time2_.push_back(flights.time2[row]);
      height2_.push_back(flights.height2[row]);
    }
    differences_.reserve(rows.size());
  }

  bool empty() const { return time1_.empty(); }

  // Over every stride-th row of the band: the coarse pass of the search needs no more.
  double at(double shift, std::size_t stride = 1) {
    differences_.clear();
    double averagedAway = 0;
    std::size_t considered = 0;
    const std::size_t samples = time2_.size();
    std::size_t k = 0;  // flight 2's pair (k, k + 1) around the moment, as TimeLookup finds it
    for (std::size_t i = 0; i < time1_.size(); i += stride) {
      ++considered;
      const double moment = time1_[i] + shift;
      if (samples < 2 || !(moment >= time2_.front() && moment <= time2_.back())) continue;
      while (k + 2 < samples && time2_[k + 1] <= moment) ++k;
      const double step = time2_[k + 1] - time2_[k];
      if (step > longestStep_) continue;
      const double f = step > 0 ? (moment - time2_[k]) / step : 0.5;
      const double difference = height1_[i] - (height2_[k] + (height2_[k + 1] - height2_[k]) * f);
      if (!std::isfinite(difference)) continue;
      differences_.push_back(difference);
      averagedAway += 2 * f * (1 - f);
    }
    if (differences_.size() < std::max<std::size_t>(3, (considered + 1) / 2)) {
      mean_ = std::numeric_limits<double>::quiet_NaN();
      return std::numeric_limits<double>::infinity();
    }
    const double count = static_cast<double>(differences_.size());
    double sum = 0;
    for (double d : differences_) sum += d;
    mean_ = sum / count;
    double squares = 0;
    for (double d : differences_) squares += (d - mean_) * (d - mean_);
    return std::sqrt(squares / (count - 1) + scatter_ * averagedAway / count);
  }

  double mean() const { return mean_; }
  std::size_t rows() const { return time1_.size(); }

 private:
  double scatter_, longestStep_;
  std::vector<double> time1_, height1_, time2_, height2_;
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
  const double before = misfit.at(shift - kSharpnessSeconds), after = misfit.at(shift + kSharpnessSeconds);
  found.misfit = misfit.at(shift);
  found.heightDifference = misfit.mean();
  if (!std::isfinite(found.misfit)) {
    found.misfit = found.heightDifference = ClockShift::kNone;
    return found;
  }
  found.sharpness = std::min(before, after) - found.misfit;
  // A typed shift off the minimum rises on one side only: that is no flat minimum.
  found.flat = found.sharpness >= 0 && !(found.sharpness > kFlatRise * found.misfit);
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
  const Band band = heightBand(flights);
  HeightMisfit misfit(flights, band);
  if (misfit.empty()) throw FlightError(MessageId::ShiftNotFound);
  const long long first = std::llround(std::ceil((clocks.expected - kShiftSearch) / kShiftStep));
  const long long last = std::llround(std::floor((clocks.expected + kShiftSearch) / kShiftStep));
  const long long stride = std::llround(1.0 / kShiftStep);
  long long best = first;
  double lowest = std::numeric_limits<double>::infinity();
  // Of misfits equal but for rounding, the shift nearest the expected one: flights that keep a
  // steady ascent fit alike at every shift, and their stated clocks are then the best guess.
  const double expectedCount = clocks.expected / kShiftStep;
  const auto consider = [&](long long k, std::size_t stride) {
    const double value = misfit.at(tenths(k), stride);
    if (!std::isfinite(value)) return;
    const double tolerance = 1e-9 * std::max(1.0, std::isfinite(lowest) ? lowest : value);
    const bool nearer = std::abs(static_cast<double>(k) - expectedCount) < std::abs(static_cast<double>(best) - expectedCount);
    if (!std::isfinite(lowest) || value < lowest - tolerance || (value <= lowest + tolerance && nearer)) {
      lowest = std::min(lowest, value);
      best = k;
    }
  };
  // Whole seconds over some fifty rows of the band.
  const std::size_t everyFew = std::max<std::size_t>(1, misfit.rows() / kCoarseRows);
  for (long long k = first; k <= last; k += stride) consider(k, everyFew);
  if (!std::isfinite(lowest)) throw FlightError(MessageId::ShiftNotFound);
  const bool atEdge = best - first < stride || last - best < stride;
  // Tenths downhill from the best whole second, over all the rows: near its minimum the misfit
  // changes smoothly with the shift.
  const long long coarse = best;
  lowest = std::numeric_limits<double>::infinity();
  consider(coarse, 1);
  for (const long long direction : {-1LL, 1LL})
    for (long long k = coarse + direction; k >= first && k <= last && std::abs(k - coarse) <= stride; k += direction) {
      consider(k, 1);
      if (best != k) break;
    }
  ClockShift found = describe(misfit, tenths(best), clocks);
  found.automatic = true;
  found.atEdge = atEdge;
  return found;
}

ClockShift typedShift(const ShiftFlights& flights, double shift, const StatedClocks& clocks) {
  const Band band = heightBand(flights);
  HeightMisfit misfit(flights, band);
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
  // Stated to the millisecond: the difference is too, not the sum of two roundings.
  return {true, std::round((launch1 - launch2) * 1000) / 1000, gpsMinusUtc(launch1)};
}

int gpsMinusUtc(double utcSeconds) {
  // The days (since 1970) from which UTC was one more second behind GPS time.
  static constexpr int kLeapDays[] = {4199,  4564,  4929,  5660,  6574,  7305,  7670,  8217,  8582,
                                      8947,  9496,  10043, 10592, 13149, 14245, 15522, 16617, 17167};
  const double day = std::floor(utcSeconds / 86400.0);
  return static_cast<int>(std::count_if(std::begin(kLeapDays), std::end(kLeapDays), [day](int leap) { return day >= leap; }));
}
