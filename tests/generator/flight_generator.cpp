#include "tests/generator/flight_generator.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <stdexcept>

namespace {

double saturation(double t) {
  return t < 0 ? 6.1115 * std::exp((23.036 - t / 333.7) * t / (279.82 + t))
               : 6.1121 * std::exp((18.678 - t / 234.5) * t / (257.14 + t));
}

// A number with a fixed count of decimals and the recipe's separator, right-aligned in width.
std::string number(double value, int decimals, char decimal, int width = 0) {
  char text[64];
  std::snprintf(text, sizeof text, "%*.*f", width, decimals, value);
  std::string out(text);
  for (char& c : out)
    if (c == '.') c = decimal;
  return out;
}

std::string toCp1251(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = utf8[i];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    const unsigned code = ((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
    if (code >= 0x410 && code <= 0x44F) out.push_back(static_cast<char>(0xC0 + code - 0x410));
    else if (code == 0x401) out.push_back('\xA8');
    else if (code == 0x451) out.push_back('\xB8');
    else throw std::invalid_argument("no Windows-1251 code for a generated character");
  }
  return out;
}

// The columns every layout shares, in the layout's units and separator.
struct Row {
  const FlightRecipe& recipe;
  Sounding s;
  std::string f(double v, int decimals, int width = 0) const { return number(v, decimals, recipe.decimal, width); }
};

void appendExtras(std::string& line, const FlightRecipe& recipe, int row, char separator) {
  for (int k = 0; k < recipe.extraColumns; ++k) {
    line += separator;
    line += number(std::fmod(row * 0.37 + k * 1.1, 100.0), 2, recipe.decimal);
  }
}

std::string extraNames(const FlightRecipe& recipe, char separator) {
  std::string names;
  for (int k = 0; k < recipe.extraColumns; ++k) names += separator + std::string("X") + std::to_string(k + 1);
  return names;
}

std::string tabFile(const FlightRecipe& recipe, int rows) {
  std::string out = "t\tH\tT\tU\tP\tD\tV" + extraNames(recipe, '\t') + "\r\n";
  for (int i = 1; i <= rows; ++i) {
    const Row r{recipe, soundingAt(recipe, i)};
    std::string line = r.f(r.s.time, 0) + '\t' + r.f(r.s.height / 1000, 4) + '\t' + r.f(r.s.temperature, 2) +
                       '\t' + r.f(r.s.humidity, 1) + '\t' + r.f(r.s.pressure, 2) + '\t' +
                       r.f(r.s.direction, 1) + '\t' + r.f(r.s.speed, 2);
    appendExtras(line, recipe, i, '\t');
    out += line + "\r\n";
  }
  return out;
}

// Slow channels take turns: 10, 11, then a third one.
int slowChannel(int row) { return row % 3 == 0 ? 10 : row % 3 == 1 ? 11 : 7; }

std::string sctFile(const FlightRecipe& recipe, int rows) {
  const std::string header = "Sctime\tHe\ttmp1f\thymf\tprsr\tvspa\thsp\tslwi\tlowch" + extraNames(recipe, '\t');
  std::string out = "Sounding station 1234, synthetic\r\n" + header + "\r\n";
  for (int i = 1; i <= rows; ++i) {
    if (i == rows / 2) out += "-eX marker line\r\n" + header + "\r\n";
    const Row r{recipe, soundingAt(recipe, i)};
    std::string line = r.f(r.s.time, 1) + '\t' + r.f(r.s.height, 1) + '\t' + r.f(r.s.temperature, 2) +
                       '\t' + r.f(r.s.humidity, 1) + '\t' + r.f(r.s.pressure, 2) + '\t' +
                       r.f(r.s.direction, 1) + '\t' + r.f(r.s.speed, 2) + '\t' +
                       std::to_string(slowChannel(i)) + '\t' + std::to_string((i * 37) % 4096);
    appendExtras(line, recipe, i, '\t');
    out += line + "\r\n";
  }
  return out + "\r\nEnd of flight\r\n";
}

// Blank-separated columns: time, height in metres, temperature, humidity or dew point,
// pressure, wind direction and speed.
std::string spacedRow(const FlightRecipe& recipe, int i, bool withDewPoint) {
  const Row r{recipe, soundingAt(recipe, i)};
  std::string line = r.f(r.s.time, 0, 6) + ' ' + r.f(r.s.height, 1, 8) + ' ' + r.f(r.s.temperature, 2, 7) + ' ' +
                     r.f(withDewPoint ? r.s.dewPoint : r.s.humidity, withDewPoint ? 2 : 1, 6) + ' ' +
                     r.f(r.s.pressure, 2, 7) + ' ' + r.f(r.s.direction, 1, 6) + ' ' + r.f(r.s.speed, 2, 6);
  appendExtras(line, recipe, i, ' ');
  return line;
}

std::string spacedFile(const FlightRecipe& recipe, int rows, const std::string& header) {
  std::string out = header + extraNames(recipe, ' ') + "\r\n";
  for (int i = 1; i <= rows; ++i) out += spacedRow(recipe, i, false) + "\r\n";
  return out;
}

// The last column, humidity, is left to the reader to derive; the file has flags there.
std::string indentedTFile(const FlightRecipe& recipe, int rows) {
  std::string out = "Synthetic sounding, indented layout\r\n"
                    "    t       H       T      Td       P       D       V" + extraNames(recipe, ' ') + "   Flags\r\n"
                    "   [s]     [m]     [C]     [C]   [hPa]   [deg]   [m/s]\r\n";
  for (int i = 1; i <= rows; ++i) out += spacedRow(recipe, i, true) + "  0x01\r\n";
  return out;
}

std::string indentedHFile(const FlightRecipe& recipe, int rows) {
  std::string out = "         H       T       U       P       D       V" + extraNames(recipe, ' ') + "\r\n";
  for (int i = 1; i <= rows; ++i) {
    if (i % 50 == 0) out += "  -- continued --\r\n";  // too short to be a row
    const Row r{recipe, soundingAt(recipe, i)};
    std::string line = r.f(r.s.height / 1000, 4, 9) + " |" + r.f(r.s.temperature, 2, 7) + " |" +
                       r.f(r.s.humidity, 1, 6) + " |" + r.f(r.s.pressure, 2, 8) + " |" +
                       r.f(r.s.direction, 1, 6) + " |" + r.f(r.s.speed, 2, 6);
    appendExtras(line, recipe, i, ' ');
    out += line + "\r\n";
  }
  return out;
}

// The recipe's launch plus seconds, in ISO 8601 to the millisecond.
std::string isoTime(long long launch, double seconds) {
  const double at = static_cast<double>(launch) + seconds;
  const auto whole = static_cast<std::time_t>(std::floor(at));
  std::tm parts{};
  gmtime_r(&whole, &parts);
  char text[40];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &parts);
  char millis[8];
  std::snprintf(millis, sizeof millis, ".%03d", static_cast<int>(std::lround((at - std::floor(at)) * 1000)) % 1000);
  return std::string(text) + millis + "Z";
}

std::string exportTable(const FlightRecipe& recipe, int rows) {
  std::tm launch{};
  const auto start = static_cast<std::time_t>(recipe.launch);
  gmtime_r(&start, &launch);
  char date[16], time[16];
  std::strftime(date, sizeof date, "%d.%m.%y", &launch);
  std::strftime(time, sizeof time, "%H:%M:%S", &launch);
  std::string out = "Station Position;Synthetic_Site\r\nLongitude (°);" + number(recipe.longitude, 5, '.') +
                    "\r\nLatitude (°);" + number(recipe.latitude, 5, '.') + "\r\nAltitude (m);100.0\r\n\r\n" +
                    "Surface Weather\r\nTemperature (°C);15.0\r\n\r\nStart Date;" + date + "\r\nStart Time;" + time +
                    "\r\n\r\nSonde;SYN_1\r\nSerial Number;" + recipe.serial + "\r\n\r\nSounding Data\r\n" +
                    "Rel. Time;Altitude (gpm);Wind Direction (°);Wind Velocity (m/s);Pressure (hPa);Temperature (°C);"
                    "Humidity (%);Dewpoint (°C);Ozone (nbar)" + extraNames(recipe, ';') + "\r\n";
  for (int i = 1; i <= rows; ++i) {
    const Row r{recipe, soundingAt(recipe, i)};
    std::string line = r.f(r.s.time, 0) + ';' + r.f(r.s.height, 2) + ';' + r.f(r.s.direction, 2) + ';' +
                       r.f(r.s.speed, 2) + ';' + r.f(r.s.pressure, 2) + ';' + r.f(r.s.temperature, 2) + ';' +
                       r.f(r.s.humidity, 2) + ';' + r.f(r.s.dewPoint, 2) + ';';
    appendExtras(line, recipe, i, ';');
    out += line + "\r\n";
  }
  return out + "End Export\r\n";
}

std::string receiverLog(const FlightRecipe& recipe, int rows) {
  constexpr double kGpsAheadOfUtc = 18;
  std::string out = "timestamp,serial,type,gps_alt (m),temp (°C),rh (%),pressure (hPa),wind_u (m/s),wind_v (m/s)" +
                    extraNames(recipe, ',') + "\n";
  const double radians = M_PI / 180;
  for (int i = 1; i <= rows; ++i) {
    const Row r{recipe, soundingAt(recipe, i)};
    const bool noSensor = i % 50 == 0;
    const double u = -r.s.speed * std::sin(r.s.direction * radians), v = -r.s.speed * std::cos(r.s.direction * radians);
    std::string line = isoTime(recipe.launch, r.s.time + recipe.clockStart + kGpsAheadOfUtc) + ',' + recipe.serial +
                       ",RS41," + number(r.s.height, 1, '.') + ',' + (noSensor ? "-273.0" : number(r.s.temperature, 2, '.')) +
                       ',' + (noSensor ? "-1" : number(r.s.humidity, 1, '.')) + ',' +
                       (noSensor ? "-1" : number(r.s.pressure, 2, '.')) + ',' + number(u, 3, '.') + ',' + number(v, 3, '.');
    appendExtras(line, recipe, i, ',');
    out += line + "\n";
  }
  return out;
}

std::string blanksTable(const FlightRecipe& recipe, int rows) {
  std::string out = "Elapsed time   Height       P    Temp     RH     Dir   Speed\n"
                    "           s        m     hPa      °C      %       °     m/s\n";
  for (int i = 1; i <= rows; ++i) {
    const Row r{recipe, soundingAt(recipe, i)};
    out += r.f(r.s.time, 0, 12) + r.f(r.s.height, 1, 9) + r.f(r.s.pressure, 2, 8) + r.f(r.s.temperature, 2, 8) +
           r.f(r.s.humidity, 1, 7) + r.f(r.s.direction, 0, 8) + r.f(r.s.speed, 2, 8) + "\n";
  }
  return out;
}

std::string shifrFile(const FlightRecipe& recipe, int rows) {
  const std::string header = "  Шифр    H       T       U       G       Y       P       D       V";
  const std::string units = recipe.shifrInMetres ? " уровня    м      C       %                      гПа     град    м/с"
                                               : " уровня    км     C       %                      гПа     град    м/с";
  std::string out = "Таблица 1. Синтетический выпуск\r\n" + header + "\r\n" + units + "\r\n" +
                    "----------------------------------------------------------------\r\n";
  for (int i = 1; i <= rows; ++i) {
    if (recipe.pageEvery > 0 && i > 1 && (i - 1) % recipe.pageEvery == 0)
      out += "\f                       Лист " + std::to_string(1 + (i - 1) / recipe.pageEvery) + "\r\n" + header + "\r\n" + units + "\r\n";
    const Row r{recipe, soundingAt(recipe, i)};
    const std::string height = recipe.shifrInMetres ? r.f(r.s.height, 1, 9) : r.f(r.s.height / 1000, 4, 9);
    // Eight characters stand after the humidity (metres) or the pressure (kilometres).
    const std::string block = " Ф:12-40";
    std::string line = r.f(1000 + i, 0, 6) + ' ' + height + ' ' + r.f(r.s.temperature, 2, 7) + ' ' + r.f(r.s.humidity, 1, 6);
    if (recipe.shifrInMetres) line += block + ' ' + r.f(r.s.pressure, 2, 7);
    else line += ' ' + r.f(r.s.pressure, 2, 7) + block;
    line += ' ' + r.f(r.s.direction, 1, 6) + ' ' + r.f(r.s.speed, 2, 6);
    out += line + "\r\n";
  }
  return out;
}

}  // namespace

