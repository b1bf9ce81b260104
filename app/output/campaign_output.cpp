#include "app/output/campaign_output.h"

#include "app/output/atomic_file.h"
#include "app/output/campaign_charts.h"
#include "app/output/campaign_report.h"
#include "app/output/chart_export.h"
#include "campaign/campaign_csv.h"
#include "intake/flight_error.h"

#include <QDir>
#include <QFile>

#include <filesystem>
#include <system_error>

namespace {

// The picture at print resolution: twice its 1060 pixels, 300 dpi over the report's 7-inch
// figure width.
constexpr int kPrintScale = 2;
constexpr int kPrintDotsPerInch = 300;

}  // namespace

void saveCampaign(const QString& folder, const CampaignReport& report) {
  if (report.result.cancelled)
    throw FlightError("The campaign was cancelled: its results are incomplete and are not saved.");
  const QDir target(folder);
  const auto path = [&](const char* name) { return target.filePath(QString::fromLatin1(name)); };
  // Everything is drawn before the first file is written: what cannot be drawn leaves the
  // folder as it was.
  OffscreenCampaignCharts charts(report);
  // The tables are written from where they were made, not from copies: pairs.csv of a large
  // campaign with long paths is hundreds of MB.
  const std::string layers = layersCsv(report.result.layers), pairs = pairsCsv(report.pairRows);
  const FileContents files = {
      {path("layers.csv"), QByteArray::fromRawData(layers.data(), static_cast<qsizetype>(layers.size()))},
      {path("pairs.csv"), QByteArray::fromRawData(pairs.data(), static_cast<qsizetype>(pairs.size()))},
      {path("profile.svg"), chartsPicture(charts.pictureCharts(), QStringLiteral("svg"), path("profile.svg"))},
      {path("profile.png"), chartsPicture(charts.pictureCharts(), QStringLiteral("png"), path("profile.png"), kPrintScale,
                                          kPrintDotsPerInch)},
      {path("report.pdf"), campaignReportPdf(report, reportDate())},
  };
  createCampaignFolder(folder);
  writeFilesAtomically(files);
}

void createCampaignFolder(const QString& folder) {
  std::error_code failure;
  std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), failure);
  if (failure)
    throw FlightError("Cannot create the folder \"" + folder.toStdString() + "\": " + failure.message() + ".");
}
