#include "chart_titles.h"

#include "comparison_redraw.h"
#include "quick_select.h"

namespace {

QString unitOf(const QString& columnName) {
  const std::string_view unit = quantityUnit(columnName.toStdString());
  return QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size()));
}

QString sign(bool plus) { return plus ? QStringLiteral("+") : QStringLiteral("−"); }

}  // namespace

QString heightAxisTitle() { return QStringLiteral("Высота, м"); }

QString parameterTitle(const QString& columnName) {
  const QString unit = unitOf(columnName);
  return unit.isEmpty() ? columnName : columnName + QStringLiteral(", ") + unit;
}

QString flightsAxisTitle(const QStringList& columnNames) {
  QStringList titles;
  for (const QString& name : columnNames)
    if (!titles.contains(parameterTitle(name))) titles << parameterTitle(name);
  return titles.join(QStringLiteral(" / "));
}

QString comparisonAxisTitle(const QString& first, const QString& second, bool plus) {
  if (first.isEmpty() || second.isEmpty()) return {};
  const QString unit = unitOf(first);
  const QString difference = first + QLatin1Char(' ') + sign(plus) + QLatin1Char(' ') + second;
  return unit.isEmpty() || unit != unitOf(second) ? difference : difference + QStringLiteral(", ") + unit;
}

QString comparisonSeriesName(bool plus) { return QStringLiteral("Полёт 1 %1 полёт 2").arg(sign(plus)); }

QString movingAverageSeriesName() {
  return QStringLiteral("Среднее по %1 строке").arg(2 * kAverageHalfWidth + 1);
}
