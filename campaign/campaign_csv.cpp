#include "campaign/campaign_csv.h"

#include "compare/shortest_number.h"

#include <algorithm>
#include <string_view>

std::string csvField(const std::string& text) {
  const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
    return c == ',' || c == '"' || static_cast<unsigned char>(c) < 0x20 || c == '\x7f';
  });
  if (plain) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

// A text a file states, as a spreadsheet will not take it for a formula: one that starts with
// =, +, -, @, a tab or a carriage return gets a leading apostrophe, the spreadsheets' own mark
// of a text. Only the files' texts: the operator's names and groups keep their bytes.
std::string statedField(const std::string& text) {
  const bool formula = !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
  return csvField(formula ? "'" + text : text);
}

std::string layersCsv(const std::vector<LayerSummary>& layers) {
  std::string csv = "group,layer_bottom,layer_top,flights,points,mean,sd,rms,median,p05,p95,flight_sd,"
                    "uc_points,uc_mean,within_1,within_2,within_3,normalised_mean,normalised_sd\n";
  for (const LayerSummary& layer : layers) {
    csv += csvField(layer.group);
    for (const double value : {layer.bottom, layer.top}) csv += ',' + shortestNumber(value);
    csv += ',' + std::to_string(layer.flights) + ',' + std::to_string(layer.points);
    for (const double value : {layer.mean, layer.sd, layer.rms, layer.median, layer.p05, layer.p95, layer.flightSd})
      csv += ',' + shortestNumber(value);
    const ConsistencyTally& consistency = layer.consistency;
    csv += ',' + (consistency.points() ? std::to_string(consistency.points()) : std::string());
    for (const double value : {consistency.meanUncertainty(), consistency.shareWithin(1), consistency.shareWithin(2),
                               consistency.shareWithin(3), layer.normalisedMean, layer.normalisedSd})
      csv += ',' + shortestNumber(value);
    csv += '\n';
  }
  return csv;
}

