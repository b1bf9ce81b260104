// What the crosshairs read at the mouse's height: on Chart1 each drawn flight's value, on
// Chart2 the comparison, its uncertainty and its moving average, in the axes' notation.
#include "app/window/form1.h"

#include "app/output/chart_titles.h"
#include "app/presentation/captions.h"
#include "app/widgets/chart_crosshair.h"
#include "app/widgets/chart_series.h"
#include "app/widgets/interactive_chart.h"
#include "compare/quick_select.h"

#include <QComboBox>

#include <cmath>

namespace {

// The point of a curve nearest a height; a flight's heights need not be sorted.
int nearestPoint(const CurvePoints& points, double height) {
  int nearest = -1;
  for (std::size_t i = 0; i < points.y.size(); ++i)
    if (nearest < 0 || std::abs(points.y[i] - height) < std::abs(points.y[nearest] - height)) nearest = static_cast<int>(i);
  return nearest;
}

// Light colours of curves read badly as text on the readout's white.
QColor textColour(const ChartSeries* series) {
  const QColor colour = series->pen().color();
  const double luminance = 0.299 * colour.red() + 0.587 * colour.green() + 0.114 * colour.blue();
  return luminance > 150 ? colour.darker(170) : colour;
}

}  // namespace

QString TForm1::parameterUnit(int slot) const {
  const QComboBox* box = slotWidgets(slot).parameterBox;
  return box->currentIndex() < 0 ? QString() : fromUtf8(columnUnitCaption(box->currentText().toStdString()));
}

void TForm1::indexDrawnFlights() {
  const CurvePoints* flights[3] = {&workspace_.points().flight1, &workspace_.points().flight2, &workspace_.points().flight3};
  for (int slot = 0; slot < 3; ++slot) drawnFlights_[slot].build(flights[slot]->x, flights[slot]->y);
}

void TForm1::createReadouts() {
  new ChartCrosshair(Chart1, [this](double height, double value) {
    const QLocale locale = Chart1->locale();
    std::vector<ReadoutLine> lines{{QStringLiteral("высота ") + readoutNumber(locale, height, QStringLiteral("м"))}};
    for (int slot = 1; slot <= 3; ++slot) {
      const ChartSeries* series = slotWidgets(slot).series;
      const double read = series->visible() ? drawnFlights_[slot - 1].valueAt(height) : std::nan("");
      if (!std::isnan(read))
        lines.push_back({series->name() + QStringLiteral(": ") + readoutNumber(locale, read, parameterUnit(slot)),
                         textColour(series)});
    }
    if (lines.size() == 1) lines.push_back({QStringLiteral("значение ") + readoutNumber(locale, value, QString())});
    return lines;
  });
  new ChartCrosshair(Chart2, [this](double height, double value) {
    const QLocale locale = Chart2->locale();
    const QString unit = parameterUnit(1);
    std::vector<ReadoutLine> lines{{QStringLiteral("высота ") + readoutNumber(locale, height, QStringLiteral("м"))}};
    const CurvePoints& comparison = workspace_.points().comparison;
    const int nearest = nearestPoint(comparison, height);
    if (nearest < 0) {
      lines.push_back({QStringLiteral("значение ") + readoutNumber(locale, value, QString())});
      return lines;
    }
    const double difference = comparison.x[nearest];
    lines.push_back({QStringLiteral("разность %1 (на %2)")
                         .arg(readoutNumber(locale, difference, unit),
                              readoutNumber(locale, comparison.y[nearest], QStringLiteral("м"))),
                     textColour(Series3)});
    const double uncertainty = comparison.uncertainty.empty() ? std::nan("") : comparison.uncertainty[nearest];
    if (!std::isnan(uncertainty))
      lines.push_back({QStringLiteral("u_c %1, Δ/u_c %2")
                           .arg(readoutNumber(locale, uncertainty, unit), locale.toString(difference / uncertainty, 'f', 2)),
                       textColour(Series3)});
    const int averaged = nearestPoint(workspace_.points().average, height);
    if (averaged >= 0)
      lines.push_back({Series4->name() + QStringLiteral(": ") +
                           readoutNumber(locale, workspace_.points().average.x[averaged], unit),
                       textColour(Series4)});
    return lines;
  });
}
