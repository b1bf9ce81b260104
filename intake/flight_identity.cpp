#include "intake/flight_identity.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// Reads exactly `digits` digits at `at`, or fails.
bool digitsAt(std::string_view text, std::size_t at, int digits, long& value) {
  if (at + static_cast<std::size_t>(digits) > text.size()) return false;
  value = 0;
  for (int i = 0; i < digits; ++i) {
    const char c = text[at + static_cast<std::size_t>(i)];
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

bool isLeapYear(long year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

long daysInMonth(long year, long month) {
  static const long kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

std::string withUtc(const std::string& time) { return time.empty() ? time : time + " UTC"; }

std::string fileNameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

// The sonde itself: WMO's code table names the ground system after a slash.
std::string sondeOf(const std::string& type) { return std::string(trimmed(std::string_view(type).substr(0, type.find('/')))); }

std::string joined(std::initializer_list<std::string> parts, const char* between) {
  std::string text;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!text.empty()) text += between;
    text += part;
  }
  return text;
}

std::string coordinate(double value, const char* positive, const char* negative) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g° %s", std::fabs(value), value < 0 ? negative : positive);
  return text;
}

}  // namespace

std::string_view heightKindName(HeightKind kind) {
  switch (kind) {
    case HeightKind::Geometric: return "geometric";
    case HeightKind::Geopotential: return "geopotential";
    case HeightKind::Unknown: break;
  }
  return {};
}

std::string_view heightKindCaption(HeightKind kind) {
  switch (kind) {
    case HeightKind::Geometric: return "геометрическая над уровнем моря";
    case HeightKind::Geopotential: return "геопотенциальная";
    case HeightKind::Unknown: break;
  }
  return "не указан в файле";
}

std::string FlightIdentity::label() const {
  const std::string when = nominalTime.empty() ? launchTime : nominalTime;
  const std::string who = joined({sondeOf(sondeType), serialNumber}, " ");
  const std::string where = joined({station, withUtc(readableTime(when))}, " ");
  const std::string known = joined({who, where}, " · ");
  return known.empty() ? fileNameOf(path) : known;
}

std::vector<std::string> FlightIdentity::lines(int selectedHeight) const {
  std::vector<std::string> shown{path};
  const auto add = [&](const char* caption, const std::string& value) {
    if (!value.empty()) shown.push_back(caption + value);
  };
  add("Формат: ", format);
  add("Запуск: ", withUtc(readableTime(launchTime, true)));
  add("Срок: ", withUtc(readableTime(nominalTime)));
  add("Станция: ", joined({station, stationName}, " "));
  std::string position;
  if (!std::isnan(latitude) && !std::isnan(longitude))
    position = coordinate(latitude, "N", "S") + ", " + coordinate(longitude, "E", "W");
  if (!std::isnan(altitude)) position = joined({position, std::to_string(std::lround(altitude)) + " м"}, ", ");
  add("Место: ", position);
  add("Зонд: ", joined({sondeType, serialNumber}, ", № "));
  add("Продукт: ", joined({product, productVersion.empty() ? productVersion : "версия " + productVersion}, ", "));
  add("Вид высоты: ", std::string(heightKindCaption(heightKindOf(selectedHeight))));
  return shown;
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

std::string utcTime(long year, long month, long day, long hour, long minute, long second) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour < 0 ||
      hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60)
    return {};
  char text[96];
  std::snprintf(text, sizeof text, "%04ld-%02ld-%02ldT%02ld:%02ld:%02ldZ", year, month, day, hour, minute, second);
  return text;
}

std::string readableTime(const std::string& utc, bool seconds) {
  if (utc.size() != 20 || utc[10] != 'T' || utc[19] != 'Z') return {};
  return utc.substr(0, 10) + ' ' + utc.substr(11, seconds ? 8 : 5);
}

std::string utcTime(std::string_view stated) {
  stated = trimmed(stated);
  long year, month, day, hour, minute, second = 0;
  if (!digitsAt(stated, 0, 4, year) || stated.size() < 16 || stated[4] != '-' || !digitsAt(stated, 5, 2, month) ||
      stated[7] != '-' || !digitsAt(stated, 8, 2, day) || (stated[10] != 'T' && stated[10] != ' ') ||
      !digitsAt(stated, 11, 2, hour) || stated[13] != ':' || !digitsAt(stated, 14, 2, minute))
    return {};
  std::size_t at = 16;
  if (at < stated.size() && stated[at] == ':') {
    if (!digitsAt(stated, at + 1, 2, second)) return {};
    at += 3;
    // Fractions of a second are below what a launch time is told to.
    if (at < stated.size() && stated[at] == '.')
      for (++at; at < stated.size() && std::isdigit(static_cast<unsigned char>(stated[at]));) ++at;
  }
  const std::string_view zone = trimmed(stated.substr(at));
  if (!(zone.empty() || zone == "Z" || zone == "UTC" || zone == "+00:00" || zone == "+0000")) return {};
  return utcTime(year, month, day, hour, minute, second);
}

double statedNumber(std::string_view stated) {
  const std::string text(trimmed(stated));
  if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-' || text[0] == '+' || text[0] == '.'))
    return FlightIdentity::kUnknown;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || !std::isfinite(value)) return FlightIdentity::kUnknown;
  const std::string_view rest = trimmed(std::string_view(end));
  const bool negative = !rest.empty() && (rest.back() == 'S' || rest.back() == 'W');
  return negative ? -value : value;
}
