#include "tests/generator/reference_products.h"

#include <algorithm>
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
    std::snprintf(text, sizeof text, format, value(soundingAt(recipe, row)));
    out += (row > 1 ? ", " : "") + std::string(text);
  }
  return out;
}

}  // namespace

std::string gruanProductCdl(const FlightRecipe& recipe) {
  const auto line = [&](const char* name, const char* format, const std::function<double(const Sounding&)>& value) {
    return std::string(" ") + name + " = " + series(recipe, format, value) + " ;\n";
  };
  const auto constant = [&](const char* name, double value) {
    return line(name, "%.2f", [value](const Sounding&) { return value; });
  };
  return "netcdf gruan_product {\n"
         "dimensions:\n"
         "\ttime = " + std::to_string(recipe.rows + recipe.descentRows) + " ;\n"
         "variables:\n"
         "\tdouble time(time) ;\n\t\ttime:units = \"seconds since 2026-06-01T11:00:00\" ;\n"
         "\tfloat alt(time) ;\n\t\talt:units = \"m\" ;\n"
         "\tfloat press(time) ;\n\t\tpress:units = \"hPa\" ;\n"
         "\tfloat temp(time) ;\n\t\ttemp:units = \"K\" ;\n"
         "\tfloat rh(time) ;\n\t\trh:units = \"%\" ;\n"
         "\tfloat wdir(time) ;\n\t\twdir:units = \"degree\" ;\n"
         "\tfloat wspeed(time) ;\n\t\twspeed:units = \"m s-1\" ;\n"
         "\tfloat dp(time) ;\n\t\tdp:units = \"K\" ;\n"
         "\tfloat alt_uc(time) ;\n\t\talt_uc:units = \"m\" ;\n"
         "\tfloat temp_uc(time) ;\n\t\ttemp_uc:units = \"K\" ;\n"
         "\tfloat rh_uc(time) ;\n\t\trh_uc:units = \"%\" ;\n"
         "\n// global attributes:\n"
         "\t\t:g.Measurement.StartTime = \"2026-06-01T11:00:00.000Z\" ;\n"
         "\t\t:g.Measurement.StandardTime = \"2026-06-01T12:00:00.000Z\" ;\n"
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
         line("time", "%.0f", [](const Sounding& s) { return 1780311600.0 + s.time; }) +
         line("alt", "%.1f", [](const Sounding& s) { return s.height; }) +
         line("press", "%.2f", [](const Sounding& s) { return s.pressure; }) +
         line("temp", "%.2f", [](const Sounding& s) { return s.temperature + kZeroCelsius; }) +
         line("rh", "%.1f", [](const Sounding& s) { return s.humidity; }) +
         line("wdir", "%.1f", [](const Sounding& s) { return s.direction; }) +
         line("wspeed", "%.2f", [](const Sounding& s) { return s.speed; }) +
         line("dp", "%.2f", [](const Sounding& s) { return s.dewPoint + kZeroCelsius; }) + constant("alt_uc", 2.0) +
         constant("temp_uc", 0.3) + constant("rh_uc", 3.0) + "}\n";
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
         "set radiosondeType = 23;\nset radiosondeSerialNumber = \"T0000002\";\n"
         "set year = 2026;\nset month = 6;\nset day = 1;\nset hour = 11;\nset minute = 0;\nset second = 0;\n"
         "set latitude = 52.21;\nset longitude = 14.12;\nset heightOfStationGroundAboveMeanSeaLevel = 98;\n" +
         set("timePeriod", "%.0f", [timeStep](const Sounding& s) { return s.time * timeStep; }) +
         set("pressure", "%.0f", [](const Sounding& s) { return s.pressure * 100.0; }) +
         set("nonCoordinateGeopotentialHeight", "%.0f", [](const Sounding& s) { return s.height; }) +
         set("airTemperature", "%.2f", [](const Sounding& s) { return s.temperature + kZeroCelsius; }) +
         set("dewpointTemperature", "%.2f", [](const Sounding& s) { return s.dewPoint + kZeroCelsius; }) +
         set("windDirection", "%.0f", [](const Sounding& s) { return s.direction; }) +
         set("windSpeed", "%.1f", [](const Sounding& s) { return s.speed; }) + "set pack = 1;\nwrite;\n";
}
