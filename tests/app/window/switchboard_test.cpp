#include "tests/app/form_widgets.h"
#include "app/window/form1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class PerformedClicks : public ::testing::Test {
 protected:
  void SetUp() override {
    form.setErrorReporter(&errors);
    form.show();
  }
  TForm1 form;
  ErrorRecorder errors;
};

}  // namespace

TEST_F(PerformedClicks, OpenButtonsReachTheirHiddenReaders) {
  QStringList reached;
  form.switchboard.bindButton(widget<QPushButton>(form, "Polus"), [&] { reached << "Polus"; });
  form.switchboard.bindButton(widget<QPushButton>(form, "Polus2"), [&] { reached << "Polus2"; });
  form.switchboard.bindButton(widget<QPushButton>(form, "Polus3"), [&] { reached << "Polus3"; });
  QTest::mouseClick(widget<QPushButton>(form, "Button1"), Qt::LeftButton);
  QTest::mouseClick(widget<QPushButton>(form, "Button3"), Qt::LeftButton);
  QTest::mouseClick(widget<QPushButton>(form, "Button8"), Qt::LeftButton);
  EXPECT_EQ(reached, QStringList({"Polus", "Polus2", "Polus3"}))
      << "Polus3 is hidden and disabled and must still be reached";
  EXPECT_FALSE(widget<QPushButton>(form, "Polus3")->isEnabled());
  EXPECT_TRUE(errors.messages.isEmpty());
}

TEST_F(PerformedClicks, EveryTriggerRedraws) {
  int redraws = 0;
  form.switchboard.bindButton(widget<QPushButton>(form, "Compare"), [&] { ++redraws; });
  for (QPushButton* quickSelect : {widget<QPushButton>(form, "Button4"), widget<QPushButton>(form, "Button5"), widget<QPushButton>(form, "Button2"), widget<QPushButton>(form, "Button6"), widget<QPushButton>(form, "Button7")})
    QTest::mouseClick(quickSelect, Qt::LeftButton);
  widget<QCheckBox>(form, "CheckBox1")->click();
  QTest::keyClicks(widget<QLineEdit>(form, "Edit2"), "5");
  QTest::keyClicks(widget<QComboBox>(form, "ComboBox1"), "x");
  EXPECT_EQ(redraws, 8);
}

TEST_F(PerformedClicks, AFailureEndsTheWholeChainAndReportsOnce) {
  bool readerWentOn = false;
  form.switchboard.bindButton(widget<QPushButton>(form, "Compare"), [] { throw std::runtime_error("File does not exist."); });
  form.switchboard.bindButton(widget<QPushButton>(form, "Polus"), [&] {
    widget<QLabel>(form, "Label1")->setText("changed before the failure");
    form.switchboard.performClick(widget<QPushButton>(form, "Compare"));
    readerWentOn = true;
  });
  QTest::mouseClick(widget<QPushButton>(form, "Button1"), Qt::LeftButton);
  EXPECT_EQ(errors.messages, QStringList{"File does not exist."});
  EXPECT_FALSE(readerWentOn);
  EXPECT_EQ(widget<QLabel>(form, "Label1")->text(), "changed before the failure");

  QTest::mouseClick(widget<QPushButton>(form, "Button1"), Qt::LeftButton);
  EXPECT_EQ(errors.messages.size(), 2) << "the window stays usable after a failure";
}

TEST_F(PerformedClicks, PerformedClickOfAnUnboundButtonDoesNothing) {
  form.switchboard.performClick(widget<QPushButton>(form, "AVK"));
  EXPECT_TRUE(errors.messages.isEmpty());
}
