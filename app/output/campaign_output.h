#pragma once

#include "campaign/campaign_list.h"
#include "campaign/campaign_run.h"
#include "campaign/campaign_settings.h"

#include <QString>

#include <vector>

// Everything a campaign's files tell: what was compared, how, and what came of it.
struct CampaignReport {
  QString listName;  // the list file, or what stands for a list built in the window
  CampaignSettings settings;
  std::vector<CampaignPair> pairs;
  CampaignResult result;
};

// Writes the campaign's files into the folder, creating it when missing: layers.csv, pairs.csv,
// the profiles as profile.svg and profile.png, and report.pdf. The five are one result: all are
// written or none is replaced. Fails with a FlightError naming the folder or the file that could
// not be written, and refuses a cancelled campaign, whose results are incomplete.
void saveCampaign(const QString& folder, const CampaignReport& report);
