#include "raw/text_file.h"

#include "flight/flight_error.h"
#include "raw/line_scanning.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr char kEndOfFileMark = '\x1A';
constexpr std::size_t kChunk = std::size_t{256} << 10;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

FlightError doesNotExist(const std::string& fileName) {
  if (fileName.empty()) return FlightError(MessageId::FileDoesNotExist);
  return FlightError(MessageId::FileDoesNotExist, inFile(fileName));
}

FlightError ioError(const std::string& fileName, const std::string& reason) {
  return FlightError(Message(MessageId::ReadError, {fileName, reason}));
}

int openWithoutWaiting(const std::string& fileName) {
  const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) {
    if (errno == ENOENT || errno == ENOTDIR) throw doesNotExist(fileName);
    throw ioError(fileName, std::strerror(errno));
  }
  struct stat status {};
  const bool known = ::fstat(descriptor, &status) == 0;
  const int error = errno;
  if (!known || !S_ISREG(status.st_mode)) ::close(descriptor);
  if (!known) throw ioError(fileName, std::strerror(error));
  // A folder is no file, as the operator sees it.
  if (S_ISDIR(status.st_mode)) throw doesNotExist(fileName);
  if (!S_ISREG(status.st_mode)) throw ioError(fileName, "not a regular file");
  return descriptor;
}

template <typename Call>
ssize_t retryInterrupted(Call call) {
  ssize_t result;
  do result = call();
  while (result < 0 && errno == EINTR);
  return result;
}

}  // namespace

TextFile::TextFile(std::string fileName)
    : fileName_(std::move(fileName)), descriptor_(openWithoutWaiting(fileName_)) {}

TextFile::~TextFile() { ::close(descriptor_); }

void TextFile::failToRead(int error) const { throw ioError(fileName_, std::strerror(error)); }

// Reads more of the file behind the bytes not read yet; false when nothing more comes.
bool TextFile::fill() {
  if (exhausted_) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size()) {
    if (buffer_.size() >= kLongestLine)
      throw FlightError(Message(MessageId::FlightLineTooLong, {std::to_string(kLongestLine >> 20)}));
    buffer_.resize(buffer_.empty() ? kChunk : std::min(kLongestLine, 2 * buffer_.size()));
  }
  char* const fresh = buffer_.data() + end_;
  const ssize_t got = retryInterrupted([&] { return ::read(descriptor_, fresh, buffer_.size() - end_); });
  if (got < 0) failToRead(errno);
  const auto mark = static_cast<const char*>(std::memchr(fresh, kEndOfFileMark, got));
  end_ += mark ? mark - fresh : got;
  exhausted_ = got == 0 || mark;
  return got > 0;
}

void TextFile::skipByteOrderMark() {
  startChecked_ = true;
  while (end_ - begin_ < kByteOrderMark.size() && fill()) {
  }
  if (startsWith({buffer_.data() + begin_, end_ - begin_}, kByteOrderMark)) begin_ += kByteOrderMark.size();
}

bool TextFile::endReached() {
  if (!startChecked_) skipByteOrderMark();
  if (begin_ == end_) fill();
  return begin_ == end_;
}

// Where in the scanned bytes the line ends, or kNoLineFeed while they hold no end.
std::size_t TextFile::breakAt(const LineScan& scan, std::size_t scanned) const {
  if (lineEnds_ == LineEnds::LineFeed) return scan.lineFeed;
  return scan.textEnd < scanned ? scan.textEnd : LineScan::kNoLineFeed;
}

std::string_view TextFile::readLine(LongLine longLine) {
  ++lineNumber_;
  readPastTheEnd_ = eof();
  if (readPastTheEnd_) return {};
  std::size_t searched = 0;  // bytes from begin_ on that hold no line's end
  bool tooLong = false;
  LineScan scan;
  std::size_t lineBreak;
  while ((lineBreak = breakAt(scan = scanLine(buffer_.data() + begin_ + searched, end_ - begin_ - searched),
                              end_ - begin_ - searched)) == LineScan::kNoLineFeed) {
    if (end_ - begin_ >= kLongestLine && longLine == LongLine::ReadsEmpty) {
      // Read on to the line's end without keeping any of it.
      tooLong = true;
      begin_ = end_;
    }
    searched = end_ - begin_;
    if (!fill()) break;
  }
  const bool ended = lineBreak != LineScan::kNoLineFeed;
  std::size_t length = ended ? searched + lineBreak : end_ - begin_;
  // A CR that may be the first half of a CR LF waits for the byte after it.
  if (ended && buffer_[begin_ + length] == '\r' && begin_ + length + 1 == end_) fill();
  const std::size_t stop = begin_ + length;
  const bool crLf = lineEnds_ == LineEnds::AnyBreak && ended && buffer_[stop] == '\r' && stop + 1 < end_ &&
                    buffer_[stop + 1] == '\n';
  const std::size_t next = ended ? stop + 1 + crLf : end_;
  if (tooLong) {
    begin_ = next;
    return {};
  }
  // A line that the buffer held only in part was scanned in parts: its text is scanned whole.
  if (searched > 0) scan = scanLine(buffer_.data() + begin_, length);
  const std::string_view text(buffer_.data() + begin_, std::min(scan.textEnd, length));
  begin_ = next;

  if (scan.highBytes && !isUtf8()) {
    line_.clear();
    appendWindows1251AsUtf8(line_, text);
    return line_;
  }
  // eof() refills the buffer only once every byte of it is read: then the line is kept apart.
  if (begin_ == end_ && !exhausted_) {
    line_.assign(text);
    return line_;
  }
  return text;
}

void TextFile::startOver(LineEnds lineEnds) {
  if (::lseek(descriptor_, 0, SEEK_SET) < 0) failToRead(errno);
  begin_ = end_ = 0;
  exhausted_ = startChecked_ = readPastTheEnd_ = false;
  lineNumber_ = 0;
  lineEnds_ = lineEnds;
}

// Decided on the first line that is more than ASCII: every line before it reads the same
// either way.
bool TextFile::isUtf8() {
  if (encoding_ == Encoding::Unknown) encoding_ = wholeFileIsUtf8() ? Encoding::Utf8 : Encoding::Windows1251;
  return encoding_ == Encoding::Utf8;
}

std::string TextFile::head(std::size_t size) const {
  std::string bytes(size, '\0');
  std::size_t filled = 0;
  while (filled < size) {
    const ssize_t got = retryInterrupted([&] { return ::pread(descriptor_, bytes.data() + filled, size - filled, filled); });
    if (got < 0) failToRead(errno);
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return bytes;
}

// A pass of its own over the file up to its end or Ctrl-Z, in chunks; a character cut by a
// chunk's end is carried into the next.
bool TextFile::wholeFileIsUtf8() const {
  std::vector<char> chunk(kChunk);
  std::size_t carried = 0;
  for (off_t offset = 0;;) {
    char* const fresh = chunk.data() + carried;
    const ssize_t got =
        retryInterrupted([&] { return ::pread(descriptor_, fresh, chunk.size() - carried, offset); });
    if (got < 0) failToRead(errno);
    offset += got;
    const auto mark = static_cast<const char*>(std::memchr(fresh, kEndOfFileMark, got));
    const char* const stop = mark ? mark : fresh + got;
    const char* const cut = validUtf8Prefix(chunk.data(), stop);
    if (!cut) return false;
    if (mark || got == 0) return cut == stop;
    carried = stop - cut;
    std::memmove(chunk.data(), cut, carried);
  }
}
