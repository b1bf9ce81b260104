// Arbitrary bytes as one line, taken apart by the three scanners as every layout does.
#include "field_scanners.h"
#include "flight_error.h"
#include "text_file.h"

#include <cmath>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const DecimalSeparators separators{(data[0] & 1) ? '.' : ',', (data[0] & 2) ? '.' : ','};
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  std::string_view line = bytes;
  while (!line.empty()) {
    const std::size_t before = line.size();
    try {
      const double value = decodDigit(line, separators);
      if (std::isinf(value)) __builtin_trap();  // never a silently wrong value
    } catch (const FlightError&) {
    }
    if (line.size() >= before && !line.empty()) __builtin_trap();  // every call makes progress
  }

  line = bytes;
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
