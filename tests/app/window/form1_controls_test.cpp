// The controls that change what the redraw shows: correction, "+", separators, combo boxes,
// the slow-channel number, quick-select.
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
    form.switchboard.bindButton(form.Compare, [this] { ++redraws; });
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
  form.UpDown1->stepUp();
  form.UpDown1->stepUp();
  form.UpDown1->stepUp();
  QTest::mouseClick(form.Label4, Qt::LeftButton);
  EXPECT_EQ(form.Label4->text(), "высоты 10");
  EXPECT_EQ(form.UpDown1->position(), 3);
  form.UpDown1->stepUp();
  EXPECT_EQ(form.Edit1->text(), "13") << "the step does not snap to tens";
  QTest::mouseClick(form.Label4, Qt::LeftButton);
  EXPECT_EQ(form.Label4->text(), "высоты");
  EXPECT_EQ(form.UpDown1->increment(), 1);
  EXPECT_EQ(redraws, 4) << "only steps redraw";
}

TEST_F(Controls, StepsStopAtTheEndsAndAStepThatCannotMoveRunsNothing) {
  countRedraws();
  QTest::mouseClick(form.Label4, Qt::LeftButton);
  for (int i = 0; i < 49; ++i) form.UpDown1->stepUp();
  EXPECT_EQ(form.Edit1->text(), "490");
  QTest::mouseClick(form.Label4, Qt::LeftButton);
  for (int i = 0; i < 5; ++i) form.UpDown1->stepUp();
  QTest::mouseClick(form.Label4, Qt::LeftButton);
  const int before = redraws;
  form.UpDown1->stepUp();
  EXPECT_EQ(form.Edit1->text(), "500") << "a step of 10 from 495 ends at 500";
  EXPECT_EQ(redraws, before + 1);
  form.UpDown1->stepUp();
  EXPECT_EQ(redraws, before + 1) << "at 500 a step up does nothing";
  for (int i = 0; i < 200; ++i) form.UpDown1->stepDown();
  EXPECT_EQ(form.Edit1->text(), "-500");
  EXPECT_FALSE(form.Edit1->isEnabled());
}

TEST_F(Controls, PlusChangesOnlyTheComparison) {
  FlightRecipe other = sct;
  other.bias = 1;
  open(form.Button1, sct);
  open(form.Button3, other);
  const double flight1 = form.Series1->data()->at(10)->key;
  const double minus = form.Series3->data()->at(10)->key;
  QTest::mouseClick(form.CheckBox1, Qt::LeftButton);
  EXPECT_EQ(form.Series1->data()->at(10)->key, flight1);
  EXPECT_NEAR(form.Series3->data()->at(10)->key, minus + 2 * (flight1 - minus), 1e-9);
  EXPECT_TRUE(errors.messages.isEmpty());
}

TEST_F(Controls, SeparatorBoxesFlipTogetherAndRedrawNothing) {
  countRedraws();
  const bool point = form.CheckBox2->isChecked();
  for (QCheckBox* box : {form.CheckBox2, form.CheckBox3, form.CheckBox3, form.CheckBox2}) {
    const bool before = form.CheckBox2->isChecked();
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_NE(form.CheckBox2->isChecked(), before);
    EXPECT_NE(form.CheckBox2->isChecked(), form.CheckBox3->isChecked());
  }
  EXPECT_EQ(form.CheckBox2->isChecked(), point);
  EXPECT_EQ(redraws, 0);
}

TEST_F(Controls, Edit2ShowsForTheSlowChannelAfterTheRedraw) {
  open(form.Button1, sct);
  ASSERT_EQ(lowchange1Position, 7);
  bool shownDuringRedraw = true;
  form.switchboard.bindButton(form.Compare, [&] { shownDuringRedraw = !form.Edit2->isHidden(); });
  pick(form.ComboBox2, 7);
  EXPECT_FALSE(shownDuringRedraw) << "the redraw runs first";
  EXPECT_FALSE(form.Edit2->isHidden());

  pick(form.ComboBox6, 2);
  pick(form.ComboBox5, 2);
  EXPECT_FALSE(form.Edit2->isHidden()) << "slot 3 never touches Edit2";
  QTest::mouseClick(form.Button4, Qt::LeftButton);
  EXPECT_EQ(form.ComboBox2->currentText(), "tmp1f");
  EXPECT_FALSE(form.Edit2->isHidden()) << "quick-select runs no change handler";

  FlightRecipe tab;
  open(form.Button1, tab);
  EXPECT_EQ(lowchange1Position, kNoSlwiColumn);
  EXPECT_FALSE(form.Edit2->isHidden()) << "a read leaves Edit2 as it was";
  pick(form.ComboBox2, 2);
  EXPECT_TRUE(form.Edit2->isHidden());
}

