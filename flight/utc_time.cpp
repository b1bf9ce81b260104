#include "flight/utc_time.h"

#include "flight/trimmed_text.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

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

// The minutes a zone is ahead of UTC: "Z", "UTC", "+02:00", "+0200", "-05", "" (UTC); false for
// anything else.
bool zoneOffset(std::string_view zone, long& minutes) {
  minutes = 0;
  if (zone.empty() || zone == "Z" || zone == "UTC") return true;
  if (zone[0] != '+' && zone[0] != '-') return false;
  long hours = 0, extra = 0;
  if (!digitsAt(zone, 1, 2, hours)) return false;
  const std::string_view rest = zone.substr(3);
  const bool valid = rest.empty() || (rest.size() == 2 && digitsAt(rest, 0, 2, extra)) ||
                     (rest.size() == 3 && rest[0] == ':' && digitsAt(rest, 1, 2, extra));
  if (!valid || hours > 23 || extra > 59) return false;
  minutes = (zone[0] == '-' ? -1 : 1) * (hours * 60 + extra);
  return true;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar (Howard Hinnant's algorithm).
long long daysFromCivil(long long year, unsigned month, unsigned day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

// The date of a day counted from 1970-01-01 (the inverse of daysFromCivil).
void civilFromDays(long long days, long& year, long& month, long& day) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
  day = static_cast<long>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month = static_cast<long>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year = static_cast<long>(yearOfEra + era * 400 + (month <= 2));
}

}  // namespace

std::string utcTime(long year, long month, long day, long hour, long minute, long second, long millisecond) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour < 0 ||
      hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60 || millisecond < 0 || millisecond > 999)
    return {};
  char text[96];
  std::snprintf(text, sizeof text, "%04ld-%02ld-%02ldT%02ld:%02ld:%02ld", year, month, day, hour, minute, second);
  std::string time = text;
  if (millisecond > 0) {
    std::snprintf(text, sizeof text, ".%03ld", millisecond);
    time += text;
  }
  return time + 'Z';
}

std::string utcTimeOf(double seconds) {
  if (!(std::fabs(seconds) < 1e12)) return {};
  const auto milliseconds = static_cast<long long>(std::llround(seconds * 1000));
  const long long days = (milliseconds >= 0 ? milliseconds : milliseconds - 86399999) / 86400000;
  const long long ofDay = milliseconds - days * 86400000;
  long year, month, day;
  civilFromDays(days, year, month, day);
  return utcTime(year, month, day, static_cast<long>(ofDay / 3600000), static_cast<long>(ofDay / 60000 % 60),
                 static_cast<long>(ofDay / 1000 % 60), static_cast<long>(ofDay % 1000));
}

std::string readableTime(const std::string& utc, bool seconds) {
  if (std::isnan(utcSeconds(utc))) return {};
  return utc.substr(0, 10) + ' ' + utc.substr(11, seconds ? utc.size() - 12 : 5);
}

std::string utcTime(std::string_view stated) {
  stated = trimmed(stated);
  long year, month, day, hour, minute, second = 0, millisecond = 0;
  if (!digitsAt(stated, 0, 4, year) || stated.size() < 16 || stated[4] != '-' || !digitsAt(stated, 5, 2, month) ||
      stated[7] != '-' || !digitsAt(stated, 8, 2, day) || (stated[10] != 'T' && stated[10] != ' ') ||
      !digitsAt(stated, 11, 2, hour) || stated[13] != ':' || !digitsAt(stated, 14, 2, minute))
    return {};
  std::size_t at = 16;
  if (at < stated.size() && stated[at] == ':') {
    if (!digitsAt(stated, at + 1, 2, second)) return {};
    at += 3;
    if (at < stated.size() && stated[at] == '.') {
      int digits = 0;
      for (++at; at < stated.size() && std::isdigit(static_cast<unsigned char>(stated[at])); ++at, ++digits)
        if (digits < 3) millisecond = millisecond * 10 + (stated[at] - '0');
      if (digits == 0) return {};
      for (; digits < 3; ++digits) millisecond *= 10;
    }
  }
  long offset = 0;
  if (!zoneOffset(trimmed(stated.substr(at)), offset)) return {};
  const std::string local = utcTime(year, month, day, hour, minute, second, millisecond);
  if (offset == 0 || local.empty()) return local;
  // The clock read minus the zone's lead: the day may change, and with it the month and year.
  const long long minutes =
      daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 1440 + hour * 60 + minute - offset;
  const long long days = minutes >= 0 ? minutes / 1440 : (minutes - 1439) / 1440;
  const long long ofDay = minutes - days * 1440;
  civilFromDays(days, year, month, day);
  return utcTime(year, month, day, static_cast<long>(ofDay / 60), static_cast<long>(ofDay % 60), second, millisecond);
}

double utcSeconds(const std::string& utc) {
  const std::size_t size = utc.size();
  long year, month, day, hour, minute, second, millisecond = 0;
  const bool plain = size == 20, precise = size == 24 && utc[19] == '.' && digitsAt(utc, 20, 3, millisecond);
  if (!(plain || precise) || utc[size - 1] != 'Z' || !digitsAt(utc, 0, 4, year) || utc[4] != '-' ||
      !digitsAt(utc, 5, 2, month) || utc[7] != '-' || !digitsAt(utc, 8, 2, day) || utc[10] != 'T' ||
      !digitsAt(utc, 11, 2, hour) || utc[13] != ':' || !digitsAt(utc, 14, 2, minute) || utc[16] != ':' ||
      !digitsAt(utc, 17, 2, second) || utcTime(year, month, day, hour, minute, second, millisecond).empty())
    return std::numeric_limits<double>::quiet_NaN();
  const long long days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
  return static_cast<double>(days * 86400 + hour * 3600 + minute * 60 + second) + millisecond / 1000.0;
}
