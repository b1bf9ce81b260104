// Reading a 50000-row, 20-column tab-layout flight: the throughput of the whole read, from
// the file on disk to the values in the flight table. And a 40000-level BUFR TEMP, the longest
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
  GeneratedFlight()
      : path_((std::filesystem::temp_directory_path() / ("flightcompare-bench-tab-" + std::to_string(getpid()) + ".txt"))
                  .string()) {
    FlightRecipe recipe;
    recipe.rows = 50000;
    recipe.extraColumns = 13;
    writeFlight(path_, recipe);
  }
  ~GeneratedFlight() { std::remove(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// FLIGHT_FILE names the file to read; without it one is generated.
std::string flightFile() {
  if (const char* given = std::getenv("FLIGHT_FILE")) return given;
  static const GeneratedFlight generated;
  return generated.path();
}

void ReadTabFlight(benchmark::State& state) {
  const std::string path = flightFile();
  ReadChoices controls;
  for (auto _ : state) {
    readFlightFile(2, path, {'.', '.'}, controls);
    if (mass2Count != 50000) throw std::runtime_error("the benchmark flight did not read whole");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(ReadTabFlight)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

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
