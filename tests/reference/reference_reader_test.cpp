// GRUAN NetCDF products and BUFR soundings, written by ncgen and bufr_filter from the text in
// tests/data/reference: each gives the columns the quick-select knows, in the program's units,
// or fails with the library's message; a failure leaves its slot empty and the others as they were.
#include "flight/numeric_helpers.h"
#include "tests/support/reader_fixture.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <vector>

namespace {

const std::string kReference = REFERENCE_FILES;
constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

struct Cell {
  int column, row;
  double value;
};

struct Product {
  const char* file;
  int slot;
  std::optional<std::string> failure;  // the message starts so
  int rows;
  std::vector<std::string> columns;  // the first ones
  std::vector<Cell> cells;
};

const std::vector<std::string> kQuantities = {"time", "H", "T", "U", "D", "V", "P", "Td"};

std::vector<std::string> withQuantities(std::vector<std::string> more) {
  std::vector<std::string> columns = kQuantities;
  columns.insert(columns.end(), more.begin(), more.end());
  return columns;
}

const Product kProducts[] = {
    // Kelvin and pascal, time since the epoch; the two falls at its end are cut in slot 2.
    {"gruan_rs41.nc", 2, {}, 4,
     withQuantities({"alt_uc", "temp_uc", "rh_uc", "wdir_uc", "wspeed_uc", "press_uc", "dp_uc", "lat", "lon"}),
     {{0, 4, 3.0}, {1, 2, 125.5}, {2, 1, 15.0}, {2, 3, kNoValue}, {3, 1, 60.0}, {6, 1, 1002.1}, {7, 1, 7.0},
      {9, 1, 0.15}, {13, 1, 1.0}, {15, 1, 55.75}, {17, 4, kNoValue}}},
    // u_ uncertainties, humidity as a fraction, no dew point.
    {"gruan_rs92.nc", 1, {}, 5,
     {"time", "H", "T", "U", "D", "V", "P", "u_alt", "u_temp", "u_rh", "u_wdir", "u_wspeed", "u_press", "lat"},
     {{0, 5, 4.0}, {2, 1, 0.0}, {3, 2, 79.0}, {6, 1, 1000.5}, {8, 1, 0.2}, {9, 1, 5.0}}},
    {"gruan_fill_values.nc", 1, {}, 4, {"time", "H", "T", "U", "D", "V", "P"},
     {{0, 2, 60.0}, {0, 4, kNoValue}, {1, 1, 200.0}, {1, 2, kNoValue}, {1, 4, 1300.0}, {2, 2, kNoValue},
      {3, 2, kNoValue}, {3, 3, kNoValue}, {3, 4, 68.0}, {4, 1, kNoValue}, {5, 2, kNoValue}, {5, 3, 4.0},
      {6, 2, kNoValue}, {6, 3, kNoValue}, {6, 4, 990.0}}},
    {"gruan_unknown_unit.nc", 1, "Unknown unit \"degF\" of temp", 0, {}, {}},
    {"gruan_numeric_unit.nc", 1,
     "Unknown unit of temp: its attribute \"units\" holds 273.14999389648438 rather than one text.", 0, {}, {}},
    {"gruan_two_units.nc", 1, "Unknown unit of temp: its attribute \"units\" holds \"K\", \"degC\" rather than one text.",
     0, {}, {}},
    {"not_a_sounding.nc", 1, "Not a sounding product: no dimension \"time\".", 0, {}, {}},
    // A missing dew point gives no dew point and no humidity.
    {"temp_high_resolution.bufr", 3, {}, 6, kQuantities,
     {{0, 6, 10.0}, {1, 2, 125.0}, {2, 1, 15.0}, {3, 1, 100.0 * Par(7.0) / Par(15.0)}, {3, 3, kNoValue},
      {4, 2, 271.0}, {5, 2, 5.5}, {6, 1, 1002.1}, {7, 3, kNoValue}}},
    {"temp_classic.bufr", 1, {}, 4, kQuantities, {{1, 4, 3012.0}, {2, 4, -2.6}, {6, 2, 925.0}, {7, 4, -14.6}}},
    {"synop_then_temp.bufr", 2, {}, 6, kQuantities, {{1, 6, 146.0}}},
    {"synop.bufr", 1, "No radiosonde sounding: no message of the TEMP templates 309052 or 309057.", 0, {}, {}},
};

}  // namespace

