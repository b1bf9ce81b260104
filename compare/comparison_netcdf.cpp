#include "compare/comparison_netcdf.h"

#include "compare/layer_statistics.h"

#include <cmath>

namespace {

template <typename Values>
int described(ClassicNetcdf& file, const std::string& name, int dimension, const Values& values,
              const std::string& longName, const std::string& units) {
  const int id = file.variable(name, {dimension}, values);
  file.describe(id, longName, units);
  return id;
}

void points(ClassicNetcdf& file, const std::vector<NamedPoints>& series) {
  std::vector<int> which, index;
  std::vector<double> x, y, uncertainty;
  std::vector<int> flags;
  std::string meanings;
  for (std::size_t s = 0; s < series.size(); ++s) {
    const CurvePoints& curve = *series[s].points;
    flags.push_back(static_cast<int>(s) + 1);
    meanings += (s ? " " : "") + series[s].name;
    for (std::size_t i = 0; i < curve.x.size(); ++i) {
      which.push_back(static_cast<int>(s) + 1);
      index.push_back(static_cast<int>(i) + 1);
      x.push_back(curve.x[i]);
      y.push_back(curve.y[i]);
      uncertainty.push_back(curve.uncertainty.empty() ? NAN : curve.uncertainty[i]);
    }
  }
  if (x.empty()) return;
  const int point = file.dimension("point", x.size());
  const int seriesVariable = file.variable("series", {point}, which);
  file.attribute(seriesVariable, "long_name", "the series the point belongs to");
  file.attribute(seriesVariable, "flag_meanings", meanings);
  const auto variable = [&](const char* name, const auto& values, const char* longName, const char* units) {
    return described(file, name, point, values, longName, units);
  };
  variable("index", index, "the point's place in its series, from 1", "1");
  file.attribute(variable("x", x, "the point's parameter or comparison value, as its chart draws it", ""), "_FillValue",
                 std::vector<double>{ClassicNetcdf::kFillDouble});
  file.attribute(variable("y", y, "the point's height", "m"), "_FillValue", std::vector<double>{ClassicNetcdf::kFillDouble});
  file.attribute(variable("uncertainty", uncertainty, "the comparison point's combined uncertainty u_c", ""),
                 "_FillValue", std::vector<double>{ClassicNetcdf::kFillDouble});
  file.attribute(seriesVariable, "flag_values", flags);
}

void layerStatistics(ClassicNetcdf& file, const std::vector<LayerStatistics>& layers) {
  if (layers.empty()) return;
  const int layer = file.dimension("layer", layers.size());
  std::vector<double> centre, bottom, top, bias, sd, ucMean, within[kCoverageFactors];
  std::vector<int> count;
  for (const LayerStatistics& statistics : layers) {
    centre.push_back(layerCentre(statistics));
    bottom.push_back(statistics.bottom);
    top.push_back(statistics.top);
    bias.push_back(statistics.mean);
    sd.push_back(statistics.sd);
    count.push_back(static_cast<int>(statistics.points));
    ucMean.push_back(statistics.consistency.meanUncertainty());
    for (int k = 1; k <= kCoverageFactors; ++k) within[k - 1].push_back(statistics.consistency.shareWithin(k));
  }
  const auto variable = [&](const std::string& name, const auto& values, const std::string& longName, const char* units) {
    return described(file, name, layer, values, longName, units);
  };
  const int coordinate = variable("layer", centre, "centre of the layer of flight 1's height", "m");
  file.attribute(coordinate, "axis", "Z");
  file.attribute(coordinate, "positive", "up");
  variable("layer_bottom", bottom, "bottom of the layer (inclusive)", "m");
  variable("layer_top", top, "top of the layer (exclusive)", "m");
  const auto statistic = [&](const std::string& name, const std::vector<double>& values, const std::string& longName,
                             const char* units) {
    file.attribute(variable(name, values, longName, units), "_FillValue", std::vector<double>{ClassicNetcdf::kFillDouble});
  };
  statistic("bias", bias, "mean of the comparison values in the layer", "");
  statistic("standard_deviation", sd, "sample standard deviation of the comparison values in the layer", "");
  variable("count", count, "comparison values in the layer", "1");
  statistic("uc_mean", ucMean, "mean combined uncertainty u_c of the layer's values", "");
  for (int k = 1; k <= kCoverageFactors; ++k)
    statistic("within_" + std::to_string(k), within[k - 1],
              "share of the values with u_c that lie within " + std::to_string(k) + " u_c", "1");
}

}  // namespace

std::string comparisonNetcdf(const std::vector<NamedPoints>& series, const std::vector<LayerStatistics>& layers,
                             MatchBy by, const ClockShift& shift, const NetcdfProvenance& provenance) {
  ClassicNetcdf file;
  const auto text = [&file](const char* name, const std::string& value) {
    file.attribute(ClassicNetcdf::kGlobal, name, value);
  };
  text("Conventions", "CF-1.8");
  text("title", "FlightCompare comparison: the charts' points and the layer statistics");
  text("history", provenance.history);
  text("source", provenance.source);
  text("matching", matchName(by));
  if (!std::isnan(shift.shift)) file.attribute(ClassicNetcdf::kGlobal, "clock_shift", std::vector<double>{shift.shift});
  if (!std::isnan(shift.misfit))
    file.attribute(ClassicNetcdf::kGlobal, "clock_shift_misfit", std::vector<double>{shift.misfit});
  points(file, series);
  layerStatistics(file, layers);
  return file.bytes();
}
