#include "reference/reference_format.h"

#include "reference/bulletin_heading.h"

#include <cstdint>
#include <optional>

namespace {

constexpr std::size_t kHdf5UserBlocks[] = {0, 512, 1024, 2048, 4096};
constexpr std::string_view kHdf5Signature("\x89HDF\r\n\x1a\n", 8);
static_assert(kReferenceHead >= kHdf5UserBlocks[4] + kHdf5Signature.size(), "the head reaches every signature");

// A big-endian unsigned number of `bytes` bytes at `at`; none where the head is too short.
std::optional<std::uint64_t> bigEndian(std::string_view head, std::size_t at, std::size_t bytes) {
  if (at + bytes > head.size()) return std::nullopt;
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < bytes; ++i) value = value << 8 | static_cast<unsigned char>(head[at + i]);
  return value;
}

// A classic header goes on, after the record count, with its list of dimensions: the tag
// NC_DIMENSION and their number, or ABSENT (two zeros).
bool isClassicNetCdf(std::string_view head) {
  if (head.size() < 4 || head.substr(0, 3) != "CDF") return false;
  const char version = head[3];
  if (version != 1 && version != 2 && version != 5) return false;
  const std::size_t size = version == 5 ? 8 : 4;  // of the record count and the list's length
  constexpr std::uint64_t kAbsent = 0, kDimension = 0x0A;
  const auto tag = bigEndian(head, 4 + size, 4), length = bigEndian(head, 8 + size, size);
  if (!tag || !length) return false;
  return (*tag == kAbsent && *length == 0) || (*tag == kDimension && *length > 0);
}

bool isNetCdf(std::string_view head) {
  if (isClassicNetCdf(head)) return true;
  for (std::size_t offset : kHdf5UserBlocks)
    if (head.substr(offset < head.size() ? offset : head.size(), kHdf5Signature.size()) == kHdf5Signature)
      return true;
  return false;
}

// Section 0 of editions 2 to 4 ("BUFR", the message's length in three bytes, the edition), then
// section 1 within the message; a message the head holds whole ends with "7777".
bool isBufrMessage(std::string_view message) {
  constexpr std::uint64_t kShortestMessage = 8 + 18 + 9 + 5 + 4;
  if (message.substr(0, 4) != "BUFR" || message.size() < 12) return false;
  // Three bytes each at most: the values stay far below any overflow.
  const std::uint64_t length = *bigEndian(message, 4, 3), edition = *bigEndian(message, 7, 1);
  const std::uint64_t section1 = *bigEndian(message, 8, 3);
  if (edition < 2 || edition > 4 || length < kShortestMessage || section1 < 18 || 8 + section1 >= length) return false;
  return length > message.size() || message.substr(length - 4, 4) == "7777";
}

// A bulletin from the GTS starts with the start-of-heading byte, and its message lies within
// reach; one as a national service hands it out may start with the heading itself, which then
// must have the strict form, with the message right behind it.
bool isBufr(std::string_view head) {
  if (isBufrMessage(head)) return true;
  const std::size_t behindHeading = bulletinMessageStart(head);
  if (behindHeading != std::string_view::npos && isBufrMessage(head.substr(behindHeading))) return true;
  if (head.empty() || head[0] != '\x01') return false;
  const std::size_t start = head.substr(0, kHeadingReach).find("BUFR");
  return start != std::string_view::npos && isBufrMessage(head.substr(start));
}

}  // namespace

ReferenceFormat referenceFormat(std::string_view head) {
  if (isNetCdf(head)) return ReferenceFormat::NetCdf;
  if (isBufr(head)) return ReferenceFormat::Bufr;
  return ReferenceFormat::None;
}
