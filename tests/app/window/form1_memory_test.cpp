// What the window remembers from one session to the next, and what it never does.
#include "tests/app/form_widgets.h"
#include "app/campaign_window/campaign_window.h"
#include "app/support/settings_file.h"
#include "app/widgets/shift_box.h"
#include "app/widgets/up_down.h"
#include "app/window/layer_statistics_panel.h"
#include "tests/app/window/scripted_window.h"

#include <sys/stat.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QSplitter>

namespace {

class Memory : public ScriptedWindow {
 protected:
  QString flight(const QString& name) {
    FlightRecipe recipe;
    recipe.rows = 50;
    return write(name, generateFlight(recipe));
  }
  const QString settingsFile() { return folder.filePath("settings.ini"); }
};

}  // namespace

TEST_F(Memory, TheNextSessionFindsFoldersRecentFilesLayerAndMatchingButNothingThatChangesNumbers) {
  {
    const auto settings = openSettings(settingsFile()).settings;
    TForm1 session;
    session.setErrorReporter(&errors);
    session.remember(settings.get());
    for (int i = 0; i < 11; ++i) session.openFile(1 + i % 2, QFile::encodeName(flight(QStringLiteral("f%1.txt").arg(i))));
    session.openFile(1, QFile::encodeName(folder.filePath("f3.txt")));
    LayerStatisticsPanel* panel = widget<LayerStatisticsPanel>(session, "LayerStatistics");
    panel->thicknessBox->setCurrentIndex(panel->thicknessBox->findData(5000.0));
    panel->shiftBox->setValue(4.5);
    panel->matchingBox->setCurrentIndex(1);
    widget<QCheckBox>(session, "CheckBox1")->click();
    widget<UpDown>(session, "UpDown1")->stepUp();
    session.showCampaignWindow();
    CampaignWindow* campaign = session.findChild<CampaignWindow*>();
    campaign->quantityBox->setCurrentIndex(campaign->quantityBox->findData(QChar('H')));
    campaign->layerBox->setValue(250);
    session.close();
  }
  const auto settings = openSettings(settingsFile()).settings;
  TForm1 next;
  next.remember(settings.get());
  const QList<QByteArray> recent = next.recentFiles();
  ASSERT_EQ(recent.size(), 10) << "the last ten";
  EXPECT_EQ(recent.first(), QFile::encodeName(folder.filePath("f3.txt"))) << "opened again, it comes first, once";
  EXPECT_EQ(recent.count(QFile::encodeName(folder.filePath("f3.txt"))), 1);
  EXPECT_FALSE(recent.contains(QFile::encodeName(folder.filePath("f0.txt"))));
  EXPECT_EQ(next.OpenDialog2.fileName, QFile::encodeName(folder.path() + "/")) << "the dialog starts in the last folder";
  const LayerStatisticsPanel* panel = widget<LayerStatisticsPanel>(next, "LayerStatistics");
  EXPECT_EQ(panel->thickness(), 5000);
  EXPECT_EQ(panel->matchingBox->currentText(), "по времени");
  EXPECT_EQ(panel->typedShift(), 4.5);
  EXPECT_FALSE(widget<QCheckBox>(next, "CheckBox1")->isChecked()) << "\"+\" starts as designed";
  EXPECT_EQ(widget<UpDown>(next, "UpDown1")->position(), 0);
  next.showCampaignWindow();
  const CampaignWindow* campaign = next.findChild<CampaignWindow*>();
  EXPECT_EQ(campaign->quantityBox->currentData().toChar(), QChar('H'));
  EXPECT_EQ(campaign->layerBox->value(), 250);
  EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
}

TEST_F(Memory, ACorruptSettingsFileIsBegunAfresh) {
  QFile corrupt(settingsFile());
  ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
  corrupt.write("[window]\ngeometry=@ByteArray(\\x1\\xff)\nsplitter=\"\n[statistics]\nlayer=thick\n\xff\xfe\x00[[[\n");
  corrupt.close();
  const auto settings = openSettings(settingsFile()).settings;
  TForm1 next;
  next.remember(settings.get());
  EXPECT_EQ(widget<LayerStatisticsPanel>(next, "LayerStatistics")->thickness(), 1000) << "as designed";
  EXPECT_TRUE(next.recentFiles().isEmpty());
  next.openFile(1, QFile::encodeName(flight("a.txt")));
  settings->sync();
  EXPECT_EQ(settings->status(), QSettings::NoError) << "and written anew";
  EXPECT_EQ(openSettings(settingsFile()).settings->value("files/recent").toList().size(), 1);
}

// A FIFO where the settings belong would hold the window before it shows, a huge file its memory:
// the window starts without them, says so, and writes nothing there.
TEST_F(Memory, ASettingsFileThatIsNoSmallFileIsLeftAlone) {
  const QString fifo = folder.filePath("fifo.ini"), huge = folder.filePath("huge.ini");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  QFile file(huge);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_TRUE(file.resize(kLargestSettingsFile + 1));
  file.close();
  for (const QString& place : {fifo, huge}) {
    const OpenedSettings opened = openSettings(place);
    EXPECT_FALSE(opened.settings);
    EXPECT_TRUE(opened.refusal.contains(place)) << opened.refusal.toStdString();
  }
  TForm1 window;
  window.showStatus(openSettings(fifo).refusal);
  const QLabel* status = window.findChild<QLabel*>(QStringLiteral("StatusLine"));
  ASSERT_TRUE(status);
  EXPECT_FALSE(status->isHidden());
  EXPECT_TRUE(status->text().contains(fifo));
  EXPECT_EQ(QFileInfo(huge).size(), kLargestSettingsFile + 1);
}
