#include "reference/reference_units.h"

#include "intake/flight_error.h"

#include <cmath>
#include <initializer_list>
#include <string_view>

namespace {

struct KnownUnit {
  QuantityKind kind;
  std::initializer_list<std::string_view> spellings;
  double scale, offset;
};

// Spellings of the CF conventions and UDUNITS, of GRUAN's products and of ecCodes' BUFR tables.
const KnownUnit kKnownUnits[] = {
    {QuantityKind::Time, {"s", "sec", "second", "seconds"}, 1.0, 0.0},
    {QuantityKind::Time, {"min", "minute", "minutes"}, 60.0, 0.0},
    {QuantityKind::Time, {"h", "hour", "hours"}, 3600.0, 0.0},
    {QuantityKind::Time, {"d", "day", "days"}, 86400.0, 0.0},
    {QuantityKind::Height, {"m", "metre", "metres", "meter", "meters", "gpm"}, 1.0, 0.0},
    {QuantityKind::Height, {"km"}, 1000.0, 0.0},
    {QuantityKind::Temperature, {"K", "kelvin", "degK", "degree_K", "degrees_K"}, 1.0, -273.15},
    {QuantityKind::Temperature, {"degC", "°C", "C", "celsius", "degree_C", "degrees_C", "degree_Celsius",
                                 "degrees_Celsius"}, 1.0, 0.0},
    {QuantityKind::Humidity, {"%", "percent"}, 1.0, 0.0},
    {QuantityKind::Humidity, {"1"}, 100.0, 0.0},
    {QuantityKind::Direction, {"deg", "degree", "degrees", "°"}, 1.0, 0.0},
    {QuantityKind::Speed, {"m/s", "m s-1", "m.s-1", "m s**-1", "meter/second", "metre/second"}, 1.0, 0.0},
    {QuantityKind::Pressure, {"hPa", "mbar", "mb", "millibar"}, 1.0, 0.0},
    {QuantityKind::Pressure, {"Pa"}, 0.01, 0.0},
    {QuantityKind::Pressure, {"kPa"}, 10.0, 0.0},
};

}  // namespace

std::optional<UnitConversion> knownConversion(QuantityKind kind, const std::string& unit) {
  std::string_view spelling = unit;
  bool sinceEpoch = false;
  if (kind == QuantityKind::Time) {
    const std::size_t since = spelling.find(" since ");
    if (since != std::string_view::npos) {
      spelling = spelling.substr(0, since);
      sinceEpoch = true;
    }
  }
  for (const KnownUnit& known : kKnownUnits)
    for (std::string_view candidate : known.spellings)
      if (known.kind == kind && candidate == spelling) return UnitConversion{known.scale, known.offset, sinceEpoch};
  return std::nullopt;
}

UnitConversion unitConversion(QuantityKind kind, const std::string& unit, const std::string& quantityName) {
  if (const std::optional<UnitConversion> known = knownConversion(kind, unit)) return *known;
  throw FlightError(Message(MessageId::UnknownUnit, {unit, quantityName}));
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
