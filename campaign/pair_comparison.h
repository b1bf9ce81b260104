#pragma once

#include "campaign/campaign_list.h"
#include "campaign/campaign_settings.h"
#include "campaign/solar_groups.h"
#include "compare/comparison_redraw.h"
#include "compare/exact_sum.h"
#include "compare/uncertainty.h"
#include "flight/flight_tables.h"

#include <string>
#include <vector>

// The comparison values of one pair that fall in one height layer [layer·L, (layer+1)·L).
struct LayerRun {
  long long layer;
  std::size_t first;  // into PairResult::values
  std::size_t count;
  ExactSum sum;       // pooled sums add these rather than every value again
  double mean;
  ConsistencyTally consistency;
};

// What of a flight a pair compared: the height column and its kind, the parameter column, and
// the uncertainty column it was judged by with the coverage factor its product stated it at
// (NaN where none was stated; empty names where the read did not get that far).
struct ComparedColumns {
  std::string height, parameter, uncertainty;
  HeightKind heightKind = HeightKind::Unknown;
  double coverageFactor = FlightIdentity::kUnknown;
};

// What one pair gave: its comparison values ordered by layer (by row within a layer), or the
// reason it was skipped.
struct PairResult {
  Message reason;  // empty when compared; its first line is the pair's status
  std::string group;   // the list's, or with solar groups the sun's at flight 1's launch
  FlightIdentity flights[2];  // as far as each was read
  ComparedColumns columns[2];
  UncertaintyRule uncertaintyRule = UncertaintyRule::Independent;  // while both have uncertainties
  // Whether the flights are not one sounding, where the campaign compares them all the same.
  bool apart = false;
  std::vector<double> values;
  std::vector<double> heights;  // flight 1's height of each value
  // Each value's u_c (NaN where it has none), while both flights have uncertainties; else empty.
  std::vector<double> uncertainties;
  std::vector<LayerRun> runs;
  // The shift of flight 2's clock the comparison in time used; none (NaN) by height.
  ClockShift clockShift;
  std::size_t points = 0;   // its values, also once they are no longer held
  double mean = 0, sd = 0;  // over all the pair's values; sd is NaN for one value
  ConsistencyTally consistency;

  bool compared() const { return reason.empty(); }
  // "ok", or the first line of the reason.
  Message status() const { return compared() ? Message("ok") : reason.firstLine(); }
};

// A pair's group until its flight 1 is read: the list's, or with solar groups "unknown".
inline std::string listedGroup(const CampaignPair& pair, const CampaignSettings& settings) {
  return settings.solarGroups ? kUnknownSun : pair.group;
}

// Compares pairs one after another in tables of its own, each pair exactly as a freshly
// started window holds it with the pair read into slots 1 and 2: the height column the reader
// selects, the parameter the quick-select button (or the named column) selects, correction 0;
// in time, each flight's own time column.
class PairComparer {
 public:
  explicit PairComparer(const CampaignSettings& settings);
  PairComparer(const PairComparer&) = delete;
  PairComparer& operator=(const PairComparer&) = delete;

  PairResult compare(const CampaignPair& pair);

 private:
  SlotChoice readFlight(int slot, const std::string& path, PairResult& result);
  void keepByLayer(PairResult& result);

  const CampaignSettings& settings_;
  OwnFlightSet flights_;
  FlightComparison comparison_;
  std::string parameterName_;  // flight 1's
  // Kept from pair to pair, so that a campaign allocates only what it keeps.
  CurvePoints points_;
  std::vector<long long> layers_;
  std::vector<std::size_t> order_;
};
