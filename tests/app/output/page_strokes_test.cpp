#include "app/output/page_strokes.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <limits>

namespace {

QByteArray inflated(const QByteArray& deflated) {
  QByteArray sized(4, '\0');
  qToBigEndian<quint32>(1 << 16, sized.data());
  return qUncompress(sized + deflated);
}

}  // namespace

// A value beyond any scale (a column that overflowed) has no place on the page: the line breaks
// there rather than carry a number no PDF reader takes.
TEST(PageStrokes, PointsBeyondThePagesNumbersBreakTheLine) {
  PageStrokes lines(QTransform(), 842, 72);
  const double nothing = std::numeric_limits<double>::quiet_NaN();
  lines.stroke(std::vector<QPointF>{{1, 1}, {2, 2}, {nothing, 3}, {1e300, 4}, {5, 5}, {6, 6}}, QPen(Qt::black, 1));
  const QByteArray content = inflated(lines.deflated());
  EXPECT_TRUE(content.contains("2 2 m\n4 4 l\n10 10 m\n12 12 l\nS\n")) << content.toStdString();
  EXPECT_TRUE(content.startsWith("q\n0.5 0 0 -0.5 0 842 cm\n")) << "grid points to the page's points, from its foot";
}
