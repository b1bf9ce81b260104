#pragma once

// The model's flight as the text the reference products are written from: CDL for ncgen (a
// GRUAN-like NetCDF product) and rules for bufr_filter over ecCodes' BUFR4 sample (a
// high-resolution TEMP, template 309057), each stating a made-up station, time and sonde as
// their real kin do. Nothing here comes from a real station.

#include "tests/generator/flight_generator.h"

#include <string>

std::string gruanProductCdl(const FlightRecipe& recipe);
std::string bufrTempRules(const FlightRecipe& recipe);
