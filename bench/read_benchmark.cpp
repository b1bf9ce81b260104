// Reading a 50000-row, 20-column tab-layout flight, and a table of named columns of the same size
// (a semicolon-separated export): the throughput of the whole read, from the file on disk to the
// values in the flight table. And a 40000-level BUFR TEMP, the longest
// reference read: ecCodes in its child process, from the file to the table.
#include "flight/flight_tables.h"
#include "flight/read_choices.h"
#include "reader/flight_reader.h"
#include "tests/generator/flight_generator.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include <unistd.h>

namespace {

// A flight generated once for the run, under a name of the run's own, so that another run
// never rewrites it underneath; removed at the end.
class GeneratedFlight {
 public:
  explicit GeneratedFlight(const FlightRecipe& recipe)
      : path_((std::filesystem::temp_directory_path() /
               ("flightcompare-bench-" + std::string(layoutName(recipe.layout)) + "-" + std::to_string(getpid()) + ".txt"))
                  .string()) {
    writeFlight(path_, recipe);
  }
  ~GeneratedFlight() { std::remove(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

FlightRecipe wideFlight(Layout layout, int extraColumns) {
  FlightRecipe recipe;
  recipe.layout = layout;
  recipe.rows = 50000;
  recipe.extraColumns = extraColumns;
  return recipe;
}

// FLIGHT_FILE names the tab-layout file to read; without it one is generated.
std::string flightFile() {
  if (const char* given = std::getenv("FLIGHT_FILE")) return given;
  static const GeneratedFlight generated(wideFlight(Layout::Tab, 13));
  return generated.path();
}

void readWhole(benchmark::State& state, const std::string& path) {
  ReadChoices controls;
  for (auto _ : state) {
    readFlightFile(2, path, {'.', '.'}, controls);
    if (mass2Count != 50000) throw std::runtime_error("the benchmark flight did not read whole");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}

void ReadTabFlight(benchmark::State& state) { readWhole(state, flightFile()); }
BENCHMARK(ReadTabFlight)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// 9 named columns and 11 more: 20, as the tab layout's 7 and 13.
void ReadSemicolonTable(benchmark::State& state) {
  static const GeneratedFlight generated(wideFlight(Layout::Table, 11));
  readWhole(state, generated.path());
}
BENCHMARK(ReadSemicolonTable)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void ReadLongBufrTemp(benchmark::State& state) {
  const std::string path = std::string(REFERENCE_FILES) + "/temp_40000_levels.bufr";
  ReadChoices controls;
  for (auto _ : state) {
    readFlightFile(2, path, {'.', '.'}, controls);
    if (mass2Count != 40000) throw std::runtime_error("the benchmark sounding did not read whole");
  }
}
BENCHMARK(ReadLongBufrTemp)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
