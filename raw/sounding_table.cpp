#include "raw/sounding_table.h"

#include "flight/flight_error.h"
#include "flight/flight_identity.h"
#include "flight/flight_tables.h"
#include "flight/slot_controls.h"
#include "raw/field_scanners.h"
#include "raw/table_heading.h"
#include "raw/text_file.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// What a column holds, told by its first field that holds anything.
enum class ColumnKind { Undecided, Number, Timestamp, Text };

[[noreturn]] void rejectField(std::string_view field) {
  throw FlightError(Message(MessageId::NotAFloatingPointValue, {quotedField(field)}));
}

// A column of a quantity in the program's units, at the front of the slot's lists: from the
// file's column of that quantity, or direction and speed from the wind's components.
struct QuantityColumn {
  Quantity quantity;
  int source = -1;                      // the file's column
  int eastward = -1, northward = -1;    // or the components
};

std::vector<QuantityColumn> quantityColumns(const std::vector<TableColumn>& columns) {
  const auto first = [&columns](auto test) {
    const auto found = std::find_if(columns.begin(), columns.end(), test);
    return found == columns.end() ? -1 : static_cast<int>(found - columns.begin());
  };
  std::vector<QuantityColumn> planned;
  for (const QuantityFacts& facts : kQuantities) {
    const int source = first([&facts](const TableColumn& column) { return column.quantity == facts.quantity; });
    if (source >= 0) planned.push_back({facts.quantity, source});
  }
  const auto has = [&planned](Quantity quantity) {
    return std::any_of(planned.begin(), planned.end(), [quantity](const QuantityColumn& c) { return c.quantity == quantity; });
  };
  const int eastward = first([](const TableColumn& column) { return column.wind == WindComponent::Eastward; });
  const int northward = first([](const TableColumn& column) { return column.wind == WindComponent::Northward; });
  if (eastward >= 0 && northward >= 0 && !has(Quantity::WindDirection) && !has(Quantity::WindSpeed)) {
    planned.push_back({Quantity::WindDirection, -1, eastward, northward});
    planned.push_back({Quantity::WindSpeed, -1, eastward, northward});
    std::sort(planned.begin(), planned.end(),
              [](const QuantityColumn& a, const QuantityColumn& b) { return a.quantity < b.quantity; });
  }
  return planned;
}

// The rows under the header, each field into its column of the slot's table from `first` on.
class RowReading {
 public:
  RowReading(FlightTable& table, int first, const TableHeading& heading, std::string header)
      : table_(table), first_(first), shape_(heading.shape), header_(std::move(header)),
        kinds_(heading.shape.fields, ColumnKind::Undecided), firstTexts_(heading.shape.fields) {}

  // Reads to the table's end: the file's, or a line of text under the rows.
  int readAll(TextFile& file) {
    while (!file.eof()) {
      const std::string_view line = file.readLine();
      if (isBlankLine(line) || line == header_) continue;
      if (count_ == kMaxRows && rowShape(line)) throw FlightError(tooManyRows());
      // The fields go into the row after the last as they are split; the row counts only when
      // the line turns out to be one, and a field that is no number fails only then.
      decidedNow_.clear();
      const Rejected rejected = takeRow(line);
      if (rejected.fields != shape_.fields) {
        if (!rowShape(line)) {
          // What a column holds is told by rows alone, not by the text under them.
          for (const std::size_t column : decidedNow_) kinds_[column] = ColumnKind::Undecided;
          break;
        }
        throw FlightError(
            Message(MessageId::RowFieldCount, {std::to_string(rejected.fields), std::to_string(shape_.fields)}));
      }
      if (!rejected.field.empty()) rejectField(rejected.field);
      ++count_;
    }
    return count_;
  }

  ColumnKind kind(int column) const { return kinds_[static_cast<std::size_t>(column)]; }
  const std::string& firstText(int column) const { return firstTexts_[static_cast<std::size_t>(column)]; }

 private:
  struct Rejected {
    std::size_t fields;       // of the line
    std::string_view field;   // the first that holds no number where its column does
  };

  Rejected takeRow(std::string_view line) {
    TableFields fields(line, shape_.separator);
    Rejected rejected{0, {}};
    const std::size_t columns = count_ < kMaxRows ? shape_.fields : 0;
    lineEnd_ = shape_.separator == TableSeparator::Comma ? line.data() : line.data() + line.size();
    for (std::string_view field; fields.next(field); ++rejected.fields)
      if (rejected.fields < columns && !take(rejected.fields, field) && rejected.field.empty()) rejected.field = field;
    return rejected;
  }

