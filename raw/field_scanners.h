#pragma once

#include "flight/decimal_separators.h"
#include "raw/field_splitting.h"
#include "flight/flight_error.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// A field that fails only because the box ticked is not the one of the regional separator:
// with the other box it reads.
class SeparatorMismatch : public FlightError {
 public:
  SeparatorMismatch(const Message& message, char regional) : FlightError(message), regional_(regional) {}
  char regional() const { return regional_; }

 private:
  char regional_;
};

// Each scanner takes the line by reference and shortens it from the front.

// Drops everything in front of the next character that can begin a number: a digit, a point,
// a comma, a minus sign or a slash.
void deletNoDigit(std::string_view& line);

// Takes the next numeric field (up to a blank, a tab or the end) and converts it. Points and
// commas become the chosen separator, slashes become zeros, a lone minus becomes 0. The
// conversion accepts a sign, digits with at most one regional separator and an optional
// exponent with digits, nothing else; it is correctly rounded, rejects a value too large for a
// double and reads one too small as 0 or a subnormal. Fails with
// "'%s' is not a valid floating point value" naming the rewritten field (its first 64
// characters and "…" when longer), as a SeparatorMismatch when the other box would read it.
inline double decodDigit(std::string_view& line, DecimalSeparators separators);

// Takes the next column name, with the blanks and tabs around it; points become commas.
std::string decodtype(std::string_view& line);

// A field as a message quotes it: its first 64 characters and "…" when longer, control
// characters as the replacement character.
std::string quotedField(std::string_view field);

// decodDigit out of line, for the fields that are not plain; it reads any field the same.
double decodAnyDigit(std::string_view& line, DecimalSeparators separators);
// decodAnyDigit of the field from start, a character that can begin a number, to stop, its
// blank, tab or the line's end.
double decodOtherDigit(const char* start, const char* stop, DecimalSeparators separators);

namespace field_scanning {

inline bool isFieldSeparator(char c) { return c == ' ' || c == '\t'; }
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

// One lookup rather than five comparisons, for every character in front of every field.
inline constexpr auto kBeginsNumber = [] {
  std::array<bool, 256> begins{};
  for (const char c : std::string_view("0123456789.,-/")) begins[static_cast<unsigned char>(c)] = true;
  return begins;
}();
inline bool canBeginNumber(char c) { return kBeginsNumber[static_cast<unsigned char>(c)]; }

inline const char* skipToNumber(const char* p, const char* end) {
  while (p < end && !canBeginNumber(*p)) ++p;
  return p;
}

// Powers of ten that a double holds exactly.
inline constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
inline constexpr std::uint64_t kExactWholeNumbers = std::uint64_t{1} << 53;

// Appends the digits at p, at most eight and, where kChecksEnd, none at or past p + available, to
// digits; returns how many. The bound is fixed so that the compiler unrolls the loop: the count
// then comes out of predicted branches, and the next field need not wait for this one's
// characters to arrive. A digit's value in unsigned arithmetic is one subtraction.
template <bool kChecksEnd>
inline std::size_t takeDigitRun(const char* p, std::size_t available, std::uint64_t& digits) {
  constexpr std::size_t kLongestRun = 8;
#pragma GCC unroll 8
  for (std::size_t count = 0; count < kLongestRun; ++count) {
    if (kChecksEnd && count == available) return count;
    const std::uint64_t digit = static_cast<unsigned char>(p[count]) - std::uint64_t{'0'};
    if (digit > 9) return count;
    digits = digits * 10 + digit;
  }
  return kLongestRun;
}

// Reads the field from start to stop when it is plain: an optional minus, up to eight digits,
// perhaps a separator and up to eight more. Before a blank or a tab, kChecksEnd false, the
// character at stop ends every run by itself, and no character needs a check against the end.
template <bool kChecksEnd>
inline bool readsPlainUpTo(const char* start, const char* stop, DecimalSeparators separators, double& value) {
  const char* p = start;
  const auto hasCharacter = [&p, stop] { return !kChecksEnd || p < stop; };
  const auto available = [&p, stop] { return static_cast<std::size_t>(stop - p); };
  // A branch rather than p += negative: the field's digits then wait on no character.
  bool negative = false;
  if (hasCharacter() && *p == '-') {
    negative = true;
    ++p;
  }
  std::uint64_t digits = 0;
  const std::size_t wholeDigits = takeDigitRun<kChecksEnd>(p, available(), digits);
  p += wholeDigits;
  std::size_t fractionDigits = 0;
  if (hasCharacter() && (*p == '.' || *p == ',')) {
    if (separators.chosen != separators.regional) return false;
    ++p;
    fractionDigits = takeDigitRun<kChecksEnd>(p, available(), digits);
    p += fractionDigits;
  }
  if (p != stop || wholeDigits + fractionDigits == 0 || digits > kExactWholeNumbers) return false;
  const double magnitude = static_cast<double>(digits) / kExactPowersOfTen[fractionDigits];
  value = negative ? -magnitude : magnitude;
  return true;
}

// Nearly every field of a file is plain. Its value, a whole number below 2^53 divided by an
// exact power of ten, is one correctly rounded operation and the very double the full conversion
// gives: it is read here, inline in the row loops, without a call.
inline bool readsPlain(const char* start, const char* stop, const char* lineEnd, DecimalSeparators separators,
                       double& value) {
  return stop < lineEnd ? readsPlainUpTo<false>(start, stop, separators, value)
                        : readsPlainUpTo<true>(start, stop, separators, value);
}

// The decimals that are not plain, with more digits or an exponent, fast_float reads in one call,
// correctly rounded like the full conversion: the very same double, without the full
// conversion's copy of the field. It reads the point; a field with a comma is read again with the
// comma. False for any field the full conversion must see: one with a slash or a character
// fast_float stops at, one beyond the range of normal doubles, and every field when the
// separators differ, where a decimal is an error.
bool readsDecimal(const char* start, const char* stop, DecimalSeparators separators, double& value);

}  // namespace field_scanning

// The field from start to stop, its blank, tab or the line's end, converted as decodDigit does.
inline double convertField(const char* start, const char* stop, const char* lineEnd, DecimalSeparators separators) {
  double value;
  if (field_scanning::readsPlain(start, stop, lineEnd, separators, value)) return value;
  return decodOtherDigit(start, stop, separators);
}

// decodDigit for the row loops, which keep their place on the line in p: the splitter finds where
// each field ends, and p moves past the field, a rejected one too.
inline double decodDigit(const char*& p, FieldSplitter& fields, DecimalSeparators separators) {
  const char* const start = field_scanning::skipToNumber(p, fields.end());
  p = fields.fieldEnd(start);
  return convertField(start, p, fields.end(), separators);
}

inline double decodDigit(std::string_view& line, DecimalSeparators separators) {
  const char* const end = line.data() + line.size();
  const char* const start = field_scanning::skipToNumber(line.data(), end);
  const char* const stop = std::find_if(start, end, field_scanning::isFieldSeparator);
  line.remove_prefix(static_cast<std::size_t>(stop - line.data()));
  return convertField(start, stop, end, separators);
}
