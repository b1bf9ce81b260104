#pragma once

#include "compare/comparison_redraw.h"
#include "compare/layer_statistics.h"
#include "flight/flight_identity.h"

#include <array>
#include <vector>

// The window's model, free of widgets: who flew each slot's flight and what the last redraw gave,
// its points and its layer statistics. Its flight tables are the process-wide ones the reader
// fills. The window renders it; its CSV and the batch JSON read it, never a widget.
class Workspace {
 public:
  // Who flew slot 1's, 2's or 3's flight, as its last successful read gave it; an empty path
  // while the slot holds no flight.
  FlightIdentity& identity(int slot) { return identities_[slot - 1]; }
  const FlightIdentity& identity(int slot) const { return identities_[slot - 1]; }

  // The choices of a redraw, judged by the uncertainties flights 1 and 2 state.
  RedrawRequest judged(RedrawRequest request) const;

  // Emptied first: a redraw that fails leaves no points and no layers.
  void clearRedraw();
  // Compares the flights as the judged request asks, and counts the layers.
  void redraw(const RedrawRequest& request);
  const RedrawPoints& points() const { return points_; }

  // The layer statistics of the last redraw's comparison, in layers of the thickness chosen.
  double layerThickness() const { return thickness_; }
  void setLayerThickness(double metres);
  const std::vector<LayerStatistics>& layers() const { return layers_; }

 private:
  std::array<FlightIdentity, 3> identities_;
  RedrawPoints points_;
  double thickness_ = kDefaultLayerThickness;
  std::vector<LayerStatistics> layers_;
};
