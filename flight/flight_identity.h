#pragma once

#include "flight/utc_time.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

// What kind of height a column holds: operators pool flights only of one kind, since a
// geopotential height and a geometric altitude part by tens of metres high up.
enum class HeightKind { Unknown, Geometric, Geopotential };

// "geometric", "geopotential", or empty for Unknown: the words the files and scripts use.
std::string_view heightKindName(HeightKind kind);
// Whether two heights are both of known kinds, and of different ones: compared, they would take
// the gap between geopotential and geometric height for a difference of the sondes.
inline bool heightKindsDiffer(HeightKind first, HeightKind second) {
  return first != HeightKind::Unknown && second != HeightKind::Unknown && first != second;
}

// The parts a product states its total uncertainty in, each the column that holds it (-1 where
// the product states none). Sondes of one model share their temporally correlated errors (the
// calibration); sondes on one balloon share the spatially correlated ones too (the conditions of
// that sounding). A part stated only as "correlated" is taken as spatial: it cancels only on one
// balloon, where both kinds do.
struct UncertaintyParts {
  int uncorrelated = -1, spatial = -1, temporal = -1;
  bool stated() const { return uncorrelated >= 0 || spatial >= 0 || temporal >= 0; }
};

// What a product states about one of its columns; a raw file states nothing.
struct ColumnFacts {
  HeightKind heightKind = HeightKind::Unknown;  // as a height, by its CF standard_name
  // Of an uncertainty: the coverage factor k it was stated at, divided out as it was read, so
  // that every uncertainty column holds standard uncertainties; NaN where the product states none.
  double coverageFactor = std::numeric_limits<double>::quiet_NaN();
  int uncertainty = -1;     // of a value: the column of its total uncertainty
  UncertaintyParts parts;   // of a total uncertainty: its parts
};

// Who flew, when and where: the facts of the file and what the file itself states about its
// flight. A raw station file states nothing; nothing is ever guessed from a file's name.
struct FlightIdentity {
  static constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

  // The file as it was read.
  std::string path;
  long long size = 0;
  std::string modified;  // UTC, "2026-06-01T11:00:00Z"
  std::string format;    // the raw layout, or the reference format

  // What the file states; empty (or kUnknown) where it does not.
  std::string launchTime, nominalTime;  // UTC, as modified, to the millisecond where stated
  std::string station, stationName, wmoIndex;  // site key (or WMO index), the site's name, its WMO index
  double latitude = kUnknown, longitude = kUnknown, altitude = kUnknown;  // degrees north and east, metres
  std::string sondeType, serialNumber, product, productVersion;
  std::string eventId, balloonNumber;  // the sounding, shared by the sondes flown on one balloon
  // Which of the file's messages holds the flight, "2 of 3", where the file holds several.
  std::string messageRead;
  std::vector<ColumnFacts> columns;    // by column index
  int heightColumn = -1;               // the column the reader selects as the height

  // The facts of a column; a column the file states nothing about has the defaults.
  const ColumnFacts& column(int index) const;
  HeightKind heightKindOf(int column) const { return this->column(column).heightKind; }
  // The kind of the reader's height column.
  HeightKind heightKind() const { return heightKindOf(heightColumn); }
  // Whether the file was read as a reference product rather than as a raw layout (or not at all).
  bool isProduct() const { return format == kGruanProductFormat || format == kBufrTempFormat; }

  static constexpr std::string_view kGruanProductFormat = "GRUAN product (NetCDF)";
  static constexpr std::string_view kBufrTempFormat = "BUFR TEMP";

  // "RS41-SG M2710695 · PAY 2017-07-12 00:00 UTC" from what is known, or the file's name.
  std::string label() const;
  // The same from what the file states alone: empty where it states nothing.
  std::string statedLabel() const;
};

// The stated texts by the names the JSON state and the child's hand-over use, in one order.
struct IdentityText {
  const char* name;
  std::string FlightIdentity::*field;
};
inline constexpr IdentityText kIdentityTexts[] = {
    {"launch", &FlightIdentity::launchTime},       {"nominal", &FlightIdentity::nominalTime},
    {"station", &FlightIdentity::station},         {"stationName", &FlightIdentity::stationName},
    {"wmoIndex", &FlightIdentity::wmoIndex},       {"sonde", &FlightIdentity::sondeType},
    {"serial", &FlightIdentity::serialNumber},     {"product", &FlightIdentity::product},
    {"productVersion", &FlightIdentity::productVersion}, {"event", &FlightIdentity::eventId},
    {"balloon", &FlightIdentity::balloonNumber},   {"messageRead", &FlightIdentity::messageRead},
};

// "2017-07-12 00:00 UTC", or empty for a time not known.
std::string withUtc(const std::string& time);
// The parts that are known (not empty), with the text between them.
std::string joined(std::initializer_list<std::string> parts, const char* between);

// The file's facts: its full path (made absolute), size and modification time. Fails never: a
// fact the system cannot give is left out.
void describeFile(FlightIdentity& identity, const std::string& path, int descriptor);

// A decimal number at the start of a stated quantity: "46.81 °N" → 46.81, "7.0 °W" → -7.0 (a
// hemisphere letter gives the sign: southern and western count negative), "491 m" → 491;
// kUnknown when there is none ("0x1p6", "inf" are none).
double statedNumber(std::string_view stated);

// A stated place, where it is one: a latitude within [−90, 90] and a longitude within [−180, 360)
// (east counted to 360 as some files do); otherwise neither is known.
void setPosition(FlightIdentity& identity, double latitude, double longitude);
