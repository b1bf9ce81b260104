#pragma once

#include "flight_error.h"

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
double decodDigit(std::string_view& line, DecimalSeparators separators);

// Takes the next column name, with the blanks and tabs around it; points become commas.
std::string decodtype(std::string_view& line);
