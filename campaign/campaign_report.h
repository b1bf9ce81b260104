#pragma once

#include "campaign/campaign_list.h"
#include "campaign/campaign_run.h"
#include "campaign/campaign_settings.h"

#include <string>
#include <vector>

// Everything a campaign's outputs show, worked out once: what was compared and how, the row of
// each pair, and each group's profile. layers.csv, pairs.csv, the pictures, the report and the
// campaign window only render it.

// Layers that follow one another without a gap: a profile's line never bridges a layer that holds
// no values.
struct ProfileRun {
  std::size_t first, count;  // in CampaignReport::result.layers
};

struct GroupProfile {
  std::string group;
  std::vector<ProfileRun> runs;
};

// One pair as the pairs table shows it.
struct PairRow {
  std::string flight1, flight2, group;
  std::string status;  // "ok", or the first line of the reason the pair was skipped
  bool compared;
  std::size_t points;
  double mean, sd;
};

struct CampaignReport {
  std::string listName;  // the list file, or what stands for a list built in the window
  CampaignSettings settings;
  std::vector<CampaignPair> pairs;
  CampaignResult result;
  std::vector<PairRow> pairRows;       // in list order
  std::vector<GroupProfile> profiles;  // "all" first, then the groups in order of first appearance
  std::size_t comparedPairs = 0, skippedPairs = 0;
  // How it was compared, a line each: the list, the quantity or column, the sign, the layer, the
  // separator, and how many pairs were compared.
  std::vector<std::string> settingsLines;
};

CampaignReport campaignReport(std::string listName, const CampaignSettings& settings, std::vector<CampaignPair> pairs,
                              CampaignResult result);
