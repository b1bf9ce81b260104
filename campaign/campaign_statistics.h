#pragma once

#include "campaign/campaign_list.h"
#include "campaign/campaign_settings.h"
#include "campaign/pair_comparison.h"

#include <string>
#include <vector>

// One height layer of one group, over every pair of the group with values in it.
struct LayerSummary {
  std::string group;
  double bottom, top;  // [bottom, top)
  std::size_t flights, points;
  double mean, sd, rms, median, p05, p95;
  double flightSd;  // of the pairs' own layer means; NaN for fewer than two pairs
  // Against the combined uncertainties, over the points that have one: their mean u_c, the
  // shares within 1, 2, 3 u_c, and the mean and sd of the normalised differences Δ/u_c.
  ConsistencyTally consistency;
  double normalisedMean, normalisedSd;
};

// The group every pair belongs to, besides its own.
inline const std::string kAllPairs = "all";

// The pairs' groups in order of first appearance in the list, after "all"; a pair without a
// group, or with the group "all", is in "all" only.
std::vector<std::string> campaignGroups(const std::vector<PairResult>& pairs);

// Every group's layers that hold values, "all" first, layers ascending, summarised on
// settings.jobs threads. The same results give the same numbers to the last bit, whatever the
// order the pairs were compared in and the number of jobs.
std::vector<LayerSummary> poolLayers(const std::vector<PairResult>& results, const CampaignSettings& settings);
