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
     {"degC", "°C", "deg C", "C", "celsius", "degree_C", "degrees_C", "degree_Celsius", "degrees_Celsius"}, {1.0, 0.0}},
    {Unit::Percent, {"%", "percent"}, {1.0, 0.0}},
    {Unit::Percent, {"1"}, {100.0, 0.0}},
    {Unit::Degrees, {"deg", "degree", "degrees", "°"}, {1.0, 0.0}},
    {Unit::Metres, {"ft", "feet"}, {0.3048, 0.0}},
    {Unit::MetresPerSecond, {"m/s", "m s-1", "m.s-1", "m s**-1", "meter/second", "metre/second"}, {1.0, 0.0}},
    {Unit::MetresPerSecond, {"kt", "kn", "knot", "knots"}, {1852.0 / 3600.0, 0.0}},
    {Unit::Hectopascals, {"hPa", "mbar", "mb", "millibar"}, {1.0, 0.0}},
    {Unit::Hectopascals, {"Pa"}, {0.01, 0.0}},
    {Unit::Hectopascals, {"kPa"}, {10.0, 0.0}},
};

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace

std::string foldedTableName(std::string_view name) {
  std::string folded;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    const auto next = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
    if (c == '_' || c == ' ' || c == '\t') {
      if (!folded.empty() && folded.back() != ' ') folded += ' ';
    } else if (c >= 'A' && c <= 'Z') {
      folded += static_cast<char>(c - 'A' + 'a');
    } else if (c == 0xD0 && next >= 0x90 && next <= 0x9F) {  // А..П
      folded += {'\xD0', static_cast<char>(next + 0x20)};
      ++i;
    } else if (c == 0xD0 && next >= 0xA0 && next <= 0xAF) {  // Р..Я
      folded += {'\xD1', static_cast<char>(next - 0x20)};
      ++i;
    } else if (c == 0xD0 && next == 0x81) {  // Ё
      folded += "ё";
      ++i;
    } else if (c == 0xC3 && next >= 0x80 && next <= 0x9E && next != 0x97) {  // À..Þ but ×
      folded += {'\xC3', static_cast<char>(next + 0x20)};
      ++i;
    } else {
      folded += static_cast<char>(c);
    }
  }
  if (!folded.empty() && folded.back() == ' ') folded.pop_back();
  return folded;
}

bool isListed(std::string_view list, std::string_view name) {
  for (std::size_t start = 0;;) {
    const std::size_t bar = list.find('|', start);
    if (list.substr(start, bar - start) == name) return true;
    if (bar == std::string_view::npos) return false;
    start = bar + 1;
  }
}

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

std::string_view udunitsSpelling(Unit unit) {
  switch (unit) {
    case Unit::Seconds: return "s";
    case Unit::Metres: return "m";
    case Unit::DegreesCelsius: return "degC";
    case Unit::Percent: return "%";
    case Unit::Degrees: return "degree";
    case Unit::MetresPerSecond: return "m s-1";
    case Unit::Hectopascals: return "hPa";
  }
  return {};
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

std::optional<Quantity> tableQuantity(std::string_view name) {
  const std::string folded = foldedTableName(name);
  for (const QuantityFacts& facts : kQuantities)
    if (isListed(facts.tableNames, folded)) return facts.quantity;
  return std::nullopt;
}

WindComponent tableWindComponent(std::string_view name) {
  const std::string folded = foldedTableName(name);
  if (isListed("wind u|u wind|windu|uwind|u component", folded)) return WindComponent::Eastward;
  if (isListed("wind v|v wind|windv|vwind|v component", folded)) return WindComponent::Northward;
  return WindComponent::None;
}

HeightKind tableHeightKind(std::string_view name, std::string_view unit) {
  const std::string folded = foldedTableName(name);
  if (unit == "gpm" || contains(folded, "geopot") || contains(folded, "gph"))
    return HeightKind::Geopotential;
  if (contains(folded, "gps") || contains(folded, "msl") || contains(folded, "geometric")) return HeightKind::Geometric;
  return HeightKind::Unknown;
}

std::string mendedUnit(std::string_view unit) {
  // "Â°" is the degree sign's UTF-8 read as Latin-1 and written back as UTF-8; "?" a code page
  // without it; "º" the ordinal sign some keyboards give for it.
  for (std::string_view lost : {"Â°", "º"})
    if (unit.substr(0, lost.size()) == lost) return "°" + std::string(unit.substr(lost.size()));
  if (!unit.empty() && unit[0] == '?') return "°" + std::string(unit.substr(1));
  return std::string(unit);
}

std::optional<ScaleOffset> tableUnit(Unit unit, std::string_view spelling) {
  if (spelling.empty()) return ScaleOffset{1.0, 0.0};
  const std::string mended = mendedUnit(spelling);
  if (const std::optional<ScaleOffset> exact = spelledUnit(unit, mended)) return exact;
  const std::string folded = foldedTableName(mended);
  for (const KnownSpelling& known : kKnownSpellings)
    for (std::string_view candidate : known.spellings)
      if (known.unit == unit && foldedTableName(candidate) == folded) return known.conversion;
  return std::nullopt;
}
