#pragma once

#include "compare/comparison_redraw.h"
#include "compare/layer_statistics.h"

#include <ostream>
#include <string>
#include <vector>

// One CSV file of what the charts show: every point of the five series, then the layer
// statistics. Columns:
//   kind                 "point" or "layer"
//   series, index, x, y  a point: its series, its place in the series from 1, its coordinates
//   layer_bottom, layer_top, bias, standard_deviation, count   a layer's statistics
//   uncertainty          a comparison point's combined uncertainty u_c
//   uc_mean, within_1, within_2, within_3   a layer's mean u_c and the shares of its points
//                        with u_c that lie within 1, 2 and 3 u_c
//   match, shift, shift_misfit   a layer's: how flight 2 was matched ("height" or "time"), and
//                        in time the shift of its clock (s) and the heights' misfit at it (m)
// Fields that do not apply to the kind of row are empty; so is a number without a value.
// Numbers are written in their shortest round-trip form.
struct NamedPoints {
  std::string name;
  const CurvePoints* points;
};

// The match, shift and shift_misfit fields: "height,," or "time,5,0.75".
std::string matchingFields(MatchBy by, const ClockShift& shift);

void writeComparisonCsv(std::ostream& out, const std::vector<NamedPoints>& series,
                        const std::vector<LayerStatistics>& layers, MatchBy by, const ClockShift& shift);
