#pragma once

#include "flight/quantities.h"

#include <string>
#include <vector>

struct FlightIdentity;

// The names a quick-select button tests in the list of slot 1, 2 or 3.
const QuantityNames& quickSelectNames(Quantity quantity, int slot);

// The lowest index from 1 to 99 whose item is exactly one of the names, or -1. The item at
// index 0 is never examined, nor any from 100 on; an index beyond the list reads as no text.
int quickSelectIndex(const std::vector<std::string>& items, const QuantityNames& names);

// The columns the five buttons pick in the list of slot 1, 2 or 3, and the uncertainty column of
// each with its parts: what the window reads of a product at once.
std::vector<int> quickSelectColumns(const std::vector<std::string>& items, int slot, const FlightIdentity& flight);
