#pragma once

// The process-wide flight data. Every handler reads and writes these directly; the counts say
// which entries are valid, nothing is ever cleared. Rows and profile entries count from 1, so
// each array carries one unused entry 0 to keep the indices as the operators know them.

constexpr int kMaxColumns = 56;
constexpr int kMaxRows = 50000;
constexpr int kProfileCapacity = 100000;
// lowchange1Position when flight 1 has no "slwi" column: outside every column index.
constexpr int kNoSlwiColumn = 100500;
constexpr double kTopOfHeightWindow = 50000.0;

// Column-major: column c of a flight is one contiguous run, row r of it is table[c][r].
using FlightTable = double[kMaxColumns][kMaxRows + 1];
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

// The table and row count of flight slot 1, 2 or 3.
struct FlightSlotData {
  FlightTable& table;
  int& rowCount;
};
FlightSlotData flightSlot(int slot);
