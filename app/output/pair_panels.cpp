#include "app/output/pair_panels.h"

#include "app/output/chart_titles.h"
#include "app/output/page_strokes.h"
#include "app/output/report_pages.h"
#include "app/presentation/captions.h"
#include "app/support/shown_text.h"
#include "compare/quick_select.h"

#include <QPainter>
#include <QPainterPath>
#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTitleHeight = 26;
constexpr double kFontPoints = 6.5;
constexpr double kTickLength = 5, kSubTickLength = 2, kLabelGap = 3;
// Room at the top and right for the half of the last tick label that stands out of the plot.
constexpr double kTopRoom = 6, kRightRoom = 10;
constexpr double kZeroWidth = 0.8;
// A dot for each layer while they stand apart; thin layers would bury the line in dots.
constexpr std::size_t kMostDottedLayers = 60;

const QColor kDifferenceColour(0x6a, 0xa4, 0xcd);
const QColor kMeanColour(0xd6, 0x27, 0x28);
const QColor kGridColour(0xdd, 0xdd, 0xdd);

// The line as the panel can show it: within each of its rows of heights, a run of values is
// drawn through its smallest and largest value only, in their order, so that a pair of 50000
// rows costs the page no more than twice the panel's height in points. The line still spans
// every value; the row's first and last add nothing a reader sees at a row's height.
void thinInto(const PairResult& pair, int rows, std::vector<double>& values, std::vector<double>& heights) {
  if (pair.heights.empty() || pair.heights.size() != pair.values.size()) return;
  const auto extent = std::minmax_element(pair.heights.begin(), pair.heights.end());
  const double lowest = *extent.first;
  const double rowsPerMetre = 1 / std::max((*extent.second - lowest) / rows, 1e-9);
  const auto rowOf = [&](double height) { return static_cast<long long>((height - lowest) * rowsPerMetre); };
  for (std::size_t first = 0; first < pair.values.size();) {
    const long long row = rowOf(pair.heights[first]);
    std::size_t last = first;
    std::size_t smallest = first, largest = first;
    while (last + 1 < pair.values.size() && rowOf(pair.heights[last + 1]) == row) {
      ++last;
      if (pair.values[last] < pair.values[smallest]) smallest = last;
      if (pair.values[last] > pair.values[largest]) largest = last;
    }
    std::size_t kept[] = {std::min(smallest, largest), std::max(smallest, largest)};
    for (std::size_t k = 0; k < 2; ++k) {
      if (k > 0 && kept[k] == kept[k - 1]) continue;
      values.push_back(pair.values[kept[k]]);
      heights.push_back(pair.heights[kept[k]]);
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

// What both lines span; a range of no width is widened, as the charts widen it.
QCPRange spanOf(const std::vector<double>& first, const std::vector<double>& second) {
  double lowest = qInf(), highest = -qInf();
  for (const std::vector<double>* values : {&first, &second})
    for (double value : *values) {
      lowest = std::min(lowest, value);
      highest = std::max(highest, value);
    }
  if (!(lowest <= highest)) return QCPRange(-1, 1);
  if (lowest == highest) return QCPRange(lowest - 0.5, highest + 0.5);
  return QCPRange(lowest, highest);
}

struct Ticks {
  QVector<double> major, minor;
  QVector<QString> labels;
};

Ticks ticksOf(const QCPRange& range) {
  Ticks ticks;
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  QCPAxisTicker().generate(range, locale, QLatin1Char('g'), 6, ticks.major, &ticks.minor, &ticks.labels);
  return ticks;
}

// Data to the page, within the plot's rectangle.
struct Scale {
  QRectF plot;
  QCPRange values, heights;
  double x(double value) const { return PageStrokes::snapped(plot.left() + (value - values.lower) / values.size() * plot.width()); }
  double y(double height) const {
    return PageStrokes::snapped(plot.bottom() - (height - heights.lower) / heights.size() * plot.height());
  }
};

// One line for all the values: a PDF writes a path once, however many points it joins. A point
// where the last one is adds nothing.
std::vector<QPointF> lineThrough(const Scale& scale, const std::vector<double>& values,
                                 const std::vector<double>& heights) {
  std::vector<QPointF> line;
  line.reserve(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    const QPointF point(scale.x(values[i]), scale.y(heights[i]));
    if (line.empty() || point != line.back()) line.push_back(point);
  }
  return line;
}

// The grid at the ticks, the axes at the plot's left and bottom with their ticks inward, and the
// dashed zero: a path each.
void drawFrame(PageStrokes& lines, const Scale& scale, const Ticks& across, const Ticks& up) {
  const QRectF& plot = scale.plot;
  QPainterPath grid, axes;
  for (double tick : across.major) {
    grid.moveTo(scale.x(tick), plot.top());
    grid.lineTo(scale.x(tick), plot.bottom());
    axes.moveTo(scale.x(tick), plot.bottom());
    axes.lineTo(scale.x(tick), plot.bottom() - kTickLength);
  }
  for (double tick : up.major) {
    grid.moveTo(plot.left(), scale.y(tick));
    grid.lineTo(plot.right(), scale.y(tick));
    axes.moveTo(plot.left(), scale.y(tick));
    axes.lineTo(plot.left() + kTickLength, scale.y(tick));
  }
  for (double tick : across.minor) {
    axes.moveTo(scale.x(tick), plot.bottom());
    axes.lineTo(scale.x(tick), plot.bottom() - kSubTickLength);
  }
  for (double tick : up.minor) {
    axes.moveTo(plot.left(), scale.y(tick));
    axes.lineTo(plot.left() + kSubTickLength, scale.y(tick));
  }
  axes.moveTo(plot.topLeft());
  axes.lineTo(plot.bottomLeft());
  axes.lineTo(plot.bottomRight());
  lines.stroke(grid, QPen(kGridColour, 0.5));

  QPainterPath zero;
  zero.moveTo(scale.x(0), plot.top());
  zero.lineTo(scale.x(0), plot.bottom());
  lines.stroke(zero, QPen(Qt::gray, kZeroWidth, Qt::DashLine, Qt::FlatCap));
  lines.stroke(axes, QPen(Qt::black, 0.5, Qt::SolidLine, Qt::FlatCap));
}

PanelText fromBaseline(const QString& text, const QPointF& at) { return {text, at, QRectF(), 0, QTransform()}; }

PanelText inBox(const QString& text, const QRectF& box, int flags, const QTransform& placement = QTransform()) {
  return {text, QPointF(), box, flags, placement};
}

void placeTickLabels(std::vector<PanelText>& texts, const QFontMetricsF& metrics, const Scale& scale,
                     const Ticks& across, const Ticks& up) {
  for (int i = 0; i < across.major.size(); ++i) {
    const double width = metrics.horizontalAdvance(across.labels[i]);
    texts.push_back(fromBaseline(
        across.labels[i], QPointF(scale.x(across.major[i]) - width / 2, scale.plot.bottom() + kLabelGap + metrics.ascent())));
  }
  for (int i = 0; i < up.major.size(); ++i) {
    const double width = metrics.horizontalAdvance(up.labels[i]);
    texts.push_back(fromBaseline(up.labels[i], QPointF(scale.plot.left() - kLabelGap - width,
                                                       scale.y(up.major[i]) + (metrics.ascent() - metrics.descent()) / 2)));
  }
}

double widestLabel(const QFontMetricsF& metrics, const QVector<QString>& labels) {
  double widest = 0;
  for (const QString& label : labels) widest = std::max(widest, metrics.horizontalAdvance(label));
  return widest;
}

}  // namespace

QFont panelFont() { return reportFont(kFontPoints); }

std::vector<PanelText> drawPanelLines(const QFontMetricsF& metrics, const QRectF& area, const CampaignReport& report,
                                      std::size_t pair, PageStrokes& lines) {
  const PairResult& result = report.result.pairs[pair];
  std::vector<PanelText> texts;
  texts.push_back(inBox(pairTitle(report, pair), QRectF(area.left(), area.top(), area.width(), kTitleHeight),
                        Qt::TextWordWrap | Qt::AlignLeft));

  const QRectF chart = area.adjusted(0, kTitleHeight, 0, 0);
  const double below = kLabelGap + 2 * metrics.height() + kLabelGap;
  std::vector<double> values, heights;
  thinInto(result, static_cast<int>(chart.height() - below - kTopRoom), values, heights);
  std::vector<double> means, centres;
  for (const LayerRun& run : result.runs) {
    means.push_back(run.mean);
    centres.push_back(layerCentre(run.layer, report.settings.layer));
  }
  // A tenth more room on either side of the values, and zero in sight: the panel shows how far
  // the pair lies from it.
  QCPRange across = spanOf(values, means);
  across = QCPRange(across.center() - across.size() * 0.55, across.center() + across.size() * 0.55);
  across.expand(0);
  const QCPRange up = spanOf(heights, centres);
  const Ticks acrossTicks = ticksOf(across), upTicks = ticksOf(up);
  const double left = metrics.height() + kLabelGap + widestLabel(metrics, upTicks.labels) + kLabelGap;
  const Scale scale{QRectF(QPointF(PageStrokes::snapped(chart.left() + left), PageStrokes::snapped(chart.top() + kTopRoom)),
                           QPointF(PageStrokes::snapped(chart.right() - kRightRoom), PageStrokes::snapped(chart.bottom() - below))),
                    across, up};

  drawFrame(lines, scale, acrossTicks, upTicks);
  placeTickLabels(texts, metrics, scale, acrossTicks, upTicks);
  texts.push_back(inBox(
      campaignAxisTitle(report.settings),
      QRectF(scale.plot.left(), chart.bottom() - metrics.height() - kLabelGap, scale.plot.width(), metrics.height()),
      Qt::AlignHCenter | Qt::AlignTop));
  QTransform upward;
  upward.translate(chart.left(), scale.plot.bottom());
  upward.rotate(-90);
  texts.push_back(inBox(heightAxisTitle(), QRectF(0, 0, scale.plot.height(), metrics.height()),
                        Qt::AlignHCenter | Qt::AlignTop, upward));

  lines.stroke(lineThrough(scale, values, heights), QPen(kDifferenceColour, 0.8));
  lines.stroke(lineThrough(scale, means, centres), QPen(kMeanColour, 1));
  if (result.runs.size() > kMostDottedLayers) return texts;
  // A short stroke with round ends is a dot: four numbers a layer rather than a circle's curves.
  QPainterPath dots;
  for (std::size_t i = 0; i < means.size(); ++i) {
    dots.moveTo(scale.x(means[i]), scale.y(centres[i]));
    dots.lineTo(scale.x(means[i]) + 1 / PageStrokes::kGrid, scale.y(centres[i]));
  }
  lines.stroke(dots, QPen(kMeanColour, 2.5, Qt::SolidLine, Qt::RoundCap));
  return texts;
}

void drawPanelTexts(QPainter& painter, const std::vector<PanelText>& texts) {
  painter.setFont(panelFont());
  painter.setPen(Qt::black);
  for (const PanelText& text : texts) {
    if (text.box.isEmpty()) {
      painter.drawText(text.at, text.text);
      continue;
    }
    if (text.placement.isIdentity()) {
      painter.drawText(text.box, text.flags, text.text);
      continue;
    }
    painter.save();
    painter.setTransform(text.placement, true);
    painter.drawText(text.box, text.flags, text.text);
    painter.restore();
  }
}
