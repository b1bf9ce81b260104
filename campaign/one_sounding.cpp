#include "campaign/one_sounding.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kEarthRadiusKilometres = 6371.0;

double radians(double degrees) { return degrees * kPi / 180; }

std::string formatted(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

enum class TimeUnit { Minutes, Hours, Days };

// 182 minutes within ten hours, 30 hours within two days, 458 days beyond. Minutes are rounded
// up, so that a gap just beyond the limit never reads as the limit itself.
std::pair<TimeUnit, std::string> timeApart(double seconds) {
  const double hours = seconds / 3600;
  if (hours < 10) return {TimeUnit::Minutes, formatted("%.0f", std::ceil(seconds / 60))};
  if (hours < 48) return {TimeUnit::Hours, formatted("%.0f", hours)};
  return {TimeUnit::Days, formatted("%.0f", hours / 24)};
}

// Kilometres: "50.4" below a hundred, "730" below a thousand, and beyond to three figures with
// their thousands apart: "16 300".
std::string distanceApart(double kilometres) {
  if (kilometres < 100) return formatted("%.1f", kilometres);
  double shown = std::round(kilometres);
  if (shown >= 1000) {
    const double step = std::pow(10.0, std::floor(std::log10(shown)) - 2);
    shown = std::round(shown / step) * step;
  }
  std::string digits = formatted("%.0f", shown);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), " ");
  return digits;
}

}  // namespace

double distanceKilometres(double latitude1, double longitude1, double latitude2, double longitude2) {
  const double north = std::sin(radians(latitude2 - latitude1) / 2);
  const double east = std::sin(radians(longitude2 - longitude1) / 2);
  const double a = north * north + std::cos(radians(latitude1)) * std::cos(radians(latitude2)) * east * east;
  return 2 * kEarthRadiusKilometres * std::asin(std::sqrt(std::fmin(1.0, a)));
}

Message notOneSounding(const FlightIdentity& first, const FlightIdentity& second) {
  const double seconds = std::fabs(utcSeconds(first.launchTime) - utcSeconds(second.launchTime));
  const bool timesApart = seconds > kOneSoundingHours * 3600;
  const bool placed = !std::isnan(first.latitude + first.longitude + second.latitude + second.longitude);
  const double kilometres =
      placed ? distanceKilometres(first.latitude, first.longitude, second.latitude, second.longitude) : 0;
  const bool sitesApart = kilometres > kOneSoundingKilometres;
  if (!timesApart) return sitesApart ? Message(MessageId::ApartSites, {distanceApart(kilometres)}) : Message();
  const auto [unit, count] = timeApart(seconds);
  constexpr MessageId kTimes[] = {MessageId::ApartMinutes, MessageId::ApartHours, MessageId::ApartDays};
  constexpr MessageId kTimesAndSites[] = {MessageId::ApartMinutesSites, MessageId::ApartHoursSites,
                                          MessageId::ApartDaysSites};
  const auto at = static_cast<std::size_t>(unit);
  return sitesApart ? Message(kTimesAndSites[at], {count, distanceApart(kilometres)}) : Message(kTimes[at], {count});
}
