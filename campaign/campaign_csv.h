#pragma once

#include "campaign/campaign_report.h"

#include <functional>
#include <string>

// The campaign's two tables as CSV text: numbers with a decimal point in their shortest
// round-trip form, an empty field for a number without a value.

// group,layer_bottom,layer_top,flights,points,mean,sd,rms,median,p05,p95,flight_sd, then against
// the combined uncertainties uc_points,uc_mean,within_1,within_2,within_3,normalised_mean,
// normalised_sd, all empty where no point of the layer has a u_c.
std::string layersCsv(const std::vector<LayerSummary>& layers);

// index,flight1,flight2,group,status,points,mean,sd; the status is "ok" or the first line of
// the reason the pair was skipped. Then, for flight1 and flight2: _label, _launch, _station,
// _sonde, _serial, _height_kind, each empty where the file does not state it (or was not read).
// Last, within_2: the share of the pair's values with u_c that lie within 2 u_c, or empty.
std::string pairsCsv(const CampaignReport& report);
// The same in pieces, for a table too large to be held whole.
void writePairsCsv(const CampaignReport& report, const std::function<void(const std::string& text)>& write);
