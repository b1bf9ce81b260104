#pragma once

#include "flight/flight_rows.h"

#include <optional>

class SlotControls;
class TextFile;

struct FlightIdentity;
struct FlightSet;

// Reads a delimited table of named columns (an export of a sounding system, a receiver's log)
// into flight slot 1, 2 or 3 of a set, lines ending at CR, LF or CR LF: nothing when the file
// holds no sounding table (table_heading.h). The slot's lists name first a column for each
// quantity the header names ("time", "H", "T", "U", "D", "V", "P", "Td", as the reference
// readers give them), in the program's units, direction and speed worked out from wind
// components where the table gives only those; then every column of the file by its own name,
// as it holds it. "H" is selected as the height and "T" as the parameter. Missing values hold
// none: empty fields, "NaN", "-", "//…", -273 of a temperature in °C, -1 of a humidity or
// pressure whose other values are all positive. A date and time becomes seconds since the
// column's first. The flight ends at its highest height; a line of text under the rows ends the
// table. Fails with a FlightError for a row of another count of fields or a field that is no
// number; the caller names the line. The identity learns the format ("table (semicolon-separated,
// 16 columns)"), the kind of height, and what the lines above the header and a log's text columns
// state; a table's first time of day is its launch where nothing else states one.
std::optional<FlightRows> readSoundingTable(FlightSet& flights, int slot, TextFile& file, SlotControls& controls,
                                            FlightIdentity& identity);