  // False for a field that holds no number where its column does.
  bool take(std::size_t column, std::string_view field) {
    double& cell = table_[first_ + static_cast<int>(column)][count_ + 1];
    const ColumnKind kind = kinds_[column] == ColumnKind::Undecided ? decide(column, field) : kinds_[column];
    switch (kind) {
      case ColumnKind::Number:
        if (readsTableNumber(field, cell, field.data() + field.size() < lineEnd_)) return true;
        cell = kNoValue;
        return isMissingField(field);
      case ColumnKind::Timestamp:
        if (isMissingField(field)) return cell = kNoValue, true;
        cell = timestampSeconds(field);
        return !std::isnan(cell);
      case ColumnKind::Undecided:
        cell = kNoValue;
        return true;
      case ColumnKind::Text:
        return true;
    }
    return true;
  }

  // What a column holds, told by its first field that holds anything.
  ColumnKind decide(std::size_t column, std::string_view field) {
    const FieldKind told = fieldKind(field);
    if (told != FieldKind::Missing) decidedNow_.push_back(column);
    switch (told) {
      case FieldKind::Missing: break;
      case FieldKind::Number: kinds_[column] = ColumnKind::Number; break;
      case FieldKind::Timestamp: kinds_[column] = ColumnKind::Timestamp; break;
      case FieldKind::Text:
        kinds_[column] = ColumnKind::Text;
        firstTexts_[column] = std::string(field);
        break;
    }
    return kinds_[column];
  }

  FlightTable& table_;
  const int first_;
  const RowShape shape_;
  const std::string header_;
  std::vector<ColumnKind> kinds_;
  std::vector<std::string> firstTexts_;
  std::vector<std::size_t> decidedNow_;  // columns whose kind the line being read told
  int count_ = 0;
  // Fields that end before it end before a character that ends every number; none do where a
  // comma parts them, which a number may hold.
  const char* lineEnd_ = nullptr;
};

// Receivers write these for a sensor that gave nothing: -273 °C, and -1 of a humidity or pressure
// that is otherwise positive.
void dropSentinels(double* column, int rows, const TableColumn& facts) {
  const bool temperature = facts.quantity == Quantity::Temperature || facts.quantity == Quantity::DewPoint;
  if (temperature && facts.conversion.offset == 0.0 && facts.conversion.scale == 1.0) {
    std::replace(column + 1, column + rows + 1, -273.0, kNoValue);
    return;
  }
  if (facts.quantity != Quantity::Humidity && facts.quantity != Quantity::Pressure) return;
  const bool otherwisePositive =
      std::all_of(column + 1, column + rows + 1, [](double value) { return !(value <= 0) || value == -1.0; });
  if (otherwisePositive) std::replace(column + 1, column + rows + 1, -1.0, kNoValue);
}

// Seconds since the column's first time; gives that first time.
double fromFirstTime(double* column, int rows) {
  const auto first = std::find_if(column + 1, column + rows + 1, [](double value) { return !std::isnan(value); });
  if (first == column + rows + 1) return kNoValue;
  const double start = *first;
  std::for_each(column + 1, column + rows + 1, [start](double& value) { value -= start; });
  return start;
}

// Direction the wind blows from, and its speed, from its eastward and northward components in
// their files' units.
void windFromComponents(Quantity quantity, double* to, const double* u, const double* v, double scale, int rows) {
  for (int row = 1; row <= rows; ++row) {
    const double east = u[row] * scale, north = v[row] * scale, speed = std::hypot(east, north);
    if (quantity == Quantity::WindSpeed) to[row] = speed;
    else to[row] = speed > 0 ? std::fmod(std::atan2(-east, -north) * 180.0 / M_PI + 360.0, 360.0) : kNoValue;
  }
}

// The row of the highest height: the descent after it is no part of the ascent.
int topOfAscent(const double* heights, int rows) {
  int top = rows;
  double highest = -std::numeric_limits<double>::infinity();
  for (int row = 1; row <= rows; ++row) {
    if (heights[row] > highest) {
      highest = heights[row];
      top = row;
    }
  }
  return highest == -std::numeric_limits<double>::infinity() ? rows : top;
}

std::string formatOf(const RowShape& shape) {
  return "table (" + std::string(separatorName(shape.separator)) + ", " + std::to_string(shape.fields) + " columns)";
}

}  // namespace