TEST_F(ReaderTest, ReferenceProductsGiveTheirColumnsOrTheLibrarysMessage) {
  for (const Product& product : kProducts) {
    SCOPED_TRACE(product.file);
    const Workspace freshStart;
    read(product.slot == 1 ? 2 : 1, "ВРЕМЯ H T\n1 100 5\n2 12345 6\n");
    const int other = product.slot == 1 ? 2 : 1;
    const std::string path = kReference + "/" + product.file;
    RecordedSlot& slot = controls[product.slot];
    try {
      readFlightFile(product.slot, path, {'.', '.'}, slot);
      EXPECT_FALSE(product.failure) << "the read succeeded";
    } catch (const FlightError& error) {
      ASSERT_TRUE(product.failure) << error.what();
      EXPECT_EQ(error.message().english().substr(0, product.failure->size()), *product.failure);
      EXPECT_EQ(std::string(error.what()).substr(error.message().english().size()), "\nFile: " + path);
    }
    EXPECT_EQ(flightSlot(product.slot).rowCount, product.rows);
    EXPECT_EQ(flightSlot(other).rowCount, 2) << "another slot";
    if (product.failure) {
      EXPECT_EQ(MaxHight, 12345.0);
      continue;
    }
    ASSERT_GE(slot.items.size(), product.columns.size());
    EXPECT_EQ(std::vector<std::string>(slot.items.begin(), slot.items.begin() + product.columns.size()), product.columns);
    EXPECT_EQ(slot.height, 1);
    EXPECT_EQ(slot.parameter, 2);
    EXPECT_EQ(slot.label, path);
    EXPECT_EQ(MaxHight, cell(product.slot, 1, product.rows)) << "the window's top comes down to the last height";
    for (const Cell& expected : product.cells) {
      SCOPED_TRACE("column " + slot.items[expected.column] + ", row " + std::to_string(expected.row));
      const double value = cell(product.slot, expected.column, expected.row);
      if (std::isnan(expected.value)) EXPECT_TRUE(std::isnan(value)) << value;
      else EXPECT_NEAR(value, expected.value, 1e-4);
    }
  }
}

TEST_F(ReaderTest, AProductNeverFailsForHavingMoreVariablesThanColumns) {
  readFlightFile(1, kReference + "/gruan_rs41.nc", {'.', '.'}, controls[1]);
  ASSERT_EQ(controls[1].items.size(), 56u) << "185 variables along time, 56 columns";
  EXPECT_EQ(controls[1].items[55], "lon_raw_cor") << "the others in file order";
}

TEST_F(ReaderTest, ProductsAreRecognisedAfterAnHdf5UserBlockAndABulletinHeading) {
  struct Wrapped {
    const char* file;
    std::string before, after;
    int rows;
  };
  const Wrapped cases[] = {
      {"gruan_fill_values.nc", std::string(512, '\0'), "", 4},
      {"temp_classic.bufr", "\x01\r\r\n123\r\r\nIUSD01 EDZW 011200\r\r\n", "\r\r\n\x03", 4},
  };
  for (const Wrapped& c : cases) {
    SCOPED_TRACE(c.file);
    std::ifstream product(kReference + "/" + c.file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(product)), std::istreambuf_iterator<char>());
    EXPECT_EQ(read(1, c.before + bytes + c.after), c.rows);
  }
}

// TEMPs as national services hand them out, in WMO bulletins and several to a file: the sounding
// is the TEMP of the most levels, the first of equals; the heading of its bulletin names the
// station and the nominal time where the message states neither.
TEST_F(ReaderTest, ASoundingAmongSeveralMessagesIsTheLongestTempWithItsHeadingsIdentity) {
  struct Case {
    std::vector<const char*> products;  // one file of them, in order
    int rows;
    std::string messageRead, station, nominal, launch;
  };
  const std::string launched = "2026-06-01T10:45:12Z";
  const Case cases[] = {
      {{"temp_behind_heading.bufr"}, 4, "", "LOWM", "2012-10-31T02:00:00Z", ""},
      {{"temp_in_bulletin.bufr"}, 6, "", "06610", "", launched},
      {{"bulletins_of_three.bufr"}, 4, "3 of 3", "LOWM", "2012-10-31T02:00:00Z", ""},
      {{"synop_then_temp.bufr"}, 6, "2 of 2", "06610", "", launched},
      {{"temp_classic.bufr", "temp_short.bufr", "temp_classic.bufr"}, 4, "1 of 3", "", "", ""},
      {{"temp_short.bufr", "temp_behind_heading.bufr"}, 4, "2 of 2", "LOWM", "2012-10-31T02:00:00Z", ""},
  };
  for (const Case& c : cases) {
    std::string bytes;
    for (const char* name : c.products) {
      std::ifstream product(kReference + "/" + name, std::ios::binary);
      bytes.append(std::istreambuf_iterator<char>(product), std::istreambuf_iterator<char>());
    }
    SCOPED_TRACE(c.products.back());
    const FlightIdentity identity = readFlightFile(1, files.write("messages.bufr", bytes), {'.', '.'}, controls[1]);
    EXPECT_EQ(flightSlot(1).rowCount, c.rows);
    EXPECT_EQ(identity.format, "BUFR TEMP");
    EXPECT_TRUE(identity.isProduct());
    for (const auto& [got, expected] : {std::pair(identity.messageRead, c.messageRead), {identity.station, c.station},
                                        {identity.nominalTime, c.nominal}, {identity.launchTime, c.launch}})
      EXPECT_EQ(got, expected);
  }
}

