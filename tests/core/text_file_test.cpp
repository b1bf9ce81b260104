#include "flight_error.h"
#include "temp_files.h"
#include "text_file.h"

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
  try {
    TextFile file(files.path("missing.txt"));
    ADD_FAILURE();
  } catch (const FlightError& error) {
    EXPECT_EQ(std::string(error.what()),
              "I/O error reading \"" + files.path("missing.txt") + "\": No such file or directory");
  }
  EXPECT_THROW(TextFile{files.path("")}, FlightError) << "a directory";
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
