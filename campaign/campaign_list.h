#pragma once

#include "flight/messages.h"

#include <string>
#include <vector>

// One pair of a campaign: flight 1 against flight 2, in a group of the operator's choosing. A
// campaign of many pairs named by long paths holds each name once: where a file's bytes,
// resolved from the list's folder, are its name as the list writes it (an absolute UTF-8 name),
// the one text serves as both.
struct CampaignPair {
  CampaignPair() = default;
  CampaignPair(std::string name1, std::string name2, std::string path1, std::string path2, std::string group);

  // Flight 1 or 2 as the list writes it, as UTF-8 text.
  const std::string& name(int slot) const { return names[slot - 1]; }
  // Its file by its bytes, a relative name taken from the list's folder.
  const std::string& path(int slot) const { return paths[slot - 1].empty() ? names[slot - 1] : paths[slot - 1]; }

  std::string names[2];
  std::string paths[2];  // empty where the path is the name
  std::string group;     // UTF-8; empty when the list gives none
  int line = 0;          // of the list file that names it; 0 for a pair built in the window
};

// The longest group name, in bytes: a group names a set of pairs on every row of the tables.
constexpr std::size_t kLongestGroup = 256;

// Reads a campaign list: CSV with a header row "flight1,flight2" and an optional third column
// "group"; fields may be quoted with double quotes ("" inside stands for one); blank lines and
// lines starting with '#' are skipped. A list is text as the flight files are: UTF-8 when all of
// it is valid UTF-8, otherwise Windows-1251; CR, LF and CR LF all end a line, and a Ctrl-Z is a
// character like any other. Each file is opened by the bytes the list names it with, so a name
// written in Windows-1251 opens. listFile: the list's name as bytes. Fails with a FlightError
// naming the list, and the line where one is to blame: a list that cannot be read (and why), a
// wrong header, a row with a wrong number of fields, a field holding a NUL byte, a group name
// longer than kLongestGroup bytes, a line longer than 4 MiB, or a list that names no pair.
std::vector<CampaignPair> readCampaignList(const std::string& listFile);

// The pair of files so named (by their bytes, as the window has them), taken from a folder as a
// list in that folder names them; each name shows as UTF-8 when it is, otherwise as Windows-1251.
CampaignPair pairInFolder(const std::string& folder, std::string flight1, std::string flight2, std::string group);

// Why a pair is not compared when an earlier one names the same two files, in either order: its
// flights would count twice, and in the other order cancel themselves. Empty for the first.
std::vector<Message> repeatedPairs(const std::vector<CampaignPair>& pairs);
