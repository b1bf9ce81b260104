#pragma once

#include "flight/flight_identity.h"

#include <string>

// Day and night as the sun's place tells them, at a flight's launch and site: radiation errors
// of temperature sensors differ by day and by night, so campaigns judge them apart.

// The sun's elevation above the horizon in degrees, geometric (no refraction), at a UTC time
// ("2026-06-01T11:00:00Z") and a place (degrees north and east), by NOAA's solar position
// equations (after Meeus), good to about 0.01° from 1800 to 2100; NaN for a time that is no valid
// UTC time, or one outside those years.
inline constexpr int kFirstSolarYear = 1800, kLastSolarYear = 2100;
double solarElevation(const std::string& utc, double latitude, double longitude);

// "day" above +7.5°, "night" below −7.5°, "twilight" between, "unknown" without a launch time or
// a place: the sun's at flight 1's launch.
inline constexpr double kTwilightElevation = 7.5;
inline const std::string kDaySun = "day", kNightSun = "night", kTwilightSun = "twilight", kUnknownSun = "unknown";
std::string solarGroup(const FlightIdentity& flight);