Sounding soundingAt(const FlightRecipe& recipe, int row) {
  Sounding s{};
  s.time = row - recipe.clockStart;
  const double ascentStep = recipe.top / recipe.rows;
  s.height = row <= recipe.rows ? ascentStep * row : recipe.top - 3 * ascentStep * (row - recipe.rows);
  if (recipe.ascentSwing != 0)
    s.height += recipe.ascentSwing * (std::sin(row * 0.1185) + 0.6 * std::sin(row * 0.0479 + 1));
  const double h = s.height;
  s.temperature = h <= 11000 ? 15 - 6.5 * h / 1000 : h <= 20000 ? -56.5 : -56.5 + (h - 20000) / 1000;
  // A fixed pseudo-random scatter, the same for every run of a seed.
  const auto scatter = [&](double phase) { return std::sin(phase * 12.9898 + std::sin(phase * 78.233) * 43758.5453); };
  const double phase = row + 7919.0 * recipe.seed;
  s.temperature += recipe.bias + recipe.noise * scatter(phase);
  if (recipe.heightOffset != 0 || recipe.heightNoise != 0)
    s.height += recipe.heightOffset + recipe.heightNoise * scatter(phase + 0.5);
  s.dewPoint = s.temperature - (3 + 12 * (0.5 + 0.5 * std::sin(h / 2500)));
  s.humidity = 100 * saturation(s.dewPoint) / saturation(s.temperature);
  s.pressure = h <= 11000 ? 1013.25 * std::pow(1 - 2.25577e-5 * h, 5.25588)
                          : 226.32 * std::exp(-(h - 11000) / 6341.6);
  s.direction = std::fmod(270 + 40 * std::sin(h / 3000) + 360, 360);
  s.speed = 5 + 25 * std::exp(-std::pow((h - 11000) / 4000, 2));
  return s;
}

