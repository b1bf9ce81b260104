#include "compare/shortest_number.h"

#include <charconv>
#include <cmath>

std::string shortestNumber(double value) {
  if (!std::isfinite(value)) return {};
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}
