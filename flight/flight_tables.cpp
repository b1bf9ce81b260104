#include "flight/flight_tables.h"

#include <algorithm>
#include <cstdlib>
#include <new>
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

FlightSlotData flightSlot(int slot) { return windowFlights().slot(slot); }

FlightSlotData FlightSet::slot(int number) const {
  if (number < 1 || number > 3) throw std::out_of_range("no flight slot " + std::to_string(number));
  return flightSlots[number - 1];
}

FlightSet& windowFlights() {
  static LaterColumns later[3];
  static FlightSet window{{{mas1, mass1Count, later[0]}, {mas2, mass2Count, later[1]}, {mas3, mass3Count, later[2]}},
                          MaxHight, MinHight, Massiv2, Massiv2H, MassivsCount, CompareMassiv,
                          lowchange1Position};
  return window;
}

void emptySlot(FlightSet& flights, int slot) {
  const FlightSlotData flight = flights.slot(slot);
  if (slot == 1) flights.slwiColumn = kNoSlwiColumn;
  flight.rowCount = 0;
  flight.later.clear();
}

void takeSlot(FlightSet& to, FlightSet& from, int slot) {
  const FlightSlotData read = from.slot(slot), taking = to.slot(slot);
  for (int column = 0; column < kMaxColumns; ++column)
    std::copy_n(read.table[column], read.rowCount + 1, taking.table[column]);
  taking.rowCount = read.rowCount;
  taking.later = std::move(read.later);
  read.later.clear();
  if (slot == 1) to.slwiColumn = from.slwiColumn;
  to.maxHight = std::min(to.maxHight, from.maxHight);
}

void takeColumns(FlightSlotData to, const FlightTable& from, const std::vector<int>& columns) {
  for (int column : columns) std::copy_n(from[column] + 1, to.rowCount, to.table[column] + 1);
  to.later.markRead(columns);
}

namespace {

// calloc hands out storage this large as fresh zero pages that the system maps only when first
// written, as it does the globals.
template <typename Array>
Array* zeroFilled(std::size_t count) {
  void* storage = std::calloc(count, sizeof(Array));
  if (!storage) throw std::bad_alloc();
  return static_cast<Array*>(storage);
}

}  // namespace

void OwnFlightSet::FreeStorage::operator()(void* storage) const { std::free(storage); }

OwnFlightSet::OwnFlightSet()
    : tables_(zeroFilled<FlightTable>(3)),
      profiles_(zeroFilled<ProfileArray>(3)),
      set_{{{tables_[0], rowCounts_[0], later_[0]},
            {tables_[1], rowCounts_[1], later_[1]},
            {tables_[2], rowCounts_[2], later_[2]}},
           maxHight_, minHight_, profiles_[0], profiles_[1], massivsCount_, profiles_[2], slwiColumn_} {}
