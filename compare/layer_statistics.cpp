#include "compare/layer_statistics.h"

#include "compare/exact_sum.h"
#include "compare/sample_statistics.h"

#include <cmath>
#include <map>

long long layerOf(double height, double thickness) {
  auto layer = static_cast<long long>(std::floor(height / thickness));
  // The quotient may round across a bound that the written bounds do not.
  if (height < layer * thickness) --layer;
  else if (height >= (layer + 1) * thickness) ++layer;
  return layer;
}

double layerBottom(long long layer, double thickness) { return layer * thickness; }
double layerTop(long long layer, double thickness) { return (layer + 1) * thickness; }
double layerCentre(long long layer, double thickness) {
  return (layerBottom(layer, thickness) + layerTop(layer, thickness)) / 2;
}
double layerCentre(const LayerStatistics& layer) { return (layer.bottom + layer.top) / 2; }

LayerStatistics layerMoments(long long layer, double thickness, const ExactSum& sum, const double* values,
                             std::size_t count) {
  const double mean = exactMean(sum, count);
  return {layerBottom(layer, thickness), layerTop(layer, thickness), count, mean,
          sampleStandardDeviation(values, count, mean), {}};
}

std::vector<LayerStatistics> layerStatistics(const CurvePoints& comparison, double thickness) {
  struct Gathered {
    std::vector<double> values;
    ExactSum sum;
    ConsistencyTally consistency;
  };
  std::map<long long, Gathered> layers;
  for (std::size_t i = 0; i < comparison.x.size(); ++i) {
    Gathered& layer = layers[layerOf(comparison.y[i], thickness)];
    layer.values.push_back(comparison.x[i]);
    layer.sum.add(comparison.x[i]);
    if (!comparison.uncertainty.empty()) layer.consistency.add(comparison.x[i], comparison.uncertainty[i]);
  }
  std::vector<LayerStatistics> result;
  for (const auto& [index, layer] : layers) {
    result.push_back(layerMoments(index, thickness, layer.sum, layer.values.data(), layer.values.size()));
    result.back().consistency = layer.consistency;
  }
  return result;
}
