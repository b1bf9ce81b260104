// layers.nc read back by the netCDF library: the layers.csv numbers in place, the gaps filled.
#include "campaign/campaign_csv.h"
#include "campaign/layers_netcdf.h"
#include "compare/shortest_number.h"
#include "tests/generator/flight_generator.h"
#include "tests/support/temp_files.h"

#include <gtest/gtest.h>
#include <netcdf.h>
#include <netcdf_mem.h>

#include <map>
#include <sstream>
#include <type_traits>

namespace {

class LayersNetcdf : public ::testing::Test {
 protected:
  // A day pair up to 29 km and a night pair up to 9 km, of raw files: no height kind, no u_c.
  void SetUp() override {
    std::vector<CampaignPair> pairs;
    for (const auto& [group, top] : {std::pair{"day", 29000.0}, std::pair{"night", 9000.0}}) {
      FlightRecipe recipe;
      recipe.top = top;
      recipe.rows = 300;
      writeFlight(files.path(std::string(group) + "1.txt"), recipe);
      recipe.bias = 0.4;
      writeFlight(files.path(std::string(group) + "2.txt"), recipe);
      pairs.push_back(pairInFolder(files.path(""), std::string(group) + "1.txt", std::string(group) + "2.txt", group));
    }
    CampaignSettings settings;
    settings.layer = 5000;
    settings.spillFolder = files.path("");
    report = campaignReport("list.csv", settings, pairs, runCampaign(pairs, settings));
    bytes = layersNetcdf(report, {"2023-11-14T22:13:20Z: flightcompare --campaign list.csv", "flightcompare 0.1"});
    ASSERT_EQ(nc_open_mem("layers.nc", NC_NOWRITE, bytes.size(), bytes.data(), &file), NC_NOERR);
  }
  void TearDown() override { nc_close(file); }

  std::size_t dimension(const char* name) {
    int id;
    std::size_t length = 0;
    EXPECT_EQ(nc_inq_dimid(file, name, &id), NC_NOERR) << name;
    nc_inq_dimlen(file, id, &length);
    return length;
  }
  int variable(const char* name) {
    int id = -1;
    EXPECT_EQ(nc_inq_varid(file, name, &id), NC_NOERR) << name;
    return id;
  }
  std::string text(int variable, const char* name) {
    std::size_t length = 0;
    if (nc_inq_attlen(file, variable, name, &length) != NC_NOERR) return "(none)";
    std::string value(length, '\0');
    nc_get_att_text(file, variable, name, value.data());
    return value;
  }
  template <typename T>
  std::vector<T> values(const char* name, std::size_t count) {
    std::vector<T> read(count);
    if constexpr (std::is_same_v<T, double>) nc_get_var_double(file, variable(name), read.data());
    else nc_get_var_int(file, variable(name), read.data());
    return read;
  }

  TempFiles files;
  CampaignReport report;
  std::string bytes;
  int file = -1;
};

TEST_F(LayersNetcdf, HoldsTheLayersCsvAlongGroupAndLayer) {
  ASSERT_EQ(dimension("group"), 3u);
  ASSERT_EQ(dimension("layer"), 6u);
  std::string names(3 * dimension("name_length"), '\0');
  nc_get_var_text(file, variable("group_name"), names.data());
  EXPECT_EQ(names.substr(0, 3), "all");
  EXPECT_EQ(names.substr(2 * dimension("name_length"), 5), "night");
  EXPECT_EQ(values<double>("layer", 6)[1], 7500);
  EXPECT_EQ(values<double>("layer_top", 6)[5], 30000);
  EXPECT_EQ(values<double>("layer_bottom", 6)[5], 25000);

  // Every number of layers.csv, in its shortest form, sits at its group and layer; no other cell
  // holds a value.
  std::istringstream csv(layersCsv(report.result.layers));
  std::string line;
  std::getline(csv, line);
  const std::vector<double> mean = values<double>("mean", 18), p95 = values<double>("p95", 18);
  const std::vector<int> points = values<int>("points", 18);
  const std::map<std::string, int> group{{"all", 0}, {"day", 1}, {"night", 2}};
  std::size_t filled = 0;
  while (std::getline(csv, line)) {
    std::vector<std::string> fields;
    std::istringstream row(line);
    for (std::string field; std::getline(row, field, ',');) fields.push_back(field);
    const std::size_t cell = group.at(fields[0]) * 6 + std::stoi(fields[1]) / 5000;
    EXPECT_EQ(std::to_string(points[cell]), fields[4]) << line;
    EXPECT_EQ(shortestNumber(mean[cell]), fields[5]) << line;
    EXPECT_EQ(shortestNumber(p95[cell]), fields[10]) << line;
    ++filled;
  }
  EXPECT_EQ(filled, 6u + 6u + 2u);
  EXPECT_EQ(points[2 * 6 + 4], NC_FILL_INT) << "the night pair never reached 20 km";
  EXPECT_EQ(mean[2 * 6 + 4], NC_FILL_DOUBLE);
  EXPECT_EQ(values<int>("uc_points", 18)[0], NC_FILL_INT) << "raw files state no uncertainty";
  EXPECT_EQ(values<double>("within_2", 18)[0], NC_FILL_DOUBLE);
}

TEST_F(LayersNetcdf, SaysWhatWasComparedAndInWhichUnits) {
  EXPECT_EQ(text(NC_GLOBAL, "Conventions"), "CF-1.8");
  EXPECT_EQ(text(NC_GLOBAL, "history"), "2023-11-14T22:13:20Z: flightcompare --campaign list.csv");
  EXPECT_EQ(text(NC_GLOBAL, "compared"), "temperature (T)");
  EXPECT_EQ(text(NC_GLOBAL, "compared_units"), "degC");
  EXPECT_EQ(text(NC_GLOBAL, "coverage_factors"), "(none)") << "no pair was judged";
  EXPECT_EQ(text(variable("mean"), "units"), "degC");
  EXPECT_EQ(text(variable("within_1"), "units"), "1");
  EXPECT_EQ(text(variable("layer"), "units"), "m");
  EXPECT_EQ(text(variable("layer"), "standard_name"), "(none)") << "raw files do not state their kind of height";
  EXPECT_NE(text(variable("layer"), "long_name").find("not state"), std::string::npos);
  double fill = 0;
  ASSERT_EQ(nc_get_att_double(file, variable("sd"), "_FillValue", &fill), NC_NOERR);
  EXPECT_EQ(fill, NC_FILL_DOUBLE);
  int format = 0;
  nc_inq_format(file, &format);
  EXPECT_EQ(format, NC_FORMAT_64BIT_OFFSET);
}

}  // namespace
