#pragma once

#include "flight/flight_identity.h"

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
  // The names a delimited table's header gives it, "|"-separated, as tableQuantity compares them:
  // lower case, "_" as a blank, the unit in brackets taken off.
  std::string_view tableNames;
};

inline constexpr QuantityFacts kQuantities[] = {
    {Quantity::Time, "time", "time", "timePeriod", Unit::Seconds, 0, {}, false,
     "time|elapsed time|rel. time|rel time|relative time|time since launch|flight time|timestamp|datetime|"
     "date time|utc time|gps time|время|zeit"},
    {Quantity::Height, "H", "alt", "nonCoordinateGeopotentialHeight", Unit::Metres, 0, {}, false,
     "h|height|altitude|alt|gpsheightmsl|heightmsl|height msl|gps height|gpsheight|gps altitude|gps alt|"
     "geometric height|gpheight|gph|geopotential height|geopot height|высота|höhe|hoehe"},
    {Quantity::Temperature, "T", "temp", "airTemperature", Unit::DegreesCelsius, 'T',
     {{{"tmp1f", "T", "INTtemp"}, {"T", "tmp1f", "INTtemp"}, {"T", "tmp1f", "INTtemp"}}}, false,
     "t|temp|temperature|air temperature|ta|температура|temperatur|lufttemperatur"},
    {Quantity::Humidity, "U", "rh", "", Unit::Percent, 'H',
     {{{"hymf", "U", "INThum"}, {"U", "hymf", "INThum"}, {"U", "hymf", "INThum"}}}, false,
     "u|rh|hum|humidity|relative humidity|влажность|относительная влажность|feuchte|relative feuchte"},
    {Quantity::WindDirection, "D", "wdir", "windDirection", Unit::Degrees, 'D',
     {{{"vspa", "D", "INTWD"}, {"D", "vspa", "INTWD"}, {"D", "vspa", "INTWD"}}}, true,
     "d|dir|wd|wdir|wind direction|winddirection|направление ветра|windrichtung"},
    {Quantity::WindSpeed, "V", "wspeed", "windSpeed", Unit::MetresPerSecond, 'V',
     {{{"hsp", "V", "INTWF"}, {"V", "hsp", "INTWF"}, {"V", "hsp", "INTWF"}}}, false,
     "v|speed|ws|wspeed|wind speed|windspeed|wind velocity|скорость ветра|windgeschwindigkeit"},
    {Quantity::Pressure, "P", "press", "pressure", Unit::Hectopascals, 'P',
     {{{"prsr", "P", "INTpres"}, {"P", "prsr", "INTpres"}, {"P", "prsr", "INTpres"}}}, false,
     "p|press|pres|pressure|air pressure|давление|druck|luftdruck"},
    {Quantity::DewPoint, "Td", "dp", "dewpointTemperature", Unit::DegreesCelsius, 0, {}, false,
     "td|dewp|dewpoint|dew point|dewpoint temperature|dew point temperature|точка росы|taupunkt"},
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
// The program's unit as UDUNITS spells it, the spelling CF files write: "degC", "m s-1".
std::string_view udunitsSpelling(Unit unit);

// A name as a table's names are compared: lower case (Latin, Cyrillic and the German letters),
// "_" as a blank, blanks single and trimmed; and whether a "|"-separated list of such names holds it.
std::string foldedTableName(std::string_view name);
bool isListed(std::string_view list, std::string_view name);
// A delimited table's column by the name its header gives it, its unit taken off: the quantity
// it holds, compared as tableNames are ("Temperature", "GpsHeightMSL", "Высота"), or nothing.
std::optional<Quantity> tableQuantity(std::string_view name);
// The wind components a table may give instead of direction and speed: "wind_u", "u_wind"…
enum class WindComponent { None, Eastward, Northward };
WindComponent tableWindComponent(std::string_view name);
// The kind of a table's height by its name or unit: "gpm" and geopotential names, GPS and MSL
// names (geometric); Unknown where neither says.
HeightKind tableHeightKind(std::string_view name, std::string_view unit);
// A table's unit with its degree sign mended where a lost encoding made it "?" or "Â°"
// ("?C" → "°C"); the conversion of such a unit to the program's, exact spellings first, then
// regardless of case; an empty unit is the program's own.
std::string mendedUnit(std::string_view unit);
std::optional<ScaleOffset> tableUnit(Unit unit, std::string_view spelling);

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
