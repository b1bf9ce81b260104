#include "tests/app/form_widgets.h"
#include "app/widgets/chart_series.h"
#include "app/widgets/interactive_chart.h"
#include "app/widgets/up_down.h"
#include "app/window/form1.h"
#include "flight/flight_tables.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>

#include <gtest/gtest.h>

namespace {

struct ControlAtStart {
  const char* name;
  QString caption;
  QRect place;  // an empty size: only the top-left corner is designed
  bool shown;
  bool enabled;
};

QString captionOf(QWidget* control) {
  if (auto button = qobject_cast<QAbstractButton*>(control)) return button->text();
  if (auto label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto edit = qobject_cast<QLineEdit*>(control)) return edit->text();
  if (auto box = qobject_cast<QComboBox*>(control)) return box->currentText();
  return {};
}

}  // namespace

TEST(StartUp, EveryControlHasItsCaptionPlaceAndState) {
  TForm1 form;
  const ControlAtStart controls[] = {
      {"Button1", "Открыть 1", {1, 3, 88, 25}, true, true},
      {"Button3", "Открыть 2", {90, 3, 83, 25}, true, true},
      {"Button8", "Открыть 3 (без сравнения)", {0, 29, 173, 25}, true, true},
      {"Polus", "Открыть Файл Полюс", {346, 8, 113, 15}, false, true},
      {"Polus2", "Открыть Файл Полюс", {465, 29, 113, 15}, false, true},
      {"Polus3", "Открыть Файл Вектор", {346, 29, 113, 15}, false, false},
      {"AVK", "Открыть Файл АВК", {465, 8, 113, 15}, false, false},
      {"Compare", " Сравнить", {584, 2, 172, 26}, false, true},
      {"UpDown1", "", {179, 3, 22, 52}, true, true},
      {"Label3", "Корректировка", {204, 14, 0, 0}, true, true},
      {"Label4", "высоты", {204, 31, 0, 0}, true, true},
      {"Edit1", "0", {273, 14, 30, 21}, true, false},
      {"Label5", "Параметр 1", {273, 42, 0, 0}, true, true},
      {"Label6", "Параметр 2", {361, 42, 0, 0}, true, true},
      {"Label1", "Вектор", {309, 10, 0, 0}, true, true},
      {"Label2", "АВК", {309, 20, 0, 0}, true, true},
      {"Label7", "МАРЛ", {309, 30, 0, 0}, true, true},
      {"Label8", "Разделитель дробной части:", {465, 42, 0, 0}, true, true},
      {"CheckBox2", "Точка", {619, 41, 48, 17}, true, true},
      {"CheckBox3", "Запятая", {673, 38, 97, 17}, true, true},
      {"Edit2", "10", {776, 38, 24, 21}, false, true},
      {"ComboBox1", "ComboBox1", {801, 18, 73, 21}, true, true},
      {"ComboBox2", "ComboBox2", {801, 38, 73, 21}, true, true},
      {"ComboBox3", "ComboBox3", {874, 18, 73, 21}, true, true},
      {"ComboBox4", "ComboBox4", {874, 38, 73, 21}, true, true},
      {"ComboBox5", "ComboBox3", {947, 18, 73, 21}, true, true},
      {"ComboBox6", "ComboBox3", {947, 38, 73, 21}, true, true},
      {"Button4", "T", {800, 0, 28, 18}, true, true},
      {"Button5", "H", {830, 0, 28, 18}, true, true},
      {"Button2", "D", {860, 0, 28, 18}, true, true},
      {"Button6", "V", {890, 0, 28, 18}, true, true},
      {"Button7", "P", {920, 0, 28, 18}, true, true},
      {"CheckBox1", "+", {994, 0, 32, 17}, true, true},
      {"Memo1", "", {1032, 1, 82, 58}, true, true},
  };
  for (const ControlAtStart& expected : controls) {
    SCOPED_TRACE(expected.name);
    auto control = widget<QFrame>(form, "Panel1")->findChild<QWidget*>(QString::fromLatin1(expected.name));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(captionOf(control), expected.caption);
    EXPECT_EQ(control->pos(), expected.place.topLeft());
    if (!expected.place.size().isEmpty()) {
      EXPECT_EQ(control->size(), expected.place.size());
    }
    EXPECT_EQ(!control->isHidden(), expected.shown);
    EXPECT_EQ(control->isEnabled(), expected.enabled);
  }
}

