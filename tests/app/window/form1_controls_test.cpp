// The controls that change what the redraw shows: correction, "+", separators, combo boxes,
// the slow-channel number, quick-select.
#include "tests/app/form_widgets.h"
#include "app/widgets/chart_series.h"
#include "app/widgets/clickable_label.h"
#include "app/widgets/up_down.h"
#include "tests/app/window/scripted_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

class Controls : public ScriptedWindow {
 protected:
  void SetUp() override {
    ScriptedWindow::SetUp();
    sct.layout = Layout::Sct;
    sct.rows = 120;
  }

  // Counts redraws without doing them; for tests of the controls alone.
  void countRedraws() {
    form.switchboard.bindButton(widget<QPushButton>(form, "Compare"), [this] { ++redraws; });
  }

  void pick(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
  }

  FlightRecipe sct;
  int redraws = 0;
};

}  // namespace

TEST_F(Controls, StepLabelTogglesTheStepAndKeepsThePosition) {
  countRedraws();
  widget<UpDown>(form, "UpDown1")->stepUp();
  widget<UpDown>(form, "UpDown1")->stepUp();
  widget<UpDown>(form, "UpDown1")->stepUp();
  QTest::mouseClick(widget<ClickableLabel>(form, "Label4"), Qt::LeftButton);
  EXPECT_EQ(widget<ClickableLabel>(form, "Label4")->text(), "высоты 10");
  EXPECT_EQ(widget<UpDown>(form, "UpDown1")->position(), 3);
  widget<UpDown>(form, "UpDown1")->stepUp();
  EXPECT_EQ(widget<QLineEdit>(form, "Edit1")->text(), "13") << "the step does not snap to tens";
  QTest::mouseClick(widget<ClickableLabel>(form, "Label4"), Qt::LeftButton);
  EXPECT_EQ(widget<ClickableLabel>(form, "Label4")->text(), "высоты");
  EXPECT_EQ(widget<UpDown>(form, "UpDown1")->increment(), 1);
  EXPECT_EQ(redraws, 4) << "only steps redraw";
}

TEST_F(Controls, StepsStopAtTheEndsAndAStepThatCannotMoveRunsNothing) {
  countRedraws();
  QTest::mouseClick(widget<ClickableLabel>(form, "Label4"), Qt::LeftButton);
  for (int i = 0; i < 49; ++i) widget<UpDown>(form, "UpDown1")->stepUp();
  EXPECT_EQ(widget<QLineEdit>(form, "Edit1")->text(), "490");
  QTest::mouseClick(widget<ClickableLabel>(form, "Label4"), Qt::LeftButton);
  for (int i = 0; i < 5; ++i) widget<UpDown>(form, "UpDown1")->stepUp();
  QTest::mouseClick(widget<ClickableLabel>(form, "Label4"), Qt::LeftButton);
  const int before = redraws;
  widget<UpDown>(form, "UpDown1")->stepUp();
  EXPECT_EQ(widget<QLineEdit>(form, "Edit1")->text(), "500") << "a step of 10 from 495 ends at 500";
  EXPECT_EQ(redraws, before + 1);
  widget<UpDown>(form, "UpDown1")->stepUp();
  EXPECT_EQ(redraws, before + 1) << "at 500 a step up does nothing";
  for (int i = 0; i < 200; ++i) widget<UpDown>(form, "UpDown1")->stepDown();
  EXPECT_EQ(widget<QLineEdit>(form, "Edit1")->text(), "-500");
  EXPECT_FALSE(widget<QLineEdit>(form, "Edit1")->isEnabled());
}

TEST_F(Controls, PlusChangesOnlyTheComparison) {
  FlightRecipe other = sct;
  other.bias = 1;
  open(widget<QPushButton>(form, "Button1"), sct);
  open(widget<QPushButton>(form, "Button3"), other);
  const double flight1 = widget<ChartSeries>(form, "Series1")->data()->at(10)->key;
  const double minus = widget<ChartSeries>(form, "Series3")->data()->at(10)->key;
  QTest::mouseClick(widget<QCheckBox>(form, "CheckBox1"), Qt::LeftButton);
  EXPECT_EQ(widget<ChartSeries>(form, "Series1")->data()->at(10)->key, flight1);
  EXPECT_NEAR(widget<ChartSeries>(form, "Series3")->data()->at(10)->key, minus + 2 * (flight1 - minus), 1e-9);
  EXPECT_TRUE(errors.messages.isEmpty());
}

TEST_F(Controls, SeparatorBoxesFlipTogetherAndRedrawNothing) {
  countRedraws();
  const bool point = widget<QCheckBox>(form, "CheckBox2")->isChecked();
  for (QCheckBox* box : {widget<QCheckBox>(form, "CheckBox2"), widget<QCheckBox>(form, "CheckBox3"), widget<QCheckBox>(form, "CheckBox3"), widget<QCheckBox>(form, "CheckBox2")}) {
    const bool before = widget<QCheckBox>(form, "CheckBox2")->isChecked();
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_NE(widget<QCheckBox>(form, "CheckBox2")->isChecked(), before);
    EXPECT_NE(widget<QCheckBox>(form, "CheckBox2")->isChecked(), widget<QCheckBox>(form, "CheckBox3")->isChecked());
  }
  EXPECT_EQ(widget<QCheckBox>(form, "CheckBox2")->isChecked(), point);
  EXPECT_EQ(redraws, 0);
}

