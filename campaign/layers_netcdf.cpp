#include "campaign/layers_netcdf.h"

#include "compare/classic_netcdf.h"
#include "compare/layer_statistics.h"
#include "compare/shortest_number.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>

namespace {

std::string quantityName(Quantity quantity) {
  switch (quantity) {
    case Quantity::Temperature: return "temperature";
    case Quantity::Humidity: return "relative humidity";
    case Quantity::WindDirection: return "wind direction";
    case Quantity::WindSpeed: return "wind speed";
    case Quantity::Pressure: return "pressure";
    case Quantity::Time:
    case Quantity::Height:
    case Quantity::DewPoint: break;
  }
  return {};
}

// "temperature (T)", or "column NAME".
std::string comparedName(const CampaignSettings& settings) {
  if (!settings.column.empty()) return "column " + settings.column;
  return quantityName(quickSelectQuantity(settings.quantity)) + " (" + settings.quantity + ")";
}

// The kind of flight 1's height, by which the values were put in layers: one standard name where
// every compared pair's flight 1 states the same kind, none where it is unknown or mixed.
struct LayerHeight {
  std::string standardName, kind;
};
LayerHeight layerHeight(const CampaignReport& report) {
  std::size_t kinds[3] = {};
  for (std::size_t pair = 0; pair < report.pairRows.size(); ++pair)
    if (report.pairRows[pair].compared) ++kinds[static_cast<int>(report.compared(pair, 1).heightKind)];
  const std::size_t geometric = kinds[static_cast<int>(HeightKind::Geometric)];
  const std::size_t geopotential = kinds[static_cast<int>(HeightKind::Geopotential)];
  const std::size_t unknown = kinds[static_cast<int>(HeightKind::Unknown)];
  if (geometric > 0 && geopotential == 0 && unknown == 0) return {"altitude", "geometric altitude"};
  if (geopotential > 0 && geometric == 0 && unknown == 0) return {"geopotential_height", "geopotential height"};
  if (geometric > 0 && geopotential > 0) return {"", "height of mixed kinds (geometric and geopotential)"};
  return {"", "height of a kind the files do not state"};
}

// Each slot's uncertainty columns over the judged pairs, with the coverage factor each was
// stated at and its count of pairs: "flight 1: u_temp k = 2 in 6 pairs; flight 2: …".
std::string coverageFactors(const CampaignReport& report) {
  std::string text;
  for (int slot = 1; slot <= 2; ++slot) {
    std::vector<std::pair<std::string, std::size_t>> counts;
    for (std::size_t pair = 0; pair < report.pairRows.size(); ++pair) {
      if (!report.pairRows[pair].judged) continue;
      const ComparedColumns& columns = report.compared(pair, slot);
      const std::string stated = columns.uncertainty + " " +
                                 (std::isnan(columns.coverageFactor) ? "k not stated, taken as 1"
                                                                     : "k = " + shortestNumber(columns.coverageFactor));
      auto known = counts.begin();
      while (known != counts.end() && known->first != stated) ++known;
      if (known == counts.end()) counts.emplace_back(stated, 1);
      else ++known->second;
    }
    text += (slot == 1 ? "flight 1: " : "; flight 2: ");
    for (std::size_t i = 0; i < counts.size(); ++i)
      text += (i ? ", " : "") + counts[i].first + " in " + std::to_string(counts[i].second) +
              (counts[i].second == 1 ? " pair" : " pairs");
  }
  return text;
}

int countOf(std::size_t count) {
  if (count > static_cast<std::size_t>(INT_MAX)) throw std::overflow_error("a layer's count exceeds a netCDF int");
  return static_cast<int>(count);
}

void globalAttributes(ClassicNetcdf& file, const CampaignReport& report, const NetcdfProvenance& provenance,
                      const std::string& unit) {
  const CampaignSettings& settings = report.settings;
  const std::string sign = settings.plus ? "flight 1 + flight 2" : "flight 1 - flight 2";
  const auto text = [&file](const std::string& name, const std::string& value) {
    file.attribute(ClassicNetcdf::kGlobal, name, value);
  };
  text("Conventions", "CF-1.8");
  text("title", "Campaign layer statistics of " + comparedName(settings) + ", " + sign + ", in layers of " +
                    shortestNumber(settings.layer) + " m");
  text("history", provenance.history);
  text("source", provenance.source);
  text("campaign_list", report.listName);
  text("compared", comparedName(settings));
  if (report.unit) text("compared_units", std::string(udunitsSpelling(*report.unit)));
  text("difference", sign);
  file.attribute(ClassicNetcdf::kGlobal, "layer_thickness", std::vector<double>{settings.layer});
  text("matching", matchName(settings.match));
  if (settings.match == MatchBy::Time) {
    text("clock_shift", settings.shift ? shortestNumber(*settings.shift) + " s" : "auto");
    if (report.shifts)
      file.attribute(ClassicNetcdf::kGlobal, "clock_shifts_used", std::vector<double>{report.shifts->least, report.shifts->greatest});
  }
  if (settings.heightKind != HeightKind::Unknown) text("height_kind_compared", std::string(heightKindName(settings.heightKind)));
  text("grouping", settings.solarGroups ? "solar" : "list");
  file.attribute(ClassicNetcdf::kGlobal, "pairs_compared", std::vector<int>{countOf(report.comparedPairs)});
  file.attribute(ClassicNetcdf::kGlobal, "pairs_skipped", std::vector<int>{countOf(report.skippedPairs)});
  file.attribute(ClassicNetcdf::kGlobal, "pairs_judged", std::vector<int>{countOf(report.judgedPairs)});
  if (report.judgedPairs > 0) text("coverage_factors", coverageFactors(report));
  if (!report.mixedHeights.empty()) text("comment", report.mixedHeights.english());
  if (!unit.empty() || report.settings.column.empty()) return;
  text("comment_units", "the unit of column " + settings.column + " is not known: its statistics carry no units");
}

// One statistic along (group, layer).
struct Statistic {
  const char* name;
  std::string longName;
  bool inQuantityUnit;  // else a count or a share, of unit "1"
  std::function<double(const LayerSummary&)> value;
};

}  // namespace

