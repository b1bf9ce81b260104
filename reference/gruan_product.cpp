#include "reference/gruan_product.h"

#include "flight/flight_error.h"
#include "flight/read_choices.h"
#include "reference/child_sandbox.h"
#include "reference/classic_netcdf_length.h"
#include "reference/hdf5_length.h"
#include "reference/hdf5_storage.h"
#include "reference/library_child.h"
#include "flight/quantities.h"
#include "reference/reference_units.h"

#include <netcdf.h>
#include <netcdf_mem.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace {

void check(int status) {
  if (status != NC_NOERR) throw FlightError(nc_strerror(status));
}

// What the operator is told of a netCDF-4 product HDF5 must not be left to read.
Message faultMessage(const StorageVerdict& verdict) {
  switch (verdict.fault) {
    case StorageFault::OtherFiles: return MessageId::RefersToOtherFiles;
    case StorageFault::SplitFile: return MessageId::SplitIntoFiles;
    case StorageFault::HugeChunk: return MessageId::NeedsTooMuchMemory;
    case StorageFault::MissingFilter: return Message(MessageId::FilterMissing, {std::to_string(verdict.filter)});
    case StorageFault::GroupCycle: return MessageId::GroupsHoldThemselves;
    case StorageFault::DeepGroups: return Message(MessageId::GroupsNestDeep, {std::to_string(kDeepestGroups)});
    case StorageFault::ManyObjects: return Message(MessageId::TooManyObjects, {std::to_string(kMostObjects)});
    case StorageFault::None: break;
  }
  return Message();
}

// NetCDF reads a name as a remote DAP URL when it has a scheme ("https://…"), and HDF5 follows a
// product's links and external storage to whatever files they name. NetCDF gets neither a name
// nor a file: it reads the product from memory, in a process that by then may open no file at
// all. HDF5 is asked first what the product refers to, so that the operator is told plainly.
class NetCdfFile {
 public:
  explicit NetCdfFile(int descriptor) {
    prepareHeap(heapFor(descriptor));
    if (isClassic(descriptor)) {
      if (!classicNetCdfIsWhole(descriptor)) throw FlightError(MessageId::CutOffFile);
    } else if (const StorageVerdict verdict = hdf5StorageFault(childFileName(descriptor), ChildLimits{}.memory);
               verdict.fault != StorageFault::None) {
      throw FlightError(faultMessage(verdict));
    } else if (!hdf5FileIsWhole(descriptor)) {
      // Asked after the product's storage: a member of a family of files is shorter than the
      // addresses of the whole family.
      throw FlightError(MessageId::CutOffFile);
    }
    bytes_ = wholeFile(descriptor);
    // NetCDF reads its own settings files on its first call.
    check(nc_initialize());
    forbidFileOpens();
    check(nc_open_mem("product", NC_NOWRITE, bytes_.size(), bytes_.data(), &id_));
  }
  ~NetCdfFile() { nc_close(id_); }
  NetCdfFile(const NetCdfFile&) = delete;
  NetCdfFile& operator=(const NetCdfFile&) = delete;
  int id() const { return id_; }

 private:
  static bool isClassic(int descriptor) {
    char start[4] = {};
    return pread(descriptor, start, sizeof start, 0) == sizeof start && std::string_view(start, 3) == "CDF" &&
           (start[3] == 1 || start[3] == 2 || start[3] == 5);
  }

  // The product's bytes, HDF5's metadata, and the buffers each chunk is inflated into, which the
  // heap hands on from one variable to the next: a real RS41 product's chunks unpack to 4 MB.
  static std::size_t heapFor(int descriptor) {
    constexpr std::size_t kBuffers = std::size_t{64} << 20, kLargest = std::size_t{1} << 30;
    struct stat status {};
    const std::size_t bytes = fstat(descriptor, &status) == 0 ? static_cast<std::size_t>(status.st_size) : 0;
    return std::min(kLargest, kBuffers + 2 * std::min(bytes, kLargest));
  }

