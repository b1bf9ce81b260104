#include "compare/comparison_csv.h"

#include "compare/shortest_number.h"

void writeComparisonCsv(std::ostream& out, const std::vector<NamedPoints>& series,
                        const std::vector<LayerStatistics>& layers) {
  out << "kind,series,index,x,y,layer_bottom,layer_top,bias,standard_deviation,count\n";
  for (const NamedPoints& named : series) {
    for (std::size_t i = 0; i < named.points->x.size(); ++i)
      out << "point," << named.name << ',' << i + 1 << ',' << shortestNumber(named.points->x[i]) << ','
          << shortestNumber(named.points->y[i]) << ",,,,,\n";
  }
  for (const LayerStatistics& layer : layers)
    out << "layer,,,,," << shortestNumber(layer.bottom) << ',' << shortestNumber(layer.top) << ',' << shortestNumber(layer.bias) << ','
        << shortestNumber(layer.standardDeviation) << ',' << layer.count << '\n';
}
