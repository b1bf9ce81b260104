#include "reference/classic_netcdf_length.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

struct CutShort {};
struct Malformed {};

constexpr std::uint64_t kNoEnd = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint64_t kStreaming = 0xFFFFFFFF;
enum Tag : std::uint64_t { kAbsent = 0, kDimension = 0x0A, kVariable = 0x0B, kAttribute = 0x0C };

std::uint64_t times(std::uint64_t a, std::uint64_t b) { return b != 0 && a > kNoEnd / b ? kNoEnd : a * b; }
std::uint64_t plus(std::uint64_t a, std::uint64_t b) { return a > kNoEnd - b ? kNoEnd : a + b; }
std::uint64_t padded(std::uint64_t size) { return plus(size, 3) & ~std::uint64_t{3}; }

// The bytes of each external type (NC_BYTE = 1 … NC_UINT64 = 11).
std::uint64_t typeSize(std::uint64_t type) {
  constexpr std::uint64_t kSizes[] = {0, 1, 1, 2, 4, 4, 8, 1, 2, 4, 8, 8};
  if (type == 0 || type >= std::size(kSizes)) throw Malformed{};
  return kSizes[type];
}

// The header's big-endian numbers, read through a buffer from the open file.
class Header {
 public:
  explicit Header(int descriptor) : descriptor_(descriptor) {}

  std::uint64_t number(int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value = value << 8 | byte();
    return value;
  }

  void skip(std::uint64_t bytes) {
    const std::uint64_t buffered = end_ - next_;
    if (bytes <= buffered) {
      next_ += bytes;
      return;
    }
    if (bytes - buffered > kNoEnd - offset_) throw CutShort{};
    offset_ += bytes - buffered;
    next_ = end_ = 0;
  }

 private:
  unsigned char byte() {
    if (next_ == end_) fill();
    return buffer_[next_++];
  }

  void fill() {
    ssize_t got;
    do got = pread(descriptor_, buffer_, sizeof buffer_, static_cast<off_t>(offset_));
    while (got < 0 && errno == EINTR);
    if (got <= 0) throw CutShort{};
    offset_ += static_cast<std::uint64_t>(got);
    next_ = 0;
    end_ = static_cast<std::size_t>(got);
  }

  int descriptor_;
  unsigned char buffer_[1 << 16];
  std::uint64_t offset_ = 0;  // of the byte after the buffer
  std::size_t next_ = 0, end_ = 0;
};

struct Variable {
  std::uint64_t begin, size;  // size: of one record for a record variable
  bool record;
};

// Reads the header and returns the length its data need.
class HeaderReader {
 public:
  explicit HeaderReader(int descriptor) : header_(descriptor) {}

  std::uint64_t neededLength() {
    if (header_.number(3) != 0x434446) throw Malformed{};  // "CDF"
    const std::uint64_t version = header_.number(1);
    if (version != 1 && version != 2 && version != 5) throw Malformed{};
    count_ = version == 5 ? 8 : 4;
    const std::uint64_t records = header_.number(count_);
    readDimensions();
    skipAttributes();
    const std::vector<Variable> variables = readVariables(version == 1 ? 4 : 8, version == 5 ? 8 : 4);
    return lengthFor(variables, records == kStreaming && version != 5 ? 0 : records);
  }

 private:
  std::uint64_t listLength(Tag expected) {
    const std::uint64_t tag = header_.number(4);
    const std::uint64_t length = header_.number(count_);
    if (tag != expected && !(tag == kAbsent && length == 0)) throw Malformed{};
    return length;
  }

  void skipName() { header_.skip(padded(header_.number(count_))); }

  void readDimensions() {
    for (std::uint64_t n = listLength(kDimension); n > 0; --n) {
      skipName();
      dimensions_.push_back(header_.number(count_));
    }
  }

  void skipAttributes() {
    for (std::uint64_t n = listLength(kAttribute); n > 0; --n) {
      skipName();
      const std::uint64_t size = typeSize(header_.number(4));
      header_.skip(padded(times(header_.number(count_), size)));
    }
  }

  std::vector<Variable> readVariables(int beginBytes, int sizeBytes) {
    std::vector<Variable> variables;
    for (std::uint64_t n = listLength(kVariable); n > 0; --n) {
      skipName();
      Variable variable{0, 1, false};
      const std::uint64_t rank = header_.number(count_);
      for (std::uint64_t d = 0; d < rank; ++d) {
        const std::uint64_t dimension = header_.number(count_);
        if (dimension >= dimensions_.size()) throw Malformed{};
        // The record dimension (length 0) comes first and counts records, not values.
        if (dimensions_[dimension] == 0 && d == 0) variable.record = true;
        else variable.size = times(variable.size, dimensions_[dimension]);
      }
      skipAttributes();
      variable.size = times(variable.size, typeSize(header_.number(4)));
      header_.number(sizeBytes);
      variable.begin = header_.number(beginBytes);
      variables.push_back(variable);
    }
    return variables;
  }

  static std::uint64_t lengthFor(const std::vector<Variable>& variables, std::uint64_t records) {
    std::uint64_t recordSize = 0, recordVariables = 0, needed = 0;
    for (const Variable& variable : variables)
      if (variable.record) {
        recordSize = plus(recordSize, padded(variable.size));
        ++recordVariables;
      }
    // A lone record variable's records follow one another unpadded.
    if (recordVariables == 1)
      for (const Variable& variable : variables)
        if (variable.record) recordSize = variable.size;
    for (const Variable& variable : variables) {
      if (!variable.record) needed = std::max(needed, plus(variable.begin, variable.size));
      else if (records > 0) needed = std::max(needed, plus(plus(variable.begin, times(records - 1, recordSize)), variable.size));
    }
    return needed;
  }

  Header header_;
  int count_ = 4;
  std::vector<std::uint64_t> dimensions_;
};

}  // namespace

bool classicNetCdfIsWhole(int descriptor) {
  struct stat status {};
  if (fstat(descriptor, &status) != 0) return true;
  try {
    return static_cast<std::uint64_t>(status.st_size) >= HeaderReader(descriptor).neededLength();
  } catch (const CutShort&) {
    return false;
  } catch (const Malformed&) {
    return true;
  }
}
