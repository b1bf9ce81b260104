#include "flight_tables.h"

#include <stdexcept>
#include <string>

// Static storage: zero-filled pages that the system hands out only when first written, so the
// 67 MB of tables cost nothing until a flight is read.
FlightTable mas1, mas2, mas3;
int mass1Count, mass2Count, mass3Count;

double MaxHight;
double MinHight;

ProfileArray Massiv2;
ProfileArray Massiv2H;
int MassivsCount;

ProfileArray CompareMassiv;

int lowchange1Position;

FlightSlotData flightSlot(int slot) {
  switch (slot) {
    case 1: return {mas1, mass1Count};
    case 2: return {mas2, mass2Count};
    case 3: return {mas3, mass3Count};
  }
  throw std::out_of_range("no flight slot " + std::to_string(slot));
}