std::string layersNetcdf(const CampaignReport& report, const NetcdfProvenance& provenance) {
  ClassicNetcdf file;
  const std::string unit = report.unit ? std::string(udunitsSpelling(*report.unit)) : std::string();
  globalAttributes(file, report, provenance, unit);

  std::size_t longestName = 1;
  for (const GroupProfile& profile : report.profiles) longestName = std::max(longestName, profile.group.size());
  const int group = file.dimension("group", report.profiles.size());
  const int nameLength = file.dimension("name_length", longestName);
  std::string names;
  for (const GroupProfile& profile : report.profiles) names += profile.group + std::string(longestName - profile.group.size(), '\0');
  const int groupName = file.variable("group_name", {group, nameLength}, names);
  file.attribute(groupName, "long_name", "group of pairs: all pairs, then the groups in order of first appearance");

  const std::vector<LayerSummary>& summaries = report.result.layers;
  std::map<double, const LayerSummary*> layerByBottom;  // every layer that holds a value in some group
  for (const LayerSummary& summary : summaries) layerByBottom.emplace(summary.bottom, &summary);
  if (layerByBottom.empty()) return file.bytes();

  const int layer = file.dimension("layer", layerByBottom.size());
  std::map<double, std::size_t> layerIndex;
  std::vector<double> bottoms, tops, centres;
  for (const auto& [bottom, summary] : layerByBottom) {
    layerIndex.emplace(bottom, bottoms.size());
    bottoms.push_back(summary->bottom);
    tops.push_back(summary->top);
    centres.push_back(layerCentre(*summary));
  }
  const LayerHeight height = layerHeight(report);
  const auto heightVariable = [&](const char* name, const std::vector<double>& values, const std::string& which) {
    const int variable = file.variable(name, {layer}, values);
    if (!height.standardName.empty()) file.attribute(variable, "standard_name", height.standardName);
    file.attribute(variable, "long_name", which + " of the layer of flight 1's " + height.kind);
    file.attribute(variable, "units", "m");
    file.attribute(variable, "positive", "up");
    return variable;
  };
  file.attribute(heightVariable("layer", centres, "centre"), "axis", "Z");
  heightVariable("layer_bottom", bottoms, "bottom (inclusive)");
  heightVariable("layer_top", tops, "top (exclusive)");

  // The comparison values: flight 1 minus flight 2, or plus with "+".
  const std::string of = std::string(" of the ") + (report.settings.plus ? "sums" : "differences") + " flight 1 " +
                         (report.settings.plus ? "+" : "-") + " flight 2";
  const std::string normalised = of + " divided by their u_c";
  const auto tally = [](const LayerSummary& layer) -> const ConsistencyTally& { return layer.consistency; };
  const Statistic counts[] = {
      {"flights", "pairs with a value in the layer", false, [](const LayerSummary& l) { return double(l.flights); }},
      {"points", "values in the layer", false, [](const LayerSummary& l) { return double(l.points); }},
      {"uc_points", "values with a combined uncertainty u_c", false,
       [&](const LayerSummary& l) { return tally(l).points() ? double(tally(l).points()) : NAN; }},
  };
  const Statistic statistics[] = {
      {"mean", "mean" + of, true, [](const LayerSummary& l) { return l.mean; }},
      {"sd", "sample standard deviation (n - 1)" + of, true, [](const LayerSummary& l) { return l.sd; }},
      {"rms", "root mean square" + of, true, [](const LayerSummary& l) { return l.rms; }},
      {"median", "median" + of, true, [](const LayerSummary& l) { return l.median; }},
      {"p05", "5th percentile (linear interpolation)" + of, true, [](const LayerSummary& l) { return l.p05; }},
      {"p95", "95th percentile (linear interpolation)" + of, true, [](const LayerSummary& l) { return l.p95; }},
      {"flight_sd", "sample standard deviation of the pairs' own layer means" + of, true,
       [](const LayerSummary& l) { return l.flightSd; }},
      {"uc_mean", "mean combined uncertainty u_c" + of, true,
       [&](const LayerSummary& l) { return tally(l).meanUncertainty(); }},
      {"within_1", "share of the values with u_c that lie within 1 u_c", false,
       [&](const LayerSummary& l) { return tally(l).shareWithin(1); }},
      {"within_2", "share of the values with u_c that lie within 2 u_c", false,
       [&](const LayerSummary& l) { return tally(l).shareWithin(2); }},
      {"within_3", "share of the values with u_c that lie within 3 u_c", false,
       [&](const LayerSummary& l) { return tally(l).shareWithin(3); }},
      {"normalised_mean", "mean" + normalised, false, [](const LayerSummary& l) { return l.normalisedMean; }},
      {"normalised_sd", "sample standard deviation" + normalised, false,
       [](const LayerSummary& l) { return l.normalisedSd; }},
  };
  std::map<std::string, std::size_t> groupIndex;
  for (std::size_t i = 0; i < report.profiles.size(); ++i) groupIndex.emplace(report.profiles[i].group, i);
  const auto along = [&](const Statistic& statistic) {
    std::vector<double> grid(report.profiles.size() * layerByBottom.size(), NAN);
    for (const LayerSummary& summary : summaries)
      grid[groupIndex.at(summary.group) * layerByBottom.size() + layerIndex.at(summary.bottom)] = statistic.value(summary);
    return grid;
  };
  const auto describe = [&](int variable, const std::string& longName, const std::string& units) {
    file.describe(variable, longName, units);
    file.attribute(variable, "coordinates", "group_name layer_bottom layer_top");
  };
  for (const Statistic& statistic : counts) {
    std::vector<int> grid;
    for (const double value : along(statistic)) grid.push_back(std::isnan(value) ? ClassicNetcdf::kFillInt : countOf(std::size_t(value)));
    const int variable = file.variable(statistic.name, {group, layer}, grid);
    describe(variable, statistic.longName, "1");
    file.attribute(variable, "_FillValue", std::vector<int>{ClassicNetcdf::kFillInt});
  }
  for (const Statistic& statistic : statistics) {
    const int variable = file.variable(statistic.name, {group, layer}, along(statistic));
    describe(variable, statistic.longName, statistic.inQuantityUnit ? unit : "1");
    file.attribute(variable, "_FillValue", std::vector<double>{ClassicNetcdf::kFillDouble});
  }
  return file.bytes();
}
