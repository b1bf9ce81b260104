#include "campaign/solar_groups.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

constexpr double kPi = 3.14159265358979323846;
double radians(double degrees) { return degrees * kPi / 180; }
double degrees(double radians) { return radians * 180 / kPi; }

}  // namespace

double solarElevation(const std::string& utc, double latitude, double longitude) {
  const double seconds = utcSeconds(utc);
  // Beyond the years the equations hold for, no elevation is told rather than a wrong one.
  const int year = std::isnan(seconds) ? 0 : std::atoi(utc.substr(0, 4).c_str());
  if (year < kFirstSolarYear || year > kLastSolarYear) return std::numeric_limits<double>::quiet_NaN();
  const double minutesOfDay = (seconds - std::floor(seconds / 86400) * 86400) / 60;
  const double julianDay = 2440587.5 + seconds / 86400;
  const double t = (julianDay - 2451545) / 36525;  // Julian centuries from J2000.0

  const double meanLongitude = std::fmod(280.46646 + t * (36000.76983 + t * 0.0003032), 360);
  const double meanAnomaly = 357.52911 + t * (35999.05029 - 0.0001537 * t);
  const double eccentricity = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
  const double m = radians(meanAnomaly);
  const double centre = std::sin(m) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                        std::sin(2 * m) * (0.019993 - 0.000101 * t) + std::sin(3 * m) * 0.000289;
  const double omega = radians(125.04 - 1934.136 * t);
  const double apparentLongitude = meanLongitude + centre - 0.00569 - 0.00478 * std::sin(omega);
  const double meanObliquity = 23 + (26 + (21.448 - t * (46.815 + t * (0.00059 - t * 0.001813))) / 60) / 60;
  const double obliquity = radians(meanObliquity + 0.00256 * std::cos(omega));
  const double declination = std::asin(std::sin(obliquity) * std::sin(radians(apparentLongitude)));

  const double y = std::pow(std::tan(obliquity / 2), 2);
  const double l0 = radians(meanLongitude);
  const double equationOfTime =
      4 * degrees(y * std::sin(2 * l0) - 2 * eccentricity * std::sin(m) +
                  4 * eccentricity * y * std::sin(m) * std::cos(2 * l0) - 0.5 * y * y * std::sin(4 * l0) -
                  1.25 * eccentricity * eccentricity * std::sin(2 * m));
  const double trueSolarMinutes = std::fmod(minutesOfDay + equationOfTime + 4 * longitude + 1440 * 2, 1440);
  const double hourAngle = radians(trueSolarMinutes / 4 - 180);
  const double phi = radians(latitude);
  const double cosZenith =
      std::sin(phi) * std::sin(declination) + std::cos(phi) * std::cos(declination) * std::cos(hourAngle);
  return 90 - degrees(std::acos(std::clamp(cosZenith, -1.0, 1.0)));
}

std::string solarGroup(const FlightIdentity& flight) {
  const double elevation = solarElevation(flight.launchTime, flight.latitude, flight.longitude);
  if (std::isnan(elevation)) return kUnknownSun;
  if (elevation > kTwilightElevation) return kDaySun;
  if (elevation < -kTwilightElevation) return kNightSun;
  return kTwilightSun;
}
