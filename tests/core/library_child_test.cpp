// A library's read runs in a child process: what it reads reaches the slot, and its failure,
// crash or hang becomes the read's failure while the program goes on.
#include "flight_error.h"
#include "flight_tables.h"
#include "library_child.h"
#include "read_choices.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <optional>

namespace {

FlightRows twoColumns(FlightTable& table, SlotControls& controls) {
  controls.clearParameterLists();
  controls.addParameter("time");
  controls.addParameter("H");
  controls.selectHeight(1);
  for (int row = 1; row <= 3; ++row) {
    table[0][row] = row;
    table[1][row] = 100.0 * row;
  }
  return {3, 1};
}

}  // namespace

TEST(LibraryChild, HandsOverTheReadOrItsFailure) {
  struct Case {
    const char* what;
    LibraryRead read;
    std::optional<std::string> failure;
  };
  const Case cases[] = {
      {"a read", twoColumns, std::nullopt},
      {"the library's message", [](FlightTable&, SlotControls&) -> FlightRows { throw FlightError("NetCDF: HDF error"); },
       "NetCDF: HDF error"},
      {"a crash", [](FlightTable&, SlotControls&) -> FlightRows { std::raise(SIGSEGV); return {}; },
       "The NetCDF library crashed reading the file (Segmentation fault)."},
      {"a hang", [](FlightTable&, SlotControls&) -> FlightRows { for (;;) pause(); },
       "The NetCDF library did not finish reading the file within 1 s."},
  };
  OwnFlightSet flights;
  FlightTable& table = flights.flights().slot(1).table;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReadChoices controls;
    try {
      const FlightRows rows = readInChildProcess("NetCDF", c.read, table, controls, 1);
      EXPECT_FALSE(c.failure);
      EXPECT_EQ(rows.count, 3);
      EXPECT_EQ(rows.heightColumn, 1);
      EXPECT_EQ(controls.items, (std::vector<std::string>{"time", "H"}));
      EXPECT_EQ(controls.height, 1);
      EXPECT_EQ(table[1][3], 300.0);
    } catch (const FlightError& error) {
      EXPECT_EQ(error.message(), c.failure);
      EXPECT_TRUE(controls.items.empty());
    }
  }
}
