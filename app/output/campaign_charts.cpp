#include "app/output/campaign_charts.h"

#include "app/output/chart_titles.h"
#include "compare/uncertainty.h"

#include <cmath>

namespace {

constexpr int kSpreadAlpha = 50;

// "All pairs" in near-black, then the groups in colours that stay apart when bands overlap.
QColor groupColour(std::size_t index) {
  static const QColor kColours[] = {QColor(0x20, 0x20, 0x20), QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28),
                                    QColor(0x2c, 0xa0, 0x2c), QColor(0xff, 0x7f, 0x0e), QColor(0x94, 0x67, 0xbd),
                                    QColor(0x8c, 0x56, 0x4b), QColor(0xe3, 0x77, 0xc2), QColor(0x17, 0xbe, 0xcf)};
  constexpr std::size_t kCount = sizeof kColours / sizeof kColours[0];
  return index < kCount ? kColours[index] : kColours[1 + (index - 1) % (kCount - 1)];
}

QColor translucent(QColor colour, int alpha) {
  colour.setAlpha(alpha);
  return colour;
}

QCPCurve* curve(QCustomPlot& chart, const QPen& pen, const QBrush& brush) {
  auto created = new QCPCurve(chart.xAxis, chart.yAxis);
  created->setPen(pen);
  created->setBrush(brush);
  return created;
}

using LayerValue = double (*)(const LayerSummary&);

// One side of a band over a run of layers: through the layers' middles, out to the run's
// bottom and top, upwards or back down.
void addEdge(QVector<double>& values, QVector<double>& heights, const std::vector<const LayerSummary*>& run,
             LayerValue side, bool upwards) {
  const std::size_t count = run.size();
  for (std::size_t k = 0; k < count; ++k) {
    const LayerSummary& layer = *run[upwards ? k : count - 1 - k];
    if (k == 0) values << side(layer), heights << (upwards ? layer.bottom : layer.top);
    values << side(layer), heights << layerCentre(layer);
    if (k == count - 1) values << side(layer), heights << (upwards ? layer.top : layer.bottom);
  }
}

// Filled between its two sides: the curve's fill closes the outline.
void addBand(QCustomPlot& chart, const std::vector<const LayerSummary*>& run, const QColor& fill, LayerValue low,
             LayerValue high) {
  QVector<double> values, heights;
  addEdge(values, heights, run, low, true);
  addEdge(values, heights, run, high, false);
  curve(chart, Qt::NoPen, fill)->setData(values, heights);
}

// Outlined only, so that the groups' wide bands do not bury each other.
void addBounds(QCustomPlot& chart, const std::vector<const LayerSummary*>& run, const QPen& pen, LayerValue low,
               LayerValue high) {
  for (const LayerValue side : {low, high}) {
    QVector<double> values, heights;
    addEdge(values, heights, run, side, true);
    curve(chart, pen, Qt::NoBrush)->setData(values, heights);
  }
}

// A layer of one value has no spread: its ±sd band is the mean.
double sdLow(const LayerSummary& layer) { return std::isnan(layer.sd) ? layer.mean : layer.mean - layer.sd; }
double sdHigh(const LayerSummary& layer) { return std::isnan(layer.sd) ? layer.mean : layer.mean + layer.sd; }
double p05(const LayerSummary& layer) { return layer.p05; }
double p95(const LayerSummary& layer) { return layer.p95; }
double belowByUncertainty(const LayerSummary& layer) { return -2 * layer.consistency.meanUncertainty(); }
double aboveByUncertainty(const LayerSummary& layer) { return 2 * layer.consistency.meanUncertainty(); }

bool isJudged(const LayerSummary& layer) { return layer.consistency.points() > 0; }

// The runs of layers with a u_c within a run of layers.
std::vector<std::vector<const LayerSummary*>> judgedRuns(const std::vector<const LayerSummary*>& run) {
  std::vector<std::vector<const LayerSummary*>> runs;
  bool open = false;
  for (const LayerSummary* layer : run) {
    if (isJudged(*layer) && !open) runs.emplace_back();
    open = isJudged(*layer);
    if (open) runs.back().push_back(layer);
  }
  return runs;
}

