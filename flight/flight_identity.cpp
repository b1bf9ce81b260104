#include "flight/flight_identity.h"

#include "flight/trimmed_text.h"

#include <sys/stat.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace {

std::string fileNameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

// The sonde itself: WMO's code table names the ground system after a slash.
std::string sondeOf(const std::string& type) { return std::string(trimmed(std::string_view(type).substr(0, type.find('/')))); }

}  // namespace

std::string withUtc(const std::string& time) { return time.empty() ? time : time + " UTC"; }

std::string joined(std::initializer_list<std::string> parts, const char* between) {
  std::string text;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!text.empty()) text += between;
    text += part;
  }
  return text;
}

std::string_view heightKindName(HeightKind kind) {
  switch (kind) {
    case HeightKind::Geometric: return "geometric";
    case HeightKind::Geopotential: return "geopotential";
    case HeightKind::Unknown: break;
  }
  return {};
}

const ColumnFacts& FlightIdentity::column(int index) const {
  static const ColumnFacts kNothingStated;
  return index >= 0 && index < static_cast<int>(columns.size()) ? columns[static_cast<std::size_t>(index)] : kNothingStated;
}

std::string FlightIdentity::statedLabel() const {
  const std::string when = nominalTime.empty() ? launchTime : nominalTime;
  const std::string who = joined({sondeOf(sondeType), serialNumber}, " ");
  const std::string where = joined({station, withUtc(readableTime(when))}, " ");
  return joined({who, where}, " · ");
}

std::string FlightIdentity::label() const {
  const std::string known = statedLabel();
  return known.empty() ? fileNameOf(path) : known;
}

void describeFile(FlightIdentity& identity, const std::string& path, int descriptor) {
  std::error_code failure;
  const std::filesystem::path absolute = std::filesystem::absolute(path, failure);
  identity.path = failure ? path : absolute.string();
  struct stat status {};
  if (fstat(descriptor, &status) != 0) return;
  identity.size = static_cast<long long>(status.st_size);
  std::tm utc{};
  if (gmtime_r(&status.st_mtime, &utc))
    identity.modified = utcTime(utc.tm_year + 1900L, utc.tm_mon + 1L, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
}

double statedNumber(std::string_view stated) {
  const std::string_view text = trimmed(stated);
  // Decimal digits only: strtod would take "0x1p6" and "inf", and read by the locale's sign.
  // One sign at most: "+-5" is no number.
  const std::size_t digits = text.empty() || text[0] != '+' ? 0 : 1;
  if (digits >= text.size() || !(std::isdigit(static_cast<unsigned char>(text[digits])) ||
                                 (text[digits] == '-' && digits == 0) || text[digits] == '.'))
    return FlightIdentity::kUnknown;
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, failure] = std::from_chars(text.data() + digits, end, value, std::chars_format::general);
  // A number ends where no other form of number would go on: "0x1p6" and "1e" are no numbers,
  // "46.81N" and "491m" are numbers with their letter or unit.
  const bool runsOn = stop != end && std::string_view("0123456789.xXpPeE").find(*stop) != std::string_view::npos;
  if (failure != std::errc() || runsOn || !std::isfinite(value)) return FlightIdentity::kUnknown;
  // A hemisphere letter gives the sign, whatever sign the number carries.
  const std::string_view rest = trimmed(std::string_view(stop, static_cast<std::size_t>(end - stop)));
  const char hemisphere = rest.empty() ? '\0' : rest.back();
  if (hemisphere == 'S' || hemisphere == 'W') return -std::fabs(value);
  if (hemisphere == 'N' || hemisphere == 'E') return std::fabs(value);
  return value;
}

void setPosition(FlightIdentity& identity, double latitude, double longitude) {
  const bool place = latitude >= -90 && latitude <= 90 && longitude >= -180 && longitude < 360;
  identity.latitude = place ? latitude : FlightIdentity::kUnknown;
  identity.longitude = place ? longitude : FlightIdentity::kUnknown;
}
