#include "campaign_output.h"
#include "flight_error.h"
#include "generated_campaign.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

CampaignReport reportOf(const GeneratedCampaign& campaign) {
  CampaignReport report;
  report.listName = campaign.list();
  report.pairs = readCampaignList(QFile::encodeName(campaign.list()).toStdString());
  report.result = runCampaign(report.pairs, report.settings);
  return report;
}

QByteArray head(const QString& fileName, int bytes) {
  QFile file(fileName);
  file.open(QIODevice::ReadOnly);
  return file.read(bytes);
}

}  // namespace

TEST(CampaignFiles, FiveWholeFilesAndNothingForACancelledRun) {
  const GeneratedCampaign campaign;
  const QString out = campaign.folder() + "/out";
  CampaignReport report = reportOf(campaign);
  saveCampaign(out, report);
  EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name),
            QStringList({"layers.csv", "pairs.csv", "profile.png", "profile.svg", "report.pdf"}))
      << "and no temporary file left";
  EXPECT_EQ(head(out + "/profile.png", 8), QByteArray("\x89PNG\r\n\x1a\n"));
  EXPECT_TRUE(head(out + "/profile.svg", 200).contains("<svg"));
  EXPECT_EQ(head(out + "/report.pdf", 5), QByteArray("%PDF-"));
  EXPECT_TRUE(head(out + "/pairs.csv", 1000).contains("3,a1.txt,gone.txt,m10,Flight 2: File does not exist.,,,"));

  report.result.cancelled = true;
  const QString refused = campaign.folder() + "/refused";
  EXPECT_THROW(saveCampaign(refused, report), FlightError);
  EXPECT_FALSE(QDir(refused).exists());
}
