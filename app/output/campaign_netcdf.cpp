#include "app/output/campaign_netcdf.h"

#include "campaign/layers_netcdf.h"
#include "compare/shortest_number.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

namespace {

// A word as a shell reads it back: quoted where it holds anything but plain characters.
QString shellWord(const QString& word) {
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:=@%+-]+$"));
  if (plain.match(word).hasMatch()) return word;
  return QLatin1Char('\'') + QString(word).replace(QLatin1Char('\''), QStringLiteral("'\\''")) + QLatin1Char('\'');
}

}  // namespace

NetcdfProvenance netcdfProvenance(const QDateTime& made, const QString& madeBy) {
  const QString history = made.toUTC().toString(Qt::ISODate) + QStringLiteral(": ") + madeBy;
  const QString source = QStringLiteral("flightcompare ") + QCoreApplication::applicationVersion();
  return {history.toStdString(), source.toStdString()};
}

QString campaignCommand(const CampaignReport& report) {
  const CampaignSettings& settings = report.settings;
  QStringList words{QStringLiteral("flightcompare"), QStringLiteral("--campaign"),
                    shellWord(QString::fromStdString(report.listName))};
  if (settings.column.empty()) words << QStringLiteral("--quantity") << QString(QLatin1Char(settings.quantity));
  else words << QStringLiteral("--column") << shellWord(QString::fromStdString(settings.column));
  words << QStringLiteral("--layer") << QString::fromStdString(shortestNumber(settings.layer));
  if (settings.plus) words << QStringLiteral("--plus");
  // The separators matter only to raw files.
  if (report.rawFilesTried)
    words << QStringLiteral("--separator")
          << (settings.separators.chosen == '.' ? QStringLiteral("point") : QStringLiteral("comma"))
          << QStringLiteral("--locale-decimal") << QString(QLatin1Char(settings.separators.regional));
  if (settings.heightKind != HeightKind::Unknown)
    words << QStringLiteral("--height-kind") << QString::fromLatin1(heightKindName(settings.heightKind).data(), qsizetype(heightKindName(settings.heightKind).size()));
  if (settings.solarGroups) words << QStringLiteral("--group") << QStringLiteral("solar");
  if (settings.allowApart) words << QStringLiteral("--allow-apart");
  if (settings.match == MatchBy::Time)
    words << QStringLiteral("--match") << QStringLiteral("time") << QStringLiteral("--shift")
          << (settings.shift ? QString::fromStdString(shortestNumber(*settings.shift)) : QStringLiteral("auto"));
  return words.join(QLatin1Char(' '));
}

QByteArray campaignNetcdf(const CampaignReport& report, const QDateTime& made) {
  return QByteArray::fromStdString(layersNetcdf(report, netcdfProvenance(made, campaignCommand(report))));
}
