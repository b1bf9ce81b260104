#include "field_scanners.h"

#include "flight_error.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isFieldSeparator(char c) { return c == ' ' || c == '\t'; }

bool canBeginNumber(char c) {
  return (c >= '0' && c <= '9') || c == '.' || c == ',' || c == '-' || c == '/';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

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

[[noreturn]] void rejectFloat(std::string_view text) {
  throw FlightError("'" + std::string(text) + "' is not a valid floating point value");
}

// The decimal exponent of the leading digit of mantissa × 10^exponent, saturated; only its
// sign matters, to tell a value too large for a double from one too small.
long magnitudeOf(std::string_view mantissaDigits, std::size_t integerDigits, long exponent) {
  const auto first = std::find_if(mantissaDigits.begin(), mantissaDigits.end(),
                                  [](char c) { return c != '0'; });
  const long position = static_cast<long>(integerDigits) - 1 - (first - mantissaDigits.begin());
  return position + exponent;
}

}  // namespace

void deletNoDigit(std::string_view& line) {
  const auto start = std::find_if(line.begin(), line.end(), canBeginNumber);
  line.remove_prefix(start - line.begin());
}

std::string decodtype(std::string_view& line) {
  const auto skipSeparators = [&line] {
    const auto end = std::find_if_not(line.begin(), line.end(), isFieldSeparator);
    line.remove_prefix(end - line.begin());
  };
  skipSeparators();
  const auto nameEnd = std::find_if(line.begin(), line.end(), isFieldSeparator);
  std::string name(line.begin(), nameEnd);
  std::replace(name.begin(), name.end(), '.', ',');
  line.remove_prefix(nameEnd - line.begin());
  skipSeparators();
  return name;
}

double decodDigit(std::string_view& line, DecimalSeparators separators) {
  deletNoDigit(line);
  const auto fieldEnd = std::find_if(line.begin(), line.end(), isFieldSeparator);
  const std::size_t length = fieldEnd - line.begin();

  ScratchText scratch(length);
  char* field = scratch.data();
  for (std::size_t i = 0; i < length; ++i) {
    const char c = line[i];
    field[i] = (c == '.' || c == ',') ? separators.chosen : c == '/' ? '0' : c;
  }
  line.remove_prefix(length);

  std::string_view text(field, length);
  if (text == "-") text = "0";
  return textToDouble(text, separators.regional);
}

double textToDouble(std::string_view text, char regionalSeparator) {
  const std::string_view original = text;
  const auto trimBlanks = [&text] {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  };
  trimBlanks();

  std::size_t at = 0;
  const bool negative = at < text.size() && text[at] == '-';
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  const std::size_t mantissaStart = at;
  std::size_t integerDigits = 0, fractionDigits = 0;
  while (at < text.size() && isDigit(text[at])) ++at, ++integerDigits;
  const bool hasSeparator = at < text.size() && text[at] == regionalSeparator;
  if (hasSeparator) {
    ++at;
    while (at < text.size() && isDigit(text[at])) ++at, ++fractionDigits;
  }
  if (integerDigits + fractionDigits == 0) rejectFloat(original);
  const std::size_t mantissaEnd = at;

  long exponent = 0;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    const bool negativeExponent = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    const std::size_t exponentDigitsStart = at;
    constexpr long kSaturated = 1'000'000'000;
    while (at < text.size() && isDigit(text[at])) {
      exponent = std::min(kSaturated, exponent * 10 + (text[at] - '0'));
      ++at;
    }
    if (at == exponentDigitsStart) rejectFloat(original);
    if (negativeExponent) exponent = -exponent;
  }
  if (at != text.size()) rejectFloat(original);

  // from_chars takes neither a leading plus nor any separator but the point.
  const std::string_view unsignedText = text.substr(mantissaStart);
  ScratchText scratch(unsignedText.size());
  char* normalized = scratch.data();
  std::copy(unsignedText.begin(), unsignedText.end(), normalized);
  if (hasSeparator) normalized[integerDigits] = '.';
  double value = 0.0;
  const auto result = std::from_chars(normalized, normalized + unsignedText.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    std::string digits(text.substr(mantissaStart, mantissaEnd - mantissaStart));
    if (hasSeparator) digits.erase(integerDigits, 1);
    if (magnitudeOf(digits, integerDigits, exponent) >= 0) rejectFloat(original);
    value = 0.0;  // below the smallest subnormal: rounds to zero
  }
  return negative ? -value : value;
}
