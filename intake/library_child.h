#pragma once

#include "flight_tables.h"
#include "reference_flight.h"

#include <functional>

class SlotControls;

// The longest time a library may take over one file, in seconds: a 50000-row product takes well
// under one.
constexpr int kLibrarySeconds = 15;

// Runs a read by a third-party library in a child process, on a table and controls of its own,
// and hands what it read to the slot. Debian's NetCDF, HDF5 and ecCodes crash on some malformed
// files (a NetCDF header claiming more dimensions than it holds is enough); in a child such a
// crash, or a read that does not end within the seconds allowed, fails the read instead of ending the
// program. The libraries' global state never enters the program's own process, so their lack of
// thread safety does not matter to a campaign reading pairs side by side.
using LibraryRead = std::function<FlightRows(FlightTable& table, SlotControls& controls)>;
FlightRows readInChildProcess(const char* library, const LibraryRead& read, FlightTable& table, SlotControls& controls,
                              int seconds = kLibrarySeconds);
