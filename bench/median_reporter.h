#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// The console's table, keeping each benchmark's median in milliseconds by its name and argument
// ("Redraw", "Compared/1"), for what a program prints after the table.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.aggregate_name != "median") continue;
      const std::string& args = run.run_name.args;
      medians[run.run_name.function_name + (args.empty() ? "" : "/" + args)] =
          1000 * run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> medians;
};
