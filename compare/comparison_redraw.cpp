#include "compare/comparison_redraw.h"

#include "compare/exact_sum.h"
#include "compare/height_window.h"
#include "compare/slow_channel.h"
#include "compare/uncertainty.h"
#include "flight/flight_error.h"
#include "flight/flight_tables.h"
#include "flight/numeric_helpers.h"

#include <algorithm>
#include <cmath>

bool FlightComparison::isUsable(const SlotChoice& choice, int slot) const {
  return flights_.slot(slot).rowCount > 0 && isFlightColumn(choice.height) && isFlightColumn(choice.parameter);
}

std::vector<int> FlightComparison::usedColumns(const RedrawRequest& request, int slot) const {
  const SlotChoice& choice = request.flights[slot - 1];
  if (!isUsable(choice, slot)) return {};
  std::vector<int> used{choice.height, choice.parameter};
  if (slot == 1 && choice.parameter == flights_.slwiColumn) used.push_back(choice.parameter + 1);
  if (slot <= 2 && isJudged(request)) {
    const UncertaintyParts& parts = choice.uncertaintyParts;
    for (int column : {choice.uncertainty, parts.uncorrelated, parts.spatial, parts.temporal})
      if (isFlightColumn(column) && column < choice.columns) used.push_back(column);
  }
  if (slot <= 2 && request.matching.by == MatchBy::Time && isFlightColumn(choice.time) && choice.time < choice.columns)
    used.push_back(choice.time);
  return used;
}

// The columns of slots 1..slots that the comparison reads, read now where their flight's read
// left them for later.
void FlightComparison::fillUsedColumns(const RedrawRequest& request, int slots) {
  for (int slot = 1; slot <= slots; ++slot) {
    const FlightSlotData flight = flights_.slot(slot);
    flight.later.fill(usedColumns(request, slot), flight.table);
  }
}

void FlightComparison::drawFlight1(const RedrawRequest& request, CurvePoints& points) {
  const SlotChoice& choice = request.flights[0];
  const FlightSlotData flight = flights_.slot(1);
  const double* heights = flight.table[choice.height];
  const double* values = flight.table[choice.parameter];
  const HeightWindow window = heightWindow(flights_);
  const bool slowChannel = choice.parameter == flights_.slwiColumn;
  // With "slwi" as the last column there is no reading after it to plot.
  const bool hasReading = choice.parameter + 1 < std::min(choice.columns, kMaxColumns);
  bool channelKnown = false;
  int channel = 0;
  for (int i = 1; i <= flight.rowCount; ++i) {
    const double h = request.correction + heights[i];
    if (!window.contains(h)) continue;
    if (!slowChannel) {
      points.add(values[i], h);
      continue;
    }
    if (!channelKnown) {
      channel = slowChannelNumber(request.slowChannelText);
      channelKnown = true;
    }
    if (hasReading && values[i] == channel)
      points.add(slowChannelValue(channel, flight.table[choice.parameter + 1][i]), h);
  }
}

void FlightComparison::drawFlight(int slot, const SlotChoice& choice, CurvePoints& points) {
  const FlightSlotData flight = flights_.slot(slot);
  const double* heights = flight.table[choice.height];
  const double* values = flight.table[choice.parameter];
  const HeightWindow window = heightWindow(flights_);
  for (int i = 1; i <= flight.rowCount; ++i)
    if (window.contains(heights[i])) points.add(values[i], heights[i]);
}

void FlightComparison::refillProfile(const SlotChoice& choice) {
  const FlightSlotData flight2 = flights_.slot(2);
  for (int i = 1; i <= flight2.rowCount; ++i) {
    flights_.massiv2[i] = flight2.table[choice.parameter][i];
    flights_.massiv2H[i] = flight2.table[choice.height][i];
  }
  flights_.massivsCount = flight2.rowCount;
  indexProfile();
}

void FlightComparison::prepareMatching(const RedrawRequest& request) {
  clockShift_ = {};
  if (request.matching.by != MatchBy::Time) return;
  for (int slot = 1; slot <= 2; ++slot) {
    const SlotChoice& choice = request.flights[slot - 1];
    if (!isFlightColumn(choice.time) || choice.time >= choice.columns)
      throw FlightError(Message(MessageId::NoTimeColumn, {std::to_string(slot)}));
  }
  const SlotChoice &one = request.flights[0], &two = request.flights[1];
  const FlightSlotData flight1 = flights_.slot(1), flight2 = flights_.slot(2);
  times2_.build(flight2.table[two.time], flight2.rowCount);
  const ShiftFlights both{flight1.table[one.height], flight1.table[one.time], flight1.rowCount,
                          flight2.table[two.height], flight2.table[two.time], flight2.rowCount, times2_};
  const Matching& matching = request.matching;
  clockShift_ = matching.shift ? typedShift(both, *matching.shift, matching.clocks) : findShift(both, matching.clocks);
}

