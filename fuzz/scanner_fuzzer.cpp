// Arbitrary bytes as one line, taken apart by the three scanners as every layout does, and as the
// text of a file, scanned for the end of its first line.
#include "raw/field_scanners.h"
#include "raw/field_splitting.h"
#include "flight/flight_error.h"
#include "raw/line_scanning.h"
#include "raw/text_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// What reading a field gave: its value's bits or the message, and how much of the line is left.
struct FieldOutcome {
  std::uint64_t bits = 0;
  std::string message;
  bool mismatch = false;
  std::size_t left = 0;
  bool operator!=(const FieldOutcome& other) const {
    return bits != other.bits || message != other.message || mismatch != other.mismatch || left != other.left;
  }
};

// Reads one field, and then asks how much of the line is left, after a failure too.
template <typename Read, typename Left>
FieldOutcome outcomeOf(Read read, Left left) {
  FieldOutcome outcome;
  try {
    const double value = read();
    if (std::isinf(value)) __builtin_trap();  // never a silently wrong value
    std::memcpy(&outcome.bits, &value, sizeof value);
  } catch (const SeparatorMismatch& error) {
    outcome.message = error.what();
    outcome.mismatch = true;
  } catch (const FlightError& error) {
    outcome.message = error.what();
  }
  outcome.left = left();
  return outcome;
}

// decodDigit reads plain fields inline, other decimals with fast_float, and leaves the rest to the
// full conversion: field by field, with the ends found by a byte search or by any kernel's split,
// it must give the full conversion's value to the bit, its message, and stop where it stops.
void checkInlinePath(std::string_view bytes, DecimalSeparators separators) {
  std::vector<FieldOutcome> expected;
  for (std::string_view line = bytes; !line.empty();) {
    const std::size_t before = line.size();
    expected.push_back(outcomeOf([&] { return decodAnyDigit(line, separators); }, [&] { return line.size(); }));
    if (line.size() >= before) __builtin_trap();  // every call makes progress
  }
  std::string_view line = bytes;
  for (const FieldOutcome& field : expected)
    if (outcomeOf([&] { return decodDigit(line, separators); }, [&] { return line.size(); }) != field)
      __builtin_trap();
  for (const ScanKernel kernel : kScanKernels) {
    if (!isAvailable(kernel)) continue;
    const char* p = bytes.data();
    FieldSplitter fields(p, p + bytes.size(), FieldSplitter::blockBitsOf(kernel));
    for (const FieldOutcome& field : expected)
      if (outcomeOf([&] { return decodDigit(p, fields, separators); },
                    [&] { return static_cast<std::size_t>(fields.end() - p); }) != field)
        __builtin_trap();
  }
}

// Every vector kernel finds where the first line ends as the byte searches do, from any start.
void checkLineScans(std::string_view bytes, std::size_t start) {
  const std::string_view text = bytes.substr(std::min(start, bytes.size()));
  const LineScan expected = scanLineWith(ScanKernel::Scalar, text.data(), text.size());
  for (const ScanKernel kernel : {ScanKernel::Sse2, ScanKernel::Avx2}) {
    if (!isAvailable(kernel)) continue;
    const LineScan found = scanLineWith(kernel, text.data(), text.size());
    if (found.lineFeed != expected.lineFeed || found.textEnd != expected.textEnd ||
        found.highBytes != expected.highBytes)
      __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const DecimalSeparators separators{(data[0] & 1) ? '.' : ',', (data[0] & 2) ? '.' : ','};
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  checkInlinePath(bytes, separators);

  checkLineScans(bytes, 0);
  checkLineScans(bytes, data[0] % 64);

  std::string_view line = bytes;
  while (!line.empty()) {
    const std::size_t before = line.size();
    decodtype(line);
    if (line.size() >= before && !line.empty()) __builtin_trap();
  }

  line = bytes;
  deletNoDigit(line);
  if (!line.empty() && std::string_view("0123456789.,-/").find(line.front()) == std::string_view::npos)
    __builtin_trap();

  line = bytes;
  dropCharacters(line, size % 17);
  if (characterCount(lastCharacters(bytes, 30)) > 30) __builtin_trap();
  return 0;
}
