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

namespace {

// A variable of a generated product: its values in their stated unit, and its attributes as CDL.
struct Variable {
  std::string type, name, units, format;
  std::function<double(const Sounding&)> value;
  std::vector<std::string> attributes = {};  // "standard_name = \"altitude\"", "g_coverage_factor = 2.f"
};

std::string attribute(const std::string& name, const std::string& text) { return name + " = \"" + text + "\""; }

// The geometric altitude of a geopotential height, on a sphere of the Earth's mean radius.
double geometricAltitude(double geopotential) {
  constexpr double kRadius = 6371000.0;
  return kRadius * geopotential / (kRadius - geopotential);
}

// A standard uncertainty as the product states it: at its coverage factor, and each part a share
// of it (the shares' squares add up to one).
std::function<double(const Sounding&)> stated(std::function<double(const Sounding&)> standard, double factor) {
  return [=](const Sounding& s) { return factor * standard(s); };
}

// The heights, the temperature's uncertainty with its parts and the humidity as each product
// states them: RS41-GDP at k = 2 in g_coverage_factor, uncorrelated, spatially and temporally
// correlated parts, a geopotential "alt"; RS92-GDP at k = 1 in each comment, one correlated
// part, a geometric "alt" beside "geopot", the humidity as a fraction.
std::vector<Variable> statedQuantities(const FlightRecipe& recipe) {
  const auto temperatureUncertainty = growingUncertainty(recipe, 0.15, 0.45);
  const auto humidityUncertainty = growingUncertainty(recipe, 2.0, 6.0);
  const auto height = [](const Sounding& s) { return s.height; };
  const auto altitude = [](const Sounding& s) { return geometricAltitude(s.height); };
  if (recipe.product == FlightRecipe::Product::Rs92) {
    const auto k1 = [](const char* quantity) {
      return attribute("comment", std::string("Standard uncertainty (k=1) of ") + quantity);
    };
    return {
        {"float", "alt", "m", "%.1f", altitude, {attribute("standard_name", "altitude")}},
        {"float", "geopot", "m", "%.1f", height, {attribute("standard_name", "geopotential_height")}},
        {"float", "rh", "1", "%.4f", [](const Sounding& s) { return s.humidity / 100; },
         {attribute("standard_name", "relative_humidity")}},
        {"float", "u_temp", "K", "%.4f", temperatureUncertainty, {k1("air_temperature")}},
        {"float", "u_cor_temp", "K", "%.4f", stated(temperatureUncertainty, 0.8),
         {attribute("comment", "Correlated uncertainty of air_temperature")}},
        {"float", "u_rh", "1", "%.5f", stated(humidityUncertainty, 0.01), {k1("relative_humidity")}},
        {"float", "u_alt", "m", "%.2f", [](const Sounding&) { return 2.0; }, {k1("altitude")}},
    };
  }
  const std::string k2 = "g_coverage_factor = 2.f";
  return {
      {"float", "alt", "m", "%.1f", height,
       {attribute("standard_name", "geopotential_height"),
        attribute("comment", "Geopotential height is chosen as default altitude")}},
      {"float", "alt_amsl", "m", "%.1f", altitude, {attribute("standard_name", "altitude")}},
      {"float", "rh", "percent", "%.1f", [](const Sounding& s) { return s.humidity; },
       {attribute("standard_name", "relative_humidity")}},
      {"float", "alt_uc", "m", "%.2f", [](const Sounding&) { return 4.0; }, {k2}},
      {"float", "temp_uc", "K", "%.4f", stated(temperatureUncertainty, 2), {k2}},
      {"float", "temp_uc_ucor", "K", "%.4f", stated(temperatureUncertainty, 2 * 0.6), {k2}},
      {"float", "temp_uc_scor", "K", "%.4f", stated(temperatureUncertainty, 2 * 0.48), {k2}},
      {"float", "temp_uc_tcor", "K", "%.4f", stated(temperatureUncertainty, 2 * 0.64), {k2}},
      {"float", "rh_uc", "percent", "%.3f", stated(humidityUncertainty, 2), {k2}},
  };
}

// What each product states about its flight, in its own metadata layout.
std::string statedFlight(const FlightRecipe& recipe) {
  const std::string launch = isoTime(recipe.launch), nominal = isoTime(recipe.launch / 3600 * 3600 + 3600);
  char position[96];
  const auto line = [](const std::string& name, const std::string& text) {
    return "\t\t:" + name + " = \"" + text + "\" ;\n";
  };
  if (recipe.product == FlightRecipe::Product::Rs92) {
    std::snprintf(position, sizeof position, "%.2f °", recipe.latitude);
    const std::string latitude = position;
    std::snprintf(position, sizeof position, "%.2f °", recipe.longitude);
    return line("g.Ascent.StartTime", launch) + line("g.Ascent.StandardTime", nominal) +
           line("g.Ascent.ID", recipe.event) + line("g.Ascent.BalloonNumber", "1") +
           line("g.Instrument.Type", "RS92-SGP") + line("g.Instrument.TypeFamily", "RS92") +
           line("g.Instrument.SerialNumber", recipe.serial) + line("g.General.SiteCode", "TST") +
           line("g.General.SiteName", "Test site") + line("g.General.SiteWmoId", "10999") +
           line("g.MeasuringSystem.Latitude", latitude) + line("g.MeasuringSystem.Longitude", position) +
           line("g.MeasuringSystem.Altitude", "98.0 m") + line("g.Product.Code", "RS92-GDP") +
           line("g.Product.Version", "2");
  }
  const auto hemisphere = [&](double value, char positive, char negative) {
    std::snprintf(position, sizeof position, "%.4f °%c", std::fabs(value), value < 0 ? negative : positive);
    return std::string(position);
  };
  return line("g.Measurement.StartTime", launch + ".250Z") + line("g.Measurement.StandardTime", nominal + ".000Z") +
         line("g.Measurement.Id", recipe.event) + line("g.Measurement.BalloonNumber", "1") +
         line("g.MainSonde.Model", "RS41-SG") + line("g.MainSonde.SerialNumber", recipe.serial) +
         line("g.Site.Key", "TST") + line("g.Site.Name", "Test site") +
         line("g.Site.Latitude", hemisphere(std::round(recipe.latitude * 100) / 100, 'N', 'S')) +
         line("g.Site.Longitude", hemisphere(std::round(recipe.longitude * 100) / 100, 'E', 'W')) +
         line("g.Site.Altitude", "98 m") + line("g.MeasurementSystem.Latitude", hemisphere(recipe.latitude, 'N', 'S')) +
         line("g.MeasurementSystem.Longitude", hemisphere(recipe.longitude, 'E', 'W')) +
         line("g.MeasurementSystem.Altitude", "98 m") + line("g.MeasurementSystem.WmoCode", "10999") +
         line("g.Product.Key", "RS41-GDP") + line("g.Product.Version", "1");
}

}  // namespace

