#include "app/widgets/thinned_polyline.h"

#include <gtest/gtest.h>

namespace {

const QRectF kBox(0, 0, 100, 100);

std::vector<QVector<QPointF>> piecesOf(const QVector<QPointF>& points) {
  std::vector<QVector<QPointF>> pieces;
  ThinnedPolyline line(kBox, [&pieces](const QVector<QPointF>& piece) { pieces.push_back(piece); });
  for (const QPointF& point : points) line.lineTo(point);
  line.finish();
  return pieces;
}

}  // namespace

TEST(ThinnedPolyline, CutsSegmentsToTheBox) {
  struct Case {
    QPointF a, b;
    bool inside;
    QPointF cutA, cutB;
  };
  const Case cases[] = {
      {{10, 10}, {90, 50}, true, {10, 10}, {90, 50}},
      {{-50, 50}, {50, 50}, true, {0, 50}, {50, 50}},
      {{50, -1e12}, {50, 1e12}, true, {50, 0}, {50, 100}},
      {{-10, -10}, {-5, 200}, false, {}, {}},
      {{150, 0}, {200, 50}, false, {}, {}},
  };
  for (const Case& c : cases) {
    QPointF a = c.a, b = c.b;
    ASSERT_EQ(clipToBox(a, b, kBox), c.inside) << c.a.x() << "," << c.a.y();
    if (!c.inside) continue;
    EXPECT_EQ(a, c.cutA);
    EXPECT_EQ(b, c.cutB);
  }
}

TEST(ThinnedPolyline, DrawsEachRunOfARowThroughItsEndsAndExtremesAndBreaksOutsideTheBox) {
  QVector<QPointF> zigzag;
  for (int i = 0; i <= 50; ++i) zigzag << QPointF(i % 2 ? 80 : 20 + i * 0.1, 10.5);
  zigzag << QPointF(50, 11.5);
  const auto thinned = piecesOf(zigzag);
  ASSERT_EQ(thinned.size(), 1u);
  EXPECT_EQ(thinned[0], (QVector<QPointF>{{20, 10.5}, {80, 10.5}, {25, 10.5}, {50, 11.5}}))
      << "first (also leftmost), rightmost, last of the row, then the next row";

  const auto broken = piecesOf({{10, 10}, {20, 20}, {20, 500}, {30, 600}, {40, 50}, {50, 60}});
  ASSERT_EQ(broken.size(), 2u) << "out of the box and back in";
  EXPECT_EQ(broken[0], (QVector<QPointF>{{10, 10}, {20, 20}, {20, 100}}));
  EXPECT_EQ(broken[1].back(), QPointF(50, 60));
}
