// Painting with three 50000-row flights, the window at its designed size on the offscreen
// platform: the redraw with the replot of both charts, a replot of Chart1 alone, and a wheel
// notch on Chart1 with the replot it asks for (zooming in and out by turns, so the range stays
// put).
#include "app/widgets/interactive_chart.h"
#include "app/window/form1.h"
#include "bench/benchmark_flights.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QWheelEvent>
#include <qcustomplot.h>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void selectHeightAndTemperature(QComboBox* heightBox, QComboBox* parameterBox) {
  for (QComboBox* box : {heightBox, parameterBox}) box->addItems({"H", "T"});
  heightBox->setCurrentIndex(0);
  parameterBox->setCurrentIndex(1);
}

// The window with the three flights drawn, shared by the benchmarks; gone before the
// application is.
std::unique_ptr<TForm1> form;

TForm1& drawnWindow() {
  if (form) return *form;
  form = std::make_unique<TForm1>();
  form->show();
  loadBenchmarkFlights();
  selectHeightAndTemperature(form->ComboBox1, form->ComboBox2);
  selectHeightAndTemperature(form->ComboBox3, form->ComboBox4);
  selectHeightAndTemperature(form->ComboBox5, form->ComboBox6);
  QApplication::processEvents();
  form->switchboard.performClick(form->Compare);
  return *form;
}

void RedrawAndPaint(benchmark::State& state) {
  TForm1& form = drawnWindow();
  for (auto _ : state) form.switchboard.performClick(form.Compare);
}
BENCHMARK(RedrawAndPaint)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void ReplotChart1(benchmark::State& state) {
  QCustomPlot* chart = drawnWindow().Chart1;
  for (auto _ : state) chart->replot(QCustomPlot::rpImmediateRefresh);
}
BENCHMARK(ReplotChart1)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void WheelZoomChart1(benchmark::State& state) {
  QCustomPlot* chart = drawnWindow().Chart1;
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
  form.reset();
}
