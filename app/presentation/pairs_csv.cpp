#include "app/presentation/pairs_csv.h"

#include "app/presentation/captions.h"
#include "campaign/campaign_csv.h"
#include "compare/comparison_csv.h"
#include "compare/shortest_number.h"

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
         std::string(columnUnitCaption(columns.parameter)) + ',' + statedField(columns.uncertainty) + ',' +
         (columns.uncertainty.empty() ? std::string() : shortestNumber(columns.coverageFactor));
}

// A pair's row of pairs.csv.
std::string pairLine(const CampaignReport& report, std::size_t index) {
  const CampaignPair& pair = report.pairs[index];
  const PairRow& row = report.pairRows[index];
  std::string line = std::to_string(index + 1) + ',' + csvField(pair.name(1)) + ',' + csvField(pair.name(2)) + ',' +
                     csvField(row.group) + ',' + csvField(row.statusText()) + ',';
  if (row.compared)
    line += std::to_string(row.points) + ',' + shortestNumber(row.mean) + ',' + shortestNumber(row.sd);
  else
    line += ",,";
  return line + ',' + identityFields(report.flight(index, 1)) + ',' + identityFields(report.flight(index, 2)) + ',' +
         shortestNumber(row.within2) + ',' + comparedFields(report.compared(index, 1)) + ',' +
         comparedFields(report.compared(index, 2)) +
         ',' + (row.judged ? csvField(std::string(uncertaintyRuleName(row.uncertaintyRule))) : std::string()) + ',' +
         matchingFields(report.settings.match, report.clockShift(index)) + '\n';
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
  std::string piece = header + ",uc_rule,match,shift,shift_misfit\n";
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