TEST(StartUp, OpensWhollyOnTheScreenAndNeverCutsAControl) {
  TForm1 form;
  form.placeOnScreen(QRect(0, 0, 1920, 1040));
  EXPECT_EQ(form.geometry(), QRect(274, 154, 1115, 690)) << "the designed place where it fits";
  const QRect small(0, 0, 1280, 760);
  form.placeOnScreen(small);
  EXPECT_TRUE(small.contains(form.geometry().adjusted(0, -32, 0, 0))) << "title bar included";
  EXPECT_EQ(form.geometry().center().x(), small.center().x());

  // At its smallest every control of the top panel stands where it was designed, whole.
  form.show();
  form.resize(QSize(1115, 690));
  QApplication::processEvents();
  QMap<QWidget*, QRect> designed;
  for (QWidget* control : widget<QFrame>(form, "Panel1")->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    if (!control->isHidden()) designed.insert(control, control->geometry());
  form.resize(form.minimumSize());
  QApplication::processEvents();
  for (auto control = designed.cbegin(); control != designed.cend(); ++control) {
    SCOPED_TRACE(control.key()->objectName().toStdString());
    EXPECT_EQ(control.key()->geometry(), control.value());
    EXPECT_TRUE(widget<QFrame>(form, "Panel1")->rect().contains(control.value()));
  }
  EXPECT_GT(widget<InteractiveChart>(form, "Chart1")->width(), widget<InteractiveChart>(form, "Chart2")->width());
}

TEST(StartUp, HoldsNoDataAndTheDesignedChoices) {
  // The height window as the program starts, whatever other tests left: the window's creation
  // sets its top.
  MaxHight = MinHight = 0.0;
  TForm1 form;
  EXPECT_EQ(form.windowTitle(), "Сравнение полетов С чтением \"Сырых данных\"");
  EXPECT_EQ(form.geometry(), QRect(274, 154, 1115, 690)) << "placed on a screen only when shown there";
  EXPECT_EQ(widget<QFrame>(form, "Panel1")->height(), 60);
  EXPECT_TRUE(widget<QPlainTextEdit>(form, "Memo1")->toPlainText().isEmpty());
  EXPECT_EQ(MaxHight, 50000.0);
  EXPECT_EQ(MinHight, 0.0);
  EXPECT_FALSE(widget<QCheckBox>(form, "CheckBox1")->isChecked());
  const bool pointLocale = QLocale::system().decimalPoint() != QLatin1String(",");
  EXPECT_EQ(widget<QCheckBox>(form, "CheckBox2")->isChecked(), pointLocale) << "the box of the regional separator is ticked";
  EXPECT_EQ(widget<QCheckBox>(form, "CheckBox3")->isChecked(), !pointLocale);
  EXPECT_EQ(widget<UpDown>(form, "UpDown1")->position(), 0);
  EXPECT_EQ(widget<UpDown>(form, "UpDown1")->increment(), 1);
  for (QComboBox* box : {widget<QComboBox>(form, "ComboBox1"), widget<QComboBox>(form, "ComboBox2"), widget<QComboBox>(form, "ComboBox3"), widget<QComboBox>(form, "ComboBox4"),
                         widget<QComboBox>(form, "ComboBox5"), widget<QComboBox>(form, "ComboBox6")}) {
    EXPECT_EQ(box->count(), 0);
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_TRUE(box->isEditable());
  }
  for (ChartSeries* series : {widget<ChartSeries>(form, "Series1"), widget<ChartSeries>(form, "Series2"), widget<ChartSeries>(form, "Series3"), widget<ChartSeries>(form, "Series4"), widget<ChartSeries>(form, "Series5")})
    EXPECT_TRUE(series->data()->isEmpty()) << series->ownName().toStdString();
  for (ChartSeries* series : {widget<ChartSeries>(form, "Series1"), widget<ChartSeries>(form, "Series2"), widget<ChartSeries>(form, "Series5")})
    EXPECT_EQ(series->name(), series->ownName()) << "a blank title lists the series by its name";
}

TEST(StartUp, SeriesHaveTheirColoursAndOnlyTheAverageStartsHidden) {
  TForm1 form;
  struct Expected {
    ChartSeries* series;
    QCustomPlot* chart;
    QColor colour;
    int width;
    bool visible;
  };
  const Expected expected[] = {
      {widget<ChartSeries>(form, "Series1"), widget<InteractiveChart>(form, "Chart1"), QColor(0xFF8080), 5, true},
      {widget<ChartSeries>(form, "Series2"), widget<InteractiveChart>(form, "Chart1"), QColor(0x0000FF), 2, true},
      {widget<ChartSeries>(form, "Series5"), widget<InteractiveChart>(form, "Chart1"), QColor(0x008000), 1, true},
      {widget<ChartSeries>(form, "Series3"), widget<InteractiveChart>(form, "Chart2"), QColor(0x4466A3), 1, true},
      {widget<ChartSeries>(form, "Series4"), widget<InteractiveChart>(form, "Chart2"), QColor(0x00F7FD), 3, false},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.series->ownName().toStdString());
    EXPECT_EQ(e.series->parentPlot(), e.chart);
    EXPECT_EQ(e.series->pen().color(), e.colour);
    EXPECT_EQ(e.series->pen().width(), e.width);
    EXPECT_EQ(e.series->visible(), e.visible);
    EXPECT_EQ(e.series->scatterStyle().shape(), QCPScatterStyle::ssNone);
  }
}

TEST(StartUp, Chart2KeepsItsWidthWhenTheWindowGrows) {
  TForm1 form;
  form.show();
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart2")->width(), 328);
  EXPECT_EQ(widget<QSplitter>(form, "Splitter1")->handleWidth(), 8);
  const int memoRightMargin = widget<QFrame>(form, "Panel1")->width() - widget<QPlainTextEdit>(form, "Memo1")->geometry().right();
  form.resize(1400, 800);
  QApplication::processEvents();
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart2")->width(), 328);
  EXPECT_EQ(widget<QFrame>(form, "Panel1")->height(), 60);
  EXPECT_EQ(widget<QFrame>(form, "Panel1")->width() - widget<QPlainTextEdit>(form, "Memo1")->geometry().right(), memoRightMargin);
  EXPECT_EQ(widget<QPushButton>(form, "Button4")->pos(), QPoint(800, 0));
}
