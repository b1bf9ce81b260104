#pragma once

#include "flight/flight_identity.h"
#include "flight/flight_tables.h"
#include "flight/later_columns.h"
#include "reference/reference_flight.h"

#include <string>
#include <vector>

class SlotControls;

// Reads a GRUAN data product (NetCDF, classic or netCDF-4) into a slot's table: the
// one-dimensional variables along "time". Column 0 is the time since launch, then the quantities
// under the names the quick-select knows (alt "H" m, temp "T" °C, rh "U" %, wdir "D" °, wspeed
// "V" m/s, press "P" hPa, dp "Td" °C), then the total uncertainty of each ("<name>_uc" or
// "u_<name>") under its own name in the same unit, then the other variables as stored, in file
// order, up to 56 columns. Fill values, missing values and values outside the valid range hold
// no value. Fails with the NetCDF library's message, or when a quantity's unit is not one the
// program converts, or when the product refers to data in other files or is cut short. In a
// library's child only: it forbids the process to open any other file.
// descriptor: the product, opened by the program. The identity learns what the product's global
// attributes state (RS41 and RS92 generations), and that its height is geometric. The values of
// the height column and of the columns picked are read, the others' not (every column's without
// a pick); the units of all are checked.
ProductRead readGruanProduct(int descriptor, FlightTable& table, bool strict, SlotControls& controls,
                             FlightIdentity& identity, const ColumnPick& pick);

// Reads the values of columns that a read of the same product left unread into their rows of
// the table: row r from the product's row productRows[r]. Fails as the first read would.
void readGruanColumns(int descriptor, const std::vector<int>& columns, const std::vector<int>& productRows,
                      FlightTable& table);
