// The comparison redraw, behind the hidden button Compare.
#include "app/window/form1.h"

#include "app/output/chart_titles.h"
#include "app/widgets/chart_series.h"
#include "app/widgets/interactive_chart.h"
#include "app/widgets/uncertainty_band.h"
#include "app/widgets/up_down.h"
#include "app/window/layer_statistics_panel.h"
#include "flight/flight_tables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSplitter>

#include <algorithm>
#include <cmath>


void TForm1::CompareClick() {
  labelCharts();
  // Of the choices alone: a redraw that fails still says what was asked for.
  showJudgement();
  // Emptied first: a redraw that fails leaves the charts empty.
  workspace_.clearRedraw();
  for (const DrawnSeries& drawn : drawnSeries()) drawn.series->data()->clear();
  for (CurveLookup& flight : drawnFlights_) flight.build({}, {});
  Band->setUncertainties({}, {});
  Band->removeFromLegend();
  Chart1->replot(QCustomPlot::rpQueuedReplot);
  Chart2->replot(QCustomPlot::rpQueuedReplot);
  Statistics->showLayers({}, Chart2->locale());
  Statistics->setShiftCaption({});
  Statistics->showShift(std::nan(""));

  const RedrawRequest request = workspace_.request();
  // The operator who cancelled a read knows why the charts are empty.
  if (!readUsedColumns(request)) return;
  workspace_.redraw(request);

  for (const DrawnSeries& drawn : drawnSeries()) drawn.series->setPoints(drawn.points->x, drawn.points->y);
  indexDrawnFlights();
  showBand();
  Statistics->showLayers(workspace_.layers(), Chart2->locale());
  showMatching();
  widenStatistics();
  for (InteractiveChart* chart : {Chart1, Chart2}) {
    chart->fitToData();
    chart->replot();
  }
}

// The band and its legend entry are there only while both compared flights have a u_c somewhere.
void TForm1::showBand() {
  const CurvePoints& comparison = workspace_.points().comparison;
  Band->setUncertainties(comparison.y, comparison.uncertainty);
  QCPLegend* legend = Chart2->legend;
  if (Band->holdsBand() && !legend->hasItemWithPlottable(Band)) legend->addItem(new CheckableLegendItem(legend, Band));
  if (!Band->holdsBand()) Band->removeFromLegend();
}

// The consistency columns take room from Chart1 rather than hide behind a scroll bar; the
// panel never shrinks by itself, so that a width the operator dragged stays.
void TForm1::widenStatistics() {
  QList<int> sizes = Splitter1->sizes();
  const int wanted = Statistics->neededWidth() - sizes[2];
  const int spare = sizes[0] - Chart1->minimumWidth();
  if (wanted <= 0 || spare <= 0) return;
  const int taken = std::min(wanted, spare);
  sizes[0] -= taken;
  sizes[2] += taken;
  Splitter1->setSizes(sizes);
}

std::array<TForm1::DrawnSeries, 5> TForm1::drawnSeries() const {
  const RedrawPoints& points = workspace_.points();
  return {{{Series1, &points.flight1},
           {Series2, &points.flight2},
           {Series3, &points.comparison},
           {Series4, &points.average},
           {Series5, &points.flight3}}};
}

// The axes and the comparison curve say what is drawn: the columns picked and the sign.
void TForm1::labelCharts() {
  QStringList drawn;
  QString picked[3];
  std::vector<std::pair<int, HeightKind>> heights;
  for (int slot = 1; slot <= 3; ++slot) {
    const SlotWidgets widgets = slotWidgets(slot);
    const SlotState& state = workspace_.slot(slot);
    if (flightSlot(slot).rowCount == 0 || state.parameter < 0) continue;
    picked[slot - 1] = widgets.parameterBox->currentText();
    drawn << picked[slot - 1];
    heights.emplace_back(slot, flightIdentity(slot).heightKindOf(state.height));
  }
  const bool plus = CheckBox1->isChecked();
  // A value axis the operator holds belongs to what it showed: another quantity gives it back.
  const auto label = [](InteractiveChart* chart, const QString& title) {
    if (chart->xAxis->label() != title) chart->releaseValues();
    chart->xAxis->setLabel(title);
  };
  Chart1->yAxis->setLabel(heightAxisTitle(heights));
  // The comparison stands at flight 1's heights.
  const bool flight1 = !heights.empty() && heights.front().first == 1;
  Chart2->yAxis->setLabel(heightAxisTitle(flight1 ? decltype(heights){heights.front()} : decltype(heights){}));
  label(Chart1, flightsAxisTitle(drawn));
  // How the comparison matched joins Chart2's title once the redraw has found its shift; the
  // values the operator holds stay with the quantity whatever the shift.
  const QString comparison = comparisonAxisTitle(picked[0], picked[1], plus);
  if (comparison != comparisonTitle_) Chart2->releaseValues();
  comparisonTitle_ = comparison;
  Chart2->xAxis->setLabel(comparison);
  Series3->setName(comparisonSeriesName(plus));
}
