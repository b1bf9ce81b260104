#pragma once

#include <string>
#include <vector>

// One pair of a campaign: flight 1 against flight 2, in a group of the operator's choosing.
struct CampaignPair {
  std::string flight1, flight2;  // as the list writes them
  std::string path1, path2;      // the files, relative names taken from the list's folder
  std::string group;             // empty when the list gives none
};

// Reads a campaign list: CSV with a header row "flight1,flight2" and an optional third column
// "group"; fields may be quoted with double quotes ("" inside stands for one); blank lines and
// lines starting with '#' are skipped. Fails with a FlightError naming the list and the line
// for a file that cannot be read, a wrong header, or a row with a wrong number of fields.
std::vector<CampaignPair> readCampaignList(const std::string& listFile);

// The pair with its files taken from a folder, as a list in that folder names them.
CampaignPair pairInFolder(const std::string& folder, std::string flight1, std::string flight2, std::string group);
