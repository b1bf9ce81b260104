#include "compare/layer_statistics.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
CurvePoints pointsOf(std::initializer_list<std::pair<double, double>> xy) {
  CurvePoints points;
  for (auto [x, y] : xy) points.add(x, y);
  return points;
}
}  // namespace

TEST(LayerStatistics, BiasSpreadAndCountPerLayer) {
  const auto layers = layerStatistics(pointsOf({{1, 100}, {3, 999.9}, {-2, 1000}, {10, 2500}, {14, 2999}}), 1000);
  ASSERT_EQ(layers.size(), 3u) << "an empty layer is left out";
  EXPECT_EQ(layers[0].bottom, 0);
  EXPECT_EQ(layers[0].top, 1000);
  EXPECT_EQ(layers[0].mean, 2);
  EXPECT_DOUBLE_EQ(layers[0].sd, std::sqrt(2.0));
  EXPECT_EQ(layers[0].points, 2);
  EXPECT_EQ(layers[1].bottom, 1000) << "a layer's bottom belongs to it";
  EXPECT_TRUE(std::isnan(layers[1].sd)) << "one value has no spread";
  EXPECT_EQ(layers[2].bottom, 2000);
  EXPECT_EQ(layers[2].mean, 12);
}

TEST(LayerStatistics, ThinLayersAndHeightsBelowZero) {
  const auto layers = layerStatistics(pointsOf({{5, -10}, {7, 260}, {9, 499}}), 250);
  ASSERT_EQ(layers.size(), 2u);
  EXPECT_EQ(layers[0].bottom, -250);
  EXPECT_EQ(layers[1].bottom, 250);
  EXPECT_EQ(layers[1].points, 2);
  EXPECT_TRUE(layerStatistics(CurvePoints{}, 1000).empty());
}

// 7.7 / 1.1 rounds to 7, yet 7 · 1.1 lies above 7.7: the height is in the layer below, as its
// written bounds say, in the window's statistics as in a campaign's.
TEST(LayerStatistics, AHeightOnABoundGoesWhereTheWrittenBoundsPutIt) {
  EXPECT_EQ(layerOf(7.7, 1.1), 6);
  EXPECT_EQ(layerOf(16.5, 1.1), 15);
  const auto layers = layerStatistics(pointsOf({{1, 7.7}}), 1.1);
  ASSERT_EQ(layers.size(), 1u);
  EXPECT_EQ(layers[0].bottom, 6 * 1.1);
  EXPECT_EQ(layers[0].top, 7 * 1.1);
}

TEST(LayerStatistics, StaysExactForLargeOffsets) {
  CurvePoints points;
  for (int i = 0; i < 1000; ++i) points.add(1e9 + (i % 2 ? 1 : -1), 10.0 * i);
  const auto layers = layerStatistics(points, 100000);
  ASSERT_EQ(layers.size(), 1u);
  EXPECT_EQ(layers[0].mean, 1e9);
  EXPECT_NEAR(layers[0].sd, std::sqrt(1000.0 / 999), 1e-9);
}