  static std::vector<char> wholeFile(int descriptor) {
    struct stat status {};
    if (fstat(descriptor, &status) != 0) throw FlightError(std::strerror(errno));
    std::vector<char> bytes(static_cast<std::size_t>(status.st_size));
    for (std::size_t filled = 0; filled < bytes.size();) {
      const ssize_t got = pread(descriptor, bytes.data() + filled, bytes.size() - filled, static_cast<off_t>(filled));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) throw FlightError(std::strerror(errno));
      if (got == 0) throw FlightError(MessageId::CutOffFile);
      filled += static_cast<std::size_t>(got);
    }
    return bytes;
  }

  std::vector<char> bytes_;
  int id_ = -1;
};

struct Variable {
  int id;
  std::string name;
};

bool isNumeric(nc_type type) { return type != NC_CHAR && type != NC_STRING && type <= NC_MAX_ATOMIC_TYPE; }

// The numeric variables along the time dimension alone, in file order.
std::vector<Variable> timeSeries(int file, int timeDimension) {
  int count = 0;
  check(nc_inq_nvars(file, &count));
  std::vector<Variable> series;
  for (int id = 0; id < count; ++id) {
    char name[NC_MAX_NAME + 1] = {};
    nc_type type;
    int dimensions = 0;
    check(nc_inq_var(file, id, name, &type, &dimensions, nullptr, nullptr));
    if (dimensions != 1 || !isNumeric(type)) continue;
    int dimension = -1;
    check(nc_inq_vardimid(file, id, &dimension));
    if (dimension == timeDimension) series.push_back({id, name});
  }
  return series;
}

const Variable* find(const std::vector<Variable>& series, std::string_view name) {
  for (const Variable& variable : series)
    if (variable.name == name) return &variable;
  return nullptr;
}

std::optional<std::string> textAttribute(int file, int variable, const char* name) {
  nc_type type;
  std::size_t length = 0;
  if (nc_inq_att(file, variable, name, &type, &length) != NC_NOERR) return std::nullopt;
  if (type == NC_CHAR) {
    std::string text(length, '\0');
    check(nc_get_att_text(file, variable, name, text.data()));
    return text.substr(0, text.find('\0'));
  }
  if (type == NC_STRING && length == 1) {
    char* text = nullptr;
    check(nc_get_att_string(file, variable, name, &text));
    std::string copy = text ? text : "";
    nc_free_string(1, &text);
    return copy;
  }
  return std::nullopt;
}

std::vector<double> numberAttribute(int file, int variable, const char* name) {
  nc_type type;
  std::size_t length = 0;
  constexpr std::size_t kLongestList = 64;
  if (nc_inq_att(file, variable, name, &type, &length) != NC_NOERR || !isNumeric(type) || length > kLongestList)
    return {};
  std::vector<double> values(length);
  check(nc_get_att_double(file, variable, name, values.data()));
  return values;
}

// What an attribute that is no single text holds, as the operator would write it: its texts
// quoted, or its numbers; a long list is cut.
std::string shownAttribute(int file, int variable, const char* name, nc_type type, std::size_t length) {
  constexpr std::size_t kShown = 8;
  std::string shown;
  if (type == NC_STRING) {
    std::vector<char*> texts(length, nullptr);
    check(nc_get_att_string(file, variable, name, texts.data()));
    for (std::size_t i = 0; i < length && i < kShown; ++i) shown += (i ? ", \"" : "\"") + std::string(texts[i] ? texts[i] : "") + "\"";
    nc_free_string(length, texts.data());
  } else if (isNumeric(type)) {
    std::vector<double> numbers(length);
    check(nc_get_att_double(file, variable, name, numbers.data()));
    for (std::size_t i = 0; i < length && i < kShown; ++i) {
      char number[32];
      std::snprintf(number, sizeof number, "%.17g", numbers[i]);
      shown += (i ? ", " : "") + std::string(number);
    }
  }
  return shown + (length > kShown ? ", …" : "");
}

// The unit a variable states. A units attribute that holds numbers or several texts fails, naming
// the variable and showing what it holds: a unit is never taken on a guess.
std::string unitsOf(int file, const Variable& variable) {
  nc_type type;
  std::size_t length = 0;
  if (nc_inq_att(file, variable.id, "units", &type, &length) != NC_NOERR) return {};
  if (const std::optional<std::string> text = textAttribute(file, variable.id, "units")) return *text;
  throw FlightError(
      Message(MessageId::UnitNotText, {variable.name, shownAttribute(file, variable.id, "units", type, length)}));
}

