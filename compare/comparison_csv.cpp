#include "compare/comparison_csv.h"

#include "compare/shortest_number.h"

std::string matchingFields(MatchBy by, const ClockShift& shift) {
  return std::string(matchName(by)) + ',' + shortestNumber(shift.shift) + ',' + shortestNumber(shift.misfit);
}

void writeComparisonCsv(std::ostream& out, const std::vector<NamedPoints>& series,
                        const std::vector<LayerStatistics>& layers, MatchBy by, const ClockShift& shift) {
  out << "kind,series,index,x,y,layer_bottom,layer_top,bias,standard_deviation,count,uncertainty,uc_mean,within_1,"
         "within_2,within_3,match,shift,shift_misfit\n";
  for (const NamedPoints& named : series) {
    const CurvePoints& points = *named.points;
    for (std::size_t i = 0; i < points.x.size(); ++i)
      out << "point," << named.name << ',' << i + 1 << ',' << shortestNumber(points.x[i]) << ','
          << shortestNumber(points.y[i]) << ",,,,,,"
          << (points.uncertainty.empty() ? std::string() : shortestNumber(points.uncertainty[i])) << ",,,,,,,\n";
  }
  for (const LayerStatistics& layer : layers) {
    out << "layer,,,,," << shortestNumber(layer.bottom) << ',' << shortestNumber(layer.top) << ',' << shortestNumber(layer.mean) << ','
        << shortestNumber(layer.sd) << ',' << layer.points << ",," << shortestNumber(layer.consistency.meanUncertainty());
    for (int k = 1; k <= kCoverageFactors; ++k) out << ',' << shortestNumber(layer.consistency.shareWithin(k));
    out << ',' << matchingFields(by, shift) << '\n';
  }
}
