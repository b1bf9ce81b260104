#include "raw/field_scanners.h"

#include "flight/flight_error.h"
#include "raw/text_encoding.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace {

using field_scanning::canBeginNumber;
using field_scanning::isDigit;
using field_scanning::isFieldSeparator;
using field_scanning::kExactPowersOfTen;
using field_scanning::kExactWholeNumbers;

[[noreturn]] void rejectField(std::string_view field, DecimalSeparators separators);

// Fields are short: a buffer on the stack keeps scanning free of allocation, and the rare long
// field takes the heap.
class ScratchText {
 public:
  explicit ScratchText(std::size_t size) {
    if (size > sizeof stack_) {
      heap_.resize(size);
      data_ = heap_.data();
    }
  }
  char* data() { return data_; }

 private:
  char stack_[64];
  std::string heap_;
  char* data_ = stack_;
};

// A field as the conversion sees it: slashes are zeros, and a point or a comma is the chosen
// separator, which the conversion accepts only when it is the regional one.
bool isDigitInField(char c) { return isDigit(c) || c == '/'; }
int digitValue(char c) { return c == '/' ? 0 : c - '0'; }
bool isSeparatorInField(char c) { return c == '.' || c == ','; }

// Whether mantissa × 10^exponent, a value beyond the range of a double, is too large rather
// than too small: the decimal exponent of its leading digit, saturated, is not negative.
bool isTooLarge(std::string_view mantissa, std::size_t integerDigits, long exponent) {
  long digitsBefore = 0;
  for (const char c : mantissa) {
    if (!isDigitInField(c)) continue;
    if (digitValue(c) != 0) break;
    ++digitsBefore;
  }
  return static_cast<long>(integerDigits) - 1 - digitsBefore + exponent >= 0;
}

// from_chars takes neither a leading plus nor any separator but the point, and does not tell a
// value too large for a double from one too small.
double slowConversion(std::string_view mantissa, std::size_t integerDigits, long exponent,
                      std::string_view unsignedField, std::string_view field, DecimalSeparators separators) {
  ScratchText scratch(unsignedField.size());
  char* normalized = scratch.data();
  for (std::size_t i = 0; i < unsignedField.size(); ++i) {
    const char c = unsignedField[i];
    normalized[i] = c == '/' ? '0' : isSeparatorInField(c) ? '.' : c;
  }
  double value = 0.0;
  const auto result = std::from_chars(normalized, normalized + unsignedField.size(), value);
  if (result.ec != std::errc::result_out_of_range) return value;
  if (isTooLarge(mantissa, integerDigits, exponent)) rejectField(field, separators);
  return 0.0;  // below the smallest subnormal: rounds to zero
}

std::size_t fieldLength(std::string_view line) {
  std::size_t length = 0;
  while (length < line.size() && !isFieldSeparator(line[length])) ++length;
  return length;
}

// Takes the field at the front of the line and converts it: a sign, digits with at most one
// separator, an optional exponent, nothing else; at least one digit in the mantissa and in an
// exponent. Most fields hold a few digits: their value is a whole number below 2^53 times an
// exact power of ten, which one correctly rounded operation gives exactly. Every other field
// goes to from_chars. One pass: the grammar ends where the field must end.
double takeNumber(std::string_view& line, DecimalSeparators separators) {
  const char* const start = line.data();
  const char* const lineEnd = start + line.size();
  // A rejected field is gone from the line all the same.
  const auto reject = [&] {
    const std::string_view field = line.substr(0, fieldLength(line));
    line.remove_prefix(field.size());
    rejectField(field, separators);
  };
  const char* p = start;
  const bool negative = p < lineEnd && *p == '-';
  if (p < lineEnd && (*p == '-' || *p == '+')) ++p;
  const char* const mantissa = p;

  constexpr int kMostDigits = 19;  // a 64-bit whole number holds any 19 decimal digits
  std::uint64_t digits = 0;
  int digitCount = 0, scale = 0;
  bool exact = true;
  for (; p < lineEnd && isDigitInField(*p); ++p) {
    if (digitCount < kMostDigits) digits = digits * 10 + digitValue(*p);
    else exact = false;
    ++digitCount;
  }
  const std::size_t integerDigits = p - mantissa;
  if (p < lineEnd && isSeparatorInField(*p)) {
    if (separators.chosen != separators.regional) reject();
    for (++p; p < lineEnd && isDigitInField(*p); ++p) {
      if (digitCount < kMostDigits) {
        digits = digits * 10 + digitValue(*p);
        --scale;
      } else {
        exact = false;
      }
      ++digitCount;
    }
  }
  if (digitCount == 0) {
    // A lone minus reads as 0.
    if (p - start == 1 && negative && (p == lineEnd || isFieldSeparator(*p))) {
      line.remove_prefix(1);
      return 0.0;
    }
    reject();
  }
  const char* const mantissaEnd = p;

  long exponent = 0;
  if (p < lineEnd && (*p == 'e' || *p == 'E')) {
    ++p;
    const bool negativeExponent = p < lineEnd && *p == '-';
    if (p < lineEnd && (*p == '-' || *p == '+')) ++p;
    const char* const exponentDigits = p;
    constexpr long kSaturated = 1'000'000'000;
    for (; p < lineEnd && isDigitInField(*p); ++p) exponent = std::min(kSaturated, exponent * 10 + digitValue(*p));
    if (p == exponentDigits) reject();
    if (negativeExponent) exponent = -exponent;
  }
  if (p < lineEnd && !isFieldSeparator(*p)) reject();
  const std::string_view field(start, p - start);
  line.remove_prefix(p - start);

  const long power = scale + exponent;
  double value;
  if (digits == 0 && exact) {
    value = 0.0;
  } else if (exact && digits <= kExactWholeNumbers && power >= -22 && power <= 22) {
    value = power >= 0 ? static_cast<double>(digits) * kExactPowersOfTen[power]
                       : static_cast<double>(digits) / kExactPowersOfTen[-power];
  } else {
    value = slowConversion({mantissa, static_cast<std::size_t>(mantissaEnd - mantissa)}, integerDigits,
                           exponent, {mantissa, static_cast<std::size_t>(p - mantissa)}, field, separators);
  }
  return negative ? -value : value;
}

