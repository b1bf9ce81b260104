#include "comparison_redraw.h"

#include "exact_sum.h"
#include "flight_tables.h"
#include "height_window.h"
#include "numeric_helpers.h"
#include "profile_lookup.h"
#include "slow_channel.h"

#include <algorithm>
#include <cmath>

namespace {

ProfileLookup profile;

// Rows of flight 1 whose comparison value (in CompareMassiv) was computed in this redraw.
std::vector<char> hasComparison;

bool isUsable(const SlotChoice& choice, int rowCount) {
  return rowCount > 0 && isFlightColumn(choice.height) && isFlightColumn(choice.parameter);
}

void drawFlight1(const RedrawRequest& request, CurvePoints& points) {
  const SlotChoice& choice = request.flights[0];
  const double* heights = mas1[choice.height];
  const double* values = mas1[choice.parameter];
  const bool slowChannel = choice.parameter == lowchange1Position;
  // With "slwi" as the last column there is no reading after it to plot.
  const bool hasReading = choice.parameter + 1 < std::min(choice.columns, kMaxColumns);
  bool channelKnown = false;
  int channel = 0;
  for (int i = 1; i <= mass1Count; ++i) {
    const double h = request.correction + heights[i];
    if (!insideHeightWindow(h)) continue;
    if (!slowChannel) {
      points.add(values[i], h);
      continue;
    }
    if (!channelKnown) {
      channel = slowChannelNumber(request.slowChannelText);
      channelKnown = true;
    }
    if (hasReading && values[i] == channel) points.add(slowChannelValue(channel, mas1[choice.parameter + 1][i]), h);
  }
}

void drawFlight(const FlightTable& table, int rowCount, const SlotChoice& choice, CurvePoints& points) {
  const double* heights = table[choice.height];
  const double* values = table[choice.parameter];
  for (int i = 1; i <= rowCount; ++i)
    if (insideHeightWindow(heights[i])) points.add(values[i], heights[i]);
}

void refillProfile(const SlotChoice& choice) {
  for (int i = 1; i <= mass2Count; ++i) {
    Massiv2[i] = mas2[choice.parameter][i];
    Massiv2H[i] = mas2[choice.height][i];
  }
  MassivsCount = mass2Count;
  indexProfile();
}

void drawComparison(const RedrawRequest& request, CurvePoints& points) {
  const SlotChoice& choice = request.flights[0];
  const double* heights = mas1[choice.height];
  const double* values = mas1[choice.parameter];
  hasComparison.assign(mass1Count + 1, 0);
  for (int i = 1; i <= mass1Count; ++i) {
    const double h = request.correction + heights[i];
    if (!insideHeightWindow(h)) continue;
    double value;
    if (!Compare_2_graph(h, values[i], request.plus, value)) continue;
    CompareMassiv[i] = value;
    hasComparison[i] = std::isfinite(value);
    points.add(value, heights[i]);
  }
}

// The mean of the comparison values of this redraw over rows i - 50 .. i + 50. The window's
// sum slides exactly, so a spike changes only the averages of the windows that hold it.
void drawAverage(const RedrawRequest& request, CurvePoints& points) {
  const SlotChoice& choice = request.flights[0];
  const double* heights = mas1[choice.height];
  constexpr int kFirstRow = kAverageHalfWidth + 2;
  ExactSum sum;
  int count = 0;
  const auto take = [&](int row, int sign) {
    if (row < 1 || row > mass1Count || !hasComparison[row]) return;
    sign > 0 ? sum.add(CompareMassiv[row]) : sum.subtract(CompareMassiv[row]);
    count += sign;
  };
  for (int row = kFirstRow - kAverageHalfWidth - 1; row < kFirstRow + kAverageHalfWidth; ++row) take(row, +1);
  for (int i = kFirstRow; i <= mass1Count; ++i) {
    take(i + kAverageHalfWidth, +1);
    take(i - kAverageHalfWidth - 1, -1);
    if (hasComparison[i]) points.add(static_cast<double>(sum.value() / count), heights[i]);
  }
}

}  // namespace

void CurvePoints::add(double px, double py) {
  if (!std::isfinite(px) || !std::isfinite(py)) return;
  x.push_back(px);
  y.push_back(py);
}

void indexProfile() { profile.build(); }

bool Compare_2_graph(double hight, double Sravn, bool plus, double& result) {
  const int k = profile.bracket(hight);
  if (k == 0) return false;
  const double p = LinearInterpolation(Massiv2H[k], Massiv2H[k + 1], Massiv2[k], Massiv2[k + 1], hight);
  result = plus ? Sravn + p : Sravn - p;
  return true;
}

void compareFlights(const RedrawRequest& request, RedrawPoints& points) {
  for (CurvePoints* list : {&points.flight1, &points.flight2, &points.flight3, &points.comparison, &points.average})
    list->clear();
  const bool flight1 = isUsable(request.flights[0], mass1Count);
  const bool flight2 = isUsable(request.flights[1], mass2Count);
  const bool flight3 = isUsable(request.flights[2], mass3Count);
  if (flight1 && flight2) updateHeightWindow(request.correction, request.flights[0].height, request.flights[1].height);

  // A slow-channel number that is no whole number fails here, before any point is added.
  if (flight1) drawFlight1(request, points.flight1);
  if (flight2) drawFlight(mas2, mass2Count, request.flights[1], points.flight2);
  if (flight3) drawFlight(mas3, mass3Count, request.flights[2], points.flight3);
  if (!flight2) return;
  refillProfile(request.flights[1]);
  if (!flight1) return;
  drawComparison(request, points.comparison);
  drawAverage(request, points.average);
}
