#pragma once

// What each column of a delimited table holds, by the name and unit its header gives it.

#include "flight/flight_identity.h"
#include "flight/quantities.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A header's name with its unit in brackets at the end taken apart: "Temperature (°C)",
// "temp[K]"; the unit is empty where there is none.
struct NameAndUnit {
  std::string_view name, unit;
};
NameAndUnit splitUnit(std::string_view header);

struct TableColumn {
  std::string name;  // as the header gives it, unit and all: the column's own name in the lists
  std::string unit;  // the units line's, or the name's, or empty
  // The quantity it holds, only where its unit is one the program converts; never guessed.
  std::optional<Quantity> quantity;
  ScaleOffset conversion{1.0, 0.0};
  WindComponent wind = WindComponent::None;
  HeightKind heightKind = HeightKind::Unknown;
};

// The columns of a header's names and its units line's units (empty: none).
std::vector<TableColumn> tableColumns(const std::vector<std::string>& names, const std::vector<std::string>& units);

// Whether columns make a sounding: a height, pressure or time, and a quantity besides.
bool makeASounding(const std::vector<TableColumn>& columns);

// Whether a line's fields are all units ("s  m/s  m  hPa  °C  %"), a bracketed one or none among them.
bool areUnits(const std::vector<std::string>& fields);
