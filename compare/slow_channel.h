#pragma once

#include <string_view>

// The slow-channel number from Edit2: optional leading blanks, an optional sign, decimal
// digits, within 32 bits. Anything else, the empty text included, fails with
// "'%s' is not a valid integer value".
int slowChannelNumber(std::string_view text);

// Whether the text is a number still being typed: empty, or only blanks and one sign so far.
bool isSlowChannelNumberUnfinished(std::string_view text);

// What the slow channel N plots for the raw value v of the column after "slwi": channel 10 and
// channel 11 are converted from the 12-bit reading, any other channel is plotted as it stands.
double slowChannelValue(int channel, double raw);
