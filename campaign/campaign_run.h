#pragma once

#include "campaign/campaign_list.h"
#include "campaign/campaign_settings.h"
#include "campaign/campaign_statistics.h"
#include "campaign/panel_choice.h"
#include "campaign/pair_comparison.h"

#include <atomic>
#include <vector>

// What another thread may watch and ask of a running campaign.
struct CampaignProgress {
  std::atomic<std::size_t> pairsDone{0};
  std::atomic<bool> cancelled{false};  // set to stop: pairs not begun are not compared
};

// The pairs the report draws keep their values, heights and runs; the others keep their
// statistics alone, so that a campaign's memory does not grow with its pairs.
constexpr std::size_t kPairsKeptWhole = 1000;

struct CampaignResult {
  std::vector<PairResult> pairs;  // in list order
  std::vector<LayerSummary> layers;  // none when cancelled
  bool cancelled = false;            // then the pairs not begun say so in their reason
  PanelChoice panels;                // none when cancelled

  std::size_t skippedPairs() const;
};

// Compares every pair, several at once (settings.jobs, or one per core), and pools the values,
// which wait for pooling on disk under settings.spillFolder and are gone when it returns, fails
// or is cancelled. Each pair is read into tables of its own: the window's flights are never
// touched. The result is the same to the last bit whatever the number of jobs.
CampaignResult runCampaign(const std::vector<CampaignPair>& pairs, const CampaignSettings& settings,
                           CampaignProgress* progress = nullptr);
