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
  form.switchboard.bindButton(form.Polus, [&] { reached << "Polus"; });
  form.switchboard.bindButton(form.Polus2, [&] { reached << "Polus2"; });
  form.switchboard.bindButton(form.Polus3, [&] { reached << "Polus3"; });
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  QTest::mouseClick(form.Button3, Qt::LeftButton);
  QTest::mouseClick(form.Button8, Qt::LeftButton);
  EXPECT_EQ(reached, QStringList({"Polus", "Polus2", "Polus3"}))
      << "Polus3 is hidden and disabled and must still be reached";
  EXPECT_FALSE(form.Polus3->isEnabled());
  EXPECT_TRUE(errors.messages.isEmpty());
}

TEST_F(PerformedClicks, EveryTriggerRedraws) {
  int redraws = 0;
  form.switchboard.bindButton(form.Compare, [&] { ++redraws; });
  for (QPushButton* quickSelect : {form.Button4, form.Button5, form.Button2, form.Button6, form.Button7})
    QTest::mouseClick(quickSelect, Qt::LeftButton);
  form.CheckBox1->click();
  QTest::keyClicks(form.Edit2, "5");
  QTest::keyClicks(form.ComboBox1, "x");
  EXPECT_EQ(redraws, 8);
}

TEST_F(PerformedClicks, AFailureEndsTheWholeChainAndReportsOnce) {
  bool readerWentOn = false;
  form.switchboard.bindButton(form.Compare, [] { throw std::runtime_error("File does not exist."); });
  form.switchboard.bindButton(form.Polus, [&] {
    form.Label1->setText("changed before the failure");
    form.switchboard.performClick(form.Compare);
    readerWentOn = true;
  });
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  EXPECT_EQ(errors.messages, QStringList{"File does not exist."});
  EXPECT_FALSE(readerWentOn);
  EXPECT_EQ(form.Label1->text(), "changed before the failure");

  QTest::mouseClick(form.Button1, Qt::LeftButton);
  EXPECT_EQ(errors.messages.size(), 2) << "the window stays usable after a failure";
}

TEST_F(PerformedClicks, PerformedClickOfAnUnboundButtonDoesNothing) {
  form.switchboard.performClick(form.AVK);
  EXPECT_TRUE(errors.messages.isEmpty());
}
