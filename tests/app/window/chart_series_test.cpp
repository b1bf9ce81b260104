#include "tests/app/form_widgets.h"
#include "app/widgets/chart_series.h"
#include "app/widgets/interactive_chart.h"
#include "app/window/form1.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

QPoint centreOf(QCPAbstractLegendItem* item) { return item->outerRect().center(); }

QCPAbstractLegendItem* legendEntryOf(QCustomPlot* chart, QCPAbstractPlottable* series) {
  return chart->legend->itemWithPlottable(series);
}

}  // namespace

TEST(Legend, EveryEntryCarriesACheckBox) {
  TForm1 form;
  for (QCustomPlot* chart : {widget<InteractiveChart>(form, "Chart1"), widget<InteractiveChart>(form, "Chart2")}) {
    for (int i = 0; i < chart->legend->itemCount(); ++i)
      EXPECT_NE(qobject_cast<CheckableLegendItem*>(chart->legend->item(i)), nullptr);
  }
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart1")->legend->itemCount(), 3);
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart2")->legend->itemCount(), 2);
}

TEST(Legend, ClickTogglesTheSeriesAndKeepsItsPoints) {
  TForm1 form;
  form.show();
  widget<ChartSeries>(form, "Series1")->setData({1.0, 2.0, 3.0}, {10.0, 30.0, 20.0});
  widget<InteractiveChart>(form, "Chart1")->replot();

  const QPoint entry = centreOf(legendEntryOf(widget<InteractiveChart>(form, "Chart1"), widget<ChartSeries>(form, "Series1")));
  QTest::mouseClick(widget<InteractiveChart>(form, "Chart1"), Qt::LeftButton, {}, entry);
  EXPECT_FALSE(widget<ChartSeries>(form, "Series1")->visible());
  EXPECT_EQ(widget<ChartSeries>(form, "Series1")->data()->size(), 3);
  QTest::mouseClick(widget<InteractiveChart>(form, "Chart1"), Qt::LeftButton, {}, entry);
  EXPECT_TRUE(widget<ChartSeries>(form, "Series1")->visible());

  widget<InteractiveChart>(form, "Chart2")->replot();
  QTest::mouseClick(widget<InteractiveChart>(form, "Chart2"), Qt::LeftButton, {}, centreOf(legendEntryOf(widget<InteractiveChart>(form, "Chart2"), widget<ChartSeries>(form, "Series4"))));
  EXPECT_TRUE(widget<ChartSeries>(form, "Series4")->visible());
}

TEST(Legend, CurvesKeepTheOrderOfTheirPoints) {
  TForm1 form;
  widget<ChartSeries>(form, "Series2")->setData({5.0, 1.0, 3.0}, {100.0, 300.0, 200.0});
  const auto points = widget<ChartSeries>(form, "Series2")->data();
  EXPECT_EQ(points->at(0)->key, 5.0);
  EXPECT_EQ(points->at(1)->value, 300.0);
  EXPECT_EQ(points->at(2)->value, 200.0);
}

TEST(Legend, BlankTitleListsTheSeriesByItsName) {
  TForm1 form;
  widget<ChartSeries>(form, "Series2")->setLegendTitle("flights/2026-12-08.TAE3");
  EXPECT_EQ(widget<ChartSeries>(form, "Series2")->name(), "flights/2026-12-08.TAE3");
  widget<ChartSeries>(form, "Series2")->setLegendTitle("   ");
  EXPECT_EQ(widget<ChartSeries>(form, "Series2")->name(), "Series2");
}
