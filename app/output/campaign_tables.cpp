#include "app/output/campaign_tables.h"

#include "app/output/chart_titles.h"
#include "app/output/statistic_text.h"
#include "app/support/shown_text.h"

QStringList layerTableCaptions(const QString& unit) {
  QStringList captions{QStringLiteral("Группа"), QStringLiteral("Слой, м"), QStringLiteral("Пар"), QStringLiteral("Точек")};
  for (const char* statistic : {"Среднее", "СКО", "СКЗ", "Медиана", "5 %", "95 %", "СКО по парам"})
    captions << (unit.isEmpty() ? QString::fromUtf8(statistic) : QString::fromUtf8(statistic) + QStringLiteral(", ") + unit);
  return captions;
}

QStringList layerTableRow(const LayerSummary& layer) {
  QStringList row{groupCaption(layer.group), QStringLiteral("%1–%2").arg(layer.bottom).arg(layer.top),
                  QString::number(layer.flights), QString::number(layer.points)};
  for (const double value : {layer.mean, layer.sd, layer.rms, layer.median, layer.p05, layer.p95, layer.flightSd})
    row << statisticText(value);
  return row;
}

QStringList pairTableCaptions() {
  return {QStringLiteral("Полёт 1"), QStringLiteral("Полёт 2"), QStringLiteral("Группа"), QStringLiteral("Состояние"),
          QStringLiteral("Точек"), QStringLiteral("Среднее"), QStringLiteral("СКО")};
}

// The flights and the group as the list names them.
QStringList pairTableRow(const CampaignPair& pair) {
  return {shownText(pair.flight1), shownText(pair.flight2), shownText(pair.group), QString(), QString(), QString(), QString()};
}

QStringList pairTableRow(const PairRow& row) {
  QStringList texts{shownText(row.flight1), shownText(row.flight2), shownText(row.group), shownText(row.status),
                    QString(), QString(), QString()};
  if (!row.compared) return texts;
  texts[kStatusColumn] = QStringLiteral("сравнена");
  texts[kStatusColumn + 1] = QString::number(row.points);
  texts[kStatusColumn + 2] = statisticText(row.mean);
  texts[kStatusColumn + 3] = statisticText(row.sd);
  return texts;
}
