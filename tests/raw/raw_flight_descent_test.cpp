// Where a flight ends at the top of its ascent, slot by slot.
#include "tests/support/reader_fixture.h"

#include <vector>

namespace {

// A tab-layout file with these heights in kilometres; T is the row number.
std::string tabFlight(const std::vector<double>& kilometres) {
  std::string out = "t\tH\tT\n";
  for (std::size_t i = 0; i < kilometres.size(); ++i)
    out += std::to_string(i) + "\t" + std::to_string(kilometres[i]) + "\t" + std::to_string(i + 1) + "\n";
  return out;
}

std::vector<double> rising(int rows) {
  std::vector<double> heights;
  for (int i = 1; i <= rows; ++i) heights.push_back(i);
  return heights;
}

}  // namespace

TEST_F(ReaderTest, EarlyFallsInSlot1DropTwoRowsAndReadOn) {
  std::vector<double> heights = {1, 2, 3, 4, 4, 3, 5, 6, 7, 8, 9, 10};
  EXPECT_EQ(read(1, tabFlight(heights)), 10);
  EXPECT_EQ(cell(1, 1, 5), 5000.0) << "the rows after the fall take the dropped places";
  EXPECT_EQ(cell(1, 2, 5), 7.0);
}

TEST_F(ReaderTest, FallsFromRow11EndTheFlightInSlot1) {
  std::vector<double> heights = rising(13);
  heights.insert(heights.end(), {12.5, 12, 20, 21});
  EXPECT_EQ(read(1, tabFlight(heights)), 13);
  EXPECT_EQ(MaxHight, 13000.0);
}

TEST_F(ReaderTest, SlotsTwoAndThreeEndAtTheFirstStrictDoubleFall) {
  std::vector<double> heights = {1, 2, 3, 4, 5, 4.5, 4, 6, 7};
  for (int slot : {2, 3}) EXPECT_EQ(read(slot, tabFlight(heights)), 5) << slot;
  EXPECT_EQ(read(1, tabFlight(heights)), 7) << "slot 1 drops rows 6 and 7 and reads on";
}

TEST_F(ReaderTest, LevelStretchesEndOnlySlot1) {
  std::vector<double> heights = rising(20);
  heights.insert(heights.end(), {20, 20, 21, 22});
  EXPECT_EQ(read(1, tabFlight(heights)), 20);
  EXPECT_EQ(read(2, tabFlight(heights)), 24);
  heights = rising(20);
  heights.insert(heights.end(), {19, 18, 17});
  for (int slot : {1, 2, 3}) EXPECT_EQ(read(slot, tabFlight(heights)), 20) << slot;
}

TEST_F(ReaderTest, FirstTwoRowsNeverEndAFlight) {
  EXPECT_EQ(read(2, tabFlight({5, 4})), 2);
  EXPECT_EQ(read(1, tabFlight({5, 5})), 2);
}

TEST_F(ReaderTest, SctFlightsEndAtTheTopInEverySlot) {
  FlightRecipe recipe;
  recipe.layout = Layout::Sct;
  recipe.rows = 40;
  recipe.descentRows = 6;
  for (int slot : {1, 2, 3}) EXPECT_EQ(readGenerated(slot, recipe), 40) << slot;
}

TEST_F(ReaderTest, WithoutAHeightColumnNothingIsCut) {
  EXPECT_EQ(read(2, "Sctime\tX\ttmp1f\n0\t5\t1\n1\t4\t2\n2\t3\t3\n"), 3);
  EXPECT_EQ(cell(2, 1, 3), 3.0);
  EXPECT_EQ(controls[2].height, -1);
  EXPECT_EQ(MaxHight, kTopOfHeightWindow);
}
