#include "reference/bufr_sounding.h"

#include "flight/flight_error.h"
#include "flight/numeric_helpers.h"
#include "reference/bulletin_heading.h"
#include "reference/child_sandbox.h"
#include "reference/library_child.h"
#include "flight/quantities.h"
#include "reference/reference_units.h"

#include <eccodes.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

namespace {

void check(int status) {
  if (status != CODES_SUCCESS) throw FlightError(codes_get_error_message(status));
}

// ecCodes writes its complaints to stderr; the operator gets them as the read's failure instead.
void keepQuiet(const codes_context*, int, const char*) {}
// An assertion that fails (as when malloc fails) ends the child, which the program then reports.
void abortQuietly(const char*) { std::abort(); }

struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
struct DeleteHandle {
  void operator()(codes_handle* handle) const { codes_handle_delete(handle); }
};
using BufrMessage = std::unique_ptr<codes_handle, DeleteHandle>;

// Where ecCodes looks for its definitions: folders separated by colons.
std::vector<std::string> definitionFolders(codes_context* context) {
  std::vector<std::string> folders;
  const char* const paths = codes_definition_path(context);
  std::istringstream path(paths ? paths : "");
  for (std::string folder; std::getline(path, folder, ':');)
    if (!folder.empty()) folders.push_back(folder);
  return folders;
}

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

// ecCodes makes keys of about 2 KB for every value it unpacks, and a sounding's values take
// about a byte each of the file: the heap is prepared for the largest message the file may hold.
std::size_t heapForMessages(std::size_t fileBytes) {
  constexpr std::size_t kTables = std::size_t{32} << 20, kPerByte = 2048, kLargest = std::size_t{1} << 30;
  return std::min(kLargest, kTables + std::min(fileBytes, kLargest / kPerByte) * kPerByte);
}

// Keys of the first subset: the data of one subset come first, but a message of several
// subsets can only be asked for them by condition, which ecCodes answers slowly.
class SubsetKeys {
 public:
  explicit SubsetKeys(codes_handle* message) {
    long subsets = 1;
    check(codes_get_long(message, "numberOfSubsets", &subsets));
    prefix_ = subsets > 1 ? "/subsetNumber=1/" : "";
  }
  std::string operator()(std::string_view element) const { return prefix_ + std::string(element); }

