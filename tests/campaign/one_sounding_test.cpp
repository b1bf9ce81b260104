// Two flights are one sounding unless what both state says otherwise; the reason never reads as
// within the limits it broke.
#include "campaign/one_sounding.h"

#include <gtest/gtest.h>

namespace {

FlightIdentity flight(const char* launch, double latitude, double longitude) {
  FlightIdentity stated;
  stated.launchTime = launch;
  stated.latitude = latitude;
  stated.longitude = longitude;
  return stated;
}

}  // namespace

TEST(OneSounding, OnlyWhatBothFlightsStateParts) {
  const double unknown = FlightIdentity::kUnknown;
  const FlightIdentity payerne = flight("2017-10-24T11:06:06.580Z", 46.81326, 6.9434);
  struct Case {
    FlightIdentity other;
    std::string reason;
  };
  const Case cases[] = {
      {flight("2017-10-24T11:06:04Z", 46.81, 6.95), ""},
      {flight("2017-10-24T14:06:06.580Z", 46.81, 6.95), ""},
      {flight("2017-10-24T14:06:07Z", 46.81, 6.95), "Not one sounding: launches 181 minutes apart."},
      {flight("2017-10-25T12:00:00Z", 46.81, 6.95), "Not one sounding: launches 25 hours apart."},
      {flight("2016-07-23T11:00:00Z", unknown, unknown), "Not one sounding: launches 458 days apart."},
      {flight("", 47.26, 6.94), ""},
      {flight("", 47.265, 6.94), "Not one sounding: sites 50.2 km apart."},
      {flight("2016-07-23T11:00:00Z", -33.9, 151.2), "Not one sounding: launches 458 days apart, sites 16 700 km apart."},
      {flight("", unknown, 151.2), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    EXPECT_EQ(notOneSounding(payerne, c.other).english(), c.reason);
  }
  EXPECT_NEAR(distanceKilometres(0, 0, 0, 180), 20015.1, 0.1) << "half the Earth's mean circumference";
}
