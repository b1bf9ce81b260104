#pragma once

#include "campaign/campaign_report.h"
#include "compare/classic_netcdf.h"

#include <string>

// layers.csv as a CF-1.8 netCDF file (64-bit offset format): the dimensions group and layer,
// the layers' centre (the coordinate), bottom and top in metres with the standard name of their
// kind of height where the compared pairs' flight 1 all state one, the groups' names, and one
// variable along (group, layer) for each statistic of layers.csv with its unit and fill value;
// global attributes say what was compared and how. A campaign in which no layer holds a value
// has no layer dimension (a classic file cannot hold a fixed one of length 0).

std::string layersNetcdf(const CampaignReport& report, const NetcdfProvenance& provenance);