// Olive: none of the groups' colours, so the band never reads as a group's. Filled light and
// opaque under an olive edge, as a translucent tint fades to nothing on paper.
const QColor kUncertaintyColour(0xbc, 0xbd, 0x22);
const QBrush kUncertaintyFill(QColor(0xee, 0xee, 0xc2));
const QPen kUncertaintyEdge(kUncertaintyColour.darker(120), 0.8);

void addMeanLine(QCustomPlot& chart, const std::vector<const LayerSummary*>& run, const QColor& colour,
                 const QString& legendName) {
  QVector<double> heights, values;
  for (const LayerSummary* layer : run) heights << layerCentre(*layer), values << layer->mean;
  QCPCurve* line = curve(chart, QPen(colour, 2), Qt::NoBrush);
  // A dot for each layer while they stand apart; thin layers would bury the line in dots.
  constexpr std::size_t kMostDottedLayers = 60;
  if (run.size() <= kMostDottedLayers) line->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, 4));
  line->setData(values, heights);
  if (legendName.isEmpty()) return;
  line->setName(legendName);
  line->addToLegend();
}

// A step for each layer from zero out to its number of points; filled for the first profile only,
// as its ±sd band.
void addPointsSteps(QCustomPlot& chart, const std::vector<const LayerSummary*>& run, const QColor& colour, bool filled) {
  QVector<double> heights{run.front()->bottom}, counts{0};
  for (const LayerSummary* layer : run) {
    heights << layer->bottom << layer->top;
    counts << static_cast<double>(layer->points) << static_cast<double>(layer->points);
  }
  heights << run.back()->top;
  counts << 0;
  curve(chart, QPen(colour, 1.5), filled ? QBrush(translucent(colour, 40)) : QBrush(Qt::NoBrush))->setData(counts, heights);
}

QPen boundsPen(const QColor& colour) { return QPen(colour, 1, Qt::DashLine); }

QPen spreadPen(const QColor& colour) { return QPen(colour, 1); }

// The bands' meaning, once, in grey: each group's bands are its own colour. Only the first
// profile's ±sd band is filled; the groups' are outlined, so that overlapping bands never blend
// into one another's colours.
void addBandLegend(QCustomPlot& chart, bool groupsOutlined, bool judged) {
  QList<QCPCurve*> samples;
  samples << curve(chart, Qt::NoPen, translucent(Qt::darkGray, kSpreadAlpha));
  samples.back()->setName(QStringLiteral("среднее ± СКО"));
  if (judged) {
    samples << curve(chart, kUncertaintyEdge, kUncertaintyFill);
    samples.back()->setName(QStringLiteral("0 ± 2·ū_c, все пары"));
  }
  if (groupsOutlined) {
    samples << curve(chart, spreadPen(Qt::darkGray), Qt::NoBrush);
    samples.back()->setName(QStringLiteral("± СКО группы"));
  }
  samples << curve(chart, boundsPen(Qt::darkGray), Qt::NoBrush);
  samples.back()->setName(QStringLiteral("5 % и 95 % значений"));
  for (QCPCurve* sample : samples) sample->addToLegend();
}

void setUp(QCustomPlot& chart, const QString& title, const QString& valueAxis) {
  chart.setAutoAddPlottableToLegend(false);
  chart.plotLayout()->insertRow(0);
  QFont titleFont = chart.font();
  titleFont.setBold(true);
  chart.plotLayout()->addElement(0, 0, new QCPTextElement(&chart, title, titleFont));
  chart.yAxis->setLabel(heightAxisTitle());
  chart.xAxis->setLabel(valueAxis);
  chart.legend->setBrush(Qt::white);
  chart.legend->setBorderPen(QPen(QColor(Qt::lightGray)));
  chart.axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
}