FlightRecipe swingingSonde(int rows, int seed, double clockStart) {
  FlightRecipe recipe;
  recipe.rows = rows;
  recipe.ascentSwing = 10;
  recipe.heightNoise = 0.5;
  recipe.noise = 0.05;
  recipe.seed = seed;
  recipe.clockStart = clockStart;
  return recipe;
}

std::string generateFlight(const FlightRecipe& recipe) {
  const int rows = recipe.rows + recipe.descentRows;
  switch (recipe.layout) {
    case Layout::Tab: return tabFile(recipe, rows);
    case Layout::Sct: return sctFile(recipe, rows);
    case Layout::Int:
      return spacedFile(recipe, rows, "INTtime INTalt INTtemp INThum INTpres INTWD INTWF");
    case Layout::Vre: {
      const std::string text = spacedFile(recipe, rows, "ВРЕМЯ H T U P D V");
      return recipe.cp1251 ? toCp1251(text) : text;
    }
    case Layout::IndentedT: return indentedTFile(recipe, rows);
    case Layout::IndentedH: return indentedHFile(recipe, rows);
    case Layout::Shifr: {
      const std::string text = shifrFile(recipe, rows);
      return recipe.cp1251 ? toCp1251(text) : text;
    }
    case Layout::Table:
      switch (recipe.table) {
        case TableKind::Export: return exportTable(recipe, rows);
        case TableKind::Receiver: return receiverLog(recipe, rows);
        case TableKind::Blanks: return blanksTable(recipe, rows);
      }
  }
  throw std::invalid_argument("unknown layout");
}

void writeFlight(const std::string& path, const FlightRecipe& recipe) {
  std::ofstream(path, std::ios::binary) << generateFlight(recipe);
}

const char* layoutName(Layout layout) {
  switch (layout) {
    case Layout::Tab: return "tab";
    case Layout::Sct: return "sct";
    case Layout::Int: return "int";
    case Layout::Vre: return "vre";
    case Layout::IndentedT: return "indented-t";
    case Layout::IndentedH: return "indented-h";
    case Layout::Shifr: return "shifr";
    case Layout::Table: return "table";
  }
  return "";
}