std::optional<FlightRows> readSoundingTable(FlightSet& flights, int slot, TextFile& file, SlotControls& controls,
                                            FlightIdentity& identity) {
  file.startOver(TextFile::LineEnds::AnyBreak);
  std::optional<TableHeading> heading = findTableHeading(file);
  if (!heading) return std::nullopt;
  const std::vector<TableColumn>& columns = heading->columns;
  const std::vector<QuantityColumn> planned = quantityColumns(columns);
  const int first = static_cast<int>(planned.size());
  if (columns.size() > static_cast<std::size_t>(kMaxColumns - first)) throw FlightError(tooManyColumns());

  file.startOver(TextFile::LineEnds::AnyBreak);
  std::string header;
  while (file.lineNumber() < std::max(heading->headerLine, heading->unitsLine)) {
    const std::string_view line = file.readLine(TextFile::LongLine::ReadsEmpty);
    if (file.lineNumber() == heading->headerLine) header.assign(line);
  }
  FlightTable& table = flights.slot(slot).table;
  RowReading reading(table, first, *heading, header);
  int rows = reading.readAll(file);

  const auto numeric = [&reading](int column) {
    return column >= 0 && (reading.kind(column) == ColumnKind::Number || reading.kind(column) == ColumnKind::Undecided);
  };
  double firstTime = kNoValue;
  for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
    double* values = table[first + column];
    if (reading.kind(column) == ColumnKind::Timestamp) {
      const double start = fromFirstTime(values, rows);
      if (std::isnan(firstTime)) firstTime = start;
    }
    if (numeric(column)) dropSentinels(values, rows, columns[static_cast<std::size_t>(column)]);
    if (reading.kind(column) == ColumnKind::Text) heading->metadata.takeColumn(columns[static_cast<std::size_t>(column)].name, reading.firstText(column));
  }

  // The quantities in the program's units, where their columns hold numbers.
  std::vector<int> kept;  // staged columns in their final order
  std::vector<std::string> names;
  std::vector<ColumnFacts> facts;
  int heightColumn = -1;
  for (int k = 0; k < first; ++k) {
    const QuantityColumn& quantity = planned[static_cast<std::size_t>(k)];
    if (quantity.source >= 0) {
      const ColumnKind kind = reading.kind(quantity.source);
      if (!numeric(quantity.source) && !(kind == ColumnKind::Timestamp && quantity.quantity == Quantity::Time)) continue;
      const ScaleOffset conversion = columns[static_cast<std::size_t>(quantity.source)].conversion;
      const double* from = table[first + quantity.source];
      std::transform(from + 1, from + rows + 1, table[k] + 1,
                     [conversion](double value) { return value * conversion.scale + conversion.offset; });
    } else {
      if (!numeric(quantity.eastward) || !numeric(quantity.northward)) continue;
      // A table states both components in one unit.
      const double scale = columns[static_cast<std::size_t>(quantity.eastward)].conversion.scale;
      windFromComponents(quantity.quantity, table[k], table[first + quantity.eastward], table[first + quantity.northward],
                         scale, rows);
    }
    if (quantity.quantity == Quantity::Height) heightColumn = static_cast<int>(kept.size());
    kept.push_back(k);
    names.emplace_back(factsOf(quantity.quantity).column);
    facts.emplace_back();
    if (quantity.quantity == Quantity::Height) facts.back().heightKind = columns[static_cast<std::size_t>(quantity.source)].heightKind;
  }
  const std::size_t quantityNames = names.size();
  for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
    if (reading.kind(column) == ColumnKind::Text) continue;
    const TableColumn& own = columns[static_cast<std::size_t>(column)];
    // A column named as the program names its quantity ("T", "P") is listed once where it holds
    // what that column does, and with its unit where it does not.
    std::string name = own.name;
    if (std::find(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(quantityNames), name) !=
        names.begin() + static_cast<std::ptrdiff_t>(quantityNames)) {
      if (own.conversion.scale == 1.0 && own.conversion.offset == 0.0 && own.quantity == tableQuantity(name)) continue;
      name += " (" + own.unit + ")";
    }
    kept.push_back(first + column);
    names.push_back(std::move(name));
    facts.emplace_back();
    facts.back().heightKind = columns[static_cast<std::size_t>(column)].heightKind;
  }
  if (heightColumn >= 0) rows = topOfAscent(table[kept[static_cast<std::size_t>(heightColumn)]], rows);
  for (std::size_t to = 0; to < kept.size(); ++to)
    if (kept[to] != static_cast<int>(to)) std::copy(table[kept[to]] + 1, table[kept[to]] + rows + 1, table[to] + 1);

  controls.clearParameterLists();
  for (const std::string& name : names) controls.addParameter(name);
  if (heightColumn >= 0) controls.selectHeight(heightColumn);
  const auto temperature = std::find(names.begin(), names.end(), factsOf(Quantity::Temperature).column);
  if (temperature != names.end()) controls.selectParameter(static_cast<int>(temperature - names.begin()));

  heading->metadata.state(identity);
  if (identity.launchTime.empty() && !std::isnan(firstTime)) identity.launchTime = utcTimeOf(firstTime);
  identity.format = formatOf(heading->shape);
  identity.columns = std::move(facts);
  return FlightRows{rows, heightColumn};
}