void FlightComparison::drawComparison(const RedrawRequest& request, CurvePoints& points) {
  const SlotChoice& choice = request.flights[0];
  const FlightSlotData flight1 = flights_.slot(1);
  const double* heights = flight1.table[choice.height];
  const double* values = flight1.table[choice.parameter];
  const HeightWindow window = heightWindow(flights_);
  const bool judged = isJudged(request);
  const UncertaintyColumns uncertainties1 = judged ? uncertaintyColumns(request, 1) : UncertaintyColumns{};
  const UncertaintyColumns uncertainties2 = judged ? uncertaintyColumns(request, 2) : UncertaintyColumns{};
  const UncertaintyRule rule = request.uncertaintyRule;
  const bool inTime = request.matching.by == MatchBy::Time;
  const double* times1 = inTime ? flight1.table[choice.time] : nullptr;
  const double* values2 = flights_.slot(2).table[request.flights[1].parameter];
  hasComparison_.assign(flight1.rowCount + 1, 0);
  for (int i = 1; i <= flight1.rowCount; ++i) {
    const double h = request.correction + heights[i];
    if (!window.contains(h)) continue;
    double value;
    double moment = 0;
    if (inTime) {
      moment = times1[i] + clockShift_.shift;
      const double other = times2_.valueAt(values2, moment);
      if (std::isnan(other)) continue;
      value = request.plus ? values[i] + other : values[i] - other;
    } else if (!Compare_2_graph(h, values[i], request.plus, value)) {
      continue;
    }
    flights_.compareMassiv[i] = value;
    hasComparison_[i] = std::isfinite(value);
    if (points.add(value, heights[i]) && judged)
      points.uncertainty.push_back(combinedUncertainty(
          remainingUncertainty(rowUncertainty(uncertainties1, i), rule),
          remainingUncertainty(inTime ? momentUncertainty(uncertainties2, moment) : profileUncertainty(uncertainties2, h), rule)));
  }
}

// Sums are not compared, so they are not judged either.
bool FlightComparison::isJudged(const RedrawRequest& request) const {
  const auto within = [](const SlotChoice& choice) {
    return isFlightColumn(choice.uncertainty) && choice.uncertainty < choice.columns;
  };
  return !request.plus && within(request.flights[0]) && within(request.flights[1]);
}

FlightComparison::UncertaintyColumns FlightComparison::uncertaintyColumns(const RedrawRequest& request, int slot) const {
  const SlotChoice& choice = request.flights[slot - 1];
  const FlightTable& table = flights_.slot(slot).table;
  const bool parts = request.uncertaintyRule == UncertaintyRule::SameModel ||
                     request.uncertaintyRule == UncertaintyRule::SameBalloon;
  const auto column = [&](int index) {
    return parts && isFlightColumn(index) && index < choice.columns ? table[index] : nullptr;
  };
  const UncertaintyParts& stated = choice.uncertaintyParts;
  return {table[choice.uncertainty], column(stated.uncorrelated), column(stated.spatial), column(stated.temporal)};
}

PointUncertainty FlightComparison::rowUncertainty(const UncertaintyColumns& columns, int row) {
  PointUncertainty point;
  point.total = columns.total[row];
  if (columns.spatial) point.spatial = columns.spatial[row];
  if (columns.temporal) point.temporal = columns.temporal[row];
  if (columns.uncorrelated) point.uncorrelated = columns.uncorrelated[row];
  return point;
}

// Flight 2's uncertainty at a height: by the same pair of the profile and the same
// interpolation as its value there.
PointUncertainty FlightComparison::profileUncertainty(const UncertaintyColumns& columns, double height) {
  const int k = profile_.bracket(height);
  const ProfileArray& heights = flights_.massiv2H;
  const auto at = [&](const double* column) {
    return LinearInterpolation(heights[k], heights[k + 1], column[k], column[k + 1], height);
  };
  PointUncertainty point;
  point.total = at(columns.total);
  if (columns.spatial) point.spatial = at(columns.spatial);
  if (columns.temporal) point.temporal = at(columns.temporal);
  if (columns.uncorrelated) point.uncorrelated = at(columns.uncorrelated);
  return point;
}

PointUncertainty FlightComparison::momentUncertainty(const UncertaintyColumns& columns, double time) const {
  PointUncertainty point;
  point.total = times2_.valueAt(columns.total, time);
  if (columns.spatial) point.spatial = times2_.valueAt(columns.spatial, time);
  if (columns.temporal) point.temporal = times2_.valueAt(columns.temporal, time);
  if (columns.uncorrelated) point.uncorrelated = times2_.valueAt(columns.uncorrelated, time);
  return point;
}

