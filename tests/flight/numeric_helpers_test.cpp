#include "flight/numeric_helpers.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Par, BuckOverIceBelowZeroAndOverWaterFromZero) {
  EXPECT_EQ(Par(0.0), 6.1121);
  EXPECT_NEAR(Par(-0.0001), 6.1115, 1e-4);
  EXPECT_NEAR(Par(20), 23.383, 5e-4);
  EXPECT_NEAR(Par(-20), 1.0329, 5e-5);
  EXPECT_NEAR(Par(10), 12.279, 5e-4);
  EXPECT_NEAR(Par(-40), 0.12847, 5e-6);
}

TEST(Par, EqualTemperaturesGiveFullSaturation) {
  for (double t : {-80.0, -40.5, -0.01, 0.0, 12.3, 45.0}) EXPECT_EQ(100.0 * (Par(t) / Par(t)), 100.0);
}

TEST(Par, NoValueWhereTheIceBranchLeavesADoublesRangeAndTheFormulaBeyond) {
  EXPECT_TRUE(std::isnan(Par(-285)));
  EXPECT_NEAR(Par(-300), 2.0797429243957457e+155, 1e143);
  EXPECT_TRUE(std::isnan(Par(-1e300)));
  EXPECT_TRUE(std::isfinite(Par(-279.8)));
  EXPECT_TRUE(std::isnan(Par(std::nan(""))));
}

TEST(LinearInterpolation, ReadsTheLineThroughTwoPoints) {
  EXPECT_EQ(LinearInterpolation(100, 200, 10, 20, 150), 15);
  EXPECT_EQ(LinearInterpolation(100, 200, 10, 20, 250), 25);
  EXPECT_EQ(LinearInterpolation(100, 200, 10, 20, 100), 10);
  EXPECT_EQ(LinearInterpolation(100, 100, 10, 20, 999), 15);
  EXPECT_EQ(LinearInterpolation(200, 100, 20, 10, 150), 15);
}

TEST(LinearInterpolation, RoundsOnceFromExtendedPrecision) {
  // In doubles (0.3 - 0.1) / (0.7 - 0.1) is not exactly 1/3; the extended result rounds to the
  // double nearest the exact line.
  const double y = LinearInterpolation(0.1, 0.7, 0.0, 3.0, 0.3);
  EXPECT_NEAR(y, 1.0, 1e-15);
  EXPECT_EQ(LinearInterpolation(0, 3, 0, 1, 1), 1.0 / 3.0);
}
