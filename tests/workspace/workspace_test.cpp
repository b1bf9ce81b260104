#include "workspace/workspace.h"

#include "flight/flight_tables.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

// A quick-select picks in the slots that have the quantity; the layers a redraw counts follow the
// thickness picked afterwards, and go with the points when the next redraw empties them first.
TEST(Workspace, HoldsTheLastRedrawsLayersForAnyThickness) {
  Workspace workspace;
  for (int slot : {1, 2}) {
    FlightSlotData flight = flightSlot(slot);
    for (int row = 1; row <= 40; ++row) {
      flight.table[0][row] = 100.0 * row;
      flight.table[1][row] = slot == 1 ? 0.5 : 0.25;
    }
    flight.rowCount = 40;
  }
  for (int slot : {1, 2}) {
    workspace.slot(slot).columns = {"H", "T"};
    workspace.slot(slot).height = 0;
  }
  EXPECT_EQ(workspace.quickSelect(Quantity::Temperature), (std::array<bool, 3>{true, true, false}));
  EXPECT_EQ(workspace.slot(1).parameter, 1);
  workspace.redraw(workspace.request());
  ASSERT_FALSE(workspace.points().comparison.x.empty());
  for (const double thickness : {1000.0, 250.0}) {
    SCOPED_TRACE(thickness);
    workspace.setLayerThickness(thickness);
    const std::vector<LayerStatistics> expected = layerStatistics(workspace.points().comparison, thickness);
    ASSERT_EQ(workspace.layers().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(workspace.layers()[i].bottom, expected[i].bottom);
      EXPECT_EQ(workspace.layers()[i].mean, 0.25);
    }
  }
  workspace.clearRedraw();
  EXPECT_TRUE(workspace.points().comparison.x.empty());
  EXPECT_TRUE(workspace.layers().empty());
}

// A flight that states who it is is named so; a raw file keeps the reader's title, and one sonde
// stated by two slots is told apart by the slots' numbers.
TEST(Workspace, NamesEachLegendByWhatItsFlightStates) {
  Workspace workspace;
  const char* serials[] = {"M2710695", "M2710695", ""};
  for (int slot = 1; slot <= 3; ++slot) {
    workspace.slot(slot).legendTitle = "…/flight" + std::to_string(slot) + ".nc";
    workspace.identity(slot).sondeType = *serials[slot - 1] ? "RS41-SG" : "";
    workspace.identity(slot).serialNumber = serials[slot - 1];
  }
  EXPECT_EQ(workspace.legendTitle(1), "RS41-SG M2710695 (полёт 1)");
  EXPECT_EQ(workspace.legendTitle(2), "RS41-SG M2710695 (полёт 2)");
  EXPECT_EQ(workspace.legendTitle(3), "…/flight3.nc");
  workspace.identity(2).serialNumber = "M2710700";
  EXPECT_EQ(workspace.legendTitle(1), "RS41-SG M2710695");
  EXPECT_EQ(workspace.legendTitle(2), "RS41-SG M2710700");
}
