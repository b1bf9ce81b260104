#pragma once

// Synthetic raw flight files in the seven layouts, from a standard-atmosphere model, for tests,
// examples and benchmarks. Nothing here comes from a real station.

#include <string>

enum class Layout { Tab, Sct, Int, Vre, IndentedT, IndentedH, Shifr, Table };

// Delimited tables of named columns, as other systems write them:
//  - Export: a sounding system's export: a block of "key;value" metadata (station, position,
//    start date and time, sonde, serial), "Sounding Data", then a semicolon-separated table whose
//    names carry their units ("Temperature (°C)"), and "End Export" under it;
//  - Receiver: a receiver's log, comma-separated: ISO timestamps on GPS time (18 s ahead of UTC),
//    the sonde's serial and type on every row, GPS altitude, temperature, humidity, pressure and
//    the wind's components; every 50th row has no sensor values (-273 °C, -1 %, -1 hPa);
//  - Blanks: right-aligned columns parted by blanks under a header whose first name holds a blank
//    ("Elapsed time") and a units line.
enum class TableKind { Export, Receiver, Blanks };

struct FlightRecipe {
  Layout layout = Layout::Tab;
  int rows = 200;            // rows of the ascent
  int descentRows = 0;       // falling rows written after the top
  double top = 30000.0;      // metres at the last row of the ascent
  char decimal = '.';        // separator written in the numbers
  bool cp1251 = true;        // Cyrillic text in Windows-1251 rather than UTF-8
  bool shifrInMetres = true; // the Шифр layout's height unit
  int extraColumns = 0;      // further numeric columns (variables of a product), to make wide files
  int pageEvery = 0;         // Шифр: a page break before every so many rows (0: none)
  TableKind table = TableKind::Export;  // of Layout::Table
  double bias = 0.0;         // a sonde's own error: added to temperature and dew point, °C
  double noise = 0.0;        // and its scatter from row to row, °C
  int seed = 0;              // which scatter: flights with other seeds scatter otherwise
  // Two sondes on one balloon: the seconds after the ascent's start at which this sonde's clock
  // starts (its time column runs that much behind), metres its heights stand above the truth, and
  // their scatter. A balloon's ascent rate varies: metres its heights swing about a steady ascent.
  double clockStart = 0.0;
  double heightOffset = 0.0;
  double heightNoise = 0.0;
  double ascentSwing = 0.0;
  // Reference products: the launch, in seconds since 1970 UTC (2026-06-01 11:00).
  long long launch = 1780311600;
  // GRUAN products: stored as RS41 products are, in netCDF-4 along an unlimited time, each
  // variable deflated in one chunk of 1048576 values (ncgen -k nc4).
  bool rs41Storage = false;
  // GRUAN products: the metadata of which product they state, as its real kin do.
  enum class Product { Rs41, Rs92 } product = Product::Rs41;
  std::string serial = "T0000001";  // the sonde's
  std::string event = "1";          // the sounding's id; sondes on one balloon share it
  double latitude = 52.21, longitude = 14.12;  // the site, degrees north and east
};

// A sonde on a balloon whose ascent rate swings, its heights scattered as a sonde's are: two such
// flights tell the shift of their clocks sharply, where a steady ascent tells none.
FlightRecipe swingingSonde(int rows, int seed = 0, double clockStart = 0);

// The model's state at a row of the generated flight (1-based), in the file's units before
// any rounding: height in metres.
struct Sounding {
  double time, height, temperature, dewPoint, humidity, pressure, direction, speed;
};
Sounding soundingAt(const FlightRecipe& recipe, int row);

// The whole file as bytes.
std::string generateFlight(const FlightRecipe& recipe);
void writeFlight(const std::string& path, const FlightRecipe& recipe);

const char* layoutName(Layout layout);
