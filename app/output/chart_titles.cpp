#include "app/output/chart_titles.h"

#include "app/presentation/captions.h"
#include "app/support/shown_text.h"
#include "campaign/campaign_report.h"
#include "campaign/campaign_statistics.h"
#include "campaign/solar_groups.h"
#include "compare/comparison_redraw.h"
#include "compare/quick_select.h"

#include <algorithm>

namespace {

QString unitOf(const QString& columnName) { return fromUtf8(columnUnitCaption(columnName.toStdString())); }

QString withUnit(const QString& title, const QString& unit) {
  return unit.isEmpty() ? title : title + QStringLiteral(", ") + unit;
}

// Each side named with its flight's number: "T₁ − T₂".
QString difference(const QString& first, const QString& second, bool plus) {
  return first + QStringLiteral("₁ ") + fromUtf8(signCaption(plus)) + QLatin1Char(' ') + second + QStringLiteral("₂");
}

}  // namespace

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString heightAxisTitle(const std::vector<std::pair<int, HeightKind>>& flights) {
  const QString title = QStringLiteral("Высота, м");
  const bool oneKind = std::all_of(flights.begin(), flights.end(), [&](const auto& flight) {
    return flight.second == flights.front().second;
  });
  if (flights.empty() || (oneKind && flights.front().second == HeightKind::Unknown)) return title;
  if (oneKind) return title + QStringLiteral(" (%1)").arg(fromUtf8(heightKindCaption(flights.front().second)));
  QStringList kinds;
  for (const auto& [slot, kind] : flights) kinds << QStringLiteral("%1: %2").arg(slot).arg(fromUtf8(heightKindCaption(kind)));
  return title + QStringLiteral(" (") + kinds.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString readoutNumber(const QLocale& locale, double value, const QString& unit) {
  static const std::pair<QString, int> kDecimals[] = {{QStringLiteral("°C"), 2},  {QStringLiteral("%"), 1},
                                                      {QStringLiteral("°"), 0},   {QStringLiteral("м/с"), 1},
                                                      {QStringLiteral("гПа"), 1}, {QStringLiteral("м"), 0}};
  QString number = locale.toString(value, 'g', 4);
  for (const auto& [known, decimals] : kDecimals)
    if (unit == known) number = locale.toString(value, 'f', decimals);
  return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

QString parameterTitle(const QString& columnName) { return withUnit(columnName, unitOf(columnName)); }

QString flightsAxisTitle(const QStringList& columnNames) {
  QStringList titles;
  for (const QString& name : columnNames)
    if (!titles.contains(parameterTitle(name))) titles << parameterTitle(name);
  return titles.join(QStringLiteral(" / "));
}

QString comparisonAxisTitle(const QString& first, const QString& second, bool plus) {
  if (first.isEmpty() || second.isEmpty()) return {};
  const QString unit = unitOf(first);
  return withUnit(difference(first, second, plus), unit == unitOf(second) ? unit : QString());
}

QString comparisonSeriesName(bool plus) { return QStringLiteral("Полёт 1 %1 полёт 2").arg(fromUtf8(signCaption(plus))); }

QString movingAverageSeriesName() {
  return QStringLiteral("Среднее по %1 строке").arg(2 * kAverageHalfWidth + 1);
}

QString campaignAxisTitle(const CampaignSettings& settings) {
  if (!settings.column.empty()) {
    const QString column = shownText(settings.column);
    return withUnit(difference(column, column, settings.plus), unitOf(column));
  }
  const QString quantity(QLatin1Char(settings.quantity));
  return withUnit(difference(quantity, quantity, settings.plus), fromUtf8(unitCaption(campaignUnit(settings))));
}

QString groupCaption(const std::string& group, bool solarGroups) {
  if (group == kAllPairs) return QStringLiteral("Все пары");
  if (solarGroups) {
    static const std::pair<const std::string*, const char*> kSuns[] = {
        {&kDaySun, "день"}, {&kNightSun, "ночь"}, {&kTwilightSun, "сумерки"}, {&kUnknownSun, "неизвестно"}};
    for (const auto& [sun, caption] : kSuns)
      if (group == *sun) return QString::fromUtf8(caption);
  }
  return shownText(group);
}
