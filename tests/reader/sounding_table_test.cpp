// Delimited tables of named columns: the exports of other sounding systems and receivers' logs,
// read as the operator opens them.
#include "tests/support/reader_fixture.h"

#include <cmath>
#include <filesystem>

namespace {

// The value of a slot's column by the name the lists give it.
class TableTest : public ReaderTest {
 protected:
  double value(int slot, const std::string& column, int row) const {
    const std::vector<std::string>& items = controls[slot].items;
    const auto found = std::find(items.begin(), items.end(), column);
    if (found == items.end()) {
      ADD_FAILURE() << "no column " << column;
      return 0;
    }
    return cell(slot, static_cast<int>(found - items.begin()), row);
  }
  FlightIdentity readTable(int slot, const std::string& path) { return readFlightFile(slot, path, {'.', ','}, controls[slot]); }
};

}  // namespace

// What each system's export of one Payerne flight holds, by its first and last rows.
TEST_F(TableTest, TheExportsOfOtherSystemsOpenWithTheirQuantitiesAndIdentity) {
  struct Row {
    double time, height, temperature, humidity, direction, speed, pressure;
  };
  struct Case {
    const char* file;
    const char* format;
    int rows;
    std::vector<std::string> firstOwnColumns;
    Row first, last;
    HeightKind kind;
    const char* label;  // the identity it states
  };
  const Case cases[] = {
      {"C34.PAY_20171024T120000.csv", "table (semicolon-separated, 16 columns)", 5605,
       {"Rel. Time", "Altitude (gpm)", "Wind Direction (?)"},
       {0, 491.02, 12.0, 66.3, 88, 1.1, 969.5}, {5676, 34088.43, -51.82, NAN, 266.18, 48.74, 5.84},
       HeightKind::Geopotential, "SRS_C34 4677 · Payerne_Start 2017-10-24 12:00 UTC"},
      {"C50.PAY_20171024T120000.csv", "table (semicolon-separated, 16 columns)", 5675,
       {"Rel. Time", "Altitude (gpm)", "Wind Direction (?)"},
       {0, 491.02, 12.0, 66.3, 84, 1.0, 969.5}, {5674, 34088.38, -51.89, 3.04, 265.74, 48.13, 5.82},
       HeightKind::Geopotential, "SRS_C50 1083 · Payerne 2017-10-24 12:00 UTC"},
      {"RS41-MCH-PRE2018.PAY_20171024T120000.txt", "table (blank-separated, 9 columns)", 5659,
       {"Elapsed time", "AscRate", "GpsHeightMSL", "Temp"},
       {0, 491.0, 12.0, 66.3, 88, 1.1, 969.5}, {5658, 33964.2, -52.45, 0.5, 262, 41.13, 5.94},
       HeightKind::Geometric, ""},
      {"RS92.PAY_20171024T120000.txt", "table (blank-separated, 7 columns)", 2830,
       {"Time", "Height", "WS", "WD"},
       {0, 491, 12.05, 66, 88, 1.1, 969.5}, {5658, 33964, -51.45, 1, 260, 45.4, 5.9},
       HeightKind::Unknown, ""},
  };
  const std::string exports = std::string(REAL_FILES) + "/manufacturer/";
  if (!std::filesystem::exists(exports)) GTEST_SKIP() << "no real exports at " << exports;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const FlightIdentity identity = readTable(2, exports + c.file);
    EXPECT_EQ(identity.format, c.format);
    ASSERT_EQ(mass2Count, c.rows) << "to the top of the ascent";
    const std::vector<std::string>& items = controls[2].items;
    EXPECT_EQ(std::vector<std::string>(items.begin(), items.begin() + 7),
              (std::vector<std::string>{"time", "H", "T", "U", "D", "V", "P"}));
    for (const std::string& own : c.firstOwnColumns)
      EXPECT_NE(std::find(items.begin(), items.end(), own), items.end()) << own;
    EXPECT_EQ(items[controls[2].height], "H");
    EXPECT_EQ(items[controls[2].parameter], "T");
    for (const auto& [row, expected] : {std::pair{1, c.first}, std::pair{c.rows, c.last}}) {
      const double got[] = {value(2, "time", row), value(2, "H", row), value(2, "T", row), value(2, "U", row),
                            value(2, "D", row), value(2, "V", row), value(2, "P", row)};
      const double want[] = {expected.time, expected.height, expected.temperature, expected.humidity,
                             expected.direction, expected.speed, expected.pressure};
      for (std::size_t i = 0; i < std::size(want); ++i)
        EXPECT_TRUE(got[i] == want[i] || (std::isnan(got[i]) && std::isnan(want[i])))
            << "row " << row << " column " << items[i] << ": " << got[i];
    }
    EXPECT_EQ(identity.heightKind(), c.kind);
    EXPECT_EQ(identity.statedLabel(), c.label);
  }
  const FlightIdentity c34 = readTable(1, exports + "C34.PAY_20171024T120000.csv");
  EXPECT_EQ(c34.launchTime, "2017-10-24T11:06:06Z");
  EXPECT_NEAR(c34.latitude, 46.813018, 1e-9);
  EXPECT_NEAR(c34.longitude, 6.94368, 1e-9);
  EXPECT_EQ(c34.altitude, 491.0) << "the first Altitude, not the 1000 hPa level's";
}

