#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

struct FlightIdentity;

// The quick-select buttons switch every parameter list to one quantity, which each layout
// names differently. Three names a list, tested in this order at each index.
using QuantityNames = std::array<std::string_view, 3>;

struct QuickSelectTable {
  QuantityNames slot1, slot2, slot3;
};

// "T", "H" (humidity), "D", "V", "P".
extern const QuickSelectTable kTemperatureNames;
extern const QuickSelectTable kHumidityNames;
extern const QuickSelectTable kWindDirectionNames;
extern const QuickSelectTable kWindSpeedNames;
extern const QuickSelectTable kPressureNames;

// The table of a quick-select button by its caption; anything else is "T".
const QuickSelectTable& quickSelectTable(char quantity);

// The lowest index from 1 to 99 whose item is exactly one of the names, or -1. The item at
// index 0 is never examined, nor any from 100 on; an index beyond the list reads as no text.
int quickSelectIndex(const std::vector<std::string>& items, const QuantityNames& names);

// The columns the five buttons pick in the list of slot 1, 2 or 3, and the uncertainty column of
// each with its parts: what the window reads of a product at once.
std::vector<int> quickSelectColumns(const std::vector<std::string>& items, int slot, const FlightIdentity& flight);

// The unit of a column that one of the quick-select quantities names ("°C" for "T", "%" for
// "hymf"), or nothing.
std::string_view quantityUnit(std::string_view columnName);

// A quick-select button's quantity with its meaning, as the campaign's choices and report name
// it ("T — температура"); anything else is "T".
std::string_view quantityCaption(char quantity);

// How the comparison is written: flight 1 "−" flight 2, or with "+" "+".
std::string_view signCaption(bool plus);
