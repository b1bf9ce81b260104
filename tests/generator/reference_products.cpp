#include "tests/generator/reference_products.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <functional>
#include <string>

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
  const auto line = [&](const char* name, const char* format, const std::function<double(const Sounding&)>& value) {
    return std::string(" ") + name + " = " + series(recipe, format, value) + " ;\n";
  };
  const auto uncertainty = [&](const char* name, double ground, double top) {
    return line(name, "%.3f", growingUncertainty(recipe, ground, top));
  };
  const std::string launch = isoTime(recipe.launch);
  return "netcdf gruan_product {\n"
         "dimensions:\n"
         "\ttime = " + std::to_string(recipe.rows + recipe.descentRows) + " ;\n"
         "variables:\n"
         "\tdouble time(time) ;\n\t\ttime:units = \"seconds since " + launch + "\" ;\n"
         "\tfloat alt(time) ;\n\t\talt:units = \"m\" ;\n"
         "\tfloat press(time) ;\n\t\tpress:units = \"hPa\" ;\n"
         "\tfloat temp(time) ;\n\t\ttemp:units = \"K\" ;\n"
         "\tfloat rh(time) ;\n\t\trh:units = \"%\" ;\n"
         "\tfloat wdir(time) ;\n\t\twdir:units = \"degree\" ;\n"
         "\tfloat wspeed(time) ;\n\t\twspeed:units = \"m s-1\" ;\n"
         "\tfloat dp(time) ;\n\t\tdp:units = \"K\" ;\n"
         "\tfloat alt_uc(time) ;\n\t\talt_uc:units = \"m\" ;\n"
         "\tfloat temp_uc(time) ;\n\t\ttemp_uc:units = \"K\" ;\n"
         "\tfloat rh_uc(time) ;\n\t\trh_uc:units = \"1\" ;\n"
         "\n// global attributes:\n"
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
         "data:\n" +
         line("time", "%.0f", [&](const Sounding& s) { return static_cast<double>(recipe.launch) + s.time; }) +
         line("alt", "%.1f", [](const Sounding& s) { return s.height; }) +
         line("press", "%.2f", [](const Sounding& s) { return s.pressure; }) +
         line("temp", "%.2f", [](const Sounding& s) { return s.temperature + kZeroCelsius; }) +
         line("rh", "%.1f", [](const Sounding& s) { return s.humidity; }) +
         line("wdir", "%.1f", [](const Sounding& s) { return s.direction; }) +
         line("wspeed", "%.2f", [](const Sounding& s) { return s.speed; }) +
         line("dp", "%.2f", [](const Sounding& s) { return s.dewPoint + kZeroCelsius; }) + line("alt_uc", "%.2f", [](const Sounding&) { return 2.0; }) +
         uncertainty("temp_uc", 0.15, 0.45) + uncertainty("rh_uc", 0.02, 0.06) + "}\n";
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
