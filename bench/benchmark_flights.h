#pragma once

// Three 50000-row flights in the tables, as three sondes of one ascent would give them: each
// a little off the model, so that the comparison has something to show.

#include "compare/comparison_redraw.h"
#include "flight/flight_tables.h"
#include "tests/generator/flight_generator.h"

#include <cmath>

inline void loadBenchmarkFlights() {
  FlightRecipe recipe;
  recipe.rows = kMaxRows;
  for (int slot = 1; slot <= 3; ++slot) {
    FlightSlotData flight = flightSlot(slot);
    for (int row = 1; row <= kMaxRows; ++row) {
      const Sounding s = soundingAt(recipe, row);
      flight.table[0][row] = s.height + 7.0 * slot * std::sin(row * 0.01);
      flight.table[1][row] = s.temperature + 0.2 * slot + 0.1 * std::sin(row * 0.37 * slot);
    }
    flight.rowCount = kMaxRows;
  }
  MaxHight = kTopOfHeightWindow;
  lowchange1Position = kNoSlwiColumn;
}

inline RedrawRequest benchmarkRequest() {
  RedrawRequest request;
  for (SlotChoice& choice : request.flights) choice = {0, 1, 2};
  return request;
}
