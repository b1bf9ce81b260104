#include "tests/app/form_widgets.h"
#include "app/campaign_window/campaign_window.h"
#include "app/output/campaign_output.h"
#include "app/output/campaign_report.h"
#include "app/output/campaign_tables.h"
#include "app/support/switchboard.h"
#include "app/widgets/chart_series.h"
#include "app/widgets/interactive_chart.h"
#include "app/widgets/shift_box.h"
#include "flight/flight_error.h"
#include "tests/support/campaign_files.h"
#include "tests/support/temp_folder.h"
#include "tests/app/window/scripted_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The shared campaign in a folder of its own.
class CampaignFolder : public TempFolder {
 public:
  CampaignFolder() { writeCampaign(*this); }
  QString list() const { return filePath("list.csv"); }
  QByteArray file(const char* name) const { return QFile::encodeName(filePath(name)); }
};

CampaignReport reportOf(const CampaignFolder& campaign) {
  std::vector<CampaignPair> pairs = readCampaignList(QFile::encodeName(campaign.list()).toStdString());
  CampaignResult result = runCampaign(pairs, CampaignSettings{});
  return campaignReport(campaign.list().toStdString(), CampaignSettings{}, std::move(pairs), std::move(result));
}

QByteArray head(const QString& fileName, int bytes) {
  QFile file(fileName);
  file.open(QIODevice::ReadOnly);
  return file.read(bytes);
}

}  // namespace

TEST(CampaignFiles, SixWholeFilesAndNothingForACancelledRun) {
  const CampaignFolder campaign;
  const QString out = campaign.filePath("out");
  CampaignReport report = reportOf(campaign);
  saveCampaign(out, report);
  EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name),
            QStringList({"layers.csv", "layers.nc", "pairs.csv", "profile.png", "profile.svg", "report.pdf"}))
      << "and no temporary file left";
  EXPECT_EQ(head(out + "/layers.nc", 4), QByteArray("CDF\x02", 4));
  EXPECT_EQ(head(out + "/profile.png", 8), QByteArray("\x89PNG\r\n\x1a\n"));
  EXPECT_TRUE(head(out + "/profile.svg", 200).contains("<svg"));
  EXPECT_EQ(head(out + "/report.pdf", 5), QByteArray("%PDF-"));
  EXPECT_TRUE(head(out + "/pairs.csv", 1000).contains("2,a.txt,gone.txt,night,Flight 2: File does not exist.,,,"));

  report.result.cancelled = true;
  const QString refused = campaign.filePath("refused");
  EXPECT_THROW(saveCampaign(refused, report), FlightError);
  EXPECT_FALSE(QDir(refused).exists());
}

// A failure between a report's start and its file (a picture that cannot be drawn, a full disc)
// leaves a report its panel threads have begun: it must end without a trace.
TEST(CampaignFiles, AReportLeftBeforeItsFileEndsQuietly) {
  const CampaignFolder campaign;
  const CampaignReport report = reportOf(campaign);
  for (const bool drawn : {false, true}) {
    SCOPED_TRACE(drawn);
    CampaignReportPdf left(report, QDateTime::currentDateTimeUtc());
    if (drawn) left.draw();
  }
}

namespace {

class CampaignWindowTest : public ScriptedWindow {
 protected:
  void SetUp() override {
    ScriptedWindow::SetUp();
    form.showCampaignWindow();
    window = form.findChild<CampaignWindow*>();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  }

  void runToTheEnd() {
    QTest::mouseClick(window->runButton, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->runButton->isEnabled(); }, 60000));
  }

  QString cell(const QAbstractItemView* table, int row, int column, int role = Qt::DisplayRole) const {
    return table->model()->index(row, column).data(role).toString();
  }

  QStringList layerGroups() const {
    QStringList groups;
    for (int row = 0; row < window->layersTable->rowCount(); ++row)
      if (!groups.contains(cell(window->layersTable, row, 0))) groups << cell(window->layersTable, row, 0);
    return groups;
  }

  bool showsNoResult() const {
    for (int row = 0; row < window->pairsTable->model()->rowCount(); ++row)
      if (!cell(window->pairsTable, row, kStatusColumn).isEmpty()) return false;
    return window->layersTable->rowCount() == 0 && window->biasChart->plottableCount() == 0 &&
           !window->saveButton->isEnabled();
  }

  // Saves what the window shows when asked to, so that it can be looked at.
  void grabIfAsked(const char* name) {
    const QString folder = qEnvironmentVariable("FLIGHTCOMPARE_GRABS");
    if (!folder.isEmpty()) window->grab().save(folder + '/' + name);
  }

  CampaignFolder campaign;
  CampaignWindow* window = nullptr;
};

}  // namespace

