#include "compare/comparison_redraw.h"
#include "compare/layer_statistics.h"
#include "compare/slow_channel.h"
#include "flight/flight_error.h"
#include "flight/flight_tables.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A flight of two columns: heights in column 0, values in column 1 (and more when given).
void loadFlight(int slot, const std::vector<std::vector<double>>& columns) {
  FlightSlotData flight = flightSlot(slot);
  for (std::size_t c = 0; c < columns.size(); ++c)
    for (std::size_t r = 0; r < columns[c].size(); ++r) flight.table[c][r + 1] = columns[c][r];
  flight.rowCount = static_cast<int>(columns[0].size());
}

std::vector<double> range(double first, double step, int count) {
  std::vector<double> values;
  for (int i = 0; i < count; ++i) values.push_back(first + step * i);
  return values;
}

class Redraw : public ::testing::Test {
 protected:
  void SetUp() override {
    lowchange1Position = kNoSlwiColumn;
    for (SlotChoice& choice : request.flights) choice = {0, 1, 2};
  }

  void redraw() { compareFlights(request, points); }

  const Workspace freshStart;
  RedrawRequest request;
  RedrawPoints points;
};

}  // namespace

TEST_F(Redraw, TheWindowIsTheOverlapOfFlightsOneAndTwo) {
  loadFlight(1, {range(100, 100, 200), range(1, 0, 200)});     // 100 .. 20000
  loadFlight(2, {range(500, 122.5, 201), range(0, 0, 201)});   // 500 .. 25000
  loadFlight(3, {range(0, 100, 301), range(3, 0, 301)});       // 0 .. 30000
  redraw();
  EXPECT_EQ(MinHight, 500);
  EXPECT_EQ(MaxHight, 20000);
  EXPECT_EQ(points.flight1.y.front(), 500) << "the bounds belong to the window";
  EXPECT_EQ(points.flight1.y.back(), 20000);
  EXPECT_EQ(points.flight3.y.size(), 196u) << "flight 3 is clipped by the same window";

  request.correction = 1000;
  redraw();
  EXPECT_EQ(MinHight, 1100);
  EXPECT_EQ(MaxHight, 21000);
  EXPECT_EQ(points.flight1.y.front(), 1100) << "flight 1 is drawn at its corrected height";
  EXPECT_EQ(points.comparison.y.front(), 100) << "the comparison at the stored one";
  EXPECT_EQ(points.flight2.y.front(), 1112.5);
}

TEST_F(Redraw, FlightsThatDoNotOverlapDrawNothing) {
  loadFlight(1, {range(0, 1000, 6), range(1, 0, 6)});
  loadFlight(2, {range(8000, 1000, 13), range(1, 0, 13)});
  loadFlight(3, {range(0, 100, 300), range(1, 0, 300)});
  redraw();
  EXPECT_EQ(MaxHight, 5000);
  EXPECT_EQ(MinHight, 8000);
  for (const CurvePoints* list : {&points.flight1, &points.flight2, &points.flight3, &points.comparison, &points.average})
    EXPECT_TRUE(list->x.empty());
}

TEST_F(Redraw, OnlyFlightOneKeepsTheStoredWindow) {
  MaxHight = 30000;
  loadFlight(1, {range(29800, 100, 4), range(1, 0, 4)});
  request.correction = 100;
  redraw();
  EXPECT_EQ(points.flight1.y, (std::vector<double>{29900, 30000}));
  EXPECT_TRUE(points.comparison.x.empty()) << "no flight 2, no comparison";
  EXPECT_EQ(MaxHight, 30000);
}

TEST_F(Redraw, ComparesAtTheCorrectedHeightWithMinusOrPlus) {
  loadFlight(1, {range(0, 10, 101), range(5, 1, 101)});
  loadFlight(2, {range(0, 20, 51), range(2, 0.5, 51)});
  request.correction = 10;
  redraw();
  ASSERT_FALSE(points.comparison.x.empty());
  // Row 1: corrected height 10 lies in the window [10, 1000]; flight 2 there is 2.25.
  EXPECT_EQ(points.comparison.x.front(), 5 - 2.25);
  EXPECT_EQ(CompareMassiv[1], 5 - 2.25);
  request.plus = true;
  redraw();
  EXPECT_EQ(points.comparison.x.front(), 5 + 2.25);
  EXPECT_EQ(MassivsCount, 51);
}

