#include "reference/hdf5_length.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <optional>
#include <string_view>

namespace {

constexpr std::string_view kSignature("\x89HDF\r\n\x1a\n", 8);
// Where HDF5 looks for its superblock: at the start, or after a user block of a power of two.
constexpr off_t kSuperblockPlaces[] = {0, 512, 1024, 2048, 4096, 8192, 16384, 32768, 65536};

// A little-endian number of `bytes` bytes; HDF5 writes its addresses so.
std::uint64_t littleEndian(const unsigned char* at, int bytes) {
  std::uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | at[i];
  return value;
}

// The length the superblock at `place` states: its base address plus its end-of-file address.
std::optional<std::uint64_t> statedLength(int descriptor, off_t place) {
  unsigned char block[64] = {};
  if (pread(descriptor, block, sizeof block, place) != static_cast<ssize_t>(sizeof block)) return std::nullopt;
  if (std::string_view(reinterpret_cast<const char*>(block), kSignature.size()) != kSignature) return std::nullopt;
  const int version = block[8];
  // Versions 0 and 1 keep the sizes after three more version bytes and a reserved one, and the
  // addresses after 16 (or 20) bytes of settings; versions 2 and 3 keep them right behind.
  const int offsets = version <= 1 ? block[13] : block[9];
  if (offsets != 2 && offsets != 4 && offsets != 8) return std::nullopt;
  const int addresses = version == 0 ? 24 : version == 1 ? 28 : version <= 3 ? 12 : -1;
  if (addresses < 0) return std::nullopt;
  const std::uint64_t base = littleEndian(block + addresses, offsets);
  // The end-of-file address stands third after the base in 0 and 1, after the free-space and the
  // extension addresses, and third in 2 and 3 as well.
  const std::uint64_t end = littleEndian(block + addresses + 2 * offsets, offsets);
  return base + end;
}

}  // namespace

bool hdf5FileIsWhole(int descriptor) {
  struct stat status {};
  if (fstat(descriptor, &status) != 0) return true;
  for (const off_t place : kSuperblockPlaces) {
    if (place >= status.st_size) break;
    if (const std::optional<std::uint64_t> length = statedLength(descriptor, place))
      return static_cast<std::uint64_t>(status.st_size) >= *length;
  }
  return true;
}
