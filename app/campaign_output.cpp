#include "campaign_output.h"

#include "atomic_file.h"
#include "campaign_charts.h"
#include "campaign_csv.h"
#include "campaign_report.h"
#include "chart_export.h"
#include "flight_error.h"

#include <QDir>

#include <utility>

void saveCampaign(const QString& folder, const CampaignReport& report) {
  if (report.result.cancelled)
    throw FlightError("The campaign was cancelled: its results are incomplete and are not saved.");
  const QDir target(folder);
  const auto path = [&](const char* name) { return target.filePath(QString::fromLatin1(name)); };
  // Everything is drawn before the first file is written: what cannot be drawn leaves the
  // folder as it was.
  OffscreenCampaignCharts charts(report);
  const std::pair<const char*, QByteArray> files[] = {
      {"layers.csv", QByteArray::fromStdString(layersCsv(report.result.layers))},
      {"pairs.csv", QByteArray::fromStdString(pairsCsv(report.pairs, report.result.pairs))},
      {"profile.svg", chartsPicture(charts.charts(), QStringLiteral("svg"), path("profile.svg"))},
      {"profile.png", chartsPicture(charts.charts(), QStringLiteral("png"), path("profile.png"))},
      {"report.pdf", campaignReportPdf(report, reportDate())},
  };
  if (!target.mkpath(QStringLiteral(".")))
    throw FlightError("Cannot create the folder.", "Folder: " + folder.toStdString());
  for (const auto& [name, bytes] : files) writeFileAtomically(path(name), bytes);
}
