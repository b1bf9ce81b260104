#include "compare/height_window.h"

#include "flight/flight_tables.h"

bool isFlightColumn(int index) { return index >= 0 && index < kMaxColumns; }

void updateHeightWindow(FlightSet& flights, int correction, int heightColumn1, int heightColumn2) {
  const FlightSlotData flight1 = flights.slot(1), flight2 = flights.slot(2);
  if (flight1.rowCount == 0 || flight2.rowCount == 0) return;
  if (!isFlightColumn(heightColumn1) || !isFlightColumn(heightColumn2)) return;
  double& maxHight = flights.maxHight;
  double& minHight = flights.minHight;

  maxHight = kTopOfHeightWindow;
  const double top1 = correction + flight1.table[heightColumn1][flight1.rowCount];
  if (top1 < maxHight) maxHight = top1;
  const double top2 = flight2.table[heightColumn2][flight2.rowCount];
  if (top2 < maxHight) maxHight = top2;

  minHight = 0.0;
  const double bottom1 = correction + flight1.table[heightColumn1][1];
  if (bottom1 > minHight) minHight = bottom1;
  const double bottom2 = flight2.table[heightColumn2][1];
  if (bottom2 > minHight) minHight = bottom2;
}

HeightWindow heightWindow(const FlightSet& flights) { return {flights.minHight, flights.maxHight}; }
