#include "tests/generator/reference_products.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr double kZeroCelsius = 273.15;

// The values of one quantity over the rows, comma-separated, in the given format.
std::string series(const FlightRecipe& recipe, const char* format, const std::function<double(const Sounding&)>& value) {
  const int rows = recipe.rows + recipe.descentRows;
  std::string out;
  for (int row = 1; row <= rows; ++row) {
    char text[32];
    const double number = value(soundingAt(recipe, row));
    // CDL's "_" is the fill value: a value the product does not state.
    if (std::isnan(number)) std::snprintf(text, sizeof text, "_");
    else std::snprintf(text, sizeof text, format, number);
    out += (row > 1 ? ", " : "") + std::string(text);
  }
  return out;
}

// A time as the products state it, "2026-06-01T11:00:00".
std::string isoTime(long long seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm parts{};
  gmtime_r(&time, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &parts);
  return text;
}

// As a sonde's stated uncertainty grows with height, with a little scatter of its own from row
// to row; every 499th row states none.
std::function<double(const Sounding&)> growingUncertainty(const FlightRecipe& recipe, double ground, double top) {
  return [=, &recipe](const Sounding& s) {
    const int row = static_cast<int>(s.time);
    if (row % 499 == 0) return std::nan("");
    return (ground + (top - ground) * s.height / recipe.top) * (1 + 0.05 * std::sin(s.height / 1500 + recipe.seed));
  };
}

// The launch as BUFR states it, key by key.
std::string launchKeys(long long seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm parts{};
  gmtime_r(&time, &parts);
  char text[160];
  std::snprintf(text, sizeof text, "set year = %d;\nset month = %d;\nset day = %d;\nset hour = %d;\nset minute = %d;\nset second = %d;\n",
                parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
  return text;
}

}  // namespace

std::string gruanProductCdl(const FlightRecipe& recipe) {
  struct Variable {
    std::string type, name, units, format;
    std::function<double(const Sounding&)> value;
  };
  const auto uncertainty = [&](const char* name, const char* units, double ground, double top) {
    return Variable{"float", name, units, "%.3f", growingUncertainty(recipe, ground, top)};
  };
  const std::string launch = isoTime(recipe.launch);
  std::vector<Variable> variables = {
      {"double", "time", "seconds since " + launch, "%.0f",
       [&](const Sounding& s) { return static_cast<double>(recipe.launch) + s.time; }},
      {"float", "alt", "m", "%.1f", [](const Sounding& s) { return s.height; }},
      {"float", "press", "hPa", "%.2f", [](const Sounding& s) { return s.pressure; }},
      {"float", "temp", "K", "%.2f", [](const Sounding& s) { return s.temperature + kZeroCelsius; }},
      {"float", "rh", "%", "%.1f", [](const Sounding& s) { return s.humidity; }},
      {"float", "wdir", "degree", "%.1f", [](const Sounding& s) { return s.direction; }},
      {"float", "wspeed", "m s-1", "%.2f", [](const Sounding& s) { return s.speed; }},
      {"float", "dp", "K", "%.2f", [](const Sounding& s) { return s.dewPoint + kZeroCelsius; }},
      {"float", "alt_uc", "m", "%.2f", [](const Sounding&) { return 2.0; }},
      uncertainty("temp_uc", "K", 0.15, 0.45),
      uncertainty("rh_uc", "1", 0.02, 0.06),
  };
  // The further variables of an RS41 product: the other quantities' uncertainties, then
  // measurements of their own, scattered as real ones are (and compressed no better).
  const Variable further[] = {uncertainty("press_uc", "hPa", 0.4, 0.05), uncertainty("wdir_uc", "degree", 1.0, 5.0),
                              uncertainty("wspeed_uc", "m s-1", 0.15, 0.6), uncertainty("dp_uc", "K", 0.3, 1.5)};
  for (int k = 0; k < recipe.extraColumns; ++k) {
    if (k < static_cast<int>(std::size(further))) {
      variables.push_back(further[k]);
      continue;
    }
    variables.push_back({"float", "X" + std::to_string(k + 1), "1", "%.5f", [k](const Sounding& s) {
                           const double scatter = std::sin(s.time * 12.9898 + k * 78.233) * 43758.5453;
                           return 50 * std::sin(s.time / (200.0 + k)) + scatter - std::floor(scatter);
                         }});
  }
  const std::string rows = recipe.rs41Storage ? "UNLIMITED" : std::to_string(recipe.rows + recipe.descentRows);
  std::string cdl = "netcdf gruan_product {\ndimensions:\n\ttime = " + rows + " ;\nvariables:\n";
  for (const Variable& variable : variables) {
    cdl += "\t" + variable.type + " " + variable.name + "(time) ;\n";
    cdl += "\t\t" + variable.name + ":units = \"" + variable.units + "\" ;\n";
    if (recipe.rs41Storage)
      cdl += "\t\t" + variable.name + ":_ChunkSizes = 1048576 ;\n\t\t" + variable.name + ":_DeflateLevel = 6 ;\n";
  }
  cdl += "\n// global attributes:\n"
         "\t\t:g.Measurement.StartTime = \"" + launch + ".000Z\" ;\n"
         "\t\t:g.Measurement.StandardTime = \"" + isoTime(recipe.launch / 3600 * 3600 + 3600) + ".000Z\" ;\n"
         "\t\t:g.MainSonde.Model = \"RS41-SG\" ;\n"
         "\t\t:g.MainSonde.SerialNumber = \"T0000001\" ;\n"
         "\t\t:g.Site.Key = \"TST\" ;\n"
         "\t\t:g.Site.Name = \"Test site\" ;\n"
         "\t\t:g.Site.Latitude = \"52.21 °N\" ;\n"
         "\t\t:g.Site.Longitude = \"14.12 °E\" ;\n"
         "\t\t:g.Site.Altitude = \"98 m\" ;\n"
         "\t\t:g.Product.Key = \"RS41-GDP\" ;\n"
         "\t\t:g.Product.Version = \"1\" ;\n"
         "data:\n";
  for (const Variable& variable : variables)
    cdl += " " + variable.name + " = " + series(recipe, variable.format.c_str(), variable.value) + " ;\n";
  return cdl + "}\n";
}