// Beside the axes, never over the data; at their side rather than below them, so that the
// height axes of both charts keep the same extent.
void putLegendBeside(QCustomPlot& chart) {
  chart.axisRect()->insetLayout()->take(chart.legend);
  chart.legend->setBorderPen(Qt::NoPen);
  // At the top of its column, the room below it left empty.
  auto column = new QCPLayoutGrid;
  chart.plotLayout()->addElement(1, 1, column);
  chart.plotLayout()->setColumnStretchFactor(1, 0.001);
  column->addElement(0, 0, chart.legend);
  column->addElement(1, 0, new QCPLayoutElement(&chart));
  column->setRowStretchFactor(0, 0.001);
}

}  // namespace

void setUpCampaignCharts(QCustomPlot& bias, QCustomPlot& points) {
  setUp(bias, QStringLiteral("Смещение по слоям"), QString());
  setUp(points, QStringLiteral("Точек в слое"), QStringLiteral("Точек"));
  // The panel is narrow: counts in hundreds and thousands need the room between ticks.
  points.xAxis->ticker()->setTickCount(3);
}

void clearCampaignProfiles(QCustomPlot& bias, QCustomPlot& points) {
  for (QCustomPlot* chart : {&bias, &points}) {
    chart->clearPlottables();
    chart->clearItems();
    chart->legend->setVisible(false);
    chart->replot();
  }
}

void showCampaignProfiles(QCustomPlot& bias, QCustomPlot& points, const CampaignReport& report) {
  clearCampaignProfiles(bias, points);
  bias.xAxis->setLabel(campaignAxisTitle(report.settings));
  for (std::size_t g = 0; g < report.profiles.size(); ++g) {
    const GroupProfile& profile = report.profiles[g];
    const QColor colour = groupColour(g);
    for (const ProfileRun& span : profile.runs) {
      std::vector<const LayerSummary*> run;
      for (std::size_t i = span.first; i < span.first + span.count; ++i) run.push_back(&report.result.layers[i]);
      if (g == 0)
        for (const auto& judged : judgedRuns(run)) {
          addBand(bias, judged, kUncertaintyFill.color(), belowByUncertainty, aboveByUncertainty);
          addBounds(bias, judged, kUncertaintyEdge, belowByUncertainty, aboveByUncertainty);
        }
      if (g == 0) addBand(bias, run, translucent(colour, kSpreadAlpha), sdLow, sdHigh);
      else addBounds(bias, run, spreadPen(colour), sdLow, sdHigh);
      addBounds(bias, run, boundsPen(colour), p05, p95);
      addMeanLine(bias, run, colour, &span == &profile.runs.front() ? groupCaption(profile.group, report.settings.solarGroups) : QString());
      addPointsSteps(points, run, colour, g == 0);
    }
  }
  addBandLegend(bias, report.profiles.size() > 1, report.judgedPairs > 0);
  bias.legend->setVisible(true);
  // Zero bias is what every layer is measured against.
  auto zero = new QCPItemStraightLine(&bias);
  zero->point1->setCoords(0, 0);
  zero->point2->setCoords(0, 1);
  zero->setPen(QPen(Qt::gray, 1, Qt::DashLine));
  for (QCustomPlot* chart : {&bias, &points}) chart->rescaleAxes();
  // Room beside the outermost lines, so that none of them runs along the frame.
  bias.xAxis->scaleRange(1.1);
  points.xAxis->setRange(0, points.xAxis->range().upper * 1.1);
  points.yAxis->setRange(bias.yAxis->range());
  for (QCustomPlot* chart : {&bias, &points}) chart->replot();
}

