#include "compare/comparison_redraw.h"
#include "flight/flight_error.h"
#include "flight/flight_tables.h"
#include "tests/generator/flight_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTime = 0, kHeight = 1, kTemperature = 2;

// A sonde of one balloon as its table holds it: 1 s rows at 5 m/s, its ascent rate swinging.
FlightRecipe sonde(double clockStart = 0, double heightOffset = 0, int seed = 0) {
  FlightRecipe recipe;
  recipe.rows = 6000;
  recipe.ascentSwing = 10;
  recipe.noise = 0.05;
  recipe.heightNoise = 0.5;
  recipe.clockStart = clockStart;
  recipe.heightOffset = heightOffset;
  recipe.seed = seed;
  return recipe;
}

class TimeMatching : public ::testing::Test {
 protected:
  void load(int slot, const FlightRecipe& recipe) {
    FlightSlotData flight = flights.flights().slot(slot);
    for (int row = 1; row <= recipe.rows; ++row) {
      const Sounding s = soundingAt(recipe, row);
      flight.table[kTime][row] = s.time;
      flight.table[kHeight][row] = s.height;
      flight.table[kTemperature][row] = s.temperature;
    }
    flight.rowCount = recipe.rows;
  }

  CurvePoints compare(MatchBy by, std::optional<double> shift = std::nullopt) {
    RedrawRequest request;
    for (SlotChoice& choice : request.flights) choice = {kHeight, kTemperature, 3, -1, {}, kTime};
    request.matching = {by, shift, clocks};
    CurvePoints points;
    comparison.compareOnly(request, points);
    return points;
  }

  OwnFlightSet flights;
  FlightComparison comparison{flights.flights()};
  StatedClocks clocks;
};

double mean(const CurvePoints& points) {
  double sum = 0;
  for (double x : points.x) sum += x;
  return sum / static_cast<double>(points.x.size());
}

}  // namespace

// The clocks found whatever the heights' offset, to the tenth; flight 2's clock started later
// reads its moment that many seconds earlier. A typed shift is taken as it stands.
TEST_F(TimeMatching, FindsTheClocksShiftAndIgnoresAnOffsetOfTheHeights) {
  struct Case {
    double clockStart1, clockStart2, heightOffset2;
  };
  for (const Case& c : {Case{0, -30, 0}, Case{0, 30, 45}, Case{0, 12.3, 0}, Case{2.5, -4.8, 45}, Case{0, 0.7, -45}}) {
    SCOPED_TRACE(testing::Message() << c.clockStart1 << " " << c.clockStart2 << " " << c.heightOffset2);
    load(1, sonde(c.clockStart1));
    load(2, sonde(c.clockStart2, c.heightOffset2, 1));
    const CurvePoints points = compare(MatchBy::Time);
    const ClockShift& found = comparison.clockShift();
    EXPECT_NEAR(found.shift, c.clockStart1 - c.clockStart2, 0.051);
    EXPECT_EQ(found.shift, std::round(found.shift * 10) / 10) << "written, it reads as tenths";
    EXPECT_NEAR(found.heightDifference, -c.heightOffset2, 0.5);
    EXPECT_TRUE(found.automatic);
    EXPECT_FALSE(found.atEdge || found.flat);
    EXPECT_NEAR(mean(points), 0, 0.01) << "matched in time, the offset of the heights adds no difference";
    const CurvePoints byHeight = compare(MatchBy::Height);
    if (c.heightOffset2 != 0) {
      EXPECT_GT(std::abs(mean(byHeight)), 0.05) << "matched by height, it does";
    }

    compare(MatchBy::Time, 3.0);
    EXPECT_EQ(comparison.clockShift().shift, 3.0);
    EXPECT_FALSE(comparison.clockShift().automatic);
  }
}

// Launches stated 2.58 s apart: a shift within a second of that, or of it give or take GPS time's
// 18 s lead on UTC, is a clock difference; a shift of 9 s more is a lag.
TEST_F(TimeMatching, TellsAClockDifferenceFromALag) {
  clocks = {true, 2.58, 18};
  struct Case {
    double trueShift;
    std::optional<int> clockSeconds;
  };
  for (const Case& c : {Case{2.58, 0}, Case{3.3, 0}, Case{20.58, 18}, Case{-15.4, -18}, Case{11.58, std::nullopt}}) {
    SCOPED_TRACE(c.trueShift);
    load(1, sonde());
    load(2, sonde(-c.trueShift, 0, 1));
    compare(MatchBy::Time);
    EXPECT_NEAR(comparison.clockShift().shift, c.trueShift, 0.051);
    EXPECT_EQ(comparison.clockShift().clockSeconds, c.clockSeconds);
  }
}

// No value across a stretch flight 2 did not send, nor before or after its clock ran.
TEST_F(TimeMatching, ReadsNoValueAcrossAGapOrOutsideFlightTwosTimes) {
  load(1, sonde());
  FlightRecipe second = sonde(0, 0, 1);
  second.rows = 5000;
  load(2, second);
  FlightSlotData flight2 = flights.flights().slot(2);
  for (int row = 2000; row < 2030; ++row) flight2.table[kTime][row] = std::nan("");
  const CurvePoints points = compare(MatchBy::Time, 0.0);
  // Rows 2000 to 2029 are near 10 km, give or take the swing of the ascent.
  const auto pointsWithin = [&](double low, double high) {
    return std::count_if(points.y.begin(), points.y.end(), [&](double y) { return y > low && y < high; });
  };
  EXPECT_EQ(pointsWithin(10020, 10125), 0);
  EXPECT_GT(pointsWithin(9900, 9980), 10);
  EXPECT_GT(pointsWithin(10170, 10250), 10);
  EXPECT_EQ(pointsWithin(soundingAt(second, 5000).height + 20, 1e9), 0);
}

TEST_F(TimeMatching, AFlightWithoutATimeColumnSaysSoAndOneWithoutRowsKeepsNoShift) {
  load(1, sonde());
  load(2, sonde());
  RedrawRequest request;
  for (SlotChoice& choice : request.flights) choice = {kHeight, kTemperature, 3};
  request.flights[0].time = kTime;
  request.matching.by = MatchBy::Time;
  CurvePoints points;
  try {
    comparison.compareOnly(request, points);
    ADD_FAILURE() << "compared without flight 2's time";
  } catch (const FlightError& error) {
    EXPECT_EQ(error.whole().english(), "Flight 2 has no time column.");
  }
  EXPECT_TRUE(points.x.empty());

  request.flights[1].time = kTime;
  comparison.compareOnly(request, points);
  ASSERT_FALSE(std::isnan(comparison.clockShift().shift));
  flights.flights().slot(2).rowCount = 0;
  comparison.compareOnly(request, points);
  EXPECT_TRUE(std::isnan(comparison.clockShift().shift)) << "a flight without rows keeps no shift of the one before";
}

// A balloon rising steadily fits every shift alike: the stated clocks stand, and the minimum is flat.
TEST_F(TimeMatching, ASteadyAscentKeepsTheStatedClocksAndSaysTheMinimumIsFlat) {
  clocks = {true, 2.5, 18};
  FlightRecipe steady = sonde(0, 45);
  steady.ascentSwing = 0;
  steady.heightNoise = 0;
  load(1, steady);
  load(2, steady);
  compare(MatchBy::Time);
  EXPECT_EQ(comparison.clockShift().shift, 2.5);
  EXPECT_TRUE(comparison.clockShift().flat);
}
