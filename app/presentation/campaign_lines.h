#pragma once

#include "campaign/campaign_report.h"

#include <string>
#include <vector>

// A line of the campaign's title block: what, and its value.
struct SettingLine {
  std::string caption, value;
};

// What was compared and how, a line each: the list, the period, the stations, the sondes of each
// slot, the quantity or column with its unit, the sign, in time the shifts of the clocks, the
// layer, the separator where a raw file was read, how many pairs were compared, what each slot
// compared (heights, columns, uncertainties and their coverage factors), how the uncertainties
// were joined, and the warning of mixed heights.
std::vector<SettingLine> campaignSettingsLines(const CampaignReport& report);
