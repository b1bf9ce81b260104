#pragma once

struct FlightSet;

// True when index names a column of a flight table; combo boxes report -1 for "no item".
bool isFlightColumn(int index);

// The common height window is the overlap of [0, 50000], flight 1's corrected span and flight
// 2's span, each span read from the flight's first and last row. It is only recomputed while
// both flights are loaded with a usable height column; otherwise the bounds keep their values.
void updateHeightWindow(FlightSet& flights, int correction, int heightColumn1, int heightColumn2);

// The bounds as they stand. Both ends belong to the window; a height that is not a number never does.
struct HeightWindow {
  double minHight, maxHight;
  bool contains(double height) const { return minHight <= height && height <= maxHight; }
};
HeightWindow heightWindow(const FlightSet& flights);
