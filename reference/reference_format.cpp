#include "reference/reference_format.h"


namespace {

constexpr std::size_t kHdf5UserBlocks[] = {0, 512, 1024, 2048, 4096};
constexpr std::string_view kHdf5Signature("\x89HDF\r\n\x1a\n", 8);
constexpr std::size_t kBulletinHeading = 128;
static_assert(kReferenceHead >= kHdf5UserBlocks[4] + kHdf5Signature.size(), "the head reaches every signature");

bool isNetCdf(std::string_view head) {
  if (head.size() >= 4 && head.substr(0, 3) == "CDF" && (head[3] == 1 || head[3] == 2 || head[3] == 5)) return true;
  for (std::size_t offset : kHdf5UserBlocks)
    if (head.substr(offset < head.size() ? offset : head.size(), kHdf5Signature.size()) == kHdf5Signature)
      return true;
  return false;
}

bool isBufr(std::string_view head) {
  if (head.substr(0, 4) == "BUFR") return true;
  return !head.empty() && head[0] == '\x01' && head.substr(0, kBulletinHeading).find("BUFR") != std::string_view::npos;
}

}  // namespace

ReferenceFormat referenceFormat(std::string_view head) {
  if (isNetCdf(head)) return ReferenceFormat::NetCdf;
  if (isBufr(head)) return ReferenceFormat::Bufr;
  return ReferenceFormat::None;
}
