#include "app/campaign_window/background_campaign.h"

BackgroundCampaign::BackgroundCampaign(std::string listName, std::vector<CampaignPair> pairs,
                                       const CampaignSettings& settings)
    : listName_(std::move(listName)), pairs_(std::move(pairs)), settings_(settings) {
  thread_ = std::thread([this] {
    try {
      CampaignResult result = runCampaign(pairs_, settings_, &progress_);
      // A cancelled run is never shown.
      if (!result.cancelled)
        report_ = campaignReport(std::move(listName_), settings_, std::move(pairs_), std::move(result));
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

CampaignReport BackgroundCampaign::takeReport() {
  if (thread_.joinable()) thread_.join();
  if (failure_) std::rethrow_exception(failure_);
  return std::move(report_);
}
