#pragma once

#include "compare/classic_netcdf.h"
#include "compare/comparison_csv.h"

#include <string>
#include <vector>

// The comparison CSV's points and layer statistics as a CF-1.8 netCDF file (64-bit offset
// format). Along the dimension point, every point of the series in their order: series (1 for
// the first series given, its name in flag_meanings), index (from 1), x, y (the height, m) and
// uncertainty (u_c of the points that carry one); along layer, the layer's centre (the
// coordinate), bottom and top (m), bias, standard_deviation, count, uc_mean and within_1..3.
// The matching, and in time the shift and its misfit, are global attributes. A dimension that
// would be empty is left out with its variables (a classic file has no fixed one of length 0).
std::string comparisonNetcdf(const std::vector<NamedPoints>& series, const std::vector<LayerStatistics>& layers,
                             MatchBy by, const ClockShift& shift, const NetcdfProvenance& provenance);
