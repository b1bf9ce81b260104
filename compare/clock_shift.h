#pragma once

#include "compare/time_lookup.h"

#include <limits>
#include <optional>
#include <vector>

struct FlightIdentity;

// How flight 2's clock stands to flight 1's: flight 2's sample at flight 1's time t + shift is
// the same moment. Each sonde's clock starts at its own launch detection, so two sondes on one
// balloon differ by seconds, and a receiver's clock may run on GPS time.
struct ClockShift {
  static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
  double shift = kNone;             // seconds
  bool automatic = false;           // found rather than typed
  double misfit = kNone;            // spread (standard deviation) of z1(t) − z2(t + shift), metres
  double heightDifference = kNone;  // its mean, metres: a datum or a sensor offset
  double sharpness = kNone;         // how far the misfit rises 5 s either side of the shift, metres
  bool atEdge = false;              // found at the edge of the search: the clocks may differ more
  bool flat = false;                // the misfit hardly rises around it: any shift near fits as well
  double expected = 0;              // where the search was centred: see StatedClocks
  // When the shift is the stated launches' difference to within a second, give or take the
  // GPS−UTC seconds of a receiver's clock: those seconds (0, or ± the offset at the launch).
  std::optional<int> clockSeconds;
};

// What the two flights state of their clocks: flight 1's launch less flight 2's, in seconds, the
// shift were each clock started at its launch (0 where either launch is not stated), and the
// seconds GPS time then ran ahead of UTC.
struct StatedClocks {
  bool stated = false;
  double expected = 0;
  int gpsSeconds = 0;
};

// Flight 1's heights and times (rows 1..rows1), flight 2's (rows 1..rows2) and the index of its times.
struct ShiftFlights {
  const double* height1;
  const double* time1;
  int rows1;
  const double* height2;
  const double* time2;
  int rows2;
  const TimeLookup& times2;
};

// The seconds of the search either side of the expected shift, and its steps.
constexpr double kShiftSearch = 60.0;
constexpr double kShiftStep = 0.1;
// A shift typed, or found about launches stated far apart, stays within a day either way.
constexpr double kLongestShift = 86400.0;

// Searches the shift within ±60 s of the expected one, to 0.1 s, by how well the course of the
// two flights' heights agrees over flight 1's 4–6 km (the middle third of their common heights
// where either stays below 6 km). The measure is the spread of the heights' difference, not its
// size, so that a constant offset of the two height columns (GPS altitude against a TEMP's
// geopotential height) does not pull the clocks apart. Fails when the heights never meet.
ClockShift findShift(const ShiftFlights& flights, const StatedClocks& clocks);

// The same facts at a shift the operator typed; the misfit is NaN where the heights do not meet.
ClockShift typedShift(const ShiftFlights& flights, double shift, const StatedClocks& clocks);

// What the two flights' identities state of their clocks.
StatedClocks statedClocks(const FlightIdentity& first, const FlightIdentity& second);

// GPS time less UTC at a moment (seconds since 1970 UTC): the leap seconds since 1980.
int gpsMinusUtc(double utcSeconds);
