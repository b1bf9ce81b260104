// Painting with three 50000-row flights, the window at its designed size on the offscreen
// platform: the redraw with the replot of both charts, a replot of Chart1 alone, and a wheel
// notch on Chart1 with the replot it asks for (zooming in and out by turns, so the range stays
// put).
#include "app/widgets/interactive_chart.h"
#include "app/window/form1.h"
#include "app/window/window_actions.h"
#include "flight/table_shape.h"
#include "tests/generator/flight_generator.h"
#include "tests/support/temp_files.h"

#include <QApplication>
#include <QPushButton>
#include <QWheelEvent>
#include <qcustomplot.h>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// Three flights of 50000 rows as three sondes of one ascent would give them, each a little off
// the model, opened as the operator opens them; the reader picks H and T.
struct DrawnWindow {
  DrawnWindow() {
    form.show();
    for (int slot = 1; slot <= 3; ++slot) {
      FlightRecipe recipe;
      recipe.rows = kMaxRows;
      recipe.bias = 0.2 * slot;
      recipe.noise = 0.1;
      recipe.seed = slot;
      actions.open(slot, QByteArray::fromStdString(files.write(std::to_string(slot) + ".txt", generateFlight(recipe))));
    }
    QApplication::processEvents();
  }
  QPushButton* compare() const { return form.findChild<QPushButton*>(QStringLiteral("Compare")); }
  QCustomPlot* chart1() const { return form.findChild<QCustomPlot*>(QStringLiteral("Chart1")); }

  TempFiles files;
  TForm1 form;
  WindowActions actions{form};
};

// Shared by the benchmarks; gone before the application is.
std::unique_ptr<DrawnWindow> window;

DrawnWindow& drawnWindow() {
  if (!window) window = std::make_unique<DrawnWindow>();
  return *window;
}

void RedrawAndPaint(benchmark::State& state) {
  DrawnWindow& drawn = drawnWindow();
  QPushButton* compare = drawn.compare();
  for (auto _ : state) drawn.form.switchboard.performClick(compare);
}
BENCHMARK(RedrawAndPaint)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void ReplotChart1(benchmark::State& state) {
  QCustomPlot* chart = drawnWindow().chart1();
  for (auto _ : state) chart->replot(QCustomPlot::rpImmediateRefresh);
}
BENCHMARK(ReplotChart1)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void WheelZoomChart1(benchmark::State& state) {
  QCustomPlot* chart = drawnWindow().chart1();
  const QPointF centre = chart->axisRect()->rect().center();
  int notch = 120;
  for (auto _ : state) {
    QWheelEvent wheel(centre, chart->mapToGlobal(centre), QPoint(), QPoint(0, notch), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart, &wheel);
    // The zoom queues a replot for the next turn of the event loop: done here at once.
    chart->replot(QCustomPlot::rpImmediateRefresh);
    notch = -notch;
  }
}
BENCHMARK(WheelZoomChart1)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  window.reset();
}
