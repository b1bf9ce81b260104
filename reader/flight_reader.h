#pragma once

#include "flight/decimal_separators.h"
#include "flight/flight_identity.h"
#include "flight/later_columns.h"

#include <string>

class SlotControls;
class TextFile;

struct FlightSet;

// Reads a flight file into flight slot 1, 2 or 3 of a set: a NetCDF or BUFR reference product
// by its first bytes (reference_format.h), otherwise a raw file by the header line of its layout;
// fills the slot's parameter lists and default choices, reads the rows into the
// slot's table, and lowers the set's MaxHight to the flight's last height. Fails with a
// FlightError whose detail names the file; the slot's row count is 0 during the read and after
// a failed one, and other slots are never touched. Opening the file comes first (TextFile): a
// file that cannot be opened fails before anything changes. Gives the flight's identity: the
// file's facts, its layout or format, and what a reference product states about its flight.
// Of a GRUAN product only the height column and the columns picked are read (every column
// without a pick); the others are left to the slot's later columns, for the comparison to read
// from the same file when it first needs them.
FlightIdentity readFlightFile(FlightSet& flights, int slot, TextFile& file, DecimalSeparators separators,
                              SlotControls& controls, const ColumnPick& pick = {});

// The same, into the window's flights.
FlightIdentity readFlightFile(int slot, TextFile& file, DecimalSeparators separators, SlotControls& controls,
                              const ColumnPick& pick = {});
FlightIdentity readFlightFile(int slot, const std::string& fileName, DecimalSeparators separators,
                              SlotControls& controls);

// How long a legend title may be: the end of the file's path.
constexpr std::size_t kLegendTitleLength = 30;
