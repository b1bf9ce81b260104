#include "campaign/campaign_statistics.h"

#include "campaign/parallel_work.h"
#include "campaign/sample_statistics.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>

namespace {

struct LayerPool {
  std::size_t points = 0;
  ExactSum sum;
  std::size_t offset = 0;  // of its values in the pooled array
  std::size_t filled = 0;
  std::vector<double> flightMeans;
  ConsistencyTally consistency;
  std::vector<double> normalised;  // Δ/u_c of its points that have a u_c
};

LayerSummary summarise(const std::string& group, long long layer, double thickness, const LayerPool& pool,
                       double* values) {
  const ExactSum& sum = pool.sum;
  const std::size_t count = pool.points;
  const std::vector<double>& flightMeans = pool.flightMeans;
  LayerSummary summary;
  summary.group = group;
  summary.bottom = layer * thickness;
  summary.top = (layer + 1) * thickness;
  summary.flights = flightMeans.size();
  summary.points = count;
  summary.mean = exactMean(sum, count);
  summary.sd = sampleStandardDeviation(values, count, summary.mean);
  summary.rms = rootMeanSquare(values, count);
  constexpr double kFractions[] = {0.05, 0.5, 0.95};
  double quantiles[3];
  linearQuantiles(values, count, kFractions, quantiles, 3);
  summary.p05 = quantiles[0];
  summary.median = quantiles[1];
  summary.p95 = quantiles[2];
  summary.flightSd = sampleStandardDeviation(flightMeans.data(), flightMeans.size(),
                                             exactMean(flightMeans.data(), flightMeans.size()));
  summary.consistency = pool.consistency;
  const std::vector<double>& normalised = pool.normalised;
  summary.normalisedMean = normalised.empty() ? std::nan("") : exactMean(normalised.data(), normalised.size());
  summary.normalisedSd = sampleStandardDeviation(normalised.data(), normalised.size(), summary.normalisedMean);
  return summary;
}

// One group's layers: its pairs' values gathered layer by layer, pairs in list order.
void poolGroup(const std::string& group, const std::vector<const PairResult*>& members,
               const CampaignSettings& settings, std::vector<double>& pooled, std::vector<LayerSummary>& summaries) {
  std::map<long long, LayerPool> layers;
  for (const PairResult* pair : members)
    for (const LayerRun& run : pair->runs) {
      LayerPool& layer = layers[run.layer];
      layer.points += run.count;
      layer.sum.add(run.sum);
      layer.flightMeans.push_back(run.mean);
      layer.consistency.add(run.consistency);
      for (std::size_t i = run.first; i < run.first + run.count && !pair->uncertainties.empty(); ++i)
        if (!std::isnan(pair->uncertainties[i])) layer.normalised.push_back(pair->values[i] / pair->uncertainties[i]);
    }
  std::size_t total = 0;
  for (auto& [index, layer] : layers) {
    layer.offset = total;
    total += layer.points;
  }
  pooled.resize(total);
  for (const PairResult* pair : members)
    for (const LayerRun& run : pair->runs) {
      LayerPool& layer = layers[run.layer];
      std::copy_n(pair->values.begin() + run.first, run.count, pooled.begin() + layer.offset + layer.filled);
      layer.filled += run.count;
    }
  // Layers own disjoint parts of the pooled values and their places among the summaries.
  std::vector<std::pair<const long long, LayerPool>*> order;
  for (auto& entry : layers) order.push_back(&entry);
  const std::size_t first = summaries.size();
  summaries.resize(first + order.size());
  std::atomic<std::size_t> next{0};
  runInParallel(jobsFor(settings.jobs, order.size()), [&] {
    for (std::size_t i; (i = next++) < order.size();) {
      auto& [index, layer] = *order[i];
      summaries[first + i] = summarise(group, index, settings.layer, layer, pooled.data() + layer.offset);
    }
  });
}

}  // namespace

std::vector<std::string> campaignGroups(const std::vector<PairResult>& pairs) {
  std::vector<std::string> groups{kAllPairs};
  for (const PairResult& pair : pairs)
    if (!pair.group.empty() && std::find(groups.begin(), groups.end(), pair.group) == groups.end())
      groups.push_back(pair.group);
  return groups;
}

std::vector<LayerSummary> poolLayers(const std::vector<PairResult>& results, const CampaignSettings& settings) {
  std::vector<LayerSummary> summaries;
  std::vector<double> pooled;
  std::vector<const PairResult*> members;
  for (const std::string& group : campaignGroups(results)) {
    members.clear();
    for (const PairResult& pair : results)
      if (pair.compared() && (group == kAllPairs || pair.group == group)) members.push_back(&pair);
    poolGroup(group, members, settings, pooled, summaries);
  }
  return summaries;
}