 private:
  std::string prefix_;
};

// The values of an element in the first subset, fetched as one array; a level the message does
// not give holds none.
std::vector<double> elementValues(codes_handle* message, const std::string& key, std::size_t levels) {
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

// The levels of the first subset: the first replication of the template, that of the levels;
// the wind shear data come after them.
std::size_t levelCount(codes_handle* message, const SubsetKeys& keys) {
  long levels = 0;
  check(codes_get_long(message, keys("extendedDelayedDescriptorReplicationFactor").c_str(), &levels));
  return levels > 0 ? static_cast<std::size_t>(levels) : 0;
}

// A stated fact of the first subset, or nothing when the message leaves it out or lacks the key.
std::optional<long> statedLong(codes_handle* message, const std::string& key) {
  long value = 0;
  if (codes_get_long(message, key.c_str(), &value) != CODES_SUCCESS || value == CODES_MISSING_LONG) return std::nullopt;
  return value;
}

double statedDouble(codes_handle* message, const std::string& key) {
  double value = 0;
  if (codes_get_double(message, key.c_str(), &value) != CODES_SUCCESS || value == CODES_MISSING_DOUBLE)
    return FlightIdentity::kUnknown;
  return value;
}

std::string statedString(codes_handle* message, const std::string& key) {
  char text[256] = {};
  std::size_t length = sizeof text;
  if (codes_get_string(message, key.c_str(), text, &length) != CODES_SUCCESS) return {};
  std::string value(text, strnlen(text, sizeof text));
  // A missing text is all ones, which no serial number holds.
  if (value.find('\xff') != std::string::npos) return {};
  const std::size_t first = value.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : value.substr(first, value.find_last_not_of(' ') - first + 1);
}

// Reads a table that ecCodes ships (path beneath a definition folder), line by line, from the
// definition folders in turn, until `found` finds what it looks for in a line.
bool findInTable(codes_context* context, const std::string& path, const std::function<bool(const std::string&)>& found) {
  for (const std::string& folder : definitionFolders(context)) {
    std::ifstream table(folder + "/" + path);
    for (std::string line; std::getline(table, line);)
      if (found(line)) return true;
  }
  return false;
}

// The meaning of a code in WMO's code table 002011 (radiosonde type), as the message's version of
// the tables that ecCodes ships gives it: lines "code code meaning".
std::string radiosondeTypeName(codes_context* context, long tablesVersion, long code) {
  std::string meaning;
  findInTable(context, "bufr/tables/0/wmo/" + std::to_string(tablesVersion) + "/codetables/2011.table",
              [&](const std::string& line) {
                std::istringstream fields(line);
                long first = -1, second = -1;
                return fields >> first >> second && first == code && std::getline(fields >> std::ws, meaning);
              });
  return meaning;
}

// The element tables ecCodes decodes a message by: WMO's of the message's version, then the
// centre's own.
std::vector<std::string> elementTables(codes_handle* message) {
  const auto number = [&](const char* key) { return std::to_string(statedLong(message, key).value_or(0)); };
  const std::string tables = "bufr/tables/" + number("masterTableNumber");
  return {tables + "/wmo/" + number("masterTablesVersionNumber") + "/element.table",
          tables + "/local/" + number("localTablesVersionNumber") + "/" + number("bufrHeaderCentre") + "/" +
              number("bufrHeaderSubCentre") + "/element.table"};
}

// The unit of an element, nothing when the message has no such element: that of the descriptor
// the message gives it, in the element tables (lines "code|abbreviation|type|name|unit|…"); empty
// when they hold no such descriptor. Asking ecCodes for the units of all descriptors would decode
// the message a second time, and take half as much memory again.
std::optional<std::string> elementUnit(codes_context* context, codes_handle* message, std::string_view element) {
  char code[16] = {};
  std::size_t length = sizeof code;
  if (codes_get_string(message, ("#1#" + std::string(element) + "->code").c_str(), code, &length) != CODES_SUCCESS)
    return std::nullopt;
  const std::string start = std::string(code, strnlen(code, sizeof code)) + "|";
  std::string unit;
  const auto unitOfCode = [&](const std::string& line) {
    if (line.compare(0, start.size(), start) != 0) return false;
    std::istringstream fields(line);
    std::string field;
    for (int number = 1; number <= 5; ++number)
      if (!std::getline(fields, field, '|')) return false;
    unit = field;
    return true;
  };
  for (const std::string& table : elementTables(message))
    if (findInTable(context, table, unitOfCode)) break;
  return unit;
}

// What a TEMP states about its flight: launch time, station, position, radiosonde.
void readStatedIdentity(codes_context* context, codes_handle* message, const SubsetKeys& keys,
                        FlightIdentity& identity) {
  const auto part = [&](const char* key) { return statedLong(message, keys(key)); };
  const std::optional<long> year = part("year"), month = part("month"), day = part("day"), hour = part("hour"),
                            minute = part("minute"), second = part("second");
  if (year && month && day && hour && minute)
    identity.launchTime = utcTime(*year, *month, *day, *hour, *minute, second.value_or(0));
  const std::optional<long> block = part("blockNumber"), station = part("stationNumber");
  if (block && station && *block >= 0 && *block < 100 && *station >= 0 && *station < 1000) {
    char index[8];
    std::snprintf(index, sizeof index, "%02ld%03ld", *block, *station);
    identity.station = identity.wmoIndex = index;
  }
  setPosition(identity, statedDouble(message, keys("latitude")), statedDouble(message, keys("longitude")));
  identity.altitude = statedDouble(message, keys("heightOfStationGroundAboveMeanSeaLevel"));
  const std::optional<long> type = part("radiosondeType");
  const std::optional<long> tablesVersion = statedLong(message, "masterTablesVersionNumber");
  if (type && tablesVersion) identity.sondeType = radiosondeTypeName(context, *tablesVersion, *type);
  identity.serialNumber = statedString(message, keys("radiosondeSerialNumber"));
}

// The keys made for every value then carry no attributes beyond their descriptor's code, which
// halves the time and the memory that unpacking takes.
void unpack(codes_handle* message) {
  check(codes_set_long(message, "skipExtraKeyAttributes", 1));
  check(codes_set_long(message, "unpack", 1));
}

// The message of a file that holds its sounding, unpacked, and where it lies among the others.
struct SoundingMessage {
  BufrMessage message;
  std::size_t levels = 0;
  int number = 0, messages = 0;  // its number among the file's messages, from 1, and theirs
  long gapStart = 0, offset = 0;  // where the bytes since the message before it start, and where it does
};

// Of the file's TEMP messages the one with the most levels, the first of equals: a bulletin may
// carry a station's short report beside its full sounding. Every message is read, so that a
// damaged one fails the read rather than hide a longer sounding. Only the best TEMP so far is kept
// unpacked.
SoundingMessage soundingMessage(std::FILE* file) {
  SoundingMessage sounding;
  long end = 0;  // of the message before
  for (;;) {
    int status = CODES_SUCCESS;
    BufrMessage message(codes_handle_new_from_file(nullptr, file, PRODUCT_BUFR, &status));
    check(status);
    if (!message) break;
    ++sounding.messages;
    const long gapStart = end;
    const long offset = statedLong(message.get(), "offset").value_or(gapStart);
    end = offset + statedLong(message.get(), "totalLength").value_or(0);
    if (!isTemp(message.get())) continue;
    unpack(message.get());
    const std::size_t levels = levelCount(message.get(), SubsetKeys(message.get()));
    if (sounding.message && levels <= sounding.levels) continue;
    sounding.message = std::move(message);
    sounding.levels = levels;
    sounding.number = sounding.messages;
    sounding.gapStart = gapStart;
    sounding.offset = offset;
  }
  if (!sounding.message) throw FlightError(MessageId::NoRadiosondeSounding);
  return sounding;
}

// The heading of the bulletin the message came in, where it came in one.
std::optional<BulletinHeading> bulletinHeadingOf(int descriptor, const SoundingMessage& sounding) {
  const long start = std::max(sounding.gapStart, sounding.offset - static_cast<long>(kHeadingReach));
  if (start >= sounding.offset) return std::nullopt;
  std::string before(static_cast<std::size_t>(sounding.offset - start), '\0');
  if (pread(descriptor, before.data(), before.size(), start) != static_cast<ssize_t>(before.size())) return std::nullopt;
  return headingBefore(before, start == sounding.gapStart);
}

// What the heading tells of a flight whose message does not: the compiling centre as the station,
// the heading's time as the nominal one.
void readHeadingIdentity(codes_handle* message, const BulletinHeading& heading, FlightIdentity& identity) {
  if (identity.station.empty()) identity.station = heading.station;
  const std::optional<long> year = statedLong(message, "typicalYear"), month = statedLong(message, "typicalMonth");
  if (identity.launchTime.empty() && year && month)
    identity.nominalTime = headingTime(heading, *year, *month, statedLong(message, "typicalDay").value_or(heading.day));
}

ProductRead readSounding(codes_context* context, codes_handle* message, FlightTable& table, bool strict,
                         SlotControls& controls) {
  const SubsetKeys keys(message);
  const std::size_t levels = levelCount(message, keys);
  ReferenceFlight flight(table, static_cast<long long>(levels), controls);
  const int rows = flight.rows();
  double* columns[std::size(kQuantities)];
  for (std::size_t i = 0; i < std::size(kQuantities); ++i) {
    const QuantityFacts& element = kQuantities[i];
    columns[i] = flight.addColumn(std::string(element.column));
    if (element.bufrKey.empty()) continue;
    const std::vector<double> values = elementValues(message, keys(element.bufrKey), static_cast<std::size_t>(rows));
    std::copy(values.begin(), values.end(), columns[i] + 1);
    if (const std::optional<std::string> unit = elementUnit(context, message, element.bufrKey))
      convertColumn(columns[i], rows, unitConversion(element.unit, *unit, std::string(element.bufrKey)));
  }
  // The humidity is worked out from the dew point and the temperature.
  const auto column = [&columns](Quantity quantity) { return columns[static_cast<int>(quantity)]; };
  for (int row = 1; row <= rows; ++row)
    column(Quantity::Humidity)[row] =
        100.0 * (Par(column(Quantity::DewPoint)[row]) / Par(column(Quantity::Temperature)[row]));
  const FlightRows finished = flight.finish(strict);
  return {finished, std::vector<bool>(std::size(kQuantities), true), flight.productRows()};
}

}  // namespace

ProductRead readBufrSounding(int descriptor, FlightTable& table, bool strict, SlotControls& controls,
                             FlightIdentity& identity) {
  codes_context* context = codes_context_get_default();
  codes_context_set_logging_proc(context, keepQuiet);
  codes_set_codes_assertion_failed_proc(abortQuietly);
  const std::unique_ptr<std::FILE, CloseFile> file(std::fopen(childFileName(descriptor).c_str(), "rb"));
  if (!file) throw FlightError(std::strerror(errno));
  allowReadingOnlyBeneath(definitionFolders(context));
  struct stat status {};
  if (fstat(descriptor, &status) == 0) prepareHeap(heapForMessages(static_cast<std::size_t>(status.st_size)));
  SoundingMessage sounding = soundingMessage(file.get());
  codes_handle* const message = sounding.message.get();
  ProductRead read = readSounding(context, message, table, strict, controls);
  readStatedIdentity(context, message, SubsetKeys(message), identity);
  if (const std::optional<BulletinHeading> heading = bulletinHeadingOf(descriptor, sounding))
    readHeadingIdentity(message, *heading, identity);
  if (sounding.messages > 1)
    identity.messageRead = std::to_string(sounding.number) + " of " + std::to_string(sounding.messages);
  // Neither template gives another height of a level than the geopotential one.
  identity.columns.assign(read.filled.size(), ColumnFacts{});
  if (read.rows.heightColumn >= 0 && read.rows.heightColumn < static_cast<int>(identity.columns.size()))
    identity.columns[static_cast<std::size_t>(read.rows.heightColumn)].heightKind = HeightKind::Geopotential;
  // The child ends with the read: freeing the message's keys one by one would only take time.
  static_cast<void>(sounding.message.release());
  return read;
}
