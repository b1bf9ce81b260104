#pragma once

#include <string>
#include <string_view>

// A raw flight file as lines of UTF-8 text. Ground stations write Windows-1251; a file that is
// entirely valid UTF-8 and holds non-ASCII text was converted on Linux and is taken as UTF-8.
// A line ends at its first CR or LF and reading goes on after the next LF; the first Ctrl-Z
// ends the file. Reading past the end yields empty lines, as a text file does.
class TextFile {
 public:
  // Reads the whole file at once; fails with a FlightError naming the file and the reason.
  explicit TextFile(const std::string& fileName);

  bool eof() const { return next_ >= end_; }

  // How many lines have been read, those past the end included, and whether the last one was.
  int lineNumber() const { return lineNumber_; }
  bool readPastTheEnd() const { return readPastTheEnd_; }

  // The next line; valid until the next call.
  std::string_view readLine();

 private:
  std::string bytes_;
  std::string decoded_;  // reused for every line that needs Windows-1251 decoding
  const char* next_;
  const char* end_;
  bool utf8_;
  int lineNumber_ = 0;
  bool readPastTheEnd_ = false;
};

// The last count characters of a UTF-8 text, or all of it when shorter.
std::string lastCharacters(std::string_view text, std::size_t count);

// The number of characters of a UTF-8 text.
std::size_t characterCount(std::string_view text);

// Drops count characters from the front of a UTF-8 text (all of it when shorter).
void dropCharacters(std::string_view& text, std::size_t count);

// Whether a line begins with these characters (byte-wise equal in UTF-8).
inline bool startsWith(std::string_view line, std::string_view prefix) {
  return line.substr(0, prefix.size()) == prefix;
}
