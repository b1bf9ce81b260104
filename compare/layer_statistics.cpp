#include "compare/layer_statistics.h"

#include <cmath>
#include <limits>
#include <map>

long long layerOf(double height, double thickness) {
  auto layer = static_cast<long long>(std::floor(height / thickness));
  // The quotient may round across a bound that the written bounds do not.
  if (height < layer * thickness) --layer;
  else if (height >= (layer + 1) * thickness) ++layer;
  return layer;
}

std::vector<LayerStatistics> layerStatistics(const CurvePoints& comparison, double thickness) {
  // Welford's running mean and sum of squared deviations, in extended precision.
  struct Running {
    long double mean = 0, squares = 0;
    int count = 0;
    ConsistencyTally consistency;
  };
  std::map<long long, Running> layers;
  for (std::size_t i = 0; i < comparison.x.size(); ++i) {
    Running& layer = layers[layerOf(comparison.y[i], thickness)];
    ++layer.count;
    const long double delta = comparison.x[i] - layer.mean;
    layer.mean += delta / layer.count;
    layer.squares += delta * (comparison.x[i] - layer.mean);
    if (!comparison.uncertainty.empty()) layer.consistency.add(comparison.x[i], comparison.uncertainty[i]);
  }
  std::vector<LayerStatistics> result;
  for (const auto& [index, layer] : layers) {
    const double spread = layer.count > 1 ? static_cast<double>(std::sqrt(layer.squares / (layer.count - 1)))
                                          : std::numeric_limits<double>::quiet_NaN();
    result.push_back({index * thickness, (index + 1) * thickness, static_cast<double>(layer.mean), spread, layer.count,
                      layer.consistency});
  }
  return result;
}