// The message names the field as it was rewritten for the conversion.
[[noreturn]] void rejectField(std::string_view field, DecimalSeparators separators) {
  std::string rewritten(field);
  for (char& c : rewritten) c = (c == '.' || c == ',') ? separators.chosen : c == '/' ? '0' : c;
  const std::string text = quotedField(rewritten);
  const Message message(MessageId::NotAFloatingPointValue, {text});
  if (separators.chosen != separators.regional) {
    std::string_view withTheOtherBox = field;
    try {
      takeNumber(withTheOtherBox, {separators.regional, separators.regional});
    } catch (const FlightError&) {
      throw FlightError(message);
    }
    throw SeparatorMismatch(message, separators.regional);
  }
  throw FlightError(message);
}

}  // namespace

// Cut to its first kQuotedCharacters: a field may be megabytes long. A control character, a NUL
// among them, shows as the replacement character so that the message stays whole.
std::string quotedField(std::string_view field) {
  constexpr std::size_t kQuotedCharacters = 64;
  std::string text;
  std::size_t characters = 0;
  for (const char c : field) {
    const bool startsCharacter = !isContinuation(static_cast<unsigned char>(c));
    if (startsCharacter && characters++ == kQuotedCharacters) {
      text += "\u2026";
      break;
    }
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) text += "\uFFFD";
    else text += c;
  }
  return text;
}

void deletNoDigit(std::string_view& line) {
  const auto start = std::find_if(line.begin(), line.end(), [](char c) { return canBeginNumber(c); });
  line.remove_prefix(start - line.begin());
}

std::string decodtype(std::string_view& line) {
  const auto skipSeparators = [&line] {
    const auto end = std::find_if_not(line.begin(), line.end(), [](char c) { return isFieldSeparator(c); });
    line.remove_prefix(end - line.begin());
  };
  skipSeparators();
  const auto nameEnd = std::find_if(line.begin(), line.end(), [](char c) { return isFieldSeparator(c); });
  std::string name(line.begin(), nameEnd);
  std::replace(name.begin(), name.end(), '.', ',');
  line.remove_prefix(nameEnd - line.begin());
  skipSeparators();
  return name;
}

double decodAnyDigit(std::string_view& line, DecimalSeparators separators) {
  deletNoDigit(line);
  return takeNumber(line, separators);
}

bool field_scanning::readsDecimal(const char* start, const char* stop, DecimalSeparators separators, double& value) {
  if (separators.chosen != separators.regional) return false;
  auto result = fast_float::from_chars(start, stop, value);
  if (result.ptr != stop && *result.ptr == ',') {
    constexpr fast_float::parse_options kComma(fast_float::chars_format::general, ',');
    result = fast_float::from_chars_advanced(start, stop, value, kComma);
  }
  return result.ec == std::errc() && result.ptr == stop && (std::isnormal(value) || value == 0);
}

double decodOtherDigit(const char* start, const char* stop, DecimalSeparators separators) {
  double value;
  if (field_scanning::readsDecimal(start, stop, separators, value)) return value;
  std::string_view field(start, static_cast<std::size_t>(stop - start));
  return decodAnyDigit(field, separators);
}
