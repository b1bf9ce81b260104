#include "bufr_sounding.h"

#include "flight_error.h"
#include "numeric_helpers.h"
#include "reference_units.h"

#include <eccodes.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>
#include <vector>

namespace {

void check(int status) {
  if (status != CODES_SUCCESS) throw FlightError(codes_get_error_message(status));
}

// ecCodes writes its complaints to stderr; the operator gets them as the read's failure instead.
void keepQuiet(const codes_context*, int, const char*) {}

struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
struct DeleteHandle {
  void operator()(codes_handle* handle) const { codes_handle_delete(handle); }
};
using Message = std::unique_ptr<codes_handle, DeleteHandle>;

constexpr long kTempSequences[] = {309052, 309057};

bool isTemp(codes_handle* message) {
  std::size_t count = 0;
  if (codes_get_size(message, "unexpandedDescriptors", &count) != CODES_SUCCESS) return false;
  std::vector<long> descriptors(count);
  if (codes_get_long_array(message, "unexpandedDescriptors", descriptors.data(), &count) != CODES_SUCCESS) return false;
  for (long descriptor : descriptors)
    for (long temp : kTempSequences)
      if (descriptor == temp) return true;
  return false;
}

Message firstTemp(std::FILE* file) {
  for (;;) {
    int status = CODES_SUCCESS;
    Message message(codes_handle_new_from_file(nullptr, file, PRODUCT_BUFR, &status));
    check(status);
    if (!message) throw FlightError("No radiosonde sounding: no message of the TEMP templates 309052 or 309057.");
    if (isTemp(message.get())) return message;
  }
}

// The values of an element in the first subset; a level the message does not give holds none.
std::vector<double> elementValues(codes_handle* message, const std::string& element, std::size_t levels) {
  const std::string key = "/subsetNumber=1/" + element;
  std::vector<double> values(levels, std::numeric_limits<double>::quiet_NaN());
  std::size_t count = 0;
  const int status = codes_get_size(message, key.c_str(), &count);
  if (status == CODES_NOT_FOUND) return values;
  check(status);
  std::vector<double> all(count);
  check(codes_get_double_array(message, key.c_str(), all.data(), &count));
  for (std::size_t level = 0; level < levels && level < count; ++level)
    if (all[level] != CODES_MISSING_DOUBLE) values[level] = all[level];
  return values;
}

std::string elementUnit(codes_handle* message, const std::string& element) {
  char unit[64] = {};
  std::size_t length = sizeof unit;
  check(codes_get_string(message, (element + "->units").c_str(), unit, &length));
  return unit;
}

// The levels of the first subset: the first replication of the template, that of the levels;
// the wind shear data come after them.
std::size_t levelCount(codes_handle* message) {
  long levels = 0;
  check(codes_get_long(message, "/subsetNumber=1/extendedDelayedDescriptorReplicationFactor", &levels));
  return levels > 0 ? static_cast<std::size_t>(levels) : 0;
}

FlightRows readSounding(codes_handle* message, FlightTable& table, bool strict, SlotControls& controls) {
  check(codes_set_long(message, "unpack", 1));
  const std::size_t levels = levelCount(message);
  struct Element {
    std::string_view key, column;
    QuantityKind kind;
  };
  static const Element kElements[] = {
      {"timePeriod", "time", QuantityKind::Time},
      {"nonCoordinateGeopotentialHeight", "H", QuantityKind::Height},
      {"airTemperature", "T", QuantityKind::Temperature},
      {"", "U", QuantityKind::Humidity},
      {"windDirection", "D", QuantityKind::Direction},
      {"windSpeed", "V", QuantityKind::Speed},
      {"pressure", "P", QuantityKind::Pressure},
      {"dewpointTemperature", "Td", QuantityKind::Temperature},
  };
  ReferenceFlight flight(table, static_cast<long long>(levels), controls);
  const int rows = flight.rows();
  double* columns[std::size(kElements)];
  for (std::size_t i = 0; i < std::size(kElements); ++i) {
    const Element& element = kElements[i];
    columns[i] = flight.addColumn(std::string(element.column));
    if (element.key.empty()) continue;
    const std::string key(element.key);
    const std::vector<double> values = elementValues(message, key, static_cast<std::size_t>(rows));
    for (int row = 1; row <= rows; ++row) columns[i][row] = values[row - 1];
    convertColumn(columns[i], rows, unitConversion(element.kind, elementUnit(message, key), key));
  }
  constexpr int kTemperature = 2, kHumidity = 3, kDewPoint = 7;
  for (int row = 1; row <= rows; ++row)
    columns[kHumidity][row] = 100.0 * (Par(columns[kDewPoint][row]) / Par(columns[kTemperature][row]));
  return flight.finish(strict);
}

}  // namespace

FlightRows readBufrSounding(const std::string& fileName, FlightTable& table, bool strict, SlotControls& controls) {
  codes_context_set_logging_proc(codes_context_get_default(), keepQuiet);
  const std::unique_ptr<std::FILE, CloseFile> file(std::fopen(fileName.c_str(), "rb"));
  if (!file) throw FlightError(std::strerror(errno));
  const Message message = firstTemp(file.get());
  return readSounding(message.get(), table, strict, controls);
}