// What an unwritten value of a type reads as, unless _FillValue says otherwise. Bytes have none:
// every byte value may be data.
std::optional<double> defaultFill(nc_type type) {
  switch (type) {
    case NC_SHORT: return NC_FILL_SHORT;
    case NC_INT: return NC_FILL_INT;
    case NC_FLOAT: return NC_FILL_FLOAT;
    case NC_DOUBLE: return NC_FILL_DOUBLE;
    case NC_USHORT: return NC_FILL_USHORT;
    case NC_UINT: return NC_FILL_UINT;
    case NC_INT64: return static_cast<double>(NC_FILL_INT64);
    case NC_UINT64: return static_cast<double>(NC_FILL_UINT64);
    default: return std::nullopt;
  }
}

// The NetCDF conventions for values that hold none: the fill value, the missing values, and
// whatever lies outside the valid range. All are stated in the stored (packed) values.
class MissingValues {
 public:
  MissingValues(int file, int variable) {
    exact_ = numberAttribute(file, variable, "missing_value");
    const std::vector<double> fill = numberAttribute(file, variable, "_FillValue");
    nc_type type;
    check(nc_inq_vartype(file, variable, &type));
    if (!fill.empty()) exact_.push_back(fill.front());
    else if (const std::optional<double> standard = defaultFill(type)) exact_.push_back(*standard);
    const std::vector<double> range = numberAttribute(file, variable, "valid_range");
    const std::vector<double> low = range.size() == 2 ? range : numberAttribute(file, variable, "valid_min");
    const std::vector<double> high = range.size() == 2 ? std::vector<double>{range[1]} : numberAttribute(file, variable, "valid_max");
    if (!low.empty()) low_ = low.front();
    if (!high.empty()) high_ = high.front();
  }

  bool holdsNoValue(double stored) const {
    if (stored < low_ || stored > high_) return true;
    for (double missing : exact_)
      if (stored == missing) return true;
    return false;
  }

 private:
  std::vector<double> exact_;
  double low_ = -std::numeric_limits<double>::infinity();
  double high_ = std::numeric_limits<double>::infinity();
};

// A global attribute's text, under the first of the names product generations give it; empty
// where none holds one. A fact that cannot be read is left out: it never fails the read.
std::string statedText(int file, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    std::optional<std::string> text;
    try {
      text = textAttribute(file, NC_GLOBAL, name);
    } catch (const FlightError&) {
    }
    if (!text) continue;
    const std::size_t first = text->find_first_not_of(" \t\r\n");
    if (first == std::string::npos) continue;
    std::string value = text->substr(first, text->find_last_not_of(" \t\r\n") - first + 1);
    if (value != "nil" && value != "NIL" && value != "Nil") return value;
  }
  return {};
}

// A stated position: latitude and longitude from one source, the first that states a place (the
// measuring system's own, more precise than the site's), and the altitude from the same where it
// states one.
void readStatedPosition(int file, FlightIdentity& identity) {
  for (const char* source : {"g.MeasurementSystem.", "g.MeasuringSystem.", "g.Site."}) {
    const std::string prefix(source);
    setPosition(identity, statedNumber(statedText(file, {(prefix + "Latitude").c_str()})),
                statedNumber(statedText(file, {(prefix + "Longitude").c_str()})));
    if (std::isnan(identity.latitude)) continue;
    identity.altitude = statedNumber(statedText(file, {(prefix + "Altitude").c_str()}));
    return;
  }
  identity.altitude = statedNumber(statedText(file, {"g.MeasurementSystem.Altitude", "g.MeasuringSystem.Altitude",
                                                     "g.Site.Altitude"}));
}

