#pragma once

#include "flight/flight_identity.h"
#include "flight/flight_tables.h"
#include "flight/later_columns.h"
#include "reference/reference_flight.h"
#include "reference/reference_format.h"

#include <vector>

class SlotControls;

// Reads a NetCDF or BUFR product into a slot's table with the library its maker maintains, in a
// child process of its own (library_child.h). strict: the flight ends only at real falls, as in
// slots 2 and 3. descriptor: the product, opened by the program. Fails with the library's or the
// reader's message alone; the caller names the file. The identity learns the format and what
// the product states about its flight. The parameter lists name every column; of a NetCDF
// product only the height column and the columns picked hold values (every column without a
// pick), a BUFR sounding's columns all do.
ProductRead readReferenceFlight(ReferenceFormat format, int descriptor, FlightTable& table, bool strict,
                                SlotControls& controls, FlightIdentity& identity, const ColumnPick& pick = {});

// Fills columns of a NetCDF product that its read left unread, each row from the product's row
// the read kept there (ProductRead::productRows), in a child process of its own. descriptor: the
// same product, still open.
void readReferenceColumns(int descriptor, const std::vector<int>& columns, const std::vector<int>& productRows,
                          FlightTable& table);