TEST_F(Redraw, TheAverageTakesTheRowsOfThisRedrawAround) {
  loadFlight(1, {range(1, 1, 200), range(1, 1, 200)});  // comparison value of row i: i
  loadFlight(2, {range(0, 1, 300), range(0, 0, 300)});
  redraw();
  ASSERT_EQ(points.average.x.size(), 149u) << "rows 52 to 200";
  EXPECT_EQ(points.average.y.front(), 52);
  EXPECT_EQ(points.average.x[100 - 52], 100) << "row 100 averages rows 50..150";
  EXPECT_EQ(points.average.x.back(), (150 + 200) / 2.0) << "rows beyond the flight take no part";

  loadFlight(1, {range(1, 1, 51), range(1, 0, 51)});
  redraw();
  EXPECT_TRUE(points.average.x.empty()) << "51 rows are too few";
}

TEST_F(Redraw, TheAverageSkipsRowsWithoutAComparisonValue) {
  std::vector<double> heights = range(1, 1, 200);
  heights[59] = 5000;  // row 60 lies outside the window
  loadFlight(1, {heights, range(1, 1, 200)});
  loadFlight(2, {range(0, 1, 300), range(0, 0, 300)});
  CompareMassiv[60] = 1e9;  // a stale value of an earlier redraw
  redraw();
  // Row 100 averages rows 50..150 without row 60.
  double sum = 0;
  for (int row = 50; row <= 150; ++row)
    if (row != 60) sum += row;
  EXPECT_DOUBLE_EQ(points.average.x[100 - 52 - 1], sum / 100);
}

// Each average is the mean of its window as if summed exactly: a huge value changes only the
// averages of the windows that hold it, and rounds away none of the small values beside it.
TEST_F(Redraw, TheAverageIsExactBesideAndAfterASpike) {
  std::vector<double> values;
  for (int i = 0; i < 400; ++i) values.push_back(0.1 * (i % 7) + 1e-3 * i);
  std::vector<double> spiked = values;
  spiked[199] = 1e12;  // row 200
  loadFlight(2, {range(0, 1, 500), range(0, 0, 500)});
  loadFlight(1, {range(1, 1, 400), spiked});
  redraw();
  const CurvePoints withSpike = points.average;
  values[199] = std::nan("");  // row 200 without a comparison value
  loadFlight(1, {range(1, 1, 400), values});
  redraw();
  for (std::size_t i = 0, j = 0; i < withSpike.y.size(); ++i) {
    const int row = static_cast<int>(withSpike.y[i]);
    if (row == 200) continue;
    ASSERT_EQ(points.average.y[j], row);
    const double without = points.average.x[j++];
    if (std::abs(row - 200) > kAverageHalfWidth) {
      EXPECT_EQ(withSpike.x[i], without) << "row " << row;
      continue;
    }
    long double smallOnes = 0;
    for (int r = std::max(1, row - 50); r <= std::min(400, row + 50); ++r)
      if (r != 200) smallOnes += values[r - 1];
    const int count = std::min(400, row + 50) - std::max(1, row - 50) + 1;
    EXPECT_EQ(withSpike.x[i], static_cast<double>((1e12L + smallOnes) / count)) << "row " << row;
  }
}

TEST_F(Redraw, SlowChannelPlotsOnlyItsOwnRows) {
  // Columns: height, slwi, the reading after it.
  loadFlight(1, {{100, 200, 300, 400}, {10, 11, 10, 7}, {2048, 0, 4096, 1234}});
  lowchange1Position = 1;
  request.flights[0] = {0, 1, 3};
  struct Case {
    const char* text;
    std::vector<double> x;
  };
  const Case cases[] = {{"10", {3.3, 6.6}}, {"11", {(1.43 - 0) / 4.3 + 25}}, {" +7", {1234}}, {"5", {}}};
  for (const Case& c : cases) {
    request.slowChannelText = c.text;
    redraw();
    ASSERT_EQ(points.flight1.x.size(), c.x.size()) << c.text;
    for (std::size_t i = 0; i < c.x.size(); ++i) EXPECT_DOUBLE_EQ(points.flight1.x[i], c.x[i]) << c.text;
  }
  request.slowChannelText = "11";
  loadFlight(1, {{100}, {11}, {4096}});
  redraw();
  EXPECT_NEAR(points.flight1.x.at(0), 24.565116, 1e-6);

  request.flights[0].columns = 2;  // "slwi" is the last column of the file
  redraw();
  EXPECT_TRUE(points.flight1.x.empty());
}

