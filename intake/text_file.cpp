#include "text_file.h"

#include "flight_error.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr char kEndOfFileMark = '\x1A';

// Windows-1251 from 0x80 to 0xBF; 0xC0..0xFF are U+0410..U+044F in order. 0x98 has no
// character and reads as the replacement character.
constexpr char16_t kCp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

char16_t cp1251ToUnicode(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return static_cast<char16_t>(0x0410 + (byte - 0xC0));
  return kCp1251High[byte - 0x80];
}

void appendUtf8(std::string& out, char16_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool isValidUtf8(const unsigned char* p, const unsigned char* end) {
  while (p < end) {
    const unsigned char lead = *p;
    if (lead < 0x80) {
      ++p;
      continue;
    }
    int length;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (end - p < length || p[1] < low || p[1] > high) return false;
    for (int i = 2; i < length; ++i)
      if (!isContinuation(p[i])) return false;
    p += length;
  }
  return true;
}

bool hasHighBytes(const char* begin, const char* end) {
  // Eight bytes at a time: any of them at 0x80 or above sets its top bit.
  constexpr std::uint64_t kTopBits = 0x8080808080808080ULL;
  const char* p = begin;
  for (; end - p >= 8; p += 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    if (word & kTopBits) return true;
  }
  for (; p < end; ++p)
    if (static_cast<unsigned char>(*p) >= 0x80) return true;
  return false;
}

std::string readAll(const std::string& fileName) {
  const auto fail = [&fileName](int error) {
    return FlightError("I/O error reading \"" + fileName + "\": " + std::strerror(error));
  };
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName.c_str(), "rb"), &std::fclose);
  if (!file) throw fail(errno);
  // Read to the real end, whatever size the file had when it was opened: it may still grow or
  // shrink under us.
  std::string bytes;
  std::size_t size = 0;
  for (;;) {
    bytes.resize(std::max<std::size_t>(bytes.size() * 2, 1 << 20));
    size += std::fread(bytes.data() + size, 1, bytes.size() - size, file.get());
    if (size < bytes.size()) break;
  }
  if (std::ferror(file.get())) throw fail(errno);
  bytes.resize(size);
  return bytes;
}

}  // namespace

TextFile::TextFile(const std::string& fileName) : bytes_(readAll(fileName)) {
  next_ = bytes_.data();
  const void* mark = std::memchr(next_, kEndOfFileMark, bytes_.size());
  end_ = mark ? static_cast<const char*>(mark) : next_ + bytes_.size();
  utf8_ = !hasHighBytes(next_, end_) ||
          isValidUtf8(reinterpret_cast<const unsigned char*>(next_),
                      reinterpret_cast<const unsigned char*>(end_));
}

std::string_view TextFile::readLine() {
  ++lineNumber_;
  readPastTheEnd_ = eof();
  if (readPastTheEnd_) return {};
  const char* start = next_;
  const auto lineFeed = static_cast<const char*>(std::memchr(start, '\n', end_ - start));
  const char* stop = lineFeed ? lineFeed : end_;
  const auto carriageReturn = static_cast<const char*>(std::memchr(start, '\r', stop - start));
  const char* lineEnd = carriageReturn ? carriageReturn : stop;
  next_ = lineFeed ? lineFeed + 1 : end_;

  const std::string_view line(start, lineEnd - start);
  if (utf8_ || !hasHighBytes(start, lineEnd)) return line;
  decoded_.clear();
  for (const char byte : line) appendUtf8(decoded_, cp1251ToUnicode(static_cast<unsigned char>(byte)));
  return decoded_;
}

std::size_t characterCount(std::string_view text) {
  std::size_t count = 0;
  for (const char byte : text) count += !isContinuation(static_cast<unsigned char>(byte));
  return count;
}

void dropCharacters(std::string_view& text, std::size_t count) {
  if (count == 0) return;
  // Up to the start of the character after the first count ones.
  std::size_t characters = 0, at = 0;
  for (; at < text.size(); ++at) {
    if (isContinuation(static_cast<unsigned char>(text[at]))) continue;
    if (characters == count) break;
    ++characters;
  }
  text.remove_prefix(at);
}

std::string lastCharacters(std::string_view text, std::size_t count) {
  const std::size_t total = characterCount(text);
  if (total > count) dropCharacters(text, total - count);
  return std::string(text);
}
