#include "raw/table_columns.h"

#include <algorithm>

namespace {

constexpr Unit kUnits[] = {Unit::Seconds, Unit::Metres, Unit::DegreesCelsius, Unit::Percent,
                           Unit::Degrees, Unit::MetresPerSecond, Unit::Hectopascals};

std::string_view withoutBrackets(std::string_view unit) {
  if (unit.size() >= 2 && ((unit.front() == '(' && unit.back() == ')') || (unit.front() == '[' && unit.back() == ']')))
    unit = unit.substr(1, unit.size() - 2);
  while (!unit.empty() && unit.front() == ' ') unit.remove_prefix(1);
  while (!unit.empty() && unit.back() == ' ') unit.remove_suffix(1);
  return unit;
}

bool isUnit(std::string_view spelling) {
  return std::any_of(std::begin(kUnits), std::end(kUnits),
                     [spelling](Unit unit) { return tableUnit(unit, spelling).has_value(); });
}

}  // namespace

NameAndUnit splitUnit(std::string_view header) {
  while (!header.empty() && header.back() == ' ') header.remove_suffix(1);
  if (header.empty() || (header.back() != ')' && header.back() != ']')) return {header, {}};
  const char open = header.back() == ')' ? '(' : '[';
  const std::size_t start = header.rfind(open);
  if (start == std::string_view::npos || start == 0) return {header, {}};
  std::string_view name = header.substr(0, start);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return {name, withoutBrackets(header.substr(start))};
}

std::vector<TableColumn> tableColumns(const std::vector<std::string>& names, const std::vector<std::string>& units) {
  std::vector<TableColumn> columns;
  columns.reserve(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    TableColumn column;
    column.name = names[i];
    const NameAndUnit parts = splitUnit(column.name);
    const std::string_view lineUnit = i < units.size() ? withoutBrackets(units[i]) : std::string_view();
    column.unit = mendedUnit(lineUnit.empty() ? parts.unit : lineUnit);
    column.wind = tableWindComponent(parts.name);
    if (const std::optional<Quantity> quantity = tableQuantity(parts.name)) {
      if (const std::optional<ScaleOffset> conversion = tableUnit(factsOf(*quantity).unit, column.unit)) {
        column.quantity = quantity;
        column.conversion = *conversion;
      }
    } else if (column.wind != WindComponent::None) {
      if (const std::optional<ScaleOffset> conversion = tableUnit(Unit::MetresPerSecond, column.unit))
        column.conversion = *conversion;
      else
        column.wind = WindComponent::None;
    }
    if (column.quantity == Quantity::Height) column.heightKind = tableHeightKind(parts.name, column.unit);
    columns.push_back(std::move(column));
  }
  return columns;
}

bool makeASounding(const std::vector<TableColumn>& columns) {
  const auto holds = [&columns](auto test) { return std::any_of(columns.begin(), columns.end(), test); };
  const auto is = [](Quantity quantity) {
    return [quantity](const TableColumn& column) { return column.quantity == quantity; };
  };
  const bool vertical = holds(is(Quantity::Height)) || holds(is(Quantity::Time));
  const bool measured = holds([](const TableColumn& column) {
    return (column.quantity && *column.quantity != Quantity::Height && *column.quantity != Quantity::Time &&
            *column.quantity != Quantity::Pressure) ||
           column.wind != WindComponent::None;
  });
  // Pressure counts on either side, but not on both at once.
  return (vertical && (measured || holds(is(Quantity::Pressure)))) || (holds(is(Quantity::Pressure)) && measured);
}

bool areUnits(const std::vector<std::string>& fields) {
  bool any = false;
  for (const std::string& field : fields) {
    const std::string_view unit = withoutBrackets(field);
    if (unit.empty() || unit == "-") continue;
    if (!isUnit(unit)) return false;
    any = true;
  }
  return any;
}
