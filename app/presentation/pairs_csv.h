#pragma once

#include "campaign/campaign_report.h"

#include <functional>
#include <string>

// The campaign's table of pairs as CSV text, as campaign/campaign_csv.h writes numbers and fields.
// index,flight1,flight2,group,status,points,mean,sd; the status is "ok" or the first line of
// the reason the pair was skipped. Then, for flight1 and flight2: _label, _launch, _station,
// _sonde, _serial, _height_kind, each empty where the file does not state it (or was not read).
// Then within_2: the share of the pair's values with u_c that lie within 2 u_c, or empty; what
// each flight compared, with the unit as the report writes it; the rule that joined the
// uncertainties; last, the matching (height or time), the shift of flight 2's clock in seconds
// and the spread of the heights' difference at it in metres, both empty by height.
std::string pairsCsv(const CampaignReport& report);
// The same in pieces, for a table too large to be held whole.
void writePairsCsv(const CampaignReport& report, const std::function<void(const std::string& text)>& write);
