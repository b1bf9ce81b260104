#pragma once

#include "raw/field_scanners.h"
#include "flight/flight_error.h"
#include "flight/flight_tables.h"
#include "reader/flight_reader.h"
#include "tests/generator/flight_generator.h"
#include "workspace/workspace.h"
#include "tests/support/recorded_slot.h"
#include "tests/support/temp_files.h"

#include <gtest/gtest.h>

// Reads files into slots from a fresh start: empty slots, the window's full height range.
class ReaderTest : public ::testing::Test {
 protected:
  const Workspace freshStart;

  int read(int slot, const std::string& bytes, DecimalSeparators separators = {'.', '.'}) {
    readFlightFile(slot, files.write("flight" + std::to_string(slot) + ".txt", bytes), separators,
                   controls[slot]);
    return flightSlot(slot).rowCount;
  }

  int readGenerated(int slot, const FlightRecipe& recipe) { return read(slot, generateFlight(recipe)); }

  // The message of the read's failure; the test fails when the read succeeds.
  std::string failure(int slot, const std::string& bytes) {
    try {
      read(slot, bytes);
    } catch (const FlightError& error) {
      return error.message().english();
    }
    ADD_FAILURE() << "the read succeeded";
    return {};
  }

  double cell(int slot, int column, int row) const { return flightSlot(slot).table[column][row]; }

  TempFiles files;
  RecordedSlot controls[4];
};
