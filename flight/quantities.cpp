#include "flight/quantities.h"

#include <algorithm>
#include <initializer_list>

namespace {

struct KnownSpelling {
  Unit unit;
  std::initializer_list<std::string_view> spellings;
  ScaleOffset conversion;
};

// Spellings of the CF conventions and UDUNITS, of GRUAN's products and of ecCodes' BUFR tables.
const KnownSpelling kKnownSpellings[] = {
    {Unit::Seconds, {"s", "sec", "second", "seconds"}, {1.0, 0.0}},
    {Unit::Seconds, {"min", "minute", "minutes"}, {60.0, 0.0}},
    {Unit::Seconds, {"h", "hour", "hours"}, {3600.0, 0.0}},
    {Unit::Seconds, {"d", "day", "days"}, {86400.0, 0.0}},
    {Unit::Metres, {"m", "metre", "metres", "meter", "meters", "gpm"}, {1.0, 0.0}},
    {Unit::Metres, {"km"}, {1000.0, 0.0}},
    {Unit::DegreesCelsius, {"K", "kelvin", "degK", "degree_K", "degrees_K"}, {1.0, -273.15}},
    {Unit::DegreesCelsius,
     {"degC", "°C", "C", "celsius", "degree_C", "degrees_C", "degree_Celsius", "degrees_Celsius"}, {1.0, 0.0}},
    {Unit::Percent, {"%", "percent"}, {1.0, 0.0}},
    {Unit::Percent, {"1"}, {100.0, 0.0}},
    {Unit::Degrees, {"deg", "degree", "degrees", "°"}, {1.0, 0.0}},
    {Unit::MetresPerSecond, {"m/s", "m s-1", "m.s-1", "m s**-1", "meter/second", "metre/second"}, {1.0, 0.0}},
    {Unit::Hectopascals, {"hPa", "mbar", "mb", "millibar"}, {1.0, 0.0}},
    {Unit::Hectopascals, {"Pa"}, {0.01, 0.0}},
    {Unit::Hectopascals, {"kPa"}, {10.0, 0.0}},
};

}  // namespace

Quantity quickSelectQuantity(char button) {
  for (Quantity quantity : kQuickSelectQuantities)
    if (factsOf(quantity).button == button) return quantity;
  return Quantity::Temperature;
}

std::optional<Quantity> namedQuantity(std::string_view columnName) {
  // Every slot's names are the same, only in another order.
  for (Quantity quantity : kQuickSelectQuantities) {
    const QuantityNames& names = factsOf(quantity).quickSelectNames[0];
    if (std::find(names.begin(), names.end(), columnName) != names.end()) return quantity;
  }
  return std::nullopt;
}

bool isTimeColumnName(std::string_view columnName) {
  return std::find(std::begin(kTimeColumnNames), std::end(kTimeColumnNames), columnName) != std::end(kTimeColumnNames);
}

int timeColumnIndex(const std::vector<std::string>& columnNames) {
  const auto found = std::find_if(columnNames.begin(), columnNames.end(), isTimeColumnName);
  return found == columnNames.end() ? -1 : static_cast<int>(found - columnNames.begin());
}

std::optional<ScaleOffset> spelledUnit(Unit unit, std::string_view spelling) {
  for (const KnownSpelling& known : kKnownSpellings)
    for (std::string_view candidate : known.spellings)
      if (known.unit == unit && candidate == spelling) return known.conversion;
  return std::nullopt;
}

std::array<std::string, 2> uncertaintyNames(std::string_view variable) {
  return {std::string(variable) + "_uc", "u_" + std::string(variable)};
}

UncertaintyPartNames uncertaintyPartNames(std::string_view total) {
  constexpr std::string_view kRs41 = "_uc", kRs92 = "u_";
  const std::string name(total);
  if (total.size() > kRs41.size() && total.substr(total.size() - kRs41.size()) == kRs41)
    return {name + "_ucor", name + "_scor", name + "_tcor"};
  if (total.size() > kRs92.size() && total.substr(0, kRs92.size()) == kRs92)
    return {{}, "u_cor_" + name.substr(kRs92.size()), {}};
  return {};
}
