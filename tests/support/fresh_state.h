#pragma once

#include "flight/flight_tables.h"

// The shared state as the window's start leaves it: every slot empty, the full height window.
inline void resetSharedState() {
  mass1Count = mass2Count = mass3Count = 0;
  for (int slot = 1; slot <= 3; ++slot) flightSlot(slot).later.clear();
  MaxHight = kTopOfHeightWindow;
  MinHight = 0.0;
  MassivsCount = 0;
  lowchange1Position = 0;
}
