#include "compare/height_window.h"
#include "flight/flight_tables.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Loads a two-row flight whose height column 0 runs from bottom to top.
void loadSpan(FlightSlotData slot, double bottom, double top) {
  slot.table[0][1] = bottom;
  slot.table[0][2] = top;
  slot.rowCount = 2;
}

class CommonHeightWindow : public ::testing::Test {
 protected:
  const Workspace freshStart;
};

}  // namespace

TEST_F(CommonHeightWindow, IsTheOverlapOfBothSpansWithTheCorrection) {
  struct Case {
    double bottom1, top1, bottom2, top2;
    int correction;
    double min, max;
  };
  const Case cases[] = {
      {100, 20000, 500, 25000, 0, 500, 20000},
      {100, 20000, 500, 25000, 1000, 1100, 21000},
      {0, 5000, 8000, 20000, 0, 8000, 5000},      // spans apart: an empty window
      {-300, 60000, -10, 70000, 0, 0, 50000},      // never below 0 nor above 50000
  };
  for (const Case& c : cases) {
    loadSpan(flightSlot(1), c.bottom1, c.top1);
    loadSpan(flightSlot(2), c.bottom2, c.top2);
    updateHeightWindow(windowFlights(), c.correction, 0, 0);
    EXPECT_EQ(MinHight, c.min);
    EXPECT_EQ(MaxHight, c.max);
  }
}

TEST_F(CommonHeightWindow, KeepsItsBoundsUnlessBothFlightsAreUsable) {
  MaxHight = 30000;
  MinHight = 7;
  loadSpan(flightSlot(1), 100, 20000);
  updateHeightWindow(windowFlights(), 0, 0, 0);
  mass1Count = 0;
  loadSpan(flightSlot(2), 100, 20000);
  updateHeightWindow(windowFlights(), 0, 0, 0);
  loadSpan(flightSlot(1), 100, 20000);
  updateHeightWindow(windowFlights(), 0, -1, 0);
  updateHeightWindow(windowFlights(), 0, 0, kMaxColumns);
  EXPECT_EQ(MaxHight, 30000);
  EXPECT_EQ(MinHight, 7);
}

TEST_F(CommonHeightWindow, HoldsBothEndsAndNoNaN) {
  MinHight = 500;
  MaxHight = 20000;
  EXPECT_TRUE(heightWindow(windowFlights()).contains(500));
  EXPECT_TRUE(heightWindow(windowFlights()).contains(20000));
  EXPECT_FALSE(heightWindow(windowFlights()).contains(std::nextafter(500.0, 0.0)));
  EXPECT_FALSE(heightWindow(windowFlights()).contains(std::nan("")));
}
