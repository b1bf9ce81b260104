#pragma once

#include "flight/quantities.h"

#include <optional>
#include <string>

// value · scale + offset is the value in the program's unit; a difference of two values (an
// uncertainty) takes the scale alone.
struct UnitConversion {
  double scale = 1.0;
  double offset = 0.0;
  // Time counted from an epoch ("seconds since 1970-01-01"): the flight's time counts from its
  // first value.
  bool sinceEpoch = false;
};

// The conversion of a unit as a NetCDF units attribute or a BUFR element table states it, or
// nothing for a unit the program does not know.
std::optional<UnitConversion> knownConversion(Unit unit, const std::string& spelling);
// The same, where a unit the program does not know fails, naming the quantity: values are never
// taken on a guess.
UnitConversion unitConversion(Unit unit, const std::string& spelling, const std::string& quantityName);

// Converts rows 1..rows of a column in place; a NaN stays NaN. A difference (an uncertainty)
// takes the scale alone.
void convertColumn(double* column, int rows, const UnitConversion& conversion, bool difference = false);
