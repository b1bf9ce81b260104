#pragma once

#include "compare/comparison_redraw.h"

#include <string>

// How the window and the report say which of flight 2's values a comparison took.

// Seconds or metres as the captions write them: a sign always, one decimal, the decimal sign
// given: the report's comma ("+5,0", "−45,2"), or in the window its axes' sign.
std::string signedTenths(double value, char decimalSign = ',');

// "по высоте", or "по времени, сдвиг +5,0 с" (without a shift where none was used).
std::string matchingCaption(MatchBy by, const ClockShift& shift, char decimalSign = ',');

// What the comparison in time found of the two clocks: the shift, against the stated launches
// where both are stated, the misfit and mean difference of the heights, and whether the minimum
// is sharp, at the search's edge, or a clock difference. Empty for a shift not used.
std::string shiftFacts(const ClockShift& shift, char decimalSign = ',');
