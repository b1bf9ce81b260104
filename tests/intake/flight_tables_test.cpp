#include "intake/flight_tables.h"

#include <gtest/gtest.h>

#include <stdexcept>

// Registered first (see tests/CMakeLists.txt), so it sees the globals as the program starts.
TEST(FlightTables, StartZeroFilled) {
  for (const auto* table : {&mas1, &mas2, &mas3}) {
    EXPECT_EQ((*table)[0][1], 0.0);
    EXPECT_EQ((*table)[kMaxColumns - 1][kMaxRows], 0.0);
  }
  EXPECT_EQ(mass1Count + mass2Count + mass3Count, 0);
  EXPECT_EQ(MaxHight, 0.0) << "the window's creation sets the top, not the program's start";
  EXPECT_EQ(MinHight, 0.0);
  EXPECT_EQ(MassivsCount, 0);
  EXPECT_EQ(lowchange1Position, 0);
  EXPECT_EQ(Massiv2H[kProfileCapacity], 0.0);
  EXPECT_EQ(CompareMassiv[kProfileCapacity], 0.0);
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
