// Times and places as products state them, read into one form or left out.
#include "flight/flight_identity.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(FlightIdentity, StatedTimesAreUtcOrLeftOut) {
  const std::pair<const char*, const char*> cases[] = {
      {"2017-07-11T22:58:43.000Z", "2017-07-11T22:58:43Z"}, {" 2017-07-12 00:00 ", "2017-07-12T00:00:00Z"},
      {"2024-02-29T23:59:59+00:00", "2024-02-29T23:59:59Z"}, {"2023-02-29T00:00:00Z", ""},
      {"2017-07-12T25:00:00Z", ""},                         {"2017-07-12T00:00:00+02:00", "2017-07-11T22:00:00Z"},
      {"2017-12-31T21:30:00.5-0530", "2018-01-01T03:00:00.500Z"}, {"2017-10-24T11:06:06.58047Z", "2017-10-24T11:06:06.580Z"},
      {"2017-07-12T00:00:00+2:00", ""},                     {"2017-07-12T00:00:00.Z", ""},
      {"2017-07-12", ""},                                   {"nil", ""},
  };
  for (const auto& [stated, utc] : cases) EXPECT_EQ(utcTime(stated), utc) << stated;
  EXPECT_EQ(readableTime("2017-07-11T22:58:43Z"), "2017-07-11 22:58");
  EXPECT_EQ(readableTime("2017-07-11T22:58:43Z", true), "2017-07-11 22:58:43");
  EXPECT_EQ(readableTime("2017-10-24T11:06:06.580Z", true), "2017-10-24 11:06:06.580");
  EXPECT_EQ(readableTime("2017-07"), "") << "never cut out of range";
  EXPECT_NEAR(utcSeconds("2017-10-24T11:06:06.580Z") - utcSeconds("2017-10-24T11:06:04Z"), 2.58, 1e-6);
  EXPECT_DOUBLE_EQ(utcSeconds("1970-01-02T00:00:00Z"), 86400);
  EXPECT_TRUE(std::isnan(utcSeconds("2017-10-24 11:06:04")));
}

TEST(FlightIdentity, StatedNumbersCountSouthAndWestNegative) {
  const std::pair<const char*, double> cases[] = {
      {"46.81 °N", 46.81}, {"33.9 °S", -33.9}, {"6.94 °E", 6.94}, {"7 °W", -7},   {"491 m", 491},
      {" -12.5", -12.5},   {"-46.81 °S", -46.81}, {"-7 °E", 7}, {"+5.5", 5.5}, {"46.81 °", 46.81},
      {"46.81N", 46.81},   {"7.0W", -7},          {"491m", 491},
  };
  for (const auto& [stated, number] : cases) EXPECT_DOUBLE_EQ(statedNumber(stated), number) << stated;
  for (const char* none : {"", "north", "nan", "inf °N", "°N 46", "0x1p6", "\u221246.81 °S", "1e999", "+-5", "1e"})
    EXPECT_TRUE(std::isnan(statedNumber(none))) << none;
}

// A place only where it can be one: east may be counted to 360, as some files do.
TEST(FlightIdentity, APositionOffTheGlobeIsNone) {
  const std::pair<double, double> places[] = {{46.81, 6.94}, {-90, -180}, {90, 359.99}, {46.81, 300}};
  const std::pair<double, double> nowhere[] = {{91, 6.94}, {-91, 6.94}, {150.5, 6.94}, {1e308, 0},
                                               {46.81, 360}, {46.81, -180.01}, {std::nan(""), 6.94}};
  for (const auto& [latitude, longitude] : places) {
    FlightIdentity flight;
    setPosition(flight, latitude, longitude);
    EXPECT_EQ(flight.latitude, latitude);
    EXPECT_EQ(flight.longitude, longitude);
  }
  for (const auto& [latitude, longitude] : nowhere) {
    FlightIdentity flight;
    setPosition(flight, latitude, longitude);
    EXPECT_TRUE(std::isnan(flight.latitude) && std::isnan(flight.longitude)) << latitude << ", " << longitude;
  }
}
