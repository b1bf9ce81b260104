#include "campaign_output.h"

#include "atomic_file.h"
#include "campaign_csv.h"
#include "flight_error.h"

#include <QDir>

void saveCampaign(const QString& folder, const CampaignReport& report) {
  const QDir target(folder);
  if (!target.mkpath(QStringLiteral(".")))
    throw FlightError("Cannot create the folder.", "Folder: " + folder.toStdString());
  const auto write = [&](const char* name, const std::string& text) {
    writeFileAtomically(target.filePath(QString::fromLatin1(name)), QByteArray::fromStdString(text));
  };
  write("layers.csv", layersCsv(report.result.layers));
  write("pairs.csv", pairsCsv(report.pairs, report.result.pairs));
}
