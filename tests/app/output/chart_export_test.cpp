#include "app/output/chart_export.h"

#include "app/support/app_fonts.h"
#include "app/widgets/chart_series.h"

#include <QImage>
#include <QRegularExpression>
#include <qcustomplot.h>

#include <gtest/gtest.h>

namespace {

// A chart of one upright line down its middle, under axis titles that mix scripts and signs in the
// window's face, which lacks some of their glyphs.
class OneLine : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.resize(300, 200);
    chart.legend->setVisible(false);
    QPen pen(Qt::blue, 2);
    pen.setCosmetic(true);
    (new ChartSeries(&chart, QStringLiteral("Line"), pen))->setPoints({0.5, 0.5}, {0.0, 1.0});
    chart.xAxis->setRange(0, 1);
    chart.yAxis->setRange(0, 1);
    loadWindowFace();
    for (QCPAxis* axis : {chart.xAxis, chart.yAxis}) axis->setLabelFont(windowFont(12));
    chart.xAxis->setLabel(QStringLiteral("T₁ − T₂, °C"));
    chart.yAxis->setLabel(QStringLiteral("Высота, м (геопотенциальная)"));
    chart.replot();
  }

  QCustomPlot chart;
};

}  // namespace

TEST_F(OneLine, PensGrowWithThePicture) {
  for (const int scale : {1, 4}) {
    const QImage image = QImage::fromData(chartsPicture({&chart}, "png", "line.png", scale));
    const int y = chart.yAxis->coordToPixel(0.5) * scale;
    int blue = 0;
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      blue += pixel.blue() > 160 && pixel.red() < 100;
    }
    EXPECT_NEAR(blue, 2 * scale, 1) << scale << "×";
  }
}

TEST_F(OneLine, SvgTextsReadWholeInAnyFace) {
  const QString svg = QString::fromUtf8(chartsPicture({&chart}, "svg", "line.svg"));
  QStringList families;
  for (auto match = QRegularExpression(R"re(font-family="([^"]*)")re").globalMatch(svg); match.hasNext();)
    families << match.next().captured(1);
  ASSERT_FALSE(families.isEmpty());
  for (const QString& family : families) EXPECT_TRUE(family.endsWith(QLatin1String(", sans-serif"))) << family.toStdString();
  for (const char* text : {">T₁ − T₂, °C</text>", ">Высота, м (геопотенциальная)</text>", ">0.4</text>", ">0.6</text>"})
    EXPECT_TRUE(svg.contains(QString::fromUtf8(text))) << text;
}
