#include "app/output/pair_panels.h"

#include "app/output/chart_titles.h"
#include "app/presentation/captions.h"
#include "app/support/shown_text.h"
#include "compare/quick_select.h"

#include <qcustomplot.h>

#include <algorithm>

namespace {

constexpr double kTitleHeight = 26;

// The line as the panel can show it: within each of its rows of heights, a run of values is
// drawn through its first, smallest, largest and last value only, in their order, so that a
// pair of 50000 rows costs the page no more than the panel's height in points.
void thinInto(const PairResult& pair, int rows, QVector<double>& values, QVector<double>& heights) {
  if (pair.heights.empty() || pair.heights.size() != pair.values.size()) return;
  const auto extent = std::minmax_element(pair.heights.begin(), pair.heights.end());
  const double lowest = *extent.first;
  const double rowHeight = std::max((*extent.second - lowest) / rows, 1e-9);
  const auto rowOf = [&](double height) { return static_cast<long long>((height - lowest) / rowHeight); };
  for (std::size_t first = 0; first < pair.values.size();) {
    std::size_t last = first;
    std::size_t smallest = first, largest = first;
    while (last + 1 < pair.values.size() && rowOf(pair.heights[last + 1]) == rowOf(pair.heights[first])) {
      ++last;
      if (pair.values[last] < pair.values[smallest]) smallest = last;
      if (pair.values[last] > pair.values[largest]) largest = last;
    }
    std::size_t kept[] = {first, std::min(smallest, largest), std::max(smallest, largest), last};
    for (std::size_t k = 0; k < 4; ++k) {
      if (k > 0 && kept[k] == kept[k - 1]) continue;
      values << pair.values[kept[k]];
      heights << pair.heights[kept[k]];
    }
    first = last + 1;
  }
}

QString pairTitle(const CampaignReport& report, std::size_t pair) {
  const PairRow& row = report.pairRows[pair];
  QString title = QStringLiteral("%1. %2  %3  %4")
                      .arg(pair + 1)
                      .arg(shownText(report.flightName(pair, 1)), fromUtf8(signCaption(report.settings.plus)),
                           shownText(report.flightName(pair, 2)));
  if (!row.group.empty()) title += QStringLiteral(" (%1)").arg(groupCaption(row.group, report.settings.solarGroups));
  return title;
}

}  // namespace

void drawPairPanel(QCPPainter& painter, const QRectF& area, const CampaignReport& report, std::size_t pair) {
  const PairResult& result = report.result.pairs[pair];
  QFont font;
  font.setPointSizeF(6.5);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QRectF(area.left(), area.top(), area.width(), kTitleHeight), Qt::TextWordWrap | Qt::AlignLeft,
                   pairTitle(report, pair));

  QCustomPlot chart;
  chart.resize(static_cast<int>(area.width()), static_cast<int>(area.height() - kTitleHeight));
  chart.setFont(font);
  for (QCPAxis* axis : {chart.xAxis, chart.yAxis}) {
    axis->setTickLabelFont(font);
    axis->setLabelFont(font);
  }
  chart.xAxis->setLabel(campaignAxisTitle(report.settings));
  chart.yAxis->setLabel(heightAxisTitle());

  QVector<double> values, heights;
  thinInto(result, chart.height(), values, heights);
  auto differences = new QCPCurve(chart.xAxis, chart.yAxis);
  // The light blue a translucent one gives on white: a PDF takes a translucent stroke as the
  // outline of the line, four times its points, and the panels are most of the report.
  differences->setPen(QPen(QColor(0x6a, 0xa4, 0xcd), 0.8));
  differences->setData(values, heights);

  QVector<double> means, centres;
  for (const LayerRun& run : result.runs) {
    means << run.mean;
    centres << layerCentre(run.layer, report.settings.layer);
  }
  auto layerMeans = new QCPCurve(chart.xAxis, chart.yAxis);
  layerMeans->setPen(QPen(QColor(0xd6, 0x27, 0x28), 1));
  // A dot for each layer while they stand apart; thin layers would bury the line in dots.
  constexpr std::size_t kMostDottedLayers = 60;
  if (result.runs.size() <= kMostDottedLayers) layerMeans->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, 2.5));
  layerMeans->setData(means, centres);

  auto zero = new QCPItemStraightLine(&chart);
  zero->point1->setCoords(0, 0);
  zero->point2->setCoords(0, 1);
  zero->setPen(QPen(Qt::gray, 0.8, Qt::DashLine));
  chart.rescaleAxes();
  chart.xAxis->scaleRange(1.1);
  // Zero stays in sight: the panel shows how far the pair lies from it.
  const QCPRange range = chart.xAxis->range();
  chart.xAxis->setRange(std::min(range.lower, 0.0), std::max(range.upper, 0.0));
  painter.save();
  painter.translate(area.left(), area.top() + kTitleHeight);
  chart.toPainter(&painter, chart.width(), chart.height());
  painter.restore();
}