TEST_F(Controls, Edit2ShowsForTheSlowChannelAfterTheRedraw) {
  open(widget<QPushButton>(form, "Button1"), sct);
  ASSERT_EQ(lowchange1Position, 7);
  bool shownDuringRedraw = true;
  form.switchboard.bindButton(widget<QPushButton>(form, "Compare"), [&] { shownDuringRedraw = !widget<QLineEdit>(form, "Edit2")->isHidden(); });
  pick(widget<QComboBox>(form, "ComboBox2"), 7);
  EXPECT_FALSE(shownDuringRedraw) << "the redraw runs first";
  EXPECT_FALSE(widget<QLineEdit>(form, "Edit2")->isHidden());

  pick(widget<QComboBox>(form, "ComboBox6"), 2);
  pick(widget<QComboBox>(form, "ComboBox5"), 2);
  EXPECT_FALSE(widget<QLineEdit>(form, "Edit2")->isHidden()) << "slot 3 never touches Edit2";
  QTest::mouseClick(widget<QPushButton>(form, "Button4"), Qt::LeftButton);
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox2")->currentText(), "tmp1f");
  EXPECT_FALSE(widget<QLineEdit>(form, "Edit2")->isHidden()) << "quick-select runs no change handler";

  FlightRecipe tab;
  open(widget<QPushButton>(form, "Button1"), tab);
  EXPECT_EQ(lowchange1Position, kNoSlwiColumn);
  EXPECT_FALSE(widget<QLineEdit>(form, "Edit2")->isHidden()) << "a read leaves Edit2 as it was";
  pick(widget<QComboBox>(form, "ComboBox2"), 2);
  EXPECT_TRUE(widget<QLineEdit>(form, "Edit2")->isHidden());
}

TEST_F(Controls, Edit2WaitsForANumberBeingTypedAndReportsAnyOtherText) {
  open(widget<QPushButton>(form, "Button1"), sct);
  pick(widget<QComboBox>(form, "ComboBox2"), 7);
  ASSERT_TRUE(errors.messages.isEmpty());
  const int drawn = widget<ChartSeries>(form, "Series2")->dataCount() + widget<ChartSeries>(form, "Series3")->dataCount();
  widget<QLineEdit>(form, "Edit2")->clear();
  QTest::keyClicks(widget<QLineEdit>(form, "Edit2"), " -x");
  EXPECT_EQ(widget<QLineEdit>(form, "Edit2")->text(), " -") << "only blanks, a sign and digits can be typed";
  EXPECT_TRUE(errors.messages.isEmpty()) << "a number being typed is no error";
  EXPECT_EQ(widget<ChartSeries>(form, "Series2")->dataCount() + widget<ChartSeries>(form, "Series3")->dataCount(), drawn) << "and keeps the last drawing";
  QTest::keyClicks(widget<QLineEdit>(form, "Edit2"), "11");
  EXPECT_TRUE(errors.messages.isEmpty());
  widget<QLineEdit>(form, "Edit2")->setText(QStringLiteral("1x"));
  EXPECT_EQ(errors.messages, QStringList({"'1x' is not a valid integer value"}));
  pick(widget<QComboBox>(form, "ComboBox2"), 2);
  widget<QLineEdit>(form, "Edit2")->setText(QStringLiteral("y"));
  EXPECT_EQ(errors.messages.size(), 1) << "the text matters only for the slow channel";
}

TEST_F(Controls, AFailedReadAndTheRedrawAfterItReportBothInOrder) {
  open(widget<QPushButton>(form, "Button1"), sct);
  pick(widget<QComboBox>(form, "ComboBox2"), 7);
  widget<QLineEdit>(form, "Edit2")->setText(QStringLiteral("x"));
  errors.messages.clear();
  const QString bad = write("bad.txt", "INTtime INTalt\n1\n");
  chooser.choose(bad);
  widget<QPushButton>(form, "Button3")->click();
  EXPECT_EQ(errors.messages, QStringList({"'' is not a valid floating point value\nFile: " + bad + ", line 2",
                                          "'x' is not a valid integer value"}));
}

TEST_F(Controls, TypedTextSelectsTheItemItNamesOrNone) {
  open(widget<QPushButton>(form, "Button1"), sct);
  QLineEdit* edit = widget<QComboBox>(form, "ComboBox2")->lineEdit();
  edit->selectAll();
  QTest::keyClicks(edit, "hymf");
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox2")->currentIndex(), 3);
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox2")->count(), 9) << "typing never adds an item";
  EXPECT_EQ(widget<ChartSeries>(form, "Series1")->dataCount(), 120);
  QTest::keyClicks(edit, "z");
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox2")->currentIndex(), -1);
  EXPECT_EQ(edit->text(), "hymfz");
  EXPECT_EQ(widget<ChartSeries>(form, "Series1")->dataCount(), 0) << "no column, nothing drawn";
  EXPECT_TRUE(errors.messages.isEmpty());
}

TEST_F(Controls, QuickSelectSwitchesEveryListWhereItCanAndRedrawsAnyway) {
  countRedraws();
  QTest::mouseClick(widget<QPushButton>(form, "Button5"), Qt::LeftButton);
  EXPECT_EQ(redraws, 1) << "with no flight the redraw still runs";
  form.switchboard.bindButton(widget<QPushButton>(form, "Compare"), [] {});
  FlightRecipe integer;
  integer.layout = Layout::Int;
  open(widget<QPushButton>(form, "Button1"), sct);
  chooser.choose(write("no_pressure.txt", "t\tH\tT\n1\t100\t5\n2\t200\t4\n"));
  widget<QPushButton>(form, "Button3")->click();
  open(widget<QPushButton>(form, "Button8"), integer);
  pick(widget<QComboBox>(form, "ComboBox4"), 1);
  QTest::mouseClick(widget<QPushButton>(form, "Button7"), Qt::LeftButton);
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox2")->currentText(), "prsr");
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox4")->currentIndex(), 1) << "no match keeps the selection";
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox6")->currentText(), "INTpres");
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox1")->currentText(), "He") << "heights stay";
}
