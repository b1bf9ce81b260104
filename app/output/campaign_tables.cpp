#include "app/output/campaign_tables.h"

#include "app/output/chart_titles.h"
#include "app/output/statistic_text.h"
#include "app/support/message_translation.h"
#include "app/support/shown_text.h"

QStringList layerTableCaptions(const QString& unit, bool judged) {
  QStringList captions{QStringLiteral("Группа"), QStringLiteral("Слой, м"), QStringLiteral("Пар"), QStringLiteral("Точек")};
  const auto withUnit = [&](const QString& statistic) {
    return unit.isEmpty() ? statistic : statistic + QStringLiteral(", ") + unit;
  };
  for (const char* statistic : {"Среднее", "СКО", "СКЗ", "Медиана", "5 %", "95 %", "СКО по парам"})
    captions << withUnit(QString::fromUtf8(statistic));
  if (judged) captions << withUnit(QStringLiteral("ū_c")) << QStringLiteral("≤2u_c, %");
  return captions;
}

QStringList layerTableRow(const LayerSummary& layer, bool judged, bool solarGroups) {
  QStringList row{groupCaption(layer.group, solarGroups), QStringLiteral("%1–%2").arg(layer.bottom).arg(layer.top),
                  QString::number(layer.flights), QString::number(layer.points)};
  for (const double value : {layer.mean, layer.sd, layer.rms, layer.median, layer.p05, layer.p95, layer.flightSd})
    row << statisticText(value);
  if (judged) row << statisticText(layer.consistency.meanUncertainty()) << shareText(layer.consistency.shareWithin(2));
  return row;
}

QStringList pairTableCaptions() {
  return {QStringLiteral("Полёт 1"), QStringLiteral("Полёт 2"), QStringLiteral("Группа"), QStringLiteral("Состояние"),
          QStringLiteral("Точек"), QStringLiteral("Среднее"), QStringLiteral("СКО")};
}

// The flights and the group as the list names them.
QStringList pairTableRow(const CampaignPair& pair) {
  return {shownText(pair.name(1)), shownText(pair.name(2)), shownText(pair.group), QString(), QString(), QString(), QString()};
}

QString pairStatus(const PairRow& row) {
  if (row.compared) return QStringLiteral("сравнена");
  return shownText(russianMessage(row.status).section(QLatin1Char('\n'), 0, 0));
}

QStringList pairTableRow(const CampaignPair& pair, const PairRow& row) {
  QStringList texts{shownText(pair.name(1)), shownText(pair.name(2)), shownText(row.group), pairStatus(row),
                    QString(), QString(), QString()};
  if (!row.compared) return texts;
  texts[kStatusColumn + 1] = QString::number(row.points);
  texts[kStatusColumn + 2] = statisticText(row.mean);
  texts[kStatusColumn + 3] = statisticText(row.sd);
  return texts;
}
