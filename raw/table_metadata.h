#pragma once

// What the lines above a table's header state about its flight: "Start Date;24.10.17",
// "Sonde: SRS_C34", "Latitude (°) = 46.81"; and what a log's text columns ("serial", "type")
// state in its first row.

#include "flight/flight_identity.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

class TableMetadata {
 public:
  // A line above the header: a key and its value after the first ";", ":", "=" or tab. Only the
  // first statement of each fact counts, as files repeat keys further down for other things
  // (a second "Altitude" at the 1000 hPa level).
  void take(std::string_view line, int lineNumber);
  // The value of a text column named as a fact, from the table's first row; the lines above win.
  void takeColumn(std::string_view name, std::string_view value);
  // Whether a text column's name is that of a fact.
  static bool namesAFact(std::string_view name);
  // Forgets what lines from this one on stated: they turned out to be the header or below it.
  void forgetFrom(int lineNumber);
  // Gives the identity what was stated.
  void state(FlightIdentity& identity) const;

 private:
  enum Fact { Station, StationName, WmoIndex, Latitude, Longitude, Altitude, Date, Time, Launch, Nominal, Sonde,
              Serial, kFacts };
  static std::optional<Fact> factNamed(std::string_view key);
  void set(Fact fact, std::string_view value, int lineNumber);

  struct Stated {
    std::string value;
    int line = 0;  // 0: not stated
  };
  std::array<Stated, kFacts> facts_;
};
