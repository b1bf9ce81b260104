#include "campaign/campaign_report.h"

#include "campaign/campaign_statistics.h"

#include <algorithm>
#include <cmath>

namespace {

// One group's layers cut where a layer holds no values.
std::vector<ProfileRun> runsOfGroup(const std::vector<LayerSummary>& layers, const std::string& group) {
  std::vector<ProfileRun> runs;
  for (std::size_t i = 0; i < layers.size(); ++i) {
    if (layers[i].group != group) continue;
    const bool continues = !runs.empty() && runs.back().first + runs.back().count == i &&
                           layers[i - 1].top == layers[i].bottom;
    if (continues) ++runs.back().count;
    else runs.push_back({i, 1});
  }
  return runs;
}

void count(std::vector<SondeCount>& sondes, const std::string& sonde) {
  for (SondeCount& known : sondes)
    if (known.sonde == sonde) {
      ++known.flights;
      return;
    }
  sondes.push_back({sonde, 1});
}

// The facts of the compared pairs' flights that the title block names, and the shifts of their clocks.
void describeFlights(CampaignReport& report) {
  std::size_t kinds[3] = {};
  for (std::size_t pair = 0; pair < report.pairRows.size(); ++pair) {
    if (!report.pairRows[pair].compared) continue;
    for (int slot = 0; slot < 2; ++slot) {
      const FlightIdentity& flight = report.flight(pair, slot + 1);
      const std::string& launch = flight.launchTime;
      if (!launch.empty() && (report.firstLaunch.empty() || launch < report.firstLaunch)) report.firstLaunch = launch;
      if (!launch.empty() && launch > report.lastLaunch) report.lastLaunch = launch;
      if (!flight.station.empty() &&
          std::find(report.stations.begin(), report.stations.end(), flight.station) == report.stations.end())
        report.stations.push_back(flight.station);
      count(report.sondes[slot], flight.sondeType);
      ++kinds[static_cast<int>(report.compared(pair, slot + 1).heightKind)];
    }
    const double shift = report.clockShift(pair).shift;
    if (std::isnan(shift)) continue;
    if (!report.shifts) report.shifts = ShiftRange{shift, shift};
    report.shifts->least = std::min(report.shifts->least, shift);
    report.shifts->greatest = std::max(report.shifts->greatest, shift);
  }
  const std::size_t geometric = kinds[static_cast<int>(HeightKind::Geometric)];
  const std::size_t geopotential = kinds[static_cast<int>(HeightKind::Geopotential)];
  const auto flights = [](std::size_t count) {
    return Message(count == 1 ? MessageId::OneFlight : MessageId::Flights, {std::to_string(count)});
  };
  if (geometric > 0 && geopotential > 0)
    report.mixedHeights = Message(MessageId::MixedHeights, {flights(geometric), flights(geopotential)});
}

}  // namespace

std::optional<Unit> campaignUnit(const CampaignSettings& settings) {
  if (settings.column.empty()) return factsOf(quickSelectQuantity(settings.quantity)).unit;
  const std::optional<Quantity> named = namedQuantity(settings.column);
  return named ? std::optional(factsOf(*named).unit) : std::nullopt;
}

CampaignReport campaignReport(std::string listName, const CampaignSettings& settings, std::vector<CampaignPair> pairs,
                              CampaignResult result) {
  CampaignReport report;
  report.listName = std::move(listName);
  report.settings = settings;
  report.pairs = std::move(pairs);
  report.result = std::move(result);
  report.pairRows.reserve(report.pairs.size());
  for (std::size_t i = 0; i < report.pairs.size(); ++i) {
    const PairResult& compared = report.result.pairs[i];
    report.rawFilesTried = report.rawFilesTried || !compared.flights[0].isProduct() || !compared.flights[1].isProduct();
    const bool judged = compared.compared() && !settings.plus && !compared.columns[0].uncertainty.empty() &&
                        !compared.columns[1].uncertainty.empty();
    report.pairRows.push_back({compared.group, judged, compared.uncertaintyRule,
                               compared.status(), compared.compared(), compared.points, compared.mean,
                               compared.sd, compared.consistency.shareWithin(2)});
    if (compared.compared() && compared.consistency.points() > 0) ++report.judgedPairs;
    if (compared.compared() && compared.apart) ++report.apartPairs;
    ++(compared.compared() ? report.comparedPairs : report.skippedPairs);
  }
  for (const std::string& group : campaignGroups(report.result.pairs))
    report.profiles.push_back({group, runsOfGroup(report.result.layers, group)});
  describeFlights(report);
  report.unit = campaignUnit(settings);
  return report;
}