// What an RS41 or an RS92 product states about its flight.
void readStatedIdentity(int file, FlightIdentity& identity) {
  identity.launchTime = utcTime(statedText(file, {"g.Measurement.StartTime", "g.Ascent.StartTime"}));
  identity.nominalTime = utcTime(statedText(file, {"g.Measurement.StandardTime", "g.Ascent.StandardTime"}));
  identity.station = statedText(file, {"g.Site.Key", "g.General.SiteCode"});
  identity.stationName = statedText(file, {"g.Site.Name", "g.General.SiteName"});
  identity.wmoIndex = statedText(file, {"g.MeasurementSystem.WmoCode", "g.General.SiteWmoId"});
  readStatedPosition(file, identity);
  identity.sondeType = statedText(file, {"g.MainSonde.Model", "g.Instrument.Type", "g.MainSonde.ModelFamily",
                                         "g.Instrument.TypeFamily"});
  identity.serialNumber = statedText(file, {"g.MainSonde.SerialNumber", "g.Instrument.SerialNumber"});
  identity.product = statedText(file, {"g.Product.Key", "g.Product.Code"});
  identity.productVersion = statedText(file, {"g.Product.Version"});
  identity.eventId = statedText(file, {"g.Measurement.Id", "g.Ascent.ID"});
  identity.balloonNumber = statedText(file, {"g.Measurement.BalloonNumber", "g.Ascent.BalloonNumber"});
}

// The kind of height a variable holds, as its CF standard_name states it.
HeightKind heightKindOf(int file, const Variable& variable) {
  std::optional<std::string> name;
  try {
    name = textAttribute(file, variable.id, "standard_name");
  } catch (const FlightError&) {
  }
  if (name == "geopotential_height") return HeightKind::Geopotential;
  if (name == "altitude" || name == "height_above_mean_sea_level") return HeightKind::Geometric;
  return HeightKind::Unknown;
}

// The k of "(k=2)" in a text, or NaN.
double coverageInText(const std::string& text) {
  for (std::size_t at = text.find('('); at != std::string::npos; at = text.find('(', at + 1)) {
    const char* next = text.c_str() + at + 1;
    const auto blanks = [&next] {
      while (*next == ' ') ++next;
    };
    blanks();
    if (*next != 'k' && *next != 'K') continue;
    ++next;
    blanks();
    if (*next != '=') continue;
    ++next;
    blanks();
    if (!std::isdigit(static_cast<unsigned char>(*next))) continue;
    char* end = nullptr;
    const double k = std::strtod(next, &end);
    next = end;
    blanks();
    if (*next == ')' && std::isfinite(k) && k > 0) return k;
  }
  return std::numeric_limits<double>::quiet_NaN();
}

// The coverage factor an uncertainty was stated at: its g_coverage_factor, else the "(k=N)" its
// comment or long name states; NaN where none is stated, or none that is one positive number.
double statedCoverage(int file, const Variable& variable) {
  const std::vector<double> factor = numberAttribute(file, variable.id, "g_coverage_factor");
  if (factor.size() == 1) return std::isfinite(factor[0]) && factor[0] > 0 ? factor[0] : std::nan("");
  for (const char* attribute : {"comment", "long_name"}) {
    std::optional<std::string> text;
    try {
      text = textAttribute(file, variable.id, attribute);
    } catch (const FlightError&) {
    }
    if (!text) continue;
    if (const double k = coverageInText(*text); !std::isnan(k)) return k;
  }
  return std::numeric_limits<double>::quiet_NaN();
}

class ProductReader {
 public:
  ProductReader(int descriptor, FlightTable& table, SlotControls& controls)
      : file_(descriptor), timeDimension_(findTimeDimension()), series_(timeSeries(file_.id(), timeDimension_)),
        flight_(table, rowsAlongTime(), controls) {}

  ProductRead read(bool strict, FlightIdentity& identity, const ColumnPick& pick) {
    readStatedIdentity(file_.id(), identity);
    listColumns();
    identity.columns = columnFacts();
    std::vector<bool> filled(columns_.size(), !pick);
    if (pick)
      for (int column : pick(names_, identity))
        if (column >= 0 && column < static_cast<int>(columns_.size())) filled[column] = true;
    // The flight is cut at the top of its height.
    if (flight_.heightColumn() >= 0) filled[flight_.heightColumn()] = true;
    for (std::size_t column = 0; column < columns_.size(); ++column)
      if (filled[column]) readValues(columns_[column], columns_[column].cells);
    const FlightRows rows = flight_.finish(strict);
    return {rows, filled, flight_.productRows()};
  }