void judgeByStatedUncertainties(RedrawRequest& request, const FlightIdentity& first, const FlightIdentity& second) {
  SlotChoice& one = request.flights[0];
  SlotChoice& two = request.flights[1];
  one.uncertaintyParts = first.column(one.uncertainty).parts;
  two.uncertaintyParts = second.column(two.uncertainty).parts;
  request.uncertaintyRule = uncertaintyRule(first, one.uncertainty, second, two.uncertainty);
}

// The mean of the comparison values of this redraw over rows i - 50 .. i + 50. The window's
// sum slides exactly, so a spike changes only the averages of the windows that hold it.
void FlightComparison::drawAverage(const RedrawRequest& request, CurvePoints& points) {
  const FlightSlotData flight1 = flights_.slot(1);
  const double* heights = flight1.table[request.flights[0].height];
  const ProfileArray& compared = flights_.compareMassiv;
  constexpr int kFirstRow = kAverageHalfWidth + 2;
  ExactSum sum;
  int count = 0;
  const auto take = [&](int row, int sign) {
    if (row < 1 || row > flight1.rowCount || !hasComparison_[row]) return;
    sign > 0 ? sum.add(compared[row]) : sum.subtract(compared[row]);
    count += sign;
  };
  for (int row = kFirstRow - kAverageHalfWidth - 1; row < kFirstRow + kAverageHalfWidth; ++row) take(row, +1);
  for (int i = kFirstRow; i <= flight1.rowCount; ++i) {
    take(i + kAverageHalfWidth, +1);
    take(i - kAverageHalfWidth - 1, -1);
    if (hasComparison_[i]) points.add(static_cast<double>(sum.value() / count), heights[i]);
  }
}

const char* matchName(MatchBy by) { return by == MatchBy::Time ? "time" : "height"; }

bool CurvePoints::add(double px, double py) {
  if (!std::isfinite(px) || !std::isfinite(py)) return false;
  x.push_back(px);
  y.push_back(py);
  return true;
}

void FlightComparison::indexProfile() { profile_.build(flights_.massiv2H, flights_.massivsCount); }

bool FlightComparison::Compare_2_graph(double hight, double Sravn, bool plus, double& result) {
  const int k = profile_.bracket(hight);
  if (k == 0) return false;
  const ProfileArray& values = flights_.massiv2;
  const ProfileArray& heights = flights_.massiv2H;
  const double p = LinearInterpolation(heights[k], heights[k + 1], values[k], values[k + 1], hight);
  result = plus ? Sravn + p : Sravn - p;
  return true;
}

void FlightComparison::redraw(const RedrawRequest& request, RedrawPoints& points) {
  for (CurvePoints* list : {&points.flight1, &points.flight2, &points.flight3, &points.comparison, &points.average})
    list->clear();
  fillUsedColumns(request, 3);
  const bool flight1 = isUsable(request.flights[0], 1);
  const bool flight2 = isUsable(request.flights[1], 2);
  const bool flight3 = isUsable(request.flights[2], 3);
  if (flight1 && flight2) {
    updateHeightWindow(flights_, request.correction, request.flights[0].height, request.flights[1].height);
    prepareMatching(request);
  } else {
    clockShift_ = {};
  }

  // A slow-channel number that is no whole number fails here, before any point is added.
  if (flight1) drawFlight1(request, points.flight1);
  if (flight2) drawFlight(2, request.flights[1], points.flight2);
  if (flight3) drawFlight(3, request.flights[2], points.flight3);
  if (!flight2) return;
  refillProfile(request.flights[1]);
  if (!flight1) return;
  drawComparison(request, points.comparison);
  drawAverage(request, points.average);
}

void FlightComparison::compareOnly(const RedrawRequest& request, CurvePoints& comparison) {
  comparison.clear();
  clockShift_ = {};
  if (!isUsable(request.flights[0], 1) || !isUsable(request.flights[1], 2)) return;
  fillUsedColumns(request, 2);
  updateHeightWindow(flights_, request.correction, request.flights[0].height, request.flights[1].height);
  prepareMatching(request);
  refillProfile(request.flights[1]);
  drawComparison(request, comparison);
}

namespace {

FlightComparison& windowComparison() {
  static FlightComparison comparison(windowFlights());
  return comparison;
}

}  // namespace

void compareFlights(const RedrawRequest& request, RedrawPoints& points) { windowComparison().redraw(request, points); }

bool Compare_2_graph(double hight, double Sravn, bool plus, double& result) {
  return windowComparison().Compare_2_graph(hight, Sravn, plus, result);
}

void indexProfile() { windowComparison().indexProfile(); }

const ClockShift& lastClockShift() { return windowComparison().clockShift(); }

std::vector<int> columnsUsed(const RedrawRequest& request, int slot) { return windowComparison().usedColumns(request, slot); }
