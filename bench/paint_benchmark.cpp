// The redraw with the painting of both charts: three 50000-row flights, the window at its
// designed size on the offscreen platform.
#include "benchmark_flights.h"
#include "form1.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include <benchmark/benchmark.h>

namespace {

void selectHeightAndTemperature(QComboBox* heightBox, QComboBox* parameterBox) {
  for (QComboBox* box : {heightBox, parameterBox}) box->addItems({"H", "T"});
  heightBox->setCurrentIndex(0);
  parameterBox->setCurrentIndex(1);
}

void RedrawAndPaint(benchmark::State& state) {
  TForm1 form;
  Form1 = &form;
  form.show();
  loadBenchmarkFlights();
  selectHeightAndTemperature(form.ComboBox1, form.ComboBox2);
  selectHeightAndTemperature(form.ComboBox3, form.ComboBox4);
  selectHeightAndTemperature(form.ComboBox5, form.ComboBox6);
  QApplication::processEvents();
  for (auto _ : state) form.switchboard.performClick(form.Compare);
}
BENCHMARK(RedrawAndPaint)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
