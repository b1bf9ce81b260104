#pragma once

#include "campaign/campaign_list.h"
#include "campaign/campaign_run.h"
#include "campaign/campaign_settings.h"
#include "flight/quantities.h"

#include <optional>
#include <string>
#include <vector>

// Everything a campaign's outputs show, worked out once: what was compared and how, the row of
// each pair, and each group's profile. layers.csv, pairs.csv, the pictures, the report and the
// campaign window only render it.

// Layers that follow one another without a gap: a profile's line never bridges a layer that holds
// no values.
struct ProfileRun {
  std::size_t first, count;  // in CampaignReport::result.layers
};

struct GroupProfile {
  std::string group;
  std::vector<ProfileRun> runs;
};

// One pair as the pairs table shows it; its flights are the result's (CampaignReport::flight).
struct PairRow {
  std::string group;             // the list's, or with solar groups the sun's
  bool judged;                   // by both flights' uncertainties, joined by the rule
  UncertaintyRule uncertaintyRule;
  Message status;  // "ok", or the reason the pair was skipped without where it happened
  bool compared;
  std::size_t points;
  double mean, sd;
  double within2;  // the share of its values with u_c within 2 u_c; NaN without u_c
  // The status as the tables write it: its first line.
  std::string statusText() const {
    const std::string english = status.english();
    return english.substr(0, english.find('\n'));
  }
};

// The least and the greatest of the shifts the compared pairs' clocks were matched at, seconds.
struct ShiftRange {
  double least, greatest;
};

// How many flights of one slot flew a sonde type ("" where the file does not state it).
struct SondeCount {
  std::string sonde;
  std::size_t flights;
};

struct CampaignReport {
  std::string listName;  // the list file, or what stands for a list built in the window
  CampaignSettings settings;
  std::vector<CampaignPair> pairs;
  CampaignResult result;
  std::vector<PairRow> pairRows;       // in list order
  std::vector<GroupProfile> profiles;  // "all" first, then the groups in order of first appearance
  std::size_t comparedPairs = 0, skippedPairs = 0;
  std::size_t judgedPairs = 0;  // compared pairs with a u_c for some of their values
  std::size_t apartPairs = 0;   // compared pairs whose flights are not one sounding (allowApart)
  // Of the compared pairs' flights: the first and last launch where stated, the stations in
  // order of first appearance, and the sonde types of each slot.
  std::string firstLaunch, lastLaunch;
  std::vector<std::string> stations;
  std::vector<SondeCount> sondes[2];
  // In time, the shifts of the compared pairs; none by height or where no pair was compared.
  std::optional<ShiftRange> shifts;
  // "heights of different kinds are pooled: …" where compared flights state both kinds.
  Message mixedHeights;
  std::optional<Unit> unit;  // of the compared quantity or column, where known
  // Whether any flight read was a raw file (or one that could not be read): the decimal
  // separator mattered to it.
  bool rawFilesTried = false;
  // Flight 1 or 2 of a pair as far as it was read, and what it compared.
  const FlightIdentity& flight(std::size_t pair, int slot) const { return result.pairs[pair].flights[slot - 1]; }
  const ComparedColumns& compared(std::size_t pair, int slot) const { return result.pairs[pair].columns[slot - 1]; }
  const ClockShift& clockShift(std::size_t pair) const { return result.pairs[pair].clockShift; }
  // Flight 1 or 2 of a pair by its label once read, else as the list names it.
  std::string flightName(std::size_t pair, int slot) const {
    const FlightIdentity& read = flight(pair, slot);
    return read.path.empty() ? pairs[pair].name(slot) : read.label();
  }
};

// The unit of what a campaign compares: the quick-select quantity's, or the named column's.
std::optional<Unit> campaignUnit(const CampaignSettings& settings);

CampaignReport campaignReport(std::string listName, const CampaignSettings& settings, std::vector<CampaignPair> pairs,
                              CampaignResult result);
