#pragma once

#include "compare/comparison_redraw.h"
#include "compare/uncertainty.h"

#include <cstddef>
#include <vector>

class ExactSum;

// How flight 1 differs from flight 2 in one height layer, as intercomparisons report it; the
// window's layer table and a campaign's pooled layers both give it, by one rule, so that a
// window's table equals a one-pair campaign's to the bit.
struct LayerStatistics {
  double bottom;  // inclusive
  double top;     // exclusive
  std::size_t points;
  double mean;  // the bias: the mean of the comparison values
  double sd;    // their sample standard deviation; NaN for a layer of one value
  // The layer's differences against their u_c, where the comparison carries uncertainties.
  ConsistencyTally consistency;
};

// The thickness of layers unless the operator picks another, in metres.
constexpr double kDefaultLayerThickness = 1000;

// The layer a height belongs to: layer·thickness <= height < (layer+1)·thickness, as the bounds
// are written. The window's layer statistics and a campaign's layers both put heights so.
long long layerOf(double height, double thickness);

// A layer's bounds, and the height it is drawn at: halfway between the bounds as written.
double layerBottom(long long layer, double thickness);
double layerTop(long long layer, double thickness);
double layerCentre(long long layer, double thickness);
double layerCentre(const LayerStatistics& layer);

// A layer's mean, from the exact sum of its values rounded once, and the sample standard
// deviation about it; the values' consistency is the caller's.
LayerStatistics layerMoments(long long layer, double thickness, const ExactSum& sum, const double* values,
                             std::size_t count);

// The layers that hold comparison values, from the lowest up; heights are the plotted ones.
std::vector<LayerStatistics> layerStatistics(const CurvePoints& comparison, double thickness);
