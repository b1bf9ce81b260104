#include "app/campaign_window/background_campaign.h"

BackgroundCampaign::BackgroundCampaign(std::vector<CampaignPair> pairs, const CampaignSettings& settings)
    : pairs_(std::move(pairs)), settings_(settings) {
  thread_ = std::thread([this] {
    try {
      result_ = runCampaign(pairs_, settings_, &progress_);
    } catch (...) {
      failure_ = std::current_exception();
    }
    finished_ = true;
  });
}

BackgroundCampaign::~BackgroundCampaign() {
  cancel();
  if (thread_.joinable()) thread_.join();
}

CampaignResult BackgroundCampaign::takeResult() {
  if (thread_.joinable()) thread_.join();
  if (failure_) std::rethrow_exception(failure_);
  return std::move(result_);
}
