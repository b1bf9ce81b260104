#include "campaign/campaign_statistics.h"

#include "compare/sample_statistics.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <mutex>
#include <tuple>

namespace {

struct LayerPool {
  std::size_t points = 0;
  ExactSum sum;
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
  static_cast<LayerStatistics&>(summary) = layerMoments(layer, thickness, sum, values, count);
  summary.group = group;
  summary.flights = flightMeans.size();
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

}  // namespace

void summariseLayer(long long layer, const std::vector<LayerRunView>& runs, const std::vector<std::string>& groups,
                    double thickness, std::vector<PooledSummary>& summaries) {
  std::vector<double> pooled;
  for (std::size_t group = 0; group < groups.size(); ++group) {
    LayerPool pool;
    pooled.clear();
    for (const LayerRunView& run : runs) {
      if (group != 0 && run.group != group) continue;
      ExactSum sum;
      ConsistencyTally consistency;
      for (std::size_t i = 0; i < run.count; ++i) {
        sum.add(run.values[i]);
        if (run.uncertainties) consistency.add(run.values[i], run.uncertainties[i]);
      }
      pool.points += run.count;
      pool.flightMeans.push_back(exactMean(sum, run.count));
      pool.sum.add(sum);
      pool.consistency.add(consistency);
      for (std::size_t i = 0; i < run.count && run.uncertainties; ++i)
        if (!std::isnan(run.uncertainties[i])) pool.normalised.push_back(run.values[i] / run.uncertainties[i]);
      pooled.insert(pooled.end(), run.values, run.values + run.count);
    }
    if (pool.points > 0) summaries.push_back({group, layer, summarise(groups[group], layer, thickness, pool, pooled.data())});
  }
}


std::vector<std::string> campaignGroups(const std::vector<PairResult>& pairs) {
  std::vector<std::string> groups{kAllPairs};
  for (const PairResult& pair : pairs)
    if (!pair.group.empty() && std::find(groups.begin(), groups.end(), pair.group) == groups.end())
      groups.push_back(pair.group);
  return groups;
}

std::vector<LayerSummary> inCampaignOrder(std::vector<PooledSummary> summaries) {
  std::sort(summaries.begin(), summaries.end(), [](const PooledSummary& a, const PooledSummary& b) {
    return std::tie(a.group, a.layer) < std::tie(b.group, b.layer);
  });
  std::vector<LayerSummary> ordered;
  ordered.reserve(summaries.size());
  for (PooledSummary& summary : summaries) ordered.push_back(std::move(summary.summary));
  return ordered;
}

std::vector<LayerSummary> poolLayers(LayerSpill& spill, const std::vector<std::string>& groups,
                                     const CampaignSettings& settings) {
  std::vector<PooledSummary> summaries;
  std::mutex summariesLock;
  spill.visitLayers(groups, settings.jobs, [&](long long layer, const std::vector<LayerRunView>& runs) {
    std::vector<PooledSummary> own;
    summariseLayer(layer, runs, groups, settings.layer, own);
    const std::lock_guard<std::mutex> guard(summariesLock);
    std::move(own.begin(), own.end(), std::back_inserter(summaries));
  });
  return inCampaignOrder(std::move(summaries));
}
