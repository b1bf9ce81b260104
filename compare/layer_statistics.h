#pragma once

#include "compare/comparison_redraw.h"
#include "compare/uncertainty.h"

#include <vector>

// How flight 1 differs from flight 2 layer by layer, as intercomparisons report it: the mean
// of the comparison values (the bias), their sample standard deviation and their number, in
// height layers of one thickness aligned at whole multiples of it (0 to 1000, 1000 to 2000...).
struct LayerStatistics {
  double bottom;             // inclusive
  double top;                // exclusive
  double bias;
  double standardDeviation;  // NaN for a layer of one value
  int count;
  // The layer's differences against their u_c, where the comparison carries uncertainties.
  ConsistencyTally consistency;
};

// The layer a height belongs to: layer·thickness <= height < (layer+1)·thickness, as the bounds
// are written. The window's layer statistics and a campaign's layers both put heights so.
long long layerOf(double height, double thickness);

// The layers that hold comparison values, from the lowest up; heights are the plotted ones.
std::vector<LayerStatistics> layerStatistics(const CurvePoints& comparison, double thickness);
