#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Every quantity the program knows by name, in the order the reference readers give their columns.
enum class Quantity { Time, Height, Temperature, Humidity, WindDirection, WindSpeed, Pressure, DewPoint };

// The program's unit of a quantity: what every reader converts to.
enum class Unit { Seconds, Metres, DegreesCelsius, Percent, Degrees, MetresPerSecond, Hectopascals };

// The names one quantity goes by in each layout a quick-select button searches, in the order
// tested at each index: three a slot.
using QuantityNames = std::array<std::string_view, 3>;

// Everything the program knows of a quantity, the one place each fact is written.
struct QuantityFacts {
  Quantity quantity;
  std::string_view column;         // the column a reference reader gives it
  std::string_view gruanVariable;  // its variable in a GRUAN product; the height is chosen apart
  std::string_view bufrKey;        // its element in a BUFR TEMP; empty where it is worked out
  Unit unit;
  char button;                     // the quick-select button's caption, 0 where there is none
  std::array<QuantityNames, 3> quickSelectNames;  // of slots 1, 2 and 3
  bool angle;                      // a difference of two values wraps into -180..180
};

inline constexpr QuantityFacts kQuantities[] = {
    {Quantity::Time, "time", "time", "timePeriod", Unit::Seconds, 0, {}, false},
    {Quantity::Height, "H", "alt", "nonCoordinateGeopotentialHeight", Unit::Metres, 0, {}, false},
    {Quantity::Temperature, "T", "temp", "airTemperature", Unit::DegreesCelsius, 'T',
     {{{"tmp1f", "T", "INTtemp"}, {"T", "tmp1f", "INTtemp"}, {"T", "tmp1f", "INTtemp"}}}, false},
    {Quantity::Humidity, "U", "rh", "", Unit::Percent, 'H',
     {{{"hymf", "U", "INThum"}, {"U", "hymf", "INThum"}, {"U", "hymf", "INThum"}}}, false},
    {Quantity::WindDirection, "D", "wdir", "windDirection", Unit::Degrees, 'D',
     {{{"vspa", "D", "INTWD"}, {"D", "vspa", "INTWD"}, {"D", "vspa", "INTWD"}}}, true},
    {Quantity::WindSpeed, "V", "wspeed", "windSpeed", Unit::MetresPerSecond, 'V',
     {{{"hsp", "V", "INTWF"}, {"V", "hsp", "INTWF"}, {"V", "hsp", "INTWF"}}}, false},
    {Quantity::Pressure, "P", "press", "pressure", Unit::Hectopascals, 'P',
     {{{"prsr", "P", "INTpres"}, {"P", "prsr", "INTpres"}, {"P", "prsr", "INTpres"}}}, false},
    {Quantity::DewPoint, "Td", "dp", "dewpointTemperature", Unit::DegreesCelsius, 0, {}, false},
};

constexpr bool inQuantityOrder() {
  for (int i = 0; i < static_cast<int>(std::size(kQuantities)); ++i)
    if (static_cast<int>(kQuantities[i].quantity) != i) return false;
  return true;
}
static_assert(inQuantityOrder(), "a quantity's facts stand at its own index");

constexpr const QuantityFacts& factsOf(Quantity quantity) { return kQuantities[static_cast<int>(quantity)]; }

// The quick-select buttons left to right on the window: "T", "H" (humidity), "D", "V", "P".
inline constexpr Quantity kQuickSelectQuantities[] = {Quantity::Temperature, Quantity::Humidity,
                                                      Quantity::WindDirection, Quantity::WindSpeed, Quantity::Pressure};

// The quantity of a quick-select button by its caption; anything else is temperature.
Quantity quickSelectQuantity(char button);
// The quick-select quantity whose names hold a column name ("T" and "tmp1f" are temperature),
// or nothing.
std::optional<Quantity> namedQuantity(std::string_view columnName);

// The names a flight's time column goes by: a reference product's "time", and the raw layouts'
// "t" (tab and indented layouts), "ВРЕМЯ", "INTtime" and "Sctime".
inline constexpr std::string_view kTimeColumnNames[] = {factsOf(Quantity::Time).column, "t", "ВРЕМЯ", "INTtime", "Sctime"};
bool isTimeColumnName(std::string_view columnName);
// The first column of such a name, or -1: the time a comparison in time takes unless told.
int timeColumnIndex(const std::vector<std::string>& columnNames);

// A value in a unit as a file states it: value · scale + offset is the value in the program's
// unit; nothing for a spelling the program does not know.
struct ScaleOffset {
  double scale, offset;
};
std::optional<ScaleOffset> spelledUnit(Unit unit, std::string_view spelling);

// The names a product gives the total uncertainty of a variable: RS41 products "<name>_uc",
// RS92 products "u_<name>"; looked for in this order.
std::array<std::string, 2> uncertaintyNames(std::string_view variable);

// The names a product gives the parts of a total uncertainty: RS41 products "<total>_ucor"
// (uncorrelated), "<total>_scor" (spatially) and "<total>_tcor" (temporally correlated); RS92
// products "u_cor_<name>", the correlated part of "u_<name>". Empty where a product has none.
struct UncertaintyPartNames {
  std::string uncorrelated, spatial, temporal;
  std::vector<std::string> all() const { return {uncorrelated, spatial, temporal}; }
};
UncertaintyPartNames uncertaintyPartNames(std::string_view total);