// The generator's tables: their quantities come in the program's units, the model's values.
TEST_F(TableTest, EachKindOfTableGivesTheModelsValues) {
  struct Case {
    TableKind kind;
    char decimal;
    const char* format;
    HeightKind heightKind;
  };
  const Case cases[] = {
      {TableKind::Export, '.', "table (semicolon-separated, 9 columns)", HeightKind::Geopotential},
      {TableKind::Export, ',', "table (semicolon-separated, 9 columns)", HeightKind::Geopotential},
      {TableKind::Receiver, '.', "table (comma-separated, 9 columns)", HeightKind::Geometric},
      {TableKind::Blanks, '.', "table (blank-separated, 7 columns)", HeightKind::Unknown},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.kind)) + c.decimal);
    FlightRecipe recipe;
    recipe.layout = Layout::Table;
    recipe.table = c.kind;
    recipe.decimal = c.decimal;
    recipe.rows = 299;  // no row of a log's sentinels among those looked at
    recipe.descentRows = 20;
    const FlightIdentity identity = readTable(2, files.write("table.txt", generateFlight(recipe)));
    EXPECT_EQ(identity.format, c.format);
    EXPECT_EQ(identity.heightKind(), c.heightKind);
    ASSERT_EQ(mass2Count, recipe.rows) << "the descent is cut";
    for (int row : {1, 49, 123, recipe.rows}) {
      const Sounding s = soundingAt(recipe, row);
      EXPECT_NEAR(value(2, "H", row), s.height, 0.05);
      EXPECT_NEAR(value(2, "T", row), s.temperature, 0.005);
      EXPECT_NEAR(value(2, "P", row), s.pressure, 0.005);
      EXPECT_NEAR(value(2, "V", row), s.speed, 0.005);
      EXPECT_NEAR(std::remainder(value(2, "D", row) - s.direction, 360), 0, c.kind == TableKind::Blanks ? 0.5 : 0.05);
      // A log's timestamps count from its first; a time column as it stands.
      EXPECT_NEAR(value(2, "time", row), c.kind == TableKind::Receiver ? row - 1 : s.time, 1e-9);
    }
  }
}

// A receiver's log: GPS timestamps from its first row, the launch; the sonde from its columns;
// sentinel rows hold no values.
TEST_F(TableTest, AReceiversLogStatesItsSondeAndLaunchAndDropsSentinels) {
  FlightRecipe recipe;
  recipe.layout = Layout::Table;
  recipe.table = TableKind::Receiver;
  recipe.rows = 120;
  recipe.serial = "T7654321";
  const FlightIdentity identity = readTable(1, files.write("log.csv", generateFlight(recipe)));
  EXPECT_EQ(identity.launchTime, "2026-06-01T11:00:19Z") << "the first row, on GPS time";
  EXPECT_EQ(identity.serialNumber, "T7654321");
  EXPECT_EQ(identity.sondeType, "RS41");
  const std::vector<std::string>& items = controls[1].items;
  EXPECT_EQ(std::find(items.begin(), items.end(), "serial"), items.end()) << "text is no column to draw";
  EXPECT_TRUE(std::isnan(value(1, "T", 50)) && std::isnan(value(1, "U", 50)) && std::isnan(value(1, "P", 50)));
  EXPECT_TRUE(std::isnan(value(1, "temp (°C)", 100))) << "the file's own column too";
  EXPECT_FALSE(std::isnan(value(1, "T", 51)));
}

TEST_F(TableTest, WhatIsNoRowFailsNamingTheLineOrEndsTheTable) {
  const std::string header = "time;height;temp\n";
  const std::string rows = "0;100;15\n1;105;14,9\n2;110;14.8\n";
  struct Case {
    std::string bytes;
    std::string failure;  // empty: the read succeeds
    int rows;
  };
  const Case cases[] = {
      {header + rows + "3;115\n", "A row holds 2 fields where the table's header names 3.\nFile: %, line 5", 0},
      {header + rows + "3;115;14;0\n", "A row holds 4 fields where the table's header names 3.\nFile: %, line 5", 0},
      {header + rows + "3,115,14\n", "A row holds 1 fields where the table's header names 3.\nFile: %, line 5", 0},
      {header + rows + "3;x;14\n", "'x' is not a valid floating point value\nFile: %, line 5", 0},
      {header + rows + "End of data\nsaved by nobody\n", "", 3},
      {header + rows + header + "3;115;14\n", "", 4},  // a header repeated on a new page
      {"time;height;temp\r0;100;15\r1;105;14\r2;110;13\r", "", 3},  // lines that end in CR alone
      {header + "0;100;15\n", "Unrecognised file: no header line of a known flight layout.\nFile: %", 0},
      {"name;value\n0;1\n1;2\n2;3\n", "Unrecognised file: no header line of a known flight layout.\nFile: %", 0},
  };
  const std::string file = files.path("flight1.txt");
  for (const Case& c : cases) {
    try {
      EXPECT_EQ(read(1, c.bytes), c.rows) << c.bytes;
      EXPECT_EQ(c.failure, "") << c.bytes;
    } catch (const FlightError& error) {
      std::string expected = c.failure;
      if (const std::size_t at = expected.find('%'); at != std::string::npos) expected.replace(at, 1, file);
      EXPECT_EQ(std::string(error.what()), expected) << c.bytes;
    }
  }
}
