#include "compare/slow_channel.h"

#include "flight/flight_error.h"

#include <charconv>
#include <string>

int slowChannelNumber(std::string_view text) {
  const std::string_view original = text;
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Parsed with its sign, so that the most negative whole number fits.
  std::string digits = negative ? "-" : "";
  digits += text;
  int value = 0;
  const bool onlyDigits = !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (!onlyDigits || result.ec != std::errc() || result.ptr != digits.data() + digits.size())
    throw FlightError(Message(MessageId::NotAnIntegerValue, {std::string(original)}));
  return value;
}

bool isSlowChannelNumberUnfinished(std::string_view text) {
  int signs = 0;
  for (const char c : text) {
    if (c == '+' || c == '-') ++signs;
    else if (c != ' ') return false;
  }
  return signs <= 1;
}

double slowChannelValue(int channel, double raw) {
  const long double v = raw;
  if (channel == 10) return static_cast<double>(v * 6.6L / 4096);
  if (channel == 11) return static_cast<double>((1.43L - v * 3.3L / 4096) / 4.3L + 25);
  return raw;
}
