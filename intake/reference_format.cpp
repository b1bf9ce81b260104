#include "reference_format.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <string_view>

namespace {

constexpr std::size_t kHdf5UserBlocks[] = {0, 512, 1024, 2048, 4096};
constexpr std::string_view kHdf5Signature("\x89HDF\r\n\x1a\n", 8);
constexpr std::size_t kBulletinHeading = 128;

std::string readHead(const std::string& fileName) {
  constexpr std::size_t kHead = 4096 + kHdf5Signature.size();
  std::string head(kHead, '\0');
  // Never waits: the text layer has taken the file as a regular one, but it may be swapped.
  const int descriptor = open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return {};
  std::size_t filled = 0;
  while (filled < kHead) {
    const ssize_t got = read(descriptor, head.data() + filled, kHead - filled);
    if (got <= 0) break;
    filled += static_cast<std::size_t>(got);
  }
  close(descriptor);
  head.resize(filled);
  return head;
}

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

ReferenceFormat referenceFormat(const std::string& fileName) {
  const std::string head = readHead(fileName);
  if (isNetCdf(head)) return ReferenceFormat::NetCdf;
  if (isBufr(head)) return ReferenceFormat::Bufr;
  return ReferenceFormat::None;
}