TEST_F(Redraw, ASlowChannelNumberThatIsNoWholeNumberFailsBeforeAnyPoint) {
  loadFlight(1, {range(100, 100, 10), {10, 10, 10, 10, 10, 10, 10, 10, 10, 10}, range(0, 1, 10)});
  loadFlight(2, {range(0, 100, 20), range(0, 0, 20)});
  loadFlight(3, {range(0, 100, 20), range(0, 0, 20)});
  lowchange1Position = 1;
  request.flights[0] = {0, 1, 3};
  for (const char* text : {"", "ten", "1.5", "1e1", "2147483648", " ", "10 "}) {
    request.slowChannelText = text;
    try {
      redraw();
      ADD_FAILURE() << text;
    } catch (const FlightError& error) {
      EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid integer value");
    }
    EXPECT_TRUE(points.flight1.x.empty() && points.flight2.x.empty() && points.flight3.x.empty());
    EXPECT_EQ(MaxHight, 1000) << "the window set before the failure stays";
  }
  request.flights[0].parameter = 2;
  EXPECT_NO_THROW(redraw()) << "the text matters only while the slow channel is shown";
}

TEST_F(Redraw, ASlotWithoutAColumnCountsAsEmpty) {
  loadFlight(1, {range(0, 100, 50), range(1, 0, 50)});
  loadFlight(2, {range(0, 100, 50), range(1, 0, 50)});
  request.flights[1].parameter = -1;
  MaxHight = 1234;
  redraw();
  EXPECT_EQ(MaxHight, 1234) << "no window from an unusable flight 2";
  EXPECT_TRUE(points.flight2.x.empty());
  EXPECT_TRUE(points.comparison.x.empty());
  EXPECT_FALSE(points.flight1.x.empty());
  request.flights[0].height = 56;
  redraw();
  EXPECT_TRUE(points.flight1.x.empty());
}

TEST_F(Redraw, PointsWithoutFiniteValuesAreLeftOut) {
  loadFlight(3, {{100, 200, std::nan(""), 400}, {1, std::nan(""), 3, 4}});
  redraw();
  EXPECT_EQ(points.flight3.x, (std::vector<double>{1, 4}));
}

TEST(SlowChannelNumber, ReadsWholeNumbersOnly) {
  EXPECT_EQ(slowChannelNumber("10"), 10);
  EXPECT_EQ(slowChannelNumber("  -2147483648"), -2147483648);
  EXPECT_EQ(slowChannelNumber("+2147483647"), 2147483647);
  for (const char* text : {"", "+", "-", "1 0", "0x1", "١"}) EXPECT_THROW(slowChannelNumber(text), FlightError) << text;
}

// Flight 2's uncertainty is read at flight 1's height by the pair and interpolation of its value.
TEST_F(Redraw, DifferencesAreJudgedAgainstTheCombinedUncertainty) {
  const double none = std::nan("");
  loadFlight(1, {{100, 200, 300}, {10, 10, 10}, {0.3, none, 0.4}});
  loadFlight(2, {{50, 150, 350}, {9, 9.5, 9}, {0.4, 0.2, 0.6}});
  for (int slot : {0, 1}) request.flights[slot] = {0, 1, 3, 2};
  redraw();
  EXPECT_EQ(points.comparison.x, (std::vector<double>{0.75, 0.625, 0.875}));
  ASSERT_EQ(points.comparison.uncertainty.size(), 3u);
  EXPECT_DOUBLE_EQ(points.comparison.uncertainty[0], std::sqrt(0.3 * 0.3 + 0.3 * 0.3)) << "u2 = 0.3 at 100 m";
  EXPECT_TRUE(std::isnan(points.comparison.uncertainty[1])) << "flight 1 states none at 200 m";
  EXPECT_DOUBLE_EQ(points.comparison.uncertainty[2], std::sqrt(0.4 * 0.4 + 0.5 * 0.5)) << "u2 = 0.5 at 300 m";

  const ConsistencyTally layer = layerStatistics(points.comparison, 1000).front().consistency;
  EXPECT_EQ(layer.points(), 2u) << "the point without u_c still counts among the values, not here";
  EXPECT_DOUBLE_EQ(layer.meanUncertainty(), (std::sqrt(0.18) + std::sqrt(0.41)) / 2);
  EXPECT_EQ(layer.shareWithin(1), 0.0);
  EXPECT_EQ(layer.shareWithin(2), 1.0);
  EXPECT_EQ(layer.shareWithin(3), 1.0);

  request.plus = true;
  redraw();
  EXPECT_EQ(points.comparison.x.size(), 3u);
  EXPECT_TRUE(points.comparison.uncertainty.empty()) << "sums are not judged";
}
