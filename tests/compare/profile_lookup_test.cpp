#include "compare/comparison_redraw.h"
#include "compare/profile_lookup.h"
#include "flight/flight_tables.h"
#include "flight/numeric_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

void setProfile(const std::vector<double>& heights, const std::vector<double>& values) {
  for (std::size_t k = 0; k < heights.size(); ++k) {
    Massiv2H[k + 1] = heights[k];
    Massiv2[k + 1] = values.empty() ? 0.0 : values[k];
  }
  MassivsCount = static_cast<int>(heights.size());
  indexProfile();
}

// The scan as operators know it: from pair 1, the first pair that encloses the height.
int literalBracket(double hight) {
  for (int k = 1; k < MassivsCount; ++k)
    if (Massiv2H[k] <= hight && Massiv2H[k + 1] >= hight) return k;
  return 0;
}

double lookup(double hight, double sravn, bool plus = false) {
  double result = std::nan("");
  EXPECT_TRUE(Compare_2_graph(hight, sravn, plus, result)) << hight;
  return result;
}

}  // namespace

TEST(Compare2Graph, InterpolatesInTheFirstEnclosingPair) {
  setProfile({0, 100, 200}, {10, 20, 40});
  EXPECT_EQ(lookup(150, 35), 5);
  EXPECT_EQ(lookup(150, 35, true), 65);
  EXPECT_EQ(lookup(100, 0, true), 20) << "a height on a profile point stops at the earlier pair";

  setProfile({100, 100, 200}, {20, 24, 30});
  EXPECT_EQ(lookup(100, 0, true), 22) << "equal neighbouring heights give the mean";

  setProfile({0, 100, 200, 150, 50}, {10, 20, 40, 30, 15});
  EXPECT_EQ(lookup(120, 0, true), 24) << "the rising part wins over the falling one";
}

TEST(Compare2Graph, NoBracketNoValue) {
  double result = 0;
  setProfile({}, {});
  EXPECT_FALSE(Compare_2_graph(5, 1, false, result));
  setProfile({5}, {1});
  EXPECT_FALSE(Compare_2_graph(5, 1, false, result)) << "one pair encloses nothing";
  setProfile({0, 100, 50}, {1, 2, 3});
  EXPECT_FALSE(Compare_2_graph(101, 1, false, result));
  EXPECT_FALSE(Compare_2_graph(-1, 1, false, result));
  EXPECT_FALSE(Compare_2_graph(std::nan(""), 1, false, result));
  setProfile({0, std::nan(""), 100}, {1, 2, 3});
  EXPECT_FALSE(Compare_2_graph(50, 1, false, result)) << "pairs without a height enclose nothing";
}

TEST(ProfileLookup, FindsTheSameBracketAsTheLiteralScan) {
  std::mt19937 random(20261208);
  const auto uniform = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
  for (int round = 0; round < 400; ++round) {
    const int size = std::uniform_int_distribution<int>(0, round < 200 ? 12 : 400)(random);
    std::vector<double> heights;
    double h = uniform(-50, 50);
    for (int i = 0; i < size; ++i) {
      switch (std::uniform_int_distribution<int>(0, 9)(random)) {
        case 0: break;                                         // the same height again
        case 1: h -= uniform(0, 30); break;                    // a fall
        case 2: h = std::round(uniform(-50, 400)); break;      // a jump anywhere
        case 3: heights.push_back(std::nan("")); continue;     // a height without a value
        default: h += std::round(uniform(0, 20));              // a rise
      }
      heights.push_back(h == 0 ? (round % 2 ? -0.0 : 0.0) : h);
    }
    setProfile(heights, {});
    std::vector<double> queries = {std::nan(""), -1e300, 1e300};
    for (double height : heights) queries.insert(queries.end(), {height, std::nextafter(height, 1e9), height + 0.5});
    for (int i = 0; i < 200; ++i) queries.push_back(std::round(uniform(-80, 450)));
    ProfileLookup fast;
    fast.build(Massiv2H, MassivsCount);
    for (double query : queries) ASSERT_EQ(fast.bracket(query), literalBracket(query)) << "round " << round << " height " << query;
  }
}
