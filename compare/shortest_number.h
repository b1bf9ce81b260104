#pragma once

#include <string>

// A number as CSV files carry it: a decimal point, the shortest text that reads back as the
// same double, and nothing at all for a value that is not finite.
std::string shortestNumber(double value);
