#include "reference/reference_units.h"

#include "flight/flight_error.h"

#include <cmath>
#include <string_view>

std::optional<UnitConversion> knownConversion(Unit unit, const std::string& spelling) {
  std::string_view stated = spelling;
  bool sinceEpoch = false;
  if (unit == Unit::Seconds) {
    const std::size_t since = stated.find(" since ");
    if (since != std::string_view::npos) {
      stated = stated.substr(0, since);
      sinceEpoch = true;
    }
  }
  if (const std::optional<ScaleOffset> known = spelledUnit(unit, stated))
    return UnitConversion{known->scale, known->offset, sinceEpoch};
  return std::nullopt;
}

UnitConversion unitConversion(Unit unit, const std::string& spelling, const std::string& quantityName) {
  if (const std::optional<UnitConversion> known = knownConversion(unit, spelling)) return *known;
  throw FlightError(Message(MessageId::UnknownUnit, {spelling, quantityName}));
}

void convertColumn(double* column, int rows, const UnitConversion& conversion, bool difference) {
  const double offset = difference ? 0.0 : conversion.offset;
  double start = 0.0;
  if (conversion.sinceEpoch && !difference) {
    for (int row = 1; row <= rows; ++row) {
      if (std::isnan(column[row])) continue;
      start = column[row];
      break;
    }
  }
  for (int row = 1; row <= rows; ++row) column[row] = (column[row] - start) * conversion.scale + offset;
}