  // Fills columns of the flight an earlier read of this product kept: its row r from the
  // product's row productRows[r].
  void readColumns(const std::vector<int>& columns, const std::vector<int>& productRows) {
    listColumns();
    std::vector<double> values(static_cast<std::size_t>(flight_.rows()) + 1);
    for (int index : columns) {
      if (index < 0 || index >= static_cast<int>(columns_.size())) throw FlightError(MessageId::FileChanged);
      const Column& column = columns_[index];
      readValues(column, values.data());
      for (std::size_t row = 1; row < productRows.size(); ++row) {
        const int from = productRows[row];
        if (from < 1 || from > flight_.rows()) throw FlightError(MessageId::FileChanged);
        column.cells[row] = values[static_cast<std::size_t>(from)];
      }
    }
  }

 private:
  // A column of the flight, and the variable and conversion its values come from.
  struct Column {
    const Variable* variable;
    std::optional<UnitConversion> conversion;
    bool uncertainty;
    double coverage;  // the k its values are stated at, divided out; NaN where none is stated
    HeightKind heightKind;
    double* cells;  // rows from 1
  };

  int findTimeDimension() const {
    int id = -1;
    if (nc_inq_dimid(file_.id(), "time", &id) != NC_NOERR)
      throw FlightError(MessageId::NoTimeDimension);
    return id;
  }

  long long rowsAlongTime() const {
    std::size_t length = 0;
    check(nc_inq_dimlen(file_.id(), timeDimension_, &length));
    return static_cast<long long>(std::min<std::size_t>(length, std::numeric_limits<long long>::max()));
  }

  // The column of a variable, or -1.
  int columnOf(std::string_view variable) const {
    for (std::size_t i = 0; i < columns_.size(); ++i)
      if (columns_[i].variable->name == variable) return static_cast<int>(i);
    return -1;
  }

  // The height a product compares by: its geopotential height where it states one ("alt" where
  // that is one, as in RS41 products, else the first, as RS92's "geopot"), so that two products
  // compare like with like; otherwise "alt".
  const Variable* defaultHeight() const {
    const Variable* alt = find(series_, factsOf(Quantity::Height).gruanVariable);
    if (alt && heightKindOf(file_.id(), *alt) == HeightKind::Geopotential) return alt;
    for (const Variable& variable : series_)
      if (heightKindOf(file_.id(), variable) == HeightKind::Geopotential) return &variable;
    return alt;
  }

  // The total uncertainty of a variable as the product names it, or nullptr.
  const Variable* uncertaintyOf(std::string_view variable) const {
    for (const std::string& name : uncertaintyNames(variable))
      if (const Variable* uncertainty = find(series_, name)) return uncertainty;
    return nullptr;
  }

  // Every column the flight has, in its order, with the unit of each quantity checked: the time,
  // the quantities, the total uncertainty of each followed by its parts, the other variables.
  void listColumns() {
    const QuantityFacts& time = factsOf(Quantity::Time);
    const Variable* timeVariable = find(series_, time.gruanVariable);
    if (!timeVariable) throw FlightError(MessageId::NoTimeVariable);
    addColumn(*timeVariable, std::string(time.column), time.unit);
    std::vector<std::pair<const Variable*, Unit>> quantities;
    for (const QuantityFacts& quantity : kQuantities) {
      if (quantity.quantity == Quantity::Time) continue;
      const Variable* variable =
          quantity.quantity == Quantity::Height ? defaultHeight() : find(series_, quantity.gruanVariable);
      if (!variable) continue;
      addColumn(*variable, std::string(quantity.column), quantity.unit);
      quantities.emplace_back(variable, quantity.unit);
    }
    for (const auto& [variable, unit] : quantities) {
      const Variable* total = uncertaintyOf(variable->name);
      if (!total) continue;
      addColumn(*total, total->name, unit, true);
      const double totalCoverage = columns_.back().coverage;
      // A part in a unit the program does not know is no part: it stays among the others as stated.
      for (const std::string& name : uncertaintyPartNames(total->name).all()) {
        const Variable* part = find(series_, name);
        if (!part || isTaken(*part) || !knownUnit(unit, *part)) continue;
        addColumn(*part, part->name, unit, true);
        // A part that states no factor of its own is stated as its total is.
        if (std::isnan(columns_.back().coverage)) columns_.back().coverage = totalCoverage;
      }
    }
    for (const Variable& variable : series_) {
      if (flight_.full()) break;
      if (isTaken(variable)) continue;
      // Any height is taken in metres, whichever the reader compares by; one in a unit the
      // program does not know stays as stated, of no known kind.
      const bool height = heightKindOf(file_.id(), variable) != HeightKind::Unknown &&
                          knownUnit(Unit::Metres, variable);
      addColumn(variable, variable.name, height ? std::optional(Unit::Metres) : std::nullopt);
    }
  }