TEST_F(CampaignWindowTest, RunsAListAndShowsEveryLayerAndEveryPairsStatus) {
  window->loadList(campaign.list());
  runToTheEnd();
  EXPECT_EQ(window->progressBar->value(), 4);
  ASSERT_EQ(window->pairsTable->model()->rowCount(), 4);
  EXPECT_EQ(cell(window->pairsTable, 0, kStatusColumn), "сравнена");
  EXPECT_EQ(cell(window->pairsTable, 1, kStatusColumn), "Flight 2: File does not exist.");
  EXPECT_EQ(layerGroups(), QStringList({"Все пары", "day", "night"}));
  EXPECT_EQ(window->biasChart->xAxis->label(), "T₁ − T₂, °C");
  EXPECT_TRUE(window->saveButton->isEnabled());
  const auto flightTip = [this] {
    QTextDocument shown;
    shown.setHtml(cell(window->pairsTable, 0, kFlight1Column, Qt::ToolTipRole));
    return shown.toPlainText();
  };
  EXPECT_TRUE(flightTip().contains(QString::fromUtf8("Формат: tab layout"))) << "the run tells what it read";
  grabIfAsked("campaign_window.png");

  window->layerBox->setValue(500);
  EXPECT_TRUE(showsNoResult()) << "a result of other settings is put away";
  EXPECT_FALSE(flightTip().contains(QString::fromUtf8("Формат:"))) << "and so is what its reads told";
  QAbstractItemModel* pairs = window->pairsTable->model();
  ASSERT_TRUE(pairs->flags(pairs->index(0, kGroupColumn)) & Qt::ItemIsEditable);
  pairs->setData(pairs->index(0, kGroupColumn), "dawn");
  runToTheEnd();
  EXPECT_EQ(layerGroups(), QStringList({"Все пары", "dawn", "night"}));
  EXPECT_EQ(window->listLabel->text(), "Список: " + campaign.list() + " (изменён в окне), пар: 4");

  window->clearPairs();
  QTest::mouseClick(window->runButton, Qt::LeftButton);
  EXPECT_EQ(errors.messages, QStringList{"No pairs to compare: open a list, or add files two at a time."});
  EXPECT_TRUE(showsNoResult());
}

TEST_F(CampaignWindowTest, PairsBuiltFromFilesOpenIntoSlotsOneAndTwoOnADoubleClick) {
  const QByteArray a = campaign.file("a.txt");
  const QByteArray b = campaign.file("b.txt");
  EXPECT_THROW(window->addFiles({a, b, a}), FlightError);
  EXPECT_EQ(window->pairsTable->model()->rowCount(), 0) << "an odd file adds no pair";
  QMimeData dropped;
  dropped.setUrls({QUrl::fromLocalFile(QString::fromLocal8Bit(a)), QUrl::fromLocalFile(QString::fromLocal8Bit(b))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &drop);
  window->addFiles({a, campaign.file("gone.txt")});
  ASSERT_EQ(window->pairsTable->model()->rowCount(), 2);

  const auto doubleClick = [this](int row) {
    const QRect place = window->pairsTable->visualRect(window->pairsTable->model()->index(row, kFlight1Column));
    // A double click is a click and then a second press that the system calls double.
    QTest::mouseClick(window->pairsTable->viewport(), Qt::LeftButton, {}, place.center());
    QTest::mouseDClick(window->pairsTable->viewport(), Qt::LeftButton, {}, place.center());
  };
  doubleClick(0);
  EXPECT_EQ(widget<QLabel>(form, "Label1")->text(), QString::fromLocal8Bit(a));
  EXPECT_EQ(widget<QLabel>(form, "Label2")->text(), QString::fromLocal8Bit(b));
  EXPECT_GT(widget<ChartSeries>(form, "Series3")->dataCount(), 0) << "the pair is compared in the main window";
  EXPECT_TRUE(errors.messages.isEmpty());
  doubleClick(1);
  EXPECT_EQ(errors.messages.size(), 1) << "a pair that cannot be read says so";
}

// The shift applies only in time, "авто" until one is typed; either choice puts the result away,
// and the next session takes both up.
TEST_F(CampaignWindowTest, MatchingInTimeTakesAShiftAndTheNextSessionTakesBothUp) {
  QSettings remembered(folder.filePath("settings.ini"), QSettings::IniFormat);
  Switchboard board(&errors);
  const auto session = [&] {
    return std::make_unique<CampaignWindow>(
        CampaignHost{board, [] { return DecimalSeparators{'.', '.'}; }, [](const CampaignPair&) {}, &remembered}, nullptr);
  };
  std::unique_ptr<CampaignWindow> first = session();
  window = first.get();
  window->loadList(campaign.list());
  runToTheEnd();
  EXPECT_FALSE(window->shiftBox->isEnabled());
  window->matchBox->setCurrentIndex(window->matchBox->findText("по времени"));
  EXPECT_TRUE(showsNoResult());
  EXPECT_TRUE(window->shiftBox->isEnabled());
  EXPECT_EQ(window->shiftBox->text(), "авто");
  runToTheEnd();
  EXPECT_EQ(cell(window->pairsTable, 0, kStatusColumn), "сравнена");
  window->shiftBox->setValue(4.5);
  EXPECT_TRUE(showsNoResult());
  first.reset();

  const std::unique_ptr<CampaignWindow> next = session();
  EXPECT_EQ(next->matchBox->currentText(), "по времени");
  EXPECT_EQ(next->shiftBox->value(), 4.5);
  EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
}

TEST_F(CampaignWindowTest, CancelStopsAtOnceAndTheNextRunShowsOnlyItsOwnResult) {
  window->loadList(campaign.list());
  QTest::mouseClick(window->runButton, Qt::LeftButton);
  QTest::mouseClick(window->cancelButton, Qt::LeftButton);
  EXPECT_EQ(window->statusLabel->text(), "Отменено: результатов нет.");
  EXPECT_TRUE(window->runButton->isEnabled());
  EXPECT_FALSE(window->cancelButton->isEnabled());
  QTest::qWait(200);
  EXPECT_TRUE(showsNoResult()) << "the cancelled run's pairs never show";

  runToTheEnd();
  EXPECT_EQ(cell(window->pairsTable, 2, kStatusColumn), "сравнена");
  EXPECT_TRUE(errors.messages.isEmpty());
}
