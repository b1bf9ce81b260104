#pragma once

#include "campaign/campaign_report.h"

#include <exception>
#include <thread>

// A campaign run on a thread of its own, its report made there too, so that the window stays at
// the operator's hand however many pairs there are; the window watches it from its own thread.
// Gone, it cancels the run and waits for its end.
class BackgroundCampaign {
 public:
  BackgroundCampaign(std::string listName, std::vector<CampaignPair> pairs, const CampaignSettings& settings);
  ~BackgroundCampaign();
  BackgroundCampaign(const BackgroundCampaign&) = delete;
  BackgroundCampaign& operator=(const BackgroundCampaign&) = delete;

  std::size_t pairsDone() const { return progress_.pairsDone; }
  // Pairs not begun are left; the ones being compared finish on their own.
  void cancel() { progress_.cancelled = true; }
  bool finished() const { return finished_; }

  // Once finished: the report of the run, or the failure it ended with, rethrown.
  CampaignReport takeReport();

 private:
  std::string listName_;
  std::vector<CampaignPair> pairs_;
  const CampaignSettings settings_;
  CampaignProgress progress_;
  CampaignReport report_;
  std::exception_ptr failure_;
  std::atomic<bool> finished_{false};
  std::thread thread_;
};