namespace {

// One step for each layer, from its bottom to its top: thin layers drawn through their middles
// zigzag into a hatching that hides the shares.
QVector<double> stepHeights(const std::vector<const LayerSummary*>& layers) {
  QVector<double> heights;
  for (const LayerSummary* layer : layers) heights << layer->bottom << layer->top;
  return heights;
}

void showConsistencyProfile(QCustomPlot& chart, const CampaignReport& report) {
  setUp(chart, QStringLiteral("Согласие с u_c, все пары"), QStringLiteral("Доля точек, %"));
  // What a normal distribution of Δ/u_c gives when the stated uncertainties are right, and how
  // the literature quotes it.
  constexpr double kExpected[] = {68.27, 95.45, 99.73};
  constexpr double kQuoted[] = {68.3, 95.4, 99.7};
  // Blue, orange and green of Okabe and Ito's palette, told apart by colour-blind readers, and by
  // lightness and width in grey print.
  static const QColor kColours[] = {QColor(0x00, 0x72, 0xb2), QColor(0xe6, 0x9f, 0x00), QColor(0x00, 0x9e, 0x73)};
  constexpr double kWidths[] = {2.2, 1.6, 1.1};
  for (int k = 1; k <= kCoverageFactors; ++k) {
    const QColor& colour = kColours[k - 1];
    bool named = false;
    for (const ProfileRun& span : report.profiles.front().runs) {
      std::vector<const LayerSummary*> run;
      for (std::size_t i = span.first; i < span.first + span.count; ++i) run.push_back(&report.result.layers[i]);
      for (const auto& judged : judgedRuns(run)) {
        QVector<double> shares;
        for (const LayerSummary* layer : judged) {
          const double share = 100 * layer->consistency.shareWithin(k);
          shares << share << share;
        }
        QCPCurve* line = curve(chart, QPen(colour, kWidths[k - 1]), Qt::NoBrush);
        line->setData(shares, stepHeights(judged));
        if (named) continue;
        line->setName(QStringLiteral("|Δ| ≤ %1·u_c").arg(k));
        line->addToLegend();
        named = true;
      }
    }
    // The expectation, thin and dotted across the whole height, named at its top: never taken for
    // a layer's share.
    auto expected = new QCPItemStraightLine(&chart);
    expected->point1->setCoords(kExpected[k - 1], 0);
    expected->point2->setCoords(kExpected[k - 1], 1);
    expected->setPen(QPen(colour, 0.8, Qt::DotLine));
    auto label = new QCPItemText(&chart);
    label->position->setTypeX(QCPItemPosition::ptPlotCoords);
    label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
    label->position->setCoords(kExpected[k - 1], 0.01 + 0.035 * (k - 1));
    label->setPositionAlignment(Qt::AlignRight | Qt::AlignTop);
    label->setText(QLocale().toString(kQuoted[k - 1], 'f', 1) + QStringLiteral(" %"));
    label->setColor(colour);
    label->setBrush(Qt::white);
  }
  chart.legend->setVisible(true);
  chart.axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignBottom | Qt::AlignLeft);
  chart.rescaleAxes();
  // Beyond 100 %, so that a share of all points does not run along the frame.
  chart.xAxis->setRange(0, 104);
}

}  // namespace

OffscreenCampaignCharts::OffscreenCampaignCharts(const CampaignReport& report, const QSize& size)
    : judged_(report.judgedPairs > 0) {
  // The points need less room than the bias and its bands.
  const int biasWidth = size.width() * 7 / 10;
  bias_.resize(biasWidth, size.height());
  points_.resize(size.width() - biasWidth, size.height());
  setUpCampaignCharts(bias_, points_);
  // On paper there is room beside the axes; the window's narrow panel keeps the legend inside.
  putLegendBeside(bias_);
  showCampaignProfiles(bias_, points_, report);
  if (!judged_) return;
  consistency_.resize(size.width() * 4 / 10, size.height());
  showConsistencyProfile(consistency_, report);
  consistency_.yAxis->setRange(bias_.yAxis->range());
  consistency_.replot();
}

QCustomPlot* OffscreenCampaignCharts::consistency(const QSize& size) {
  if (!judged_) return nullptr;
  consistency_.resize(size);
  consistency_.replot();
  return &consistency_;
}

QList<QCustomPlot*> OffscreenCampaignCharts::pictureCharts() {
  if (judged_) return {&bias_, &points_, &consistency_};
  return charts();
}
