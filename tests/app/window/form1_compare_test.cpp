#include "tests/app/form_widgets.h"
#include "app/widgets/chart_series.h"
#include "app/widgets/interactive_chart.h"
#include "app/widgets/shift_box.h"
#include "app/window/form1.h"
#include "app/window/layer_statistics_panel.h"
#include "flight/flight_tables.h"
#include "tests/generator/flight_generator.h"
#include "tests/app/window/scripted_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTest>

#include <gtest/gtest.h>

using WindowRedraw = ScriptedWindow;

TEST_F(WindowRedraw, EveryReadRedrawsBothCharts) {
  FlightRecipe sct;
  sct.layout = Layout::Sct;
  sct.rows = 300;
  FlightRecipe vre;
  vre.layout = Layout::Vre;
  vre.rows = 400;
  vre.bias = 0.5;
  open(widget<QPushButton>(form, "Button1"), sct);
  EXPECT_EQ(widget<ChartSeries>(form, "Series1")->dataCount(), 300);
  EXPECT_EQ(widget<ChartSeries>(form, "Series3")->dataCount(), 0) << "no flight 2 yet";
  open(widget<QPushButton>(form, "Button3"), vre);
  ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
  EXPECT_EQ(widget<ChartSeries>(form, "Series2")->dataCount(), 399) << "its first row, at 75 m, lies below flight 1";
  EXPECT_EQ(widget<ChartSeries>(form, "Series3")->dataCount(), 300);
  EXPECT_EQ(widget<ChartSeries>(form, "Series4")->dataCount(), 300 - 51) << "filled although hidden";
  EXPECT_FALSE(widget<ChartSeries>(form, "Series4")->visible());
  EXPECT_NEAR(widget<ChartSeries>(form, "Series3")->data()->at(150)->key, -0.5, 0.01) << "flight 1 minus flight 2";
  EXPECT_TRUE(widget<InteractiveChart>(form, "Chart1")->yAxis->range().contains(30000)) << "the axes follow the data";

  widget<ChartSeries>(form, "Series1")->setVisible(false);
  open(widget<QPushButton>(form, "Button8"), sct);
  EXPECT_FALSE(widget<ChartSeries>(form, "Series1")->visible()) << "a redraw refills a hidden series and keeps it hidden";
  EXPECT_EQ(widget<ChartSeries>(form, "Series1")->dataCount(), 300);
  EXPECT_EQ(widget<ChartSeries>(form, "Series5")->dataCount(), 300);
}

TEST_F(WindowRedraw, ASlowChannelNumberThatIsNoWholeNumberEmptiesTheChartsWithOneMessage) {
  FlightRecipe sct;
  sct.layout = Layout::Sct;
  open(widget<QPushButton>(form, "Button1"), sct);
  ASSERT_EQ(lowchange1Position, 7);
  widget<QComboBox>(form, "ComboBox2")->setCurrentIndex(7);
  emit widget<QComboBox>(form, "ComboBox2")->activated(7);
  EXPECT_GT(widget<ChartSeries>(form, "Series1")->dataCount(), 0);
  widget<QLineEdit>(form, "Edit2")->setText("x");
  EXPECT_EQ(errors.messages, QStringList{"'x' is not a valid integer value"});
  for (ChartSeries* series : {widget<ChartSeries>(form, "Series1"), widget<ChartSeries>(form, "Series2"), widget<ChartSeries>(form, "Series3"), widget<ChartSeries>(form, "Series4"), widget<ChartSeries>(form, "Series5")})
    EXPECT_EQ(series->dataCount(), 0);
  widget<QLineEdit>(form, "Edit2")->setText("11");
  EXPECT_EQ(errors.messages.size(), 1);
  EXPECT_EQ(widget<ChartSeries>(form, "Series1")->dataCount(), 67) << "rows of channel 11 only";
}

// Two sondes of one balloon, flight 2's clock started 4.2 s before flight 1's.
TEST_F(WindowRedraw, MatchedInTimeTheShiftIsFoundTypedOrFoundAgainAndSaid) {
  FlightRecipe sonde;
  sonde.layout = Layout::Sct;
  sonde.rows = 6000;
  sonde.ascentSwing = 10;
  open(widget<QPushButton>(form, "Button1"), sonde);
  sonde.clockStart = -4.2;
  sonde.seed = 1;
  open(widget<QPushButton>(form, "Button3"), sonde);
  LayerStatisticsPanel* panel = widget<LayerStatisticsPanel>(form, "LayerStatistics");
  // Written in the axes' notation, here an operator's Russian one.
  widget<InteractiveChart>(form, "Chart2")->setLocale(QLocale(QLocale::Russian));
  const auto said = [&] {
    return widget<InteractiveChart>(form, "Chart2")->xAxis->label() + " | " + widget<QLabel>(form, "ShiftCaption")->text();
  };
  EXPECT_FALSE(said().contains("сдвиг")) << "matched by height, as designed";

  panel->matchingBox->setCurrentIndex(1);
  EXPECT_TRUE(said().contains("по времени, сдвиг +4,2 с | Сдвиг найден: +4,2 с")) << said().toStdString();
  EXPECT_NEAR(panel->shiftBox->value(), 4.2, 1e-9);
  panel->shiftBox->setValue(3);
  EXPECT_TRUE(said().contains("сдвиг +3,0 с | Сдвиг введён: +3,0 с")) << said().toStdString();
  panel->autoShiftButton->click();
  EXPECT_TRUE(said().contains("сдвиг +4,2 с | Сдвиг найден")) << said().toStdString();
  EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();

  FlightRecipe timeless = sonde;
  timeless.layout = Layout::IndentedH;
  open(widget<QPushButton>(form, "Button3"), timeless);
  EXPECT_EQ(errors.messages, QStringList{"Flight 2 has no time column."});
  EXPECT_EQ(widget<ChartSeries>(form, "Series3")->dataCount(), 0);
  EXPECT_FALSE(said().contains("сдвиг"));
  EXPECT_EQ(panel->shiftBox->text(), "авто") << "no shift of the flight before stays";
}
