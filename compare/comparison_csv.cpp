#include "comparison_csv.h"

#include <charconv>
#include <cmath>

namespace {

std::string number(double value) {
  if (!std::isfinite(value)) return {};
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

}  // namespace

void writeComparisonCsv(std::ostream& out, const std::vector<NamedPoints>& series,
                        const std::vector<LayerStatistics>& layers) {
  out << "kind,series,index,x,y,layer_bottom,layer_top,bias,standard_deviation,count\n";
  for (const NamedPoints& named : series) {
    for (std::size_t i = 0; i < named.points->x.size(); ++i)
      out << "point," << named.name << ',' << i + 1 << ',' << number(named.points->x[i]) << ','
          << number(named.points->y[i]) << ",,,,,\n";
  }
  for (const LayerStatistics& layer : layers)
    out << "layer,,,,," << number(layer.bottom) << ',' << number(layer.top) << ',' << number(layer.bias) << ','
        << number(layer.standardDeviation) << ',' << layer.count << '\n';
}