  std::optional<UnitConversion> knownUnit(Unit unit, const Variable& variable) const {
    const std::optional<std::string> units = textAttribute(file_.id(), variable.id, "units");
    return units ? knownConversion(unit, *units) : std::nullopt;
  }

  bool isTaken(const Variable& variable) const { return columnOf(variable.name) >= 0; }

  void addColumn(const Variable& variable, const std::string& name, std::optional<Unit> unit,
                 bool uncertainty = false) {
    const std::optional<UnitConversion> conversion =
        unit ? std::optional(unitConversion(*unit, unitsOf(file_.id(), variable), variable.name)) : std::nullopt;
    names_.push_back(name);
    const HeightKind height = unit == Unit::Metres ? heightKindOf(file_.id(), variable) : HeightKind::Unknown;
    columns_.push_back({&variable, conversion, uncertainty, statedCoverage(file_.id(), variable), height,
                        flight_.addColumn(name)});
  }

  // What the product states of each column: its kind as a height, the coverage factor it was
  // stated at, and which columns hold its uncertainty and that uncertainty's parts.
  std::vector<ColumnFacts> columnFacts() const {
    std::vector<ColumnFacts> facts(columns_.size());
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      const Column& column = columns_[i];
      const std::string& name = column.variable->name;
      facts[i].heightKind = column.heightKind;
      facts[i].coverageFactor = column.coverage;
      if (const Variable* total = uncertaintyOf(name)) facts[i].uncertainty = columnOf(total->name);
      const UncertaintyPartNames parts = uncertaintyPartNames(name);
      facts[i].parts = {columnOf(parts.uncorrelated), columnOf(parts.spatial), columnOf(parts.temporal)};
    }
    return facts;
  }

  // Reads the stored values into rows 1.., takes out those that hold none, unpacks and converts
  // the rest; an uncertainty stated at a coverage factor becomes a standard uncertainty.
  void readValues(const Column& column, double* values) {
    const int file = file_.id(), id = column.variable->id;
    const int rows = flight_.rows();
    if (rows == 0) return;
    const std::size_t start = 0, count = static_cast<std::size_t>(rows);
    check(nc_get_vara_double(file, id, &start, &count, values + 1));
    const MissingValues missing(file, id);
    const std::vector<double> scale = numberAttribute(file, id, "scale_factor");
    const std::vector<double> offset = numberAttribute(file, id, "add_offset");
    const double coverage = std::isnan(column.coverage) ? 1.0 : column.coverage;
    for (int row = 1; row <= rows; ++row) {
      double& value = values[row];
      if (missing.holdsNoValue(value)) value = std::numeric_limits<double>::quiet_NaN();
      else value = (value * (scale.empty() ? 1.0 : scale.front()) + (offset.empty() ? 0.0 : offset.front())) / coverage;
    }
    if (column.conversion) convertColumn(values, rows, *column.conversion, column.uncertainty);
  }

  NetCdfFile file_;
  int timeDimension_;
  std::vector<Variable> series_;
  ReferenceFlight flight_;
  std::vector<Column> columns_;
  std::vector<std::string> names_;
};

}  // namespace

ProductRead readGruanProduct(int descriptor, FlightTable& table, bool strict, SlotControls& controls,
                             FlightIdentity& identity, const ColumnPick& pick) {
  return ProductReader(descriptor, table, controls).read(strict, identity, pick);
}

void readGruanColumns(int descriptor, const std::vector<int>& columns, const std::vector<int>& productRows,
                      FlightTable& table) {
  ReadChoices unseen;
  ProductReader(descriptor, table, unseen).readColumns(columns, productRows);
}
