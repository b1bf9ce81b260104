#pragma once

#include "campaign/campaign_list.h"
#include "campaign/campaign_settings.h"
#include "campaign/layer_spill.h"
#include "campaign/pair_comparison.h"
#include "compare/layer_statistics.h"

#include <string>
#include <vector>

// One height layer of one group, over every pair of the group with values in it: the window's
// layer statistics of the pooled values, and what only a pool has.
struct LayerSummary : LayerStatistics {
  std::string group;
  std::size_t flights;
  double rms, median, p05, p95;
  double flightSd;  // of the pairs' own layer means; NaN for fewer than two pairs
  // The mean and sd of the normalised differences Δ/u_c, over the points that have a u_c.
  double normalisedMean, normalisedSd;
};

// The group every pair belongs to, besides its own.
inline const std::string kAllPairs = "all";

// The pairs' groups in order of first appearance in the list, after "all"; a pair without a
// group, or with the group "all", is in "all" only.
std::vector<std::string> campaignGroups(const std::vector<PairResult>& pairs);

// A layer's summary for one group, before the summaries are put in the campaign's order.
struct PooledSummary {
  std::size_t group;  // its place among the campaign's groups
  long long layer;
  LayerSummary summary;
};

// Every group's summary of one layer from its runs in list order. Each pair's sum, mean and
// tally is worked out as its comparison gives them, so that pooled they add up to the same bits
// however the values reached the layer.
void summariseLayer(long long layer, const std::vector<LayerRunView>& runs, const std::vector<std::string>& groups,
                    double thickness, std::vector<PooledSummary>& summaries);

// "all" first, then the groups in their order, each group's layers ascending.
std::vector<LayerSummary> inCampaignOrder(std::vector<PooledSummary> summaries);

// Every group's layers that hold values, from the spilled values of the campaign's pairs, buckets
// summarised on settings.jobs threads. The same pairs give the same numbers to the last bit,
// whatever the order they were compared in and the number of jobs.
std::vector<LayerSummary> poolLayers(LayerSpill& spill, const std::vector<std::string>& groups,
                                     const CampaignSettings& settings);
