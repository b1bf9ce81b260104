#include "compare/uncertainty.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A product flight whose column 1 is a total uncertainty, with parts where `parts`.
FlightIdentity flown(const char* product, const char* sonde, const char* event, bool parts) {
  FlightIdentity flight;
  flight.format = FlightIdentity::kGruanProductFormat;
  flight.product = product;
  flight.sondeType = sonde;
  flight.eventId = event;
  flight.balloonNumber = "1";
  flight.columns.resize(4);
  if (parts) flight.columns[1].parts = {2, -1, 3};
  return flight;
}

}  // namespace

// Only errors the two sondes do not share stay in their difference; what is not stated is never
// taken to cancel.
TEST(Uncertainty, TheRuleFollowsWhatBothFlightsState) {
  struct Case {
    FlightIdentity first, second;
    UncertaintyRule rule;
    double remaining;  // of u = 0.5 with parts uncorrelated 0.3, spatial 0.24, temporal 0.32
  };
  const Case cases[] = {
      {flown("RS41-GDP", "RS41-SG", "80611", true), flown("RS92-GDP", "RS92-SGP", "80611", true),
       UncertaintyRule::Independent, 0.5},
      {flown("RS41-GDP", "RS41-SG", "80611", true), flown("RS41-GDP", "RS41-SG", "80612", true),
       UncertaintyRule::SameModel, std::hypot(0.3, 0.24)},
      {flown("RS41-GDP", "RS41-SG", "80611", true), flown("RS41-GDP", "RS41-SG", "80611", true),
       UncertaintyRule::SameBalloon, 0.3},
      {flown("RS41-GDP", "RS41-SG", "80611", true), flown("RS41-GDP", "RS41-SG", "80611", false),
       UncertaintyRule::SameModelWithoutParts, 0.5},
      {flown("", "", "", true), flown("", "", "", true), UncertaintyRule::Independent, 0.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(uncertaintyRuleName(c.rule));
    EXPECT_EQ(uncertaintyRule(c.first, 1, c.second, 1), c.rule);
    PointUncertainty u;
    u.total = 0.5;
    u.spatial = 0.24;
    u.temporal = 0.32;
    u.uncorrelated = 0.3;
    EXPECT_NEAR(remainingUncertainty(u, c.rule), c.remaining, 1e-15);
  }
}

// Where a product states only a correlated part (RS92), the uncorrelated one is what the total
// leaves; a part stated above its total leaves none.
TEST(Uncertainty, AnUncorrelatedPartNotStatedIsWhatTheTotalLeaves) {
  const std::pair<PointUncertainty, double> cases[] = {
      {{0.5, 0.3, 0, std::nullopt}, 0.4},
      {{0.5, 0.6, 0, std::nullopt}, 0.0},
      {{std::nan(""), 0.3, 0, std::nullopt}, std::nan("")},
  };
  for (const auto& [u, uncorrelated] : cases) {
    const double remaining = remainingUncertainty(u, UncertaintyRule::SameBalloon);
    if (std::isnan(uncorrelated)) EXPECT_TRUE(std::isnan(remaining));
    else EXPECT_NEAR(remaining, uncorrelated, 1e-15);
  }
  EXPECT_NEAR(remainingUncertainty({0.5, 0.3, 0, std::nullopt}, UncertaintyRule::SameModel), 0.5, 1e-15);
  EXPECT_TRUE(std::isnan(combinedUncertainty(0, 0))) << "a zero u_c judges nothing";
  EXPECT_TRUE(std::isnan(combinedUncertainty(0.2, std::nan(""))));
}
