#pragma once

#include "intake/flight_identity.h"
#include "intake/flight_rows.h"
#include "intake/flight_tables.h"
#include "reference/reference_format.h"

class SlotControls;

// Reads a NetCDF or BUFR product into a slot's table with the library its maker maintains, in a
// child process of its own (library_child.h). strict: the flight ends only at real falls, as in
// slots 2 and 3. descriptor: the product, opened by the program. Fails with the library's or the
// reader's message alone; the caller names the file. The identity learns the format and what
// the product states about its flight.
FlightRows readReferenceFlight(ReferenceFormat format, int descriptor, FlightTable& table, bool strict,
                               SlotControls& controls, FlightIdentity& identity);
