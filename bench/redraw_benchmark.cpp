// The comparison redraw of three 50000-row flights, without painting, against the same
// comparison done with the literal scan from pair 1 for every row. Prints the ratio.
#include "bench/benchmark_flights.h"
#include "bench/median_reporter.h"
#include "compare/height_window.h"
#include "flight/numeric_helpers.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

RedrawPoints points;

void Redraw(benchmark::State& state) {
  loadBenchmarkFlights();
  const RedrawRequest request = benchmarkRequest();
  for (auto _ : state) {
    compareFlights(request, points);
    benchmark::DoNotOptimize(points.average.x.data());
  }
}
BENCHMARK(Redraw)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// Only the comparison step, each row scanning the profile from pair 1: a lower bound of what
// the whole redraw costs that way.
void LiteralScanComparison(benchmark::State& state) {
  loadBenchmarkFlights();
  compareFlights(benchmarkRequest(), points);
  for (auto _ : state) {
    double total = 0;
    for (int i = 1; i <= mass1Count; ++i) {
      const double hight = mas1[0][i];
      if (!heightWindow(windowFlights()).contains(hight)) continue;
      for (int k = 1; k < MassivsCount; ++k) {
        if (Massiv2H[k] <= hight && Massiv2H[k + 1] >= hight) {
          total += mas1[1][i] - LinearInterpolation(Massiv2H[k], Massiv2H[k + 1], Massiv2[k], Massiv2[k + 1], hight);
          break;
        }
      }
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(LiteralScanComparison)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (reporter.medians.count("Redraw") && reporter.medians.count("LiteralScanComparison"))
    std::printf("literal scan / redraw: %.0fx\n", reporter.medians["LiteralScanComparison"] / reporter.medians["Redraw"]);
  benchmark::Shutdown();
}
