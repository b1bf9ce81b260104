// Arbitrary bytes as a flight file (raw text, NetCDF or BUFR), read into a slot and redrawn with
// arbitrary choices.
// The first bytes pick the slot, the separators and the redraw's choices; the rest is the file.
#include "compare/comparison_redraw.h"
#include "flight/flight_error.h"
#include "flight/flight_tables.h"
#include "flight/slot_controls.h"
#include "reader/flight_reader.h"

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// Keeps how many columns each slot's lists hold, as the window's combo boxes would.
struct CountingControls : SlotControls {
  void setFileLabel(const std::string&) override {}
  void setLegendTitle(const std::string& title) override {
    if (title.size() > 4 * 30) __builtin_trap();
  }
  void clearParameterLists() override { columns = 0; }
  void addParameter(const std::string&) override { ++columns; }
  void selectHeight(int index) override { check(index); }
  void selectParameter(int index) override { check(index); }
  void showRowCount(int count) override {
    if (count < 1 || count > kMaxRows) __builtin_trap();
  }
  void check(int index) const {
    if (index < 0 || index >= columns) __builtin_trap();
  }
  int columns = 0;
};

CountingControls controls[3];
RedrawPoints points;

const std::string& scratchFile() {
  static const std::string path = "/tmp/flightcompare-fuzz-" + std::to_string(getpid()) + ".txt";
  return path;
}

int choice(std::uint8_t byte) { return static_cast<int>(byte % 60) - 2; }  // -2 .. 57

void checkPoints(const CurvePoints& list) {
  for (std::size_t i = 0; i < list.x.size(); ++i)
    if (!std::isfinite(list.x[i]) || !std::isfinite(list.y[i])) __builtin_trap();
}

}  // namespace

// A damaged product makes NetCDF or ecCodes ask for terabytes in the child that reads it; the
// library then gets no memory, as it would outside the sanitizer, rather than the child being
// reported as a finding of its own.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1:max_allocation_size_mb=1024"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kOptionBytes = 10;
  if (size < kOptionBytes) return 0;
  const int slot = 1 + data[0] % 3;
  const DecimalSeparators separators{(data[1] & 1) ? '.' : ',', (data[1] & 2) ? '.' : ','};

  std::FILE* file = std::fopen(scratchFile().c_str(), "wb");
  std::fwrite(data + kOptionBytes, 1, size - kOptionBytes, file);
  std::fclose(file);

  const double top = MaxHight;
  const int others = flightSlot(slot % 3 + 1).rowCount;
  try {
    readFlightFile(slot, scratchFile(), separators, controls[slot - 1]);
    if (MaxHight > top) __builtin_trap();  // a read never raises the window's top
  } catch (const FlightError&) {
    if (flightSlot(slot).rowCount != 0 || MaxHight != top) __builtin_trap();
  }
  if (flightSlot(slot % 3 + 1).rowCount != others) __builtin_trap();  // other slots untouched
  if (flightSlot(slot).rowCount < 0 || flightSlot(slot).rowCount > kMaxRows) __builtin_trap();

  RedrawRequest request;
  for (int s = 0; s < 3; ++s) {
    request.flights[s] = {choice(data[2 + 2 * s]), choice(data[3 + 2 * s]), controls[s].columns};
  }
  request.correction = static_cast<int>(data[8] % 201) * 5 - 500;
  request.plus = data[9] & 1;
  request.slowChannelText = (data[9] & 2) ? "10" : (data[9] & 4) ? "11" : "x";
  try {
    compareFlights(request, points);
  } catch (const FlightError&) {
  }
  for (const CurvePoints* list : {&points.flight1, &points.flight2, &points.flight3, &points.comparison, &points.average})
    checkPoints(*list);
  return 0;
}
