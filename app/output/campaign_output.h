#pragma once

#include "campaign/campaign_report.h"

#include <QString>

// Writes the campaign's files into the folder, creating it when missing: layers.csv, layers.nc,
// pairs.csv, the profiles as profile.svg and profile.png, and report.pdf. The six are one result: all are
// written or none is replaced. Fails with a FlightError naming the folder or the file that could
// not be written, and refuses a cancelled campaign, whose results are incomplete.
void saveCampaign(const QString& folder, const CampaignReport& report);

// The folder, with those above it, unless it is there; fails with a FlightError naming it.
void createCampaignFolder(const QString& folder);
