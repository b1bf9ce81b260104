#pragma once

#include <string>
#include <string_view>

// The two encodings raw flight files come in: Windows-1251 from the ground stations, UTF-8 when
// a file was converted on Linux.

// Whether any byte is at 0x80 or above, that is, whether the text is more than ASCII.
bool hasHighBytes(const char* begin, const char* end);

// How far the bytes are strict UTF-8 (no overlong forms, no surrogates, nothing beyond
// U+10FFFF): nullptr when they are not; otherwise where a sequence that the end cuts off begins,
// or end when none does.
const char* validUtf8Prefix(const char* begin, const char* end);

// Appends Windows-1251 text to out as UTF-8.
void appendWindows1251AsUtf8(std::string& out, std::string_view text);

// The number of characters of a UTF-8 text.
std::size_t characterCount(std::string_view text);

// Drops count characters from the front of a UTF-8 text (all of it when shorter).
void dropCharacters(std::string_view& text, std::size_t count);

// The last count characters of a UTF-8 text, or all of it when shorter.
std::string lastCharacters(std::string_view text, std::size_t count);

// Whether a byte continues a UTF-8 character rather than begins one.
inline bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }
