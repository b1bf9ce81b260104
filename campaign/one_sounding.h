#pragma once

#include "flight/flight_identity.h"
#include "flight/messages.h"

// Two flights are one sounding unless both state launches more than 3 hours apart, or both
// state sites more than 50 km apart: a campaign pools the differences of sondes that measured
// the same air, never of strangers named side by side by mistake.
inline constexpr double kOneSoundingHours = 3;
inline constexpr double kOneSoundingKilometres = 50;

// Why two flights are not one sounding ("Not one sounding: launches 458 days apart, sites 16 300
// km apart.", or either alone), or empty when nothing they state says so.
Message notOneSounding(const FlightIdentity& first, const FlightIdentity& second);

// The great-circle distance of two places in kilometres, on a sphere of the Earth's mean radius.
double distanceKilometres(double latitude1, double longitude1, double latitude2, double longitude2);