TEST_F(Controls, Edit2WaitsForANumberBeingTypedAndReportsAnyOtherText) {
  open(form.Button1, sct);
  pick(form.ComboBox2, 7);
  ASSERT_TRUE(errors.messages.isEmpty());
  const int drawn = form.Series2->dataCount() + form.Series3->dataCount();
  form.Edit2->clear();
  QTest::keyClicks(form.Edit2, " -x");
  EXPECT_EQ(form.Edit2->text(), " -") << "only blanks, a sign and digits can be typed";
  EXPECT_TRUE(errors.messages.isEmpty()) << "a number being typed is no error";
  EXPECT_EQ(form.Series2->dataCount() + form.Series3->dataCount(), drawn) << "and keeps the last drawing";
  QTest::keyClicks(form.Edit2, "11");
  EXPECT_TRUE(errors.messages.isEmpty());
  form.Edit2->setText(QStringLiteral("1x"));
  EXPECT_EQ(errors.messages, QStringList({"'1x' is not a valid integer value"}));
  pick(form.ComboBox2, 2);
  form.Edit2->setText(QStringLiteral("y"));
  EXPECT_EQ(errors.messages.size(), 1) << "the text matters only for the slow channel";
}

TEST_F(Controls, AFailedReadAndTheRedrawAfterItReportBothInOrder) {
  open(form.Button1, sct);
  pick(form.ComboBox2, 7);
  form.Edit2->setText(QStringLiteral("x"));
  errors.messages.clear();
  const QString bad = write("bad.txt", "INTtime INTalt\n1\n");
  chooser.choose(bad);
  form.Button3->click();
  EXPECT_EQ(errors.messages, QStringList({"'' is not a valid floating point value\nFile: " + bad + ", line 2",
                                          "'x' is not a valid integer value"}));
}

TEST_F(Controls, TypedTextSelectsTheItemItNamesOrNone) {
  open(form.Button1, sct);
  QLineEdit* edit = form.ComboBox2->lineEdit();
  edit->selectAll();
  QTest::keyClicks(edit, "hymf");
  EXPECT_EQ(form.ComboBox2->currentIndex(), 3);
  EXPECT_EQ(form.ComboBox2->count(), 9) << "typing never adds an item";
  EXPECT_EQ(form.Series1->dataCount(), 120);
  QTest::keyClicks(edit, "z");
  EXPECT_EQ(form.ComboBox2->currentIndex(), -1);
  EXPECT_EQ(edit->text(), "hymfz");
  EXPECT_EQ(form.Series1->dataCount(), 0) << "no column, nothing drawn";
  EXPECT_TRUE(errors.messages.isEmpty());
}

TEST_F(Controls, QuickSelectSwitchesEveryListWhereItCanAndRedrawsAnyway) {
  countRedraws();
  QTest::mouseClick(form.Button5, Qt::LeftButton);
  EXPECT_EQ(redraws, 1) << "with no flight the redraw still runs";
  form.switchboard.bindButton(form.Compare, [] {});
  FlightRecipe integer;
  integer.layout = Layout::Int;
  open(form.Button1, sct);
  chooser.choose(write("no_pressure.txt", "t\tH\tT\n1\t100\t5\n2\t200\t4\n"));
  form.Button3->click();
  open(form.Button8, integer);
  pick(form.ComboBox4, 1);
  QTest::mouseClick(form.Button7, Qt::LeftButton);
  EXPECT_EQ(form.ComboBox2->currentText(), "prsr");
  EXPECT_EQ(form.ComboBox4->currentIndex(), 1) << "no match keeps the selection";
  EXPECT_EQ(form.ComboBox6->currentText(), "INTpres");
  EXPECT_EQ(form.ComboBox1->currentText(), "He") << "heights stay";
}
