#include "campaign/solar_groups.h"

#include <gtest/gtest.h>

#include <cmath>

// Against values stated in public references, to 0.1°.
TEST(SolarGroups, TheSunsElevationAtKnownTimesAndPlaces) {
  struct Case {
    const char* what;
    const char* utc;
    double latitude, longitude, elevation;
  };
  const Case cases[] = {
      // NREL's Solar Position Algorithm (Reda & Andreas 2004), its worked example: topocentric
      // zenith 50.11162° at Golden, Colorado.
      {"SPA example", "2003-10-17T19:30:30Z", 39.742476, -105.1786, 90 - 50.11162},
      // Meeus, Astronomical Algorithms, example 25.a: declination −7°47'07"; at the pole the sun
      // stands as high as its declination.
      {"pole, Meeus 25.a", "1992-10-13T00:00:00Z", 90, 0, -7.78507},
      // The March equinox of 2024 at 03:06 UTC (USNO): the sun over the equator, so at local noon
      // it stands 90° − latitude high, and as low at midnight.
      {"equinox noon", "2024-03-20T03:06:00Z", 45, 135.35, 45},
      {"equinox midnight", "2024-03-20T03:06:00Z", 45, -44.65, -45},
  };
  for (const Case& c : cases) EXPECT_NEAR(solarElevation(c.utc, c.latitude, c.longitude), c.elevation, 0.1) << c.what;

  FlightIdentity flight;
  flight.launchTime = "2024-03-20T03:06:00Z";
  EXPECT_EQ(solarGroup(flight), "unknown") << "no place";
  flight.latitude = 45;
  flight.longitude = 135.35;
  EXPECT_EQ(solarGroup(flight), "day");
  flight.longitude = -44.65;
  EXPECT_EQ(solarGroup(flight), "night");
  flight.longitude = 45.35;  // sunrise
  EXPECT_EQ(solarGroup(flight), "twilight");
  for (const char* beyond : {"1799-12-31T12:00:00Z", "2101-01-01T00:00:00Z"}) {
    flight.launchTime = beyond;
    EXPECT_EQ(solarGroup(flight), "unknown") << beyond << ": beyond the years the equations hold for";
  }
}
