#include "workspace/workspace.h"

RedrawRequest Workspace::judged(RedrawRequest request) const {
  judgeByStatedUncertainties(request, identity(1), identity(2));
  return request;
}

void Workspace::clearRedraw() {
  points_ = {};
  layers_.clear();
}

void Workspace::redraw(const RedrawRequest& request) {
  clearRedraw();
  compareFlights(request, points_);
  layers_ = layerStatistics(points_.comparison, thickness_);
}

void Workspace::setLayerThickness(double metres) {
  thickness_ = metres;
  layers_ = layerStatistics(points_.comparison, thickness_);
}