// NetCDF would fetch a name with a scheme as a remote DAP URL; a relative name is a file here.
TEST_F(ReaderTest, ARelativeNameThatLooksLikeAUrlIsReadFromTheDisc) {
  std::filesystem::create_directories(files.path("https:/example.org"));
  std::filesystem::copy_file(kReference + "/gruan_rs92.nc", files.path("https:/example.org/gruan.nc"));
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(files.path(""));
  EXPECT_NO_THROW(readFlightFile(1, "https://example.org/gruan.nc", {'.', '.'}, controls[1]));
  std::filesystem::current_path(before);
  EXPECT_EQ(mass1Count, 5);
}

// What a product states about its flight, as each generation spells it; a fact missing, nil or
// malformed is left out and never fails the read.
TEST_F(ReaderTest, ProductsStateWhoFlewWhenAndWhere) {
  struct Stated {
    const char* file;
    std::string launch, nominal, station, stationName, sonde, serial, product;
    double latitude, longitude, altitude;
    HeightKind kind;
    std::string label;
  };
  const double unknown = FlightIdentity::kUnknown;
  const Stated cases[] = {
      {"gruan_rs41.nc", "2026-06-01T10:58:43Z", "2026-06-01T11:00:00Z", "XYZ", "Testfeld", "RS41-SG", "T1234567",
       "RS41-GDP", 46.81, 6.94, 491, HeightKind::Geopotential, "RS41-SG T1234567 · XYZ 2026-06-01 11:00 UTC"},
      {"gruan_rs92.nc", "2026-06-01T22:05:04Z", "", "XYZ", "", "RS92", "", "", unknown, unknown, unknown,
       HeightKind::Geometric, "RS92 · XYZ 2026-06-01 22:05 UTC"},
      {"gruan_fill_values.nc", "", "", "", "", "", "", "", unknown, unknown, unknown, HeightKind::Unknown,
       "gruan_fill_values.nc"},
      {"temp_high_resolution.bufr", "2026-06-01T10:45:12Z", "", "06610", "", "VAISALA RS41/DIGICORA MW41 (FINLAND)",
       "T1234567", "", 46.81, -6.94, 491, HeightKind::Geopotential, "VAISALA RS41 T1234567 · 06610 2026-06-01 10:45 UTC"},
      {"temp_classic.bufr", "", "", "", "", "", "", "", unknown, unknown, unknown, HeightKind::Geopotential,
       "temp_classic.bufr"},
  };
  const auto same = [](double a, double b) { return (std::isnan(a) && std::isnan(b)) || std::fabs(a - b) < 1e-9; };
  for (const Stated& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = kReference + "/" + c.file;
    const FlightIdentity identity = readFlightFile(2, path, {'.', '.'}, controls[2]);
    EXPECT_EQ(identity.path, path);
    EXPECT_EQ(identity.size, static_cast<long long>(std::filesystem::file_size(path)));
    EXPECT_EQ(identity.modified.size(), 20u) << identity.modified;
    EXPECT_EQ(identity.format, std::string(c.file).find(".nc") != std::string::npos ? "GRUAN product (NetCDF)" : "BUFR TEMP");
    for (const auto& [got, expected] : {std::pair(identity.launchTime, c.launch), {identity.nominalTime, c.nominal},
                                        {identity.station, c.station}, {identity.stationName, c.stationName},
                                        {identity.sondeType, c.sonde}, {identity.serialNumber, c.serial},
                                        {identity.product, c.product}})
      EXPECT_EQ(got, expected);
    EXPECT_TRUE(same(identity.latitude, c.latitude)) << identity.latitude;
    EXPECT_TRUE(same(identity.longitude, c.longitude)) << identity.longitude;
    EXPECT_TRUE(same(identity.altitude, c.altitude)) << identity.altitude;
    EXPECT_EQ(identity.heightKindOf(controls[2].height), c.kind);
    EXPECT_EQ(identity.heightKindOf(0), HeightKind::Unknown) << "the time is no height";
    EXPECT_EQ(identity.label(), c.label);
  }
}

