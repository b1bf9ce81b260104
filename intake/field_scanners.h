#pragma once

#include "intake/flight_error.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// How decimals are written: the separator the operator chose with "Точка"/"Запятая", which
// every point and comma of a field is rewritten to, and the separator of the regional
// settings, the only one the conversion accepts. The two must agree for fractions to read.
struct DecimalSeparators {
  char chosen;
  char regional;
};

// A field that fails only because the box ticked is not the one of the regional separator:
// with the other box it reads.
class SeparatorMismatch : public FlightError {
 public:
  SeparatorMismatch(const std::string& message, char regional) : FlightError(message), regional_(regional) {}
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

// decodDigit out of line, for the fields that are not plain; it reads any field the same.
double decodAnyDigit(std::string_view& line, DecimalSeparators separators);

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

// Powers of ten that a double holds exactly.
inline constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
inline constexpr std::uint64_t kExactWholeNumbers = std::uint64_t{1} << 53;

// The longest plain field, a minus, eight digits, a separator and eight digits, and the character
// after it: where that many are left on the line, a plain field ends before the line does.
inline constexpr std::size_t kLongestRun = 8;
inline constexpr std::size_t kPlainFieldReach = 1 + kLongestRun + 1 + kLongestRun + 1;

// Appends the digits at p, at most eight and none at or past p + available, to digits; returns
// how many. The bound is fixed so that the compiler unrolls the loop: the count then comes out of
// predicted branches, and the next field need not wait for this one's characters to arrive. A
// digit's value in unsigned 64-bit arithmetic is one subtraction, with no sign to extend.
inline std::size_t takeDigitRun(const char* p, std::size_t available, std::uint64_t& digits) {
#pragma GCC unroll 8
  for (std::size_t count = 0; count < kLongestRun; ++count) {
    if (count == available) return count;
    const std::uint64_t digit = static_cast<unsigned char>(p[count]) - std::uint64_t{'0'};
    if (digit > 9) return count;
    digits = digits * 10 + digit;
  }
  return kLongestRun;
}

// Takes the plain field that begins at `at`, moving `at` past it. Near the line's end every
// character is checked against the end; further from it, kNearTheEnd false, the checks fall away.
template <bool kNearTheEnd>
inline bool takePlainNumberAt(const char*& at, const char* end, DecimalSeparators separators, double& value) {
  const char* p = at;
  const auto hasCharacter = [&p, end] { return !kNearTheEnd || p < end; };
  const auto available = [&p, end] { return kNearTheEnd ? static_cast<std::size_t>(end - p) : kLongestRun; };
  // A branch rather than p += negative: the next field's start then waits on no character.
  bool negative = false;
  if (hasCharacter() && *p == '-') {
    negative = true;
    ++p;
  }
  std::uint64_t digits = 0;
  const std::size_t wholeDigits = takeDigitRun(p, available(), digits);
  p += wholeDigits;
  std::size_t fractionDigits = 0;
  if (hasCharacter() && (*p == '.' || *p == ',')) {
    if (separators.chosen != separators.regional) return false;
    ++p;
    fractionDigits = takeDigitRun(p, available(), digits);
    p += fractionDigits;
  }
  if ((hasCharacter() && !isFieldSeparator(*p)) || wholeDigits + fractionDigits == 0 || digits > kExactWholeNumbers)
    return false;
  at = p;
  const double magnitude = static_cast<double>(digits) / kExactPowersOfTen[fractionDigits];
  value = negative ? -magnitude : magnitude;
  return true;
}

// Nearly every field of a file is plain: an optional minus, up to eight digits, perhaps a
// separator and up to eight more. Its value, a whole number below 2^53 divided by an exact
// power of ten, is one correctly rounded operation and the very double the full conversion
// gives. It is read here, inline in the layouts' row loops, without a call, from the characters
// between p and end; p moves past it. False, with p where it was, for any other field.
inline bool takePlainNumber(const char*& p, const char* end, DecimalSeparators separators, double& value) {
  const char* at = p;
  while (at < end && !canBeginNumber(*at)) ++at;
  const bool taken = static_cast<std::size_t>(end - at) >= kPlainFieldReach
                         ? takePlainNumberAt<false>(at, end, separators, value)
                         : takePlainNumberAt<true>(at, end, separators, value);
  if (taken) p = at;
  return taken;
}

inline bool takePlainNumber(std::string_view& line, DecimalSeparators separators, double& value) {
  const char* p = line.data();
  if (!takePlainNumber(p, p + line.size(), separators, value)) return false;
  line.remove_prefix(p - line.data());
  return true;
}

}  // namespace field_scanning

// decodDigit over the characters between p and end, for the row loops: p moves past the field, a
// rejected one too. The full conversion gets a view of its own: were p's address to leave the
// loop, p would live in memory and every field would wait to load it back.
inline double decodDigit(const char*& p, const char* end, DecimalSeparators separators) {
  double value;
  if (field_scanning::takePlainNumber(p, end, separators, value)) return value;
  std::string_view rest(p, end - p);
  try {
    value = decodAnyDigit(rest, separators);
  } catch (...) {
    p = rest.data();
    throw;
  }
  p = rest.data();
  return value;
}

inline double decodDigit(std::string_view& line, DecimalSeparators separators) {
  const char* p = line.data();
  // Past the field whether it reads or is rejected.
  struct MovePast {
    std::string_view& line;
    const char*& p;
    ~MovePast() { line.remove_prefix(p - line.data()); }
  } movePast{line, p};
  return decodDigit(p, p + line.size(), separators);
}
