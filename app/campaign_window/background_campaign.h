#pragma once

#include "campaign/campaign_run.h"

#include <exception>
#include <thread>

// A campaign run on a thread of its own, so that the window stays at the operator's hand; the
// window watches it from its own thread. Gone, it cancels the run and waits for its end.
class BackgroundCampaign {
 public:
  BackgroundCampaign(std::vector<CampaignPair> pairs, const CampaignSettings& settings);
  ~BackgroundCampaign();
  BackgroundCampaign(const BackgroundCampaign&) = delete;
  BackgroundCampaign& operator=(const BackgroundCampaign&) = delete;

  std::size_t pairsDone() const { return progress_.pairsDone; }
  // Pairs not begun are left; the ones being compared finish on their own.
  void cancel() { progress_.cancelled = true; }
  bool finished() const { return finished_; }

  // Once finished: the result, or the failure the run ended with, rethrown.
  CampaignResult takeResult();

 private:
  const std::vector<CampaignPair> pairs_;
  const CampaignSettings settings_;
  CampaignProgress progress_;
  CampaignResult result_;
  std::exception_ptr failure_;
  std::atomic<bool> finished_{false};
  std::thread thread_;
};
