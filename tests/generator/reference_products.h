#pragma once

// The model's flight as the text the reference products are written from: CDL for ncgen (a
// GRUAN-like NetCDF product) and rules for bufr_filter over ecCodes' BUFR4 sample (a
// high-resolution TEMP, template 309057), each stating a made-up station, time and sonde as
// their real kin do. Nothing here comes from a real station.

#include "tests/generator/flight_generator.h"

#include <string>

std::string gruanProductCdl(const FlightRecipe& recipe);
std::string bufrTempRules(const FlightRecipe& recipe);

// A message as a WMO bulletin carries it, each line ended by CR CR LF: the start-of-heading line
// and the channel sequence number where one is given, the abbreviated heading ("IUSD04 LOWM
// 060200"), the message, and where closed "NNNN" and the end-of-text byte.
std::string wmoBulletin(const std::string& heading, const std::string& message, const std::string& sequence = {},
                        bool closed = false);
