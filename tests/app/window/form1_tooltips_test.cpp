#include "tests/app/form_widgets.h"
#include "app/widgets/chart_series.h"
#include "app/widgets/legend_tool_tip.h"
#include "app/widgets/interactive_chart.h"
#include "app/window/form1.h"
#include "app/window/layer_statistics_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QHelpEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QTextDocument>
#include <QToolTip>
#include <qcustomplot.h>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

// Qt shows the tooltip of the widget under the mouse or, when it has none, of the nearest
// widget around it.
QString shownToolTip(const QWidget* widget, const QWidget* window) {
  for (; widget != window; widget = widget->parentWidget())
    if (!widget->toolTip().isEmpty()) return widget->toolTip();
  return {};
}

// The mouse rests on a panel's children rather than the panel itself.
bool holdsVisibleWidgets(const QWidget* widget) {
  const QList<QWidget*> children = widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  return std::any_of(children.begin(), children.end(), [](const QWidget* child) { return !child->isHidden(); });
}

}  // namespace

TEST(ToolTips, EveryControlInSightSaysWhatItDoes) {
  TForm1 form;
  widget<QLineEdit>(form, "Edit2")->show();  // as while flight 1's parameter is the slow channel
  for (const QWidget* widget : form.findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(&form) || holdsVisibleWidgets(widget)) continue;
    EXPECT_FALSE(shownToolTip(widget, &form).isEmpty())
        << widget->metaObject()->className() << " " << widget->objectName().toStdString() << " in "
        << widget->parentWidget()->objectName().toStdString();
  }
}

TEST(ToolTips, TheSeparatorBoxesStateTheComputersSeparator) {
  TForm1 form;
  for (const QCheckBox* box : {widget<QCheckBox>(form, "CheckBox2"), widget<QCheckBox>(form, "CheckBox3")}) {
    SCOPED_TRACE(box->text().toStdString());
    EXPECT_TRUE(box->toolTip().contains("разделитель дробной части на этом компьютере"));
    EXPECT_TRUE(box->toolTip().contains(box->text().toLower())) << "names its own separator";
  }
}

TEST(ToolTips, AChartsTipLeavesThePlotToTheCrosshair) {
  TForm1 form;
  form.show();
  widget<InteractiveChart>(form, "Chart1")->replot();
  const auto restAt = [&](const QPoint& at) {
    QHelpEvent rest(QEvent::ToolTip, at, widget<InteractiveChart>(form, "Chart1")->mapToGlobal(at));
    QApplication::sendEvent(widget<InteractiveChart>(form, "Chart1"), &rest);
    return QToolTip::isVisible();
  };
  EXPECT_FALSE(restAt(widget<InteractiveChart>(form, "Chart1")->axisRect()->rect().center() + QPoint(0, 60)));
  EXPECT_TRUE(restAt(QPoint(widget<InteractiveChart>(form, "Chart1")->axisRect()->left() / 2, widget<InteractiveChart>(form, "Chart1")->height() / 2))) << "over the axis";
  EXPECT_EQ(QToolTip::text(), widget<InteractiveChart>(form, "Chart1")->toolTip());
}

// The file label and the legend entry keep their text and tell who flew, when and where.
TEST(ToolTips, AFlightsLabelAndLegendEntryTellItsIdentity) {
  TForm1 form;
  form.show();
  const QString path = QString(REFERENCE_FILES) + "/gruan_rs41.nc";
  form.openFile(1, path.toUtf8());
  EXPECT_EQ(widget<QLabel>(form, "Label1")->text(), path);
  const auto plain = [](const QString& tip) {
    QTextDocument shown;
    shown.setHtml(tip);
    return shown.toPlainText();
  };
  for (const QString& tip : {plain(widget<QLabel>(form, "Label1")->toolTip()), plain(legendToolTip(widget<ChartSeries>(form, "Series1")))}) {
    EXPECT_TRUE(tip.startsWith(path + "\n")) << tip.toStdString();
    for (const char* line : {"Запуск: 2026-06-01 10:58:43 UTC", "Станция: XYZ Testfeld", "Место: 46.81° N, 6.94° E, 491 м",
                             "Зонд: RS41-SG, № T1234567", "Вид высоты: геопотенциальная"})
      EXPECT_TRUE(tip.contains(QString::fromUtf8(line))) << line;
  }
  widget<InteractiveChart>(form, "Chart1")->replot();
  const QRect entry = widget<InteractiveChart>(form, "Chart1")->legend->item(0)->outerRect();
  QHelpEvent rest(QEvent::ToolTip, entry.center(), widget<InteractiveChart>(form, "Chart1")->mapToGlobal(entry.center()));
  QApplication::sendEvent(widget<InteractiveChart>(form, "Chart1"), &rest);
  EXPECT_EQ(QToolTip::text(), legendToolTip(widget<ChartSeries>(form, "Series1")));
  widget<QComboBox>(form, "ComboBox1")->setCurrentIndex(0);
  form.ComboBox1Change();
  EXPECT_TRUE(plain(widget<QLabel>(form, "Label1")->toolTip()).contains(QString::fromUtf8("Вид высоты: не указан в файле"))) << "time is no height";
  form.openFile(2, QString(REFERENCE_FILES "/bulletins_of_three.bufr").toUtf8());
  const QString bulletin = plain(widget<QLabel>(form, "Label2")->toolTip());
  for (const char* line : {"Формат: BUFR TEMP (message 3 of 3)", "Срок: 2012-10-31 02:00 UTC", "Станция: LOWM"})
    EXPECT_TRUE(bulletin.contains(QString::fromUtf8(line))) << line;
}

// The pair on screen says what it compares: each flight's height and its kind, its parameter,
// the uncertainty it is judged by with the coverage factor stated, and how the two are joined;
// heights of different kinds are warned of above the table.
TEST(ToolTips, TheComparisonSaysWhatItComparesAndWarnsOfMixedHeights) {
  TForm1 form;
  const QString reference = REFERENCE_FILES;
  form.openFile(1, (reference + "/gruan_rs41.nc").toUtf8());
  form.openFile(2, (reference + "/gruan_rs92.nc").toUtf8());
  const QString facts = widget<LayerStatisticsPanel>(form, "LayerStatistics")->table->toolTip();
  for (const char* line : {"Полёт 1: высота «H» (геопотенциальная), параметр «T», °C, неопределённость «temp_uc» "
                           "(указан k = 2, приведена к k = 1)",
                           "Полёт 2: высота «H» (геометрическая над уровнем моря)",
                           "«u_temp» (указан k = 1)",
                           "Сложение u₁ и u₂: независимые: полные u в квадратуре"})
    EXPECT_TRUE(facts.contains(QString::fromUtf8(line))) << line << "\n" << facts.toStdString();
  EXPECT_TRUE(widget<LayerStatisticsPanel>(form, "LayerStatistics")->uncertaintyBoxes[0]->toolTip().endsWith("temp_uc: указан k = 2, приведена к k = 1"));
  EXPECT_FALSE(widget<LayerStatisticsPanel>(form, "LayerStatistics")->warning->isHidden());
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart2")->yAxis->label(), "Высота, м (геопотенциальная)");
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart1")->yAxis->label(), "Высота, м (1: геопотенциальная, 2: геометрическая над уровнем моря)");
  widget<QComboBox>(form, "ComboBox3")->setCurrentIndex(0);
  emit widget<QComboBox>(form, "ComboBox3")->activated(0);
  EXPECT_TRUE(widget<LayerStatisticsPanel>(form, "LayerStatistics")->warning->isHidden()) << "the time is of no kind";
}
