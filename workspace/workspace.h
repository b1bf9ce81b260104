#pragma once

#include "compare/comparison_redraw.h"
#include "compare/layer_statistics.h"
#include "flight/flight_identity.h"
#include "flight/quantities.h"
#include "workspace/slot_state.h"

#include <array>
#include <vector>

// The window's model, free of widgets: who flew each slot's flight and what the last redraw gave,
// its points and its layer statistics. Its flight tables are the process-wide ones the reader
// fills. The window renders it; its CSV and the batch JSON read it, never a widget.
class Workspace {
 public:
  // The process-wide flight tables are the workspace's own, so there is one workspace at a time,
  // the window's: it starts them as the window's start leaves them, every slot empty and the full
  // height window.
  Workspace();

  // Who flew slot 1's, 2's or 3's flight, as its last successful read gave it; an empty path
  // while the slot holds no flight.
  FlightIdentity& identity(int slot) { return identities_[slot - 1]; }
  const FlightIdentity& identity(int slot) const { return identities_[slot - 1]; }

  // What slot 1, 2 or 3 shows and what is picked in it.
  SlotState& slot(int slot) { return slots_[slot - 1]; }
  const SlotState& slot(int slot) const { return slots_[slot - 1]; }
  // What a slot's legend entry and readout line call its flight: the label its file states, since
  // the ends of two sondes' product paths read alike; else the reader's title (the path's end).
  // Two slots stating one label (a sonde's file read twice) are told apart by their numbers.
  std::string legendTitle(int slot) const;
  // Picks the quantity's column as the parameter of every slot that has one; whether it did, for
  // each slot.
  std::array<bool, 3> quickSelect(Quantity quantity);

  // How the flights are compared, as the operator set it: the correction of flight 1's
  // heights, "+" instead of minus, and the slow channel's number as typed (channel 10 at start).
  int correction = 0;
  bool plus = false;
  std::string slowChannelText = "10";
  // Flight 2 read at flight 1's height, or at the same moment with its clock shifted by the
  // seconds typed (found from the heights while none are).
  MatchBy matchBy = MatchBy::Height;
  std::optional<double> shift;

  // The slots' picks and the settings above as a redraw asks for them, judged by the
  // uncertainties flights 1 and 2 state.
  RedrawRequest request() const;

  // Emptied first: a redraw that fails leaves no points and no layers.
  void clearRedraw();
  // Compares the flights as the judged request asks, and counts the layers.
  void redraw(const RedrawRequest& request);
  const RedrawPoints& points() const { return points_; }
  // The shift of flight 2's clock the last redraw in time used; no shift (NaN) otherwise.
  const ClockShift& clockShift() const { return clockShift_; }

  // The layer statistics of the last redraw's comparison, in layers of the thickness chosen.
  double layerThickness() const { return thickness_; }
  void setLayerThickness(double metres);
  const std::vector<LayerStatistics>& layers() const { return layers_; }

 private:
  std::array<FlightIdentity, 3> identities_;
  std::array<SlotState, 3> slots_;
  RedrawPoints points_;
  ClockShift clockShift_;
  double thickness_ = kDefaultLayerThickness;
  std::vector<LayerStatistics> layers_;
};