// A real RS41-GDP and RS92-GDP flown on one balloon, read as each states itself: geopotential
// heights by default, every uncertainty a standard one with its parts, both metadata layouts.
TEST_F(ReaderTest, TheRealPairIsReadAsItStatesItself) {
  const std::string gruan = std::string(REAL_FILES) + "/gruan/";
  if (!std::filesystem::exists(gruan)) GTEST_SKIP() << "no real products at " << gruan;
  const FlightIdentity rs41 =
      readFlightFile(1, gruan + "PAY-RS-01_2_RS41-GDP_001_20171024T120000_1-002-001.nc", {'.', '.'}, controls[1]);
  const FlightIdentity rs92 =
      readFlightFile(2, gruan + "PAY-RS-01_2_RS92-GDP_002_20171024T120000_1-000-001.nc", {'.', '.'}, controls[2]);
  const auto column = [this](int slot, const char* name) {
    const std::vector<std::string>& items = controls[slot].items;
    return static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
  };
  EXPECT_EQ(rs41.heightKind(), HeightKind::Geopotential);
  EXPECT_EQ(rs92.heightKind(), HeightKind::Geopotential) << "geopot, not its geometric alt";
  EXPECT_EQ(rs41.heightKindOf(column(1, "alt_amsl")), HeightKind::Geometric);
  EXPECT_EQ(rs92.heightKindOf(column(2, "alt")), HeightKind::Geometric);
  EXPECT_NEAR(cell(1, 1, 1), 491.1211853027344, 1e-9);
  EXPECT_NEAR(cell(2, 1, 1), 486.7753601074219, 1e-9);
  // The first row's uncertainties: RS41's at k = 2, halved; RS92's at k = 1 in the comment.
  const int rs41Total = column(1, "temp_uc"), rs92Total = column(2, "u_temp");
  EXPECT_NEAR(cell(1, rs41Total, 1), 0.15777449309825897 / 2, 1e-12);
  EXPECT_NEAR(cell(1, column(1, "temp_uc_ucor"), 1), 0.12227852642536163 / 2, 1e-12);
  EXPECT_NEAR(cell(2, rs92Total, 1), 0.09293613582849503, 1e-12);
  EXPECT_EQ(rs41.column(rs41Total).coverageFactor, 2);
  EXPECT_EQ(rs92.column(rs92Total).coverageFactor, 1);
  EXPECT_EQ(rs92.column(column(2, "u_cor_temp")).coverageFactor, 1) << "stated as its total, u_temp, is";
  EXPECT_EQ(rs41.column(column(1, "T")).uncertainty, rs41Total);
  EXPECT_EQ(rs41.column(rs41Total).parts.temporal, column(1, "temp_uc_tcor"));
  EXPECT_EQ(rs92.column(rs92Total).parts.spatial, column(2, "u_cor_temp"));
  EXPECT_EQ(rs92.column(rs92Total).parts.uncorrelated, -1) << "what the total leaves";
  for (const auto& [got, expected] :
       {std::pair(rs41.launchTime, "2017-10-24T11:06:06.580Z"), {rs41.wmoIndex, "06610"}, {rs41.eventId, "80611"},
        {rs92.station, "PAY"}, {rs92.stationName, "Payerne"}, {rs92.wmoIndex, "06610"}, {rs92.product, "RS92-GDP"},
        {rs92.eventId, "80611"}, {rs92.balloonNumber, "1"}, {rs92.label(), "RS92-SGP M1453554 · PAY 2017-10-24 12:00 UTC"}})
    EXPECT_EQ(got, expected);
  EXPECT_EQ(rs41.latitude, 46.81326);
  EXPECT_EQ(rs92.longitude, 6.95);
}
