#include "app/output/campaign_output.h"

#include "app/output/atomic_file.h"
#include "app/output/campaign_charts.h"
#include "app/output/campaign_netcdf.h"
#include "app/output/campaign_report.h"
#include "app/output/chart_export.h"
#include "app/presentation/pairs_csv.h"
#include "campaign/campaign_csv.h"
#include "flight/flight_error.h"

#include <QDir>
#include <QFile>

#include <filesystem>
#include <future>
#include <system_error>

namespace {

// The picture at print resolution: twice its 1060 pixels, 300 dpi over the report's 7-inch
// figure width.
constexpr int kPrintScale = 2;
constexpr int kPrintDotsPerInch = 300;

}  // namespace

void saveCampaign(const QString& folder, const CampaignReport& report) {
  if (report.result.cancelled)
    throw FlightError(MessageId::CampaignCancelledUnsaved);
  const QDir target(folder);
  const auto path = [&](const char* name) { return target.filePath(QString::fromLatin1(name)); };
  // The pictures are drawn before the first file is written, the report as its temporary file is:
  // what cannot be drawn leaves the folder as it was. The report's panels are drawn on other
  // threads from the start, the PNG's file as soon as its pixels are.
  const QDateTime made = reportDate();
  CampaignReportPdf reportPdf(report, made);
  OffscreenCampaignCharts charts(report);
  const QImage print = chartsImage(charts.pictureCharts(), path("profile.png"), kPrintScale, kPrintDotsPerInch);
  std::future<QByteArray> png =
      std::async(std::launch::async, [&print, name = path("profile.png")] { return pngBytes(print, name); });
  reportPdf.draw();
  // pairs.csv is written a line at a time: with long paths, a large campaign's is hundreds of MB.
  const std::vector<FileToWrite> files = {
      {path("layers.csv"), bytesOf(QByteArray::fromStdString(layersCsv(report.result.layers)))},
      {path("layers.nc"), bytesOf(campaignNetcdf(report, made))},
      {path("pairs.csv"),
       [&report](const ByteSink& write) {
         writePairsCsv(report, [&write](const std::string& text) { write(text.data(), text.size()); });
       }},
      {path("profile.svg"), bytesOf(chartsPicture(charts.pictureCharts(), QStringLiteral("svg"), path("profile.svg")))},
      {path("profile.png"),
       [&png](const ByteSink& write) {
         const QByteArray bytes = png.get();
         write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
       }},
      {path("report.pdf"), [&reportPdf](const ByteSink& write) { reportPdf.write(write); }},
  };
  createCampaignFolder(folder);
  writeFilesAtomically(files);
}

void createCampaignFolder(const QString& folder) {
  std::error_code failure;
  std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), failure);
  if (failure)
    throw FlightError(Message(MessageId::CannotCreateFolder, {folder.toStdString(), failure.message()}));
}
