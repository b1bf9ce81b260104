// Arbitrary bytes as one line, taken apart by the three scanners as every layout does, and as the
// text of a file, scanned for the end of its first line.
#include "intake/field_scanners.h"
#include "intake/flight_error.h"
#include "intake/line_scanning.h"
#include "intake/text_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// decodDigit is the inline path for plain fields, else the full conversion: the two must agree
// to the bit on every field the inline path takes.
void checkInlinePath(std::string_view line, DecimalSeparators separators) {
  while (!line.empty()) {
    const std::size_t before = line.size();
    std::string_view plain = line;
    double plainValue = 0;
    const bool isPlain = field_scanning::takePlainNumber(plain, separators, plainValue);
    try {
      const double value = decodAnyDigit(line, separators);
      if (std::isinf(value)) __builtin_trap();  // never a silently wrong value
      if (isPlain && (std::memcmp(&value, &plainValue, sizeof value) != 0 || plain != line)) __builtin_trap();
    } catch (const FlightError&) {
      if (isPlain) __builtin_trap();
    }
    if (line.size() >= before && !line.empty()) __builtin_trap();  // every call makes progress
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
  // Followed by a field of digits, every field is far enough from the line's end for the inline
  // path to leave out its checks of the end.
  checkInlinePath(std::string(bytes) + "\t" + std::string(field_scanning::kPlainFieldReach, '9'), separators);

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
