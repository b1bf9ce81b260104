#pragma once

#include "flight/flight_identity.h"

#include <string>
#include <vector>

// A flight's path, then a line for each fact known of it, for a tooltip; the height is the kind of
// the column selected.
std::vector<std::string> identityLines(const FlightIdentity& identity, int selectedHeight);
