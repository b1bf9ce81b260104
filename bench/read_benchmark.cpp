// Reading a 50000-row, 20-column tab-layout flight: the throughput of the whole read, from
// the file on disk to the values in the flight table.
#include "flight_generator.h"
#include "flight_reader.h"
#include "flight_tables.h"
#include "slot_controls.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace {

struct NoControls : SlotControls {
  void setFileLabel(const std::string&) override {}
  void setLegendTitle(const std::string&) override {}
  void clearParameterLists() override {}
  void addParameter(const std::string&) override {}
  void selectHeight(int) override {}
  void selectParameter(int) override {}
  void showRowCount(int) override {}
};

// FLIGHT_FILE names the file to read; without it one is generated.
std::string flightFile() {
  if (const char* given = std::getenv("FLIGHT_FILE")) return given;
  const std::string path = (std::filesystem::temp_directory_path() / "flightcompare-bench-tab.txt").string();
  FlightRecipe recipe;
  recipe.rows = 50000;
  recipe.extraColumns = 13;
  writeFlight(path, recipe);
  return path;
}

void ReadTabFlight(benchmark::State& state) {
  const std::string path = flightFile();
  NoControls controls;
  for (auto _ : state) {
    readFlightFile(2, path, {'.', '.'}, controls);
    if (mass2Count != 50000) throw std::runtime_error("the benchmark flight did not read whole");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(ReadTabFlight)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
