#include "flight/flight_tables.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

// In a process of its own, as the program starts: the other tests of this one fill the tables.
TEST(FlightTables, StartZeroFilled) {
  const std::string style = GTEST_FLAG_GET(death_test_style);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        bool zero = mass1Count + mass2Count + mass3Count == 0 && MinHight == 0.0 && MassivsCount == 0 &&
                    lowchange1Position == 0 && Massiv2H[kProfileCapacity] == 0.0 && CompareMassiv[kProfileCapacity] == 0.0;
        for (const auto* table : {&mas1, &mas2, &mas3})
          zero = zero && (*table)[0][1] == 0.0 && (*table)[kMaxColumns - 1][kMaxRows] == 0.0;
        // The window's creation sets the top, not the program's start.
        std::exit(zero && MaxHight == 0.0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  GTEST_FLAG_SET(death_test_style, style);
}

TEST(FlightTables, ColumnsAreContiguousRunsOfRows) {
  EXPECT_EQ(&mas1[1][0] - &mas1[0][0], kMaxRows + 1);
  EXPECT_EQ(&mas1[0][kMaxRows] - &mas1[0][1], kMaxRows - 1);
}

TEST(FlightTables, SlotsBindTheirOwnTableAndCount) {
  EXPECT_EQ(&flightSlot(1).table, &mas1);
  EXPECT_EQ(&flightSlot(2).rowCount, &mass2Count);
  EXPECT_EQ(&flightSlot(3).table, &mas3);
  EXPECT_THROW(flightSlot(0), std::out_of_range);
  EXPECT_THROW(flightSlot(4), std::out_of_range);
}
