#pragma once

#include "compare/clock_shift.h"
#include "compare/profile_lookup.h"
#include "compare/time_lookup.h"
#include "compare/uncertainty.h"

#include <optional>

#include <string>
#include <vector>

struct FlightSet;

// The comparison redraw: from the flight tables and the choices on the window to the five
// point lists of the two charts. It sets the height window, refills the comparison profile
// and CompareMassiv on the way.

// The choices of one flight slot: the selected items of its two combo boxes (-1 for none), how
// many columns its file has, and the column of its parameter's standard uncertainty (-1: none)
// with the columns of that uncertainty's parts; its time column, for a comparison in time.
struct SlotChoice {
  int height = -1;
  int parameter = -1;
  int columns = 0;
  int uncertainty = -1;
  UncertaintyParts uncertaintyParts{};
  int time = -1;
};

// Which of flight 2's values a row of flight 1 is compared with: the one at flight 1's height
// (the comparison's own rule), or the one at the same moment, flight 1's time plus the shift of
// flight 2's clock. Either way the values are drawn and pooled against flight 1's height.
enum class MatchBy { Height, Time };
// "height" or "time", as the scripts and the files name them.
const char* matchName(MatchBy by);
struct Matching {
  MatchBy by = MatchBy::Height;
  std::optional<double> shift;  // seconds as typed; nothing: found from the flights' heights
  StatedClocks clocks;          // what the flights state of their clocks
};

struct RedrawRequest {
  SlotChoice flights[3];
  int correction = 0;          // added to flight 1's heights
  bool plus = false;           // flight 1 plus flight 2 instead of minus
  std::string slowChannelText; // Edit2
  // How flight 1's and flight 2's uncertainties add up in their difference.
  UncertaintyRule uncertaintyRule = UncertaintyRule::Independent;
  Matching matching;
};

// Judges the comparison by the uncertainty columns chosen for flights 1 and 2 as the flights
// state them: the parts of each and the rule that joins them.
void judgeByStatedUncertainties(RedrawRequest& request, const FlightIdentity& first, const FlightIdentity& second);

// Points in the order they are added; only points with finite coordinates are kept.
struct CurvePoints {
  std::vector<double> x, y;
  // The comparison's only, while both flights have an uncertainty and the flights are not
  // summed: each point's combined uncertainty u_c (NaN where it has none). Otherwise empty.
  std::vector<double> uncertainty;
  void clear() {
    x.clear();
    y.clear();
    uncertainty.clear();
  }
  // False when the point is not kept.
  bool add(double px, double py);
};

struct RedrawPoints {
  CurvePoints flight1, flight2, flight3;  // Series1, Series2, Series5
  CurvePoints comparison, average;        // Series3, Series4
};

// The comparison over one set of flights, with the index of flight 2's profile that it keeps
// from one redraw to the lookups after it.
class FlightComparison {
 public:
  explicit FlightComparison(FlightSet& flights) : flights_(flights) {}

  // Fills the points afresh. Fails with "'%s' is not a valid integer value" when flight 1
  // shows its slow channel and Edit2 holds no whole number, and as a read fails when a column
  // it uses was left unread and cannot be read now; the points are then all empty.
  void redraw(const RedrawRequest& request, RedrawPoints& points);

  // Only what the redraw puts into the comparison's points (Series3), with no curve drawn.
  void compareOnly(const RedrawRequest& request, CurvePoints& comparison);

  // Flight 2's value at a height, read by the first enclosing pair of the profile, taken from
  // flight 1's value (or added to it with plus); false when no pair encloses the height.
  bool Compare_2_graph(double hight, double Sravn, bool plus, double& result);

  // Indexes the profile for Compare_2_graph; the redraw does it after each refill.
  void indexProfile();

  // The shift of flight 2's clock the last comparison in time used, found or typed; no shift
  // (NaN) after a comparison by height.
  const ClockShift& clockShift() const { return clockShift_; }

  // The columns of slot 1, 2 or 3 that a redraw of the request reads: none of a slot it skips.
  std::vector<int> usedColumns(const RedrawRequest& request, int slot) const;

 private:
  bool isUsable(const SlotChoice& choice, int slot) const;
  void fillUsedColumns(const RedrawRequest& request, int slots);
  void drawFlight1(const RedrawRequest& request, CurvePoints& points);
  void drawFlight(int slot, const SlotChoice& choice, CurvePoints& points);
  void refillProfile(const SlotChoice& choice);
  // Checks the time columns and sets the shift, before any point is drawn; fails when a flight
  // has no time column or the shift cannot be found.
  void prepareMatching(const RedrawRequest& request);
  void drawComparison(const RedrawRequest& request, CurvePoints& points);
  void drawAverage(const RedrawRequest& request, CurvePoints& points);
  bool isJudged(const RedrawRequest& request) const;
  // The columns of a compared slot's uncertainty that the rule uses; null where unused.
  struct UncertaintyColumns {
    const double *total, *uncorrelated, *spatial, *temporal;
  };
  UncertaintyColumns uncertaintyColumns(const RedrawRequest& request, int slot) const;
  static PointUncertainty rowUncertainty(const UncertaintyColumns& columns, int row);
  PointUncertainty profileUncertainty(const UncertaintyColumns& columns, double height);
  PointUncertainty momentUncertainty(const UncertaintyColumns& columns, double time) const;

  FlightSet& flights_;
  ProfileLookup profile_;
  // Rows of flight 1 whose comparison value (in CompareMassiv) was computed in this redraw.
  std::vector<char> hasComparison_;
  TimeLookup times2_;
  ClockShift clockShift_;
};

// The window's comparison: the same over the window's flights.
void compareFlights(const RedrawRequest& request, RedrawPoints& points);
bool Compare_2_graph(double hight, double Sravn, bool plus, double& result);
void indexProfile();
const ClockShift& lastClockShift();
std::vector<int> columnsUsed(const RedrawRequest& request, int slot);

// Rows on either side of a row that its moving average takes in.
constexpr int kAverageHalfWidth = 50;