std::string bufrTempRules(const FlightRecipe& recipe) {
  // BUFR counts a level's time in whole seconds up to 24575: a long flight's levels come closer.
  const double timeStep = std::min(1.0, 24000.0 / (recipe.rows + recipe.descentRows));
  const auto set = [&](const char* key, const char* format, const std::function<double(const Sounding&)>& value) {
    return std::string("set ") + key + " = {" + series(recipe, format, value) + "};\n";
  };
  return "set masterTablesVersionNumber = 33;\n"
         "set dataCategory = 2;\n"
         "set internationalDataSubCategory = 4;\n"
         "set numberOfSubsets = 1;\n"
         "set compressedData = 0;\n"
         "set inputExtendedDelayedDescriptorReplicationFactor = {" +
         std::to_string(recipe.rows + recipe.descentRows) + "};\n" +
         "set inputDelayedDescriptorReplicationFactor = {0};\n"
         "set unexpandedDescriptors = {309057};\n"
         "set blockNumber = 10;\nset stationNumber = 999;\n"
         "set radiosondeType = 23;\nset radiosondeSerialNumber = \"T0000002\";\n" +
         launchKeys(recipe.launch) +
         "set latitude = 52.21;\nset longitude = 14.12;\nset heightOfStationGroundAboveMeanSeaLevel = 98;\n" +
         set("timePeriod", "%.0f", [timeStep](const Sounding& s) { return s.time * timeStep; }) +
         set("pressure", "%.0f", [](const Sounding& s) { return s.pressure * 100.0; }) +
         set("nonCoordinateGeopotentialHeight", "%.0f", [](const Sounding& s) { return s.height; }) +
         set("airTemperature", "%.2f", [](const Sounding& s) { return s.temperature + kZeroCelsius; }) +
         set("dewpointTemperature", "%.2f", [](const Sounding& s) { return s.dewPoint + kZeroCelsius; }) +
         set("windDirection", "%.0f", [](const Sounding& s) { return s.direction; }) +
         set("windSpeed", "%.1f", [](const Sounding& s) { return s.speed; }) + "set pack = 1;\nwrite;\n";
}
