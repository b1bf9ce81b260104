#include "app/output/comparison_data.h"

#include "app/output/atomic_file.h"
#include "app/output/campaign_netcdf.h"
#include "app/output/campaign_report.h"
#include "compare/comparison_netcdf.h"

#include <QFileInfo>

#include <sstream>

namespace {

const QString kCsvFilter = QStringLiteral("CSV (*.csv)");
const QString kNetcdfFilter = QStringLiteral("NetCDF (*.nc)");

bool asNetcdf(const QString& fileName, const QString& chosenFilter) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == QStringLiteral("nc") || suffix == QStringLiteral("csv")) return suffix == QStringLiteral("nc");
  return chosenFilter == kNetcdfFilter;
}

}  // namespace

QString comparisonDataFilters() { return kCsvFilter + QStringLiteral(";;") + kNetcdfFilter; }

void saveComparisonData(const QString& fileName, const QString& chosenFilter, const std::vector<NamedPoints>& series,
                        const std::vector<LayerStatistics>& layers, MatchBy by, const ClockShift& shift) {
  if (asNetcdf(fileName, chosenFilter)) {
    const NetcdfProvenance provenance = netcdfProvenance(reportDate(), QStringLiteral("flightcompare, the window's data"));
    writeFileAtomically(fileName, QByteArray::fromStdString(comparisonNetcdf(series, layers, by, shift, provenance)));
    return;
  }
  std::ostringstream text;
  writeComparisonCsv(text, series, layers, by, shift);
  writeFileAtomically(fileName, QByteArray::fromStdString(text.str()));
}
