#pragma once

#include "raw/field_scanners.h"
#include "flight/flight_rows.h"

class SlotControls;
class TextFile;

struct FlightIdentity;
struct FlightSet;

// Reads a raw flight file into flight slot 1, 2 or 3 of a set by the header line of its layout
// (one of seven), or where no line is one, as a delimited table of named columns (sounding_table.h): fills the slot's parameter lists and default choices and reads the rows into
// the slot's table. Fails with a FlightError whose detail names the file and the line, and says
// which separator box to tick when a number would read only with the other. A station file states
// nothing about its flight: the identity learns its layout alone.
FlightRows readRawFlight(FlightSet& flights, int slot, TextFile& file, DecimalSeparators separators,
                         SlotControls& controls, FlightIdentity& identity);
