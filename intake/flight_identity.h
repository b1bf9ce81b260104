#pragma once

#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

// What kind of height a column holds: operators pool flights only of one kind, since a
// geopotential height and a geometric altitude part by tens of metres high up.
enum class HeightKind { Unknown, Geometric, Geopotential };

// "geometric", "geopotential", or empty for Unknown: the words the files and scripts use.
std::string_view heightKindName(HeightKind kind);
// The same in the report's and the window's language.
std::string_view heightKindCaption(HeightKind kind);

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
  std::string launchTime, nominalTime;  // UTC, as modified
  std::string station, stationName;     // WMO index or site key, and the site's name
  double latitude = kUnknown, longitude = kUnknown, altitude = kUnknown;  // degrees north and east, metres
  std::string sondeType, serialNumber, product, productVersion;
  HeightKind heightKind = HeightKind::Unknown;  // of the column the reader selects as the height
  int heightColumn = -1;

  // The kind of a column when it is selected as the height: only the reader's own height
  // column is known.
  HeightKind heightKindOf(int column) const {
    return column >= 0 && column == heightColumn ? heightKind : HeightKind::Unknown;
  }
  // Whether the file was read as a reference product rather than as a raw layout (or not at all).
  bool isProduct() const { return format == kGruanProductFormat || format == kBufrTempFormat; }

  static constexpr std::string_view kGruanProductFormat = "GRUAN product (NetCDF)";
  static constexpr std::string_view kBufrTempFormat = "BUFR TEMP";

  // "RS41-SG M2710695 · PAY 2017-07-12 00:00 UTC" from what is known, or the file's name.
  std::string label() const;
  // The path, then a line for each fact known, for a tooltip.
  std::vector<std::string> lines(int selectedHeight) const;
};

// The stated texts by the names the JSON state and the child's hand-over use, in one order.
struct IdentityText {
  const char* name;
  std::string FlightIdentity::*field;
};
inline constexpr IdentityText kIdentityTexts[] = {
    {"launch", &FlightIdentity::launchTime},       {"nominal", &FlightIdentity::nominalTime},
    {"station", &FlightIdentity::station},         {"stationName", &FlightIdentity::stationName},
    {"sonde", &FlightIdentity::sondeType},         {"serial", &FlightIdentity::serialNumber},
    {"product", &FlightIdentity::product},         {"productVersion", &FlightIdentity::productVersion},
};

// The file's facts: its full path (made absolute), size and modification time. Fails never: a
// fact the system cannot give is left out.
void describeFile(FlightIdentity& identity, const std::string& path, int descriptor);

// "2017-07-12T00:00:00Z" from a stated time such as "2017-07-11T22:58:43.000Z" or
// "2017-07-12 00:00:00": UTC unless it states an offset; empty when it is no valid time.
std::string utcTime(std::string_view stated);
// The same from a broken-down UTC time; empty when any part is out of its range.
std::string utcTime(long year, long month, long day, long hour, long minute, long second);
// Such a time as people read it, "2017-07-12 00:00" (with seconds: "…00:00:00"); empty for
// anything that is not one.
std::string readableTime(const std::string& utc, bool seconds = false);

// A number at the start of a stated quantity: "46.81 °N" → 46.81, "7.0 °W" → -7.0 (southern and
// western hemispheres count negative), "491 m" → 491; kUnknown when there is none.
double statedNumber(std::string_view stated);