std::string gruanProductCdl(const FlightRecipe& recipe) {
  const auto uncertainty = [&](const char* name, const char* units, double ground, double top) {
    return Variable{"float", name, units, "%.3f", growingUncertainty(recipe, ground, top)};
  };
  const std::string launch = isoTime(recipe.launch);
  std::vector<Variable> variables = {
      {"double", "time", "seconds since " + launch, "%.0f",
       [&](const Sounding& s) { return static_cast<double>(recipe.launch) + s.time; }},
      {"float", "press", "hPa", "%.2f", [](const Sounding& s) { return s.pressure; }},
      {"float", "temp", "K", "%.2f", [](const Sounding& s) { return s.temperature + kZeroCelsius; },
       {attribute("standard_name", "air_temperature")}},
      {"float", "wdir", "degree", "%.1f", [](const Sounding& s) { return s.direction; }},
      {"float", "wspeed", "m s-1", "%.2f", [](const Sounding& s) { return s.speed; }},
      {"float", "dp", "K", "%.2f", [](const Sounding& s) { return s.dewPoint + kZeroCelsius; }},
  };
  for (Variable& variable : statedQuantities(recipe)) variables.push_back(std::move(variable));
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
    for (const std::string& stated : variable.attributes) cdl += "\t\t" + variable.name + ":" + stated + " ;\n";
    if (recipe.rs41Storage)
      cdl += "\t\t" + variable.name + ":_ChunkSizes = 1048576 ;\n\t\t" + variable.name + ":_DeflateLevel = 6 ;\n";
  }
  cdl += "\n// global attributes:\n" + statedFlight(recipe) + "data:\n";
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

std::string wmoBulletin(const std::string& heading, const std::string& message, const std::string& sequence,
                        bool closed) {
  const std::string lineEnd = "\r\r\n";
  const std::string start = sequence.empty() ? std::string() : "\x01" + lineEnd + sequence + lineEnd;
  return start + heading + lineEnd + message + (closed ? lineEnd + "NNNN" + lineEnd + "\x03" : std::string());
}
