#include "raw/text_encoding.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

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

constexpr std::size_t kWord = 8;

// Whether the kWord bytes at p are all ASCII: none of them sets its top bit.
bool wordIsAscii(const void* p) {
  constexpr std::uint64_t kTopBits = 0x8080808080808080ULL;
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return (word & kTopBits) == 0;
}

}  // namespace

bool hasHighBytes(const char* begin, const char* end) {
  // No early exit: the compiler makes this a loop over whole vectors, which beats stopping at
  // the first high byte on every line that has none.
  unsigned char any = 0;
  for (const char* p = begin; p < end; ++p) any |= static_cast<unsigned char>(*p);
  return any >= 0x80;
}

const char* validUtf8Prefix(const char* begin, const char* end) {
  const auto* p = reinterpret_cast<const unsigned char*>(begin);
  const auto* const stop = reinterpret_cast<const unsigned char*>(end);
  while (p < stop) {
    // Text is nearly all ASCII: a word of it at a time.
    if (stop - p >= static_cast<std::ptrdiff_t>(kWord) && wordIsAscii(p)) {
      p += kWord;
      continue;
    }
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
      return nullptr;
    }
    const long available = stop - p;
    for (int i = 1; i < length && i < available; ++i) {
      const unsigned char byte = p[i];
      if (i == 1 ? (byte < low || byte > high) : !isContinuation(byte)) return nullptr;
    }
    if (available < length) return reinterpret_cast<const char*>(p);
    p += length;
  }
  return end;
}

void appendWindows1251AsUtf8(std::string& out, std::string_view text) {
  for (const char byte : text) appendUtf8(out, cp1251ToUnicode(static_cast<unsigned char>(byte)));
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
