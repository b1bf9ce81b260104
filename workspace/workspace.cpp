#include "workspace/workspace.h"

#include "compare/quick_select.h"
#include "flight/flight_tables.h"

#include <string>

Workspace::Workspace() {
  mass1Count = mass2Count = mass3Count = 0;
  for (int slot = 1; slot <= 3; ++slot) flightSlot(slot).later.clear();
  MaxHight = kTopOfHeightWindow;
  MinHight = 0.0;
  MassivsCount = 0;
  lowchange1Position = 0;
}

std::array<bool, 3> Workspace::quickSelect(Quantity quantity) {
  std::array<bool, 3> picked{};
  for (int n = 1; n <= 3; ++n) {
    SlotState& state = slot(n);
    const int found = quickSelectIndex(state.columns, quickSelectNames(quantity, n));
    if (found >= 0) state.parameter = found;
    picked[n - 1] = found >= 0;
  }
  return picked;
}

std::string Workspace::legendTitle(int n) const {
  const std::string stated = identity(n).statedLabel();
  if (stated.empty()) return slot(n).legendTitle;
  for (int other = 1; other <= 3; ++other)
    if (other != n && identity(other).statedLabel() == stated) return stated + " (полёт " + std::to_string(n) + ")";
  return stated;
}

RedrawRequest Workspace::request() const {
  RedrawRequest request;
  for (int n = 1; n <= 3; ++n) {
    const SlotState& state = slot(n);
    request.flights[n - 1] = {state.height, state.parameter, static_cast<int>(state.columns.size()), state.uncertainty};
    request.flights[n - 1].time = state.time;
  }
  request.matching = {matchBy, shift, statedClocks(identity(1), identity(2))};
  request.correction = correction;
  request.plus = plus;
  request.slowChannelText = slowChannelText;
  judgeByStatedUncertainties(request, identity(1), identity(2));
  return request;
}

void Workspace::clearRedraw() {
  points_ = {};
  clockShift_ = {};
  layers_.clear();
}

void Workspace::redraw(const RedrawRequest& request) {
  clearRedraw();
  compareFlights(request, points_);
  clockShift_ = lastClockShift();
  layers_ = layerStatistics(points_.comparison, thickness_);
}

void Workspace::setLayerThickness(double metres) {
  thickness_ = metres;
  layers_ = layerStatistics(points_.comparison, thickness_);
}
