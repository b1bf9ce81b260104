#pragma once

#include "raw/line_scanning.h"
#include "raw/text_encoding.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The longest line a flight file may have, its line break included. Real rows are a few
// hundred bytes; the bound keeps a read's memory small whatever the file holds.
constexpr std::size_t kLongestLine = std::size_t{4} << 20;

// A raw flight file as lines of UTF-8 text. Ground stations write Windows-1251; a file that is
// entirely valid UTF-8 and holds non-ASCII text was converted on Linux and is taken as UTF-8.
// A UTF-8 byte-order mark at the very start is no text. A line ends at its first CR or LF and
// reading goes on after the next LF (unless told otherwise); the first Ctrl-Z ends the file. Reading past the end
// yields empty lines, as a text file does. The file is read in chunks as the lines are asked
// for, never held whole.
class TextFile {
 public:
  // Opens without waiting and takes only a regular file: a FIFO would wait for a writer, a
  // device may never end. Fails with "File does not exist." for no such file or a folder,
  // otherwise with a FlightError naming the file and the system's reason.
  explicit TextFile(std::string fileName);
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  const std::string& fileName() const { return fileName_; }
  // The open file, for a library that reads it by itself.
  int descriptor() const { return descriptor_; }
  // Inline for the row loops, which ask after every line: only an empty buffer needs a look at
  // the file.
  bool eof() { return (!startChecked_ || begin_ == end_) && endReached(); }

  // How many lines have been read, those past the end included, and whether the last one was.
  int lineNumber() const { return lineNumber_; }
  bool readPastTheEnd() const { return readPastTheEnd_; }

  // What a line longer than kLongestLine gives: a failure, "Line too long: …", or an empty line
  // where only a header line matters, so that a file of another kind is told apart as such.
  enum class LongLine { Fails, ReadsEmpty };

  // The next line; valid until the next call. Fails with an I/O error naming the file.
  std::string_view readLine(LongLine longLine = LongLine::Fails);

  // Where a line ends: at a line feed only, as station files have it (a CR there only ends the
  // line's text), or at any of CR, LF and CR LF, as the exports of other systems end theirs.
  enum class LineEnds { LineFeed, AnyBreak };
  // Reads again from the file's first line, its lines ending so.
  void startOver(LineEnds lineEnds);

  // Up to size bytes from the file's start, as they are, whatever has been read so far; fewer
  // for a shorter file. Fails with an I/O error naming the file.
  std::string head(std::size_t size) const;

 private:
  bool fill();
  bool endReached();
  void skipByteOrderMark();
  bool isUtf8();
  bool wholeFileIsUtf8() const;
  [[noreturn]] void failToRead(int error) const;
  std::size_t breakAt(const LineScan& scan, std::size_t scanned) const;

  enum class Encoding { Unknown, Utf8, Windows1251 };

  std::string fileName_;
  int descriptor_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0, end_ = 0;  // the bytes of buffer_ not read yet
  bool exhausted_ = false;           // the file's end, or its Ctrl-Z, is in the buffer
  bool startChecked_ = false;
  Encoding encoding_ = Encoding::Unknown;
  LineEnds lineEnds_ = LineEnds::LineFeed;
  std::string line_;
  int lineNumber_ = 0;
  bool readPastTheEnd_ = false;
};

// Whether a line begins with these characters (byte-wise equal in UTF-8). The first character
// tells most lines apart without a call: the header search asks seven times of every line of a
// file that holds no layout.
inline bool startsWith(std::string_view line, std::string_view prefix) {
  if (line.size() < prefix.size() || (!prefix.empty() && line[0] != prefix[0])) return false;
  return line.substr(0, prefix.size()) == prefix;
}
