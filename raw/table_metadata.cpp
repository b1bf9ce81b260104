#include "raw/table_metadata.h"

#include "flight/quantities.h"
#include "flight/trimmed_text.h"
#include "raw/table_columns.h"

#include <cstdlib>

namespace {

// Whole digits of a part of a date or time; -1 for anything else.
long digitsOf(std::string_view text) {
  if (text.empty() || text.size() > 4) return -1;
  long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// A date as sounding systems write it: "24.10.17", "24.10.2017", "2017-10-24", "20171024".
bool readDate(std::string_view text, long& year, long& month, long& day) {
  if (text.size() == 8 && digitsOf(text.substr(0, 4)) >= 0) {
    year = digitsOf(text.substr(0, 4)), month = digitsOf(text.substr(4, 2)), day = digitsOf(text.substr(6, 2));
    return month >= 0 && day >= 0;
  }
  if (text.size() == 10 && text[4] == '-' && text[7] == '-') {
    year = digitsOf(text.substr(0, 4)), month = digitsOf(text.substr(5, 2)), day = digitsOf(text.substr(8, 2));
    return year >= 0 && month >= 0 && day >= 0;
  }
  if ((text.size() == 8 || text.size() == 10) && text[2] == '.' && text[5] == '.') {
    day = digitsOf(text.substr(0, 2)), month = digitsOf(text.substr(3, 2)), year = digitsOf(text.substr(6));
    if (text.size() == 8 && year >= 0) year += year < 70 ? 2000 : 1900;  // two-digit years of radiosondes
    return year >= 0 && month >= 0 && day >= 0;
  }
  return false;
}

// "11:06:06" or "11:06".
bool readTimeOfDay(std::string_view text, long& hour, long& minute, long& second) {
  if ((text.size() != 5 && text.size() != 8) || text[2] != ':' || (text.size() == 8 && text[5] != ':')) return false;
  hour = digitsOf(text.substr(0, 2)), minute = digitsOf(text.substr(3, 2));
  second = text.size() == 8 ? digitsOf(text.substr(6, 2)) : 0;
  return hour >= 0 && minute >= 0 && second >= 0;
}

// A nominal time as "2017102412" or "20171024.12".
std::string nominalTime(std::string_view text) {
  long year, month, day;
  if (text.size() == 10 && readDate(text.substr(0, 8), year, month, day) && digitsOf(text.substr(8)) >= 0)
    return utcTime(year, month, day, digitsOf(text.substr(8)), 0, 0);
  if (text.size() == 11 && text[8] == '.' && readDate(text.substr(0, 8), year, month, day) && digitsOf(text.substr(9)) >= 0)
    return utcTime(year, month, day, digitsOf(text.substr(9)), 0, 0);
  return utcTime(text);
}

}  // namespace

std::optional<TableMetadata::Fact> TableMetadata::factNamed(std::string_view key) {
  struct Names {
    Fact fact;
    std::string_view names;  // lower case, as folded
  };
  static constexpr Names kNames[] = {
      {Station, "station|station position|site|location|станция|station id"},
      {StationName, "station name|site name|название станции"},
      {WmoIndex, "wmo|wmo index|wmo id|wmo number|wmo station|индекс"},
      {Latitude, "latitude|lat|широта|breite"},
      {Longitude, "longitude|lon|long|долгота|länge"},
      {Altitude, "altitude|station altitude|station height|elevation|высота станции"},
      {Date, "start date|launch date|date|дата|дата пуска|datum"},
      {Time, "start time|launch time|время пуска|startzeit"},
      {Launch, "launch|launch utc|start|пуск"},
      {Nominal, "sounding|nominal time|synoptic time|срок"},
      {Sonde, "sonde|sonde type|radiosonde|radiosonde type|type|зонд|тип зонда"},
      {Serial, "serial number|serial|serial no|sonde serial|sonde serial number|sonde id|номер зонда"},
  };
  const std::string folded = foldedTableName(splitUnit(trimmed(key)).name);
  for (const Names& named : kNames)
    if (isListed(named.names, folded)) return named.fact;
  return std::nullopt;
}

bool TableMetadata::namesAFact(std::string_view name) { return factNamed(name).has_value(); }

void TableMetadata::set(Fact fact, std::string_view value, int lineNumber) {
  value = trimmed(value);
  if (value.empty() || facts_[fact].line != 0) return;
  facts_[fact] = {std::string(value), lineNumber};
}

void TableMetadata::take(std::string_view line, int lineNumber) {
  const std::size_t cut = line.find_first_of(";:=\t");
  if (cut == std::string_view::npos) return;
  if (const std::optional<Fact> fact = factNamed(line.substr(0, cut))) set(*fact, line.substr(cut + 1), lineNumber);
}

void TableMetadata::takeColumn(std::string_view name, std::string_view value) {
  if (const std::optional<Fact> fact = factNamed(name)) set(*fact, value, -1);
}

void TableMetadata::forgetFrom(int lineNumber) {
  for (Stated& stated : facts_)
    if (stated.line >= lineNumber) stated = {};
}

void TableMetadata::state(FlightIdentity& identity) const {
  const auto value = [this](Fact fact) -> const std::string& { return facts_[fact].value; };
  identity.station = value(Station);
  identity.stationName = value(StationName);
  identity.wmoIndex = value(WmoIndex);
  identity.sondeType = value(Sonde);
  identity.serialNumber = value(Serial);
  setPosition(identity, statedNumber(value(Latitude)), statedNumber(value(Longitude)));
  identity.altitude = statedNumber(value(Altitude));
  identity.nominalTime = nominalTime(value(Nominal));
  long year, month, day, hour, minute, second;
  if (readDate(value(Date), year, month, day) && readTimeOfDay(value(Time), hour, minute, second))
    identity.launchTime = utcTime(year, month, day, hour, minute, second);
  if (identity.launchTime.empty()) identity.launchTime = utcTime(value(Launch));
}
