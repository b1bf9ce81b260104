#include "campaign_list.h"

#include "flight_error.h"
#include "text_file.h"

#include <filesystem>

namespace {

// The fields of one CSV line; false when a quote is left open.
bool splitCsvLine(std::string_view line, std::vector<std::string>& fields) {
  fields.assign(1, {});
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return !quoted;
}

bool isSkipped(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos || startsWith(line, "#");
}

std::string inFolder(const std::string& folder, const std::string& name) {
  if (name.empty()) return name;
  return (std::filesystem::path(folder) / name).string();
}

}  // namespace

CampaignPair pairInFolder(const std::string& folder, std::string flight1, std::string flight2, std::string group) {
  CampaignPair pair{std::move(flight1), std::move(flight2), {}, {}, std::move(group)};
  pair.path1 = inFolder(folder, pair.flight1);
  pair.path2 = inFolder(folder, pair.flight2);
  return pair;
}

std::vector<CampaignPair> readCampaignList(const std::string& listFile) {
  TextFile file(listFile);
  const std::string folder = std::filesystem::path(listFile).parent_path().string();
  const auto fail = [&](const std::string& message) {
    throw FlightError(message, "List: " + listFile + ", line " + std::to_string(file.lineNumber()));
  };
  std::vector<CampaignPair> pairs;
  std::vector<std::string> fields;
  std::size_t columns = 0;
  while (!file.eof()) {
    const std::string_view line = file.readLine();
    if (isSkipped(line)) continue;
    if (!splitCsvLine(line, fields)) fail("Bad campaign list: a quote is not closed.");
    if (columns == 0) {
      const bool header = (fields.size() == 2 || fields.size() == 3) && fields[0] == "flight1" &&
                          fields[1] == "flight2" && (fields.size() == 2 || fields[2] == "group");
      if (!header) fail("Bad campaign list: the first row must be flight1,flight2 or flight1,flight2,group.");
      columns = fields.size();
      continue;
    }
    if (fields.size() != columns)
      fail("Bad campaign list: a row must have " + std::to_string(columns) + " fields, as the header has.");
    pairs.push_back(pairInFolder(folder, fields[0], fields[1], columns == 3 ? fields[2] : std::string()));
  }
  if (columns == 0) fail("Bad campaign list: the first row must be flight1,flight2 or flight1,flight2,group.");
  return pairs;
}
