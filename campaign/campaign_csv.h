#pragma once

#include "campaign/campaign_report.h"

#include <string>

// The campaign's tables as CSV text: numbers with a decimal point in their shortest round-trip
// form, an empty field for a number without a value.

// A field quoted where a comma, a quote or a line break would otherwise split it, and where a
// control character would otherwise stand bare; the bytes are kept as they are.
std::string csvField(const std::string& text);
// A text a file states, as a spreadsheet will not take it for a formula.
std::string statedField(const std::string& text);

// group,layer_bottom,layer_top,flights,points,mean,sd,rms,median,p05,p95,flight_sd, then against
// the combined uncertainties uc_points,uc_mean,within_1,within_2,within_3,normalised_mean,
// normalised_sd, all empty where no point of the layer has a u_c.
std::string layersCsv(const std::vector<LayerSummary>& layers);
