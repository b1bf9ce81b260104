#pragma once

#include "compare/comparison_csv.h"

#include <QString>

#include <vector>

// The save dialog's formats for the window's data: CSV, then NetCDF.
QString comparisonDataFilters();

// The charts' points and the layer statistics into the file, through the atomic writer: as
// NetCDF (compare/comparison_netcdf.h) where the name ends in .nc, or where it ends in neither
// .nc nor .csv and the dialog's chosen format is NetCDF; otherwise as CSV (compare/comparison_csv.h).
void saveComparisonData(const QString& fileName, const QString& chosenFilter, const std::vector<NamedPoints>& series,
                        const std::vector<LayerStatistics>& layers, MatchBy by, const ClockShift& shift);
