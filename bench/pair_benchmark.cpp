// One pair of the bench campaign's size, two sondes on one balloon (7000-row, 20-column tab
// flights, the ascent swinging, flight 2's clock 17 s ahead), compared by height, in time at the
// shift typed and in time at the shift found: as a campaign compares it, read from its files, and
// the comparison alone on tables already read. Prints what finding the shift costs, as a share of
// the pair's time.
#include "bench/median_reporter.h"
#include "campaign/pair_comparison.h"
#include "flight/flight_tables.h"
#include "tests/generator/flight_generator.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace {

constexpr int kRows = 7000;
constexpr int kTime = 0, kHeight = 1, kTemperature = 2;

FlightRecipe sonde(int seed, double clockStart) {
  FlightRecipe recipe = swingingSonde(kRows, seed, clockStart);
  recipe.extraColumns = 13;
  return recipe;
}

const FlightRecipe kFlights[2] = {sonde(1, 0), sonde(2, -17)};

// The pair's files, written once into a folder removed at the end.
class PairFiles {
 public:
  PairFiles() {
    std::string pattern = (std::filesystem::temp_directory_path() / "flightcompare-bench-XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
    writeFlight((folder_ / "a.txt").string(), kFlights[0]);
    writeFlight((folder_ / "b.txt").string(), kFlights[1]);
  }
  ~PairFiles() { std::filesystem::remove_all(folder_); }
  CampaignPair pair() const { return pairInFolder(folder_.string(), "a.txt", "b.txt", ""); }

 private:
  std::filesystem::path folder_;
};

// By height (0), in time at the shift typed (1), in time at the shift found (2).
Matching matchingOf(const benchmark::State& state) {
  if (state.range(0) == 0) return {};
  return {MatchBy::Time, state.range(0) == 1 ? std::optional(-kFlights[1].clockStart) : std::nullopt, {}};
}

void ReadAndCompared(benchmark::State& state) {
  static const PairFiles files;
  const Matching matching = matchingOf(state);
  CampaignSettings settings;
  settings.match = matching.by;
  settings.shift = matching.shift;
  PairComparer comparer(settings);
  const CampaignPair pair = files.pair();
  for (auto _ : state) {
    const PairResult result = comparer.compare(pair);
    if (!result.compared()) state.SkipWithError(result.reason.english().c_str());
    benchmark::DoNotOptimize(result.mean);
  }
}
BENCHMARK(ReadAndCompared)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void Compared(benchmark::State& state) {
  OwnFlightSet flights;
  for (int slot = 1; slot <= 2; ++slot) {
    FlightSlotData flight = flights.flights().slot(slot);
    for (int row = 1; row <= kRows; ++row) {
      const Sounding s = soundingAt(kFlights[slot - 1], row);
      flight.table[kTime][row] = s.time;
      flight.table[kHeight][row] = s.height;
      flight.table[kTemperature][row] = s.temperature;
    }
    flight.rowCount = kRows;
  }
  FlightComparison comparison(flights.flights());
  RedrawRequest request;
  for (SlotChoice& choice : request.flights) choice = {kHeight, kTemperature, 3, -1, {}, kTime};
  request.matching = matchingOf(state);
  CurvePoints points;
  for (auto _ : state) {
    comparison.compareOnly(request, points);
    benchmark::DoNotOptimize(points.x.data());
  }
}
BENCHMARK(Compared)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto median = [&](const char* name, int matching) {
    return reporter.medians[std::string(name) + "/" + std::to_string(matching)];
  };
  // Finding the shift is timed where the files' reads do not blur it, on tables already read; the
  // pair's time is the campaign's, read and compared.
  const double finding = median("Compared", 2) - median("Compared", 1);
  const double pair = median("ReadAndCompared", 2);
  if (pair > 0)
    std::printf("finding the shift: %.3f ms (compared on tables read, found less typed), %.1f %% of the pair read and "
                "compared in time (%.3f ms; by height %.3f ms)\n",
                finding, 100 * finding / pair, pair, median("ReadAndCompared", 0));
  benchmark::Shutdown();
}
