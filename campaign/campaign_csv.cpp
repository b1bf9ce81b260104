#include "campaign/campaign_csv.h"

#include "compare/quick_select.h"
#include "compare/shortest_number.h"

#include <algorithm>
#include <string_view>

namespace {

// Quoted where a comma, a quote or a line break would otherwise split the field, and where a
// control character would otherwise stand bare; the bytes are kept as they are.
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

}  // namespace

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

namespace {

// Who flew each flight, where its file states it; a raw file's label is its name, which keeps its bytes.
std::string identityFields(const FlightIdentity& flight) {
  if (flight.path.empty()) return ",,,,,";
  const std::string stated = flight.statedLabel();
  return (stated.empty() ? csvField(flight.label()) : statedField(stated)) + ',' + csvField(flight.launchTime) + ',' + statedField(flight.station) + ',' +
         statedField(flight.sondeType) + ',' + statedField(flight.serialNumber) + ',' +
         std::string(heightKindName(flight.heightKind()));
}

// What the flight compared: its height column, its parameter column and unit, its uncertainty
// column and the coverage factor that column was stated at (empty where none was stated).
std::string comparedFields(const ComparedColumns& columns) {
  return statedField(columns.height) + ',' + statedField(columns.parameter) + ',' +
         std::string(quantityUnit(columns.parameter)) + ',' + statedField(columns.uncertainty) + ',' +
         (columns.uncertainty.empty() ? std::string() : shortestNumber(columns.coverageFactor));
}

// A pair's row of pairs.csv.
std::string pairLine(const CampaignReport& report, std::size_t index) {
  const CampaignPair& pair = report.pairs[index];
  const PairRow& row = report.pairRows[index];
  std::string line = std::to_string(index + 1) + ',' + csvField(pair.name(1)) + ',' + csvField(pair.name(2)) + ',' +
                     csvField(row.group) + ',' + csvField(row.status.english()) + ',';
  if (row.compared)
    line += std::to_string(row.points) + ',' + shortestNumber(row.mean) + ',' + shortestNumber(row.sd);
  else
    line += ",,";
  return line + ',' + identityFields(report.flight(index, 1)) + ',' + identityFields(report.flight(index, 2)) + ',' +
         shortestNumber(row.within2) + ',' + comparedFields(report.compared(index, 1)) + ',' +
         comparedFields(report.compared(index, 2)) +
         ',' + (row.judged ? csvField(std::string(uncertaintyRuleName(row.uncertaintyRule))) : std::string()) + '\n';
}

}  // namespace

void writePairsCsv(const CampaignReport& report, const std::function<void(const std::string& text)>& write) {
  std::string header = "index,flight1,flight2,group,status,points,mean,sd";
  for (const char* flight : {"flight1", "flight2"})
    for (const char* fact : {"_label", "_launch", "_station", "_sonde", "_serial", "_height_kind"})
      header += std::string(",") + flight + fact;
  header += ",within_2";
  for (const char* flight : {"flight1", "flight2"})
    for (const char* fact : {"_height_column", "_column", "_unit", "_u_column", "_u_coverage"})
      header += std::string(",") + flight + fact;
  // In pieces of about a megabyte: each piece is one write of the file.
  constexpr std::size_t kPiece = std::size_t{1} << 20;
  std::string piece = header + ",uc_rule\n";
  for (std::size_t i = 0; i < report.pairRows.size(); ++i) {
    piece += pairLine(report, i);
    if (piece.size() < kPiece) continue;
    write(piece);
    piece.clear();
  }
  write(piece);
}

std::string pairsCsv(const CampaignReport& report) {
  std::string csv;
  writePairsCsv(report, [&csv](const std::string& text) { csv += text; });
  return csv;
}
