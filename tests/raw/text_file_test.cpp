#include "flight/flight_error.h"
#include "raw/text_encoding.h"
#include "raw/text_file.h"
#include "tests/support/temp_files.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::string> linesOf(const std::string& bytes) {
  TempFiles files;
  TextFile file(files.write("f.txt", bytes));
  std::vector<std::string> lines;
  while (!file.eof()) lines.emplace_back(file.readLine());
  return lines;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(TextFile, SplitsLinesAsATextFileDoes) {
  struct Case {
    std::string bytes;
    Lines lines;
  };
  const Case cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\n\nb\n", {"a", "", "b"}},
      {"a\rjunk\nb\n", {"a", "b"}},           // the text ends at CR, reading goes on after LF
      {"a\rb\rc", {"a"}},                     // CR alone never starts a line
      {"a\r\r\nb", {"a", "b"}},
      {"a\nb\n\x1A" "c\n", {"a", "b"}},      // Ctrl-Z is the end of the file
      {"a\nb\x1A" "c\n", {"a", "b"}},
      {"", {}},
      {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
      {"\xEF\xBB\xBF" "a\n\xEF\xBB\xBF" "b", {"a", "\xEF\xBB\xBF" "b"}},  // a byte-order mark only at the start
  };
  for (const Case& c : cases) EXPECT_EQ(linesOf(c.bytes), c.lines) << c.bytes;
}

TEST(TextFile, ReadingPastTheEndGivesEmptyLines) {
  TempFiles files;
  TextFile file(files.write("f.txt", "only\n"));
  EXPECT_EQ(file.readLine(), "only");
  EXPECT_TRUE(file.eof());
  EXPECT_EQ(file.readLine(), "");
  EXPECT_TRUE(file.eof());
}

TEST(TextFile, DecodesWindows1251UnlessTheWholeFileIsUtf8) {
  EXPECT_EQ(linesOf("\xC2\xD0\xC5\xCC\xDF H\n\xA8\xB8\xB9\x98\n"), (Lines{"ВРЕМЯ H", "Ёё№\xEF\xBF\xBD"}));
  EXPECT_EQ(linesOf("ВРЕМЯ H\nШифр\n"), (Lines{"ВРЕМЯ H", "Шифр"}));
  // One stray Windows-1251 byte makes the whole file Windows-1251.
  EXPECT_EQ(linesOf("Шифр\n\xD8\n"), (Lines{"РЁРёС„СЂ", "Ш"}));
}

TEST(TextFile, NamesTheFileAndTheReasonWhenItCannotBeRead) {
  TempFiles files;
  const auto failure = [](const std::string& name) -> std::string {
    try {
      TextFile file(name);
    } catch (const FlightError& error) {
      return error.what();
    }
    return "opened";
  };
  EXPECT_EQ(failure(files.path("missing.txt")), "File does not exist.\nFile: " + files.path("missing.txt"));
  EXPECT_EQ(failure(files.path("")), "File does not exist.\nFile: " + files.path("")) << "a folder";
  EXPECT_EQ(failure(""), "File does not exist.");
  EXPECT_EQ(failure("/dev/null"), "I/O error reading \"/dev/null\": not a regular file");
}

// Lines and characters cut by the ends of the chunks the file is read in read as if whole.
TEST(TextFile, ReadsAFileLongerThanItsChunks) {
  Lines lines;
  std::string bytes;
  for (int i = 0; bytes.size() < 3'000'000; ++i) {
    lines.push_back("строка " + std::to_string(i) + std::string(i % 300, ' ') + "Шифр");
    bytes += lines.back() + (i % 2 ? "\r\n" : "\n");
  }
  EXPECT_EQ(linesOf(bytes), lines);
  lines.back() = "\xD0";
  EXPECT_EQ(linesOf(bytes + "\xD0").back(), "Р") << "a stray byte at the very end makes it Windows-1251";
}

TEST(Characters, CountAndCutByCharactersNotBytes) {
  EXPECT_EQ(characterCount("Шифр H"), 6u);
  EXPECT_EQ(lastCharacters("/data/полёты/flight.TAE3", 15), "ёты/flight.TAE3");
  EXPECT_EQ(lastCharacters("абвгд", 3), "вгд");
  EXPECT_EQ(lastCharacters("short", 30), "short");
  std::string_view text = " Ф:12-40   850.3";
  dropCharacters(text, 8);
  EXPECT_EQ(text, "   850.3");
}

// The verdict on a sequence is the same at every offset from the words the check takes whole.
TEST(Utf8, ValidPrefixWhereverTheSequenceFalls) {
  struct Case {
    std::string bytes;
    long validBytes;  // how far the prefix reaches into bytes; -1 for not UTF-8
  };
  const Case cases[] = {
      {"12345678", 8},          {"Ж12345678", 10},          {"€", 3},
      {"\xF0\x9F\x98\x80", 4},  {"\xD0", 0},                 {"\xF0\x9F\x98", 0},
      {"\xC0\xAF", -1},         {"\xE0\x80\xAF", -1},       {"\xED\xA0\x80", -1},
      {"\xF4\x90\x80\x80", -1}, {"\x80" "12345678", -1},    {"\xFF", -1},
  };
  for (const Case& c : cases) {
    for (std::size_t ascii = 0; ascii < 18; ++ascii) {
      const std::string text = std::string(ascii, 'a') + c.bytes;
      const char* const prefixEnd = validUtf8Prefix(text.data(), text.data() + text.size());
      SCOPED_TRACE(text);
      if (c.validBytes < 0) {
        EXPECT_EQ(prefixEnd, nullptr);
      } else {
        ASSERT_NE(prefixEnd, nullptr);
        EXPECT_EQ(prefixEnd - text.data(), static_cast<long>(ascii) + c.validBytes);
      }
    }
  }
}
