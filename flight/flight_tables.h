#pragma once

#include "flight/later_columns.h"
#include "flight/table_shape.h"

#include <memory>

// The process-wide flight data. Every handler reads and writes these directly; the counts say
// which entries are valid, nothing is ever cleared. Rows and profile entries count from 1, so
// each array carries one unused entry 0 to keep the indices as the operators know them.

constexpr int kProfileCapacity = 100000;
// lowchange1Position when flight 1 has no "slwi" column: outside every column index.
constexpr int kNoSlwiColumn = 100500;
constexpr double kTopOfHeightWindow = 50000.0;

using ProfileArray = double[kProfileCapacity + 1];

extern FlightTable mas1, mas2, mas3;
extern int mass1Count, mass2Count, mass3Count;

extern double MaxHight;
extern double MinHight;

extern ProfileArray Massiv2;
extern ProfileArray Massiv2H;
extern int MassivsCount;

extern ProfileArray CompareMassiv;

extern int lowchange1Position;

// The table and row count of flight slot 1, 2 or 3, and the columns its read left for later.
struct FlightSlotData {
  FlightTable& table;
  int& rowCount;
  LaterColumns& later;
};
FlightSlotData flightSlot(int slot);

// Everything one comparison reads and writes: three flights, the common height window,
// flight 2's profile, the comparison values and flight 1's slow-channel column. The window's
// set is the globals above; whatever compares flights beside the window has sets of its own.
struct FlightSet {
  FlightSlotData flightSlots[3];
  double& maxHight;
  double& minHight;
  ProfileArray& massiv2;
  ProfileArray& massiv2H;
  int& massivsCount;
  ProfileArray& compareMassiv;
  int& slwiColumn;

  // Slot 1, 2 or 3.
  FlightSlotData slot(int number) const;
};

// The window's three flights and what its redraw keeps.
FlightSet& windowFlights();

// A slot as a read leaves it until it has read the flight: no rows, nothing left for later, and
// for slot 1 no slow channel.
void emptySlot(FlightSet& flights, int slot);

// What a read put into a slot of one set, given to the same slot of another, whose height window
// comes down to the flight's as a read's does: a read made aside, taken over by the window.
void takeSlot(FlightSet& to, FlightSet& from, int slot);

// Columns read aside, rows 1..the slot's row count, put into the slot's table and no longer left
// for later.
void takeColumns(FlightSlotData to, const FlightTable& from, const std::vector<int>& columns);

// A set with storage of its own, as a freshly started window has it: zero-filled, no rows, the
// full height window. Like the globals, the tables take memory only where rows are written.
class OwnFlightSet {
 public:
  OwnFlightSet();
  OwnFlightSet(const OwnFlightSet&) = delete;
  OwnFlightSet& operator=(const OwnFlightSet&) = delete;
  FlightSet& flights() { return set_; }

 private:
  struct FreeStorage {
    void operator()(void* storage) const;
  };
  std::unique_ptr<FlightTable[], FreeStorage> tables_;
  std::unique_ptr<ProfileArray[], FreeStorage> profiles_;
  int rowCounts_[3] = {};
  LaterColumns later_[3];
  double maxHight_ = kTopOfHeightWindow;
  double minHight_ = 0.0;
  int massivsCount_ = 0;
  int slwiColumn_ = 0;
  FlightSet set_;
};
