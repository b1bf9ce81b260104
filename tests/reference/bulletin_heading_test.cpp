// WMO bulletins as national services hand them out: a TEMP behind a heading of the strict form
// is BUFR, with or without the lines before it; anything near that form stays text.
#include "reference/bulletin_heading.h"
#include "reference/reference_format.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::string product(const char* name) {
  std::ifstream file(std::string(REFERENCE_FILES) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(BulletinHeading, OnlyAHeadingOfTheStrictFormMakesABulletin) {
  const std::string message = product("temp_classic.bufr");
  ASSERT_FALSE(message.empty());
  const std::pair<std::string, ReferenceFormat> cases[] = {
      {"IUSD04 LOWM 060200\r\r\n", ReferenceFormat::Bufr},
      {"IUSD04 LOWM 060200\r\n", ReferenceFormat::Bufr},
      {"IUSD04 LOWM 060200\n", ReferenceFormat::Bufr},
      {"IUSD04 LOWM 060200 RRA\r\r\n", ReferenceFormat::Bufr},
      {"\x01\r\r\n12345\r\r\nIUSD04 LOWM 060200 CCA\r\r\n", ReferenceFormat::Bufr},
      {"123\nIUSD04 LOWM 312359 AAB\n", ReferenceFormat::Bufr},
      {"iusd04 LOWM 060200\r\r\n", ReferenceFormat::None},
      {"IUSD4 LOWM 060200\r\r\n", ReferenceFormat::None},
      {"IUSD04 LOW 060200\r\r\n", ReferenceFormat::None},
      {"IUSD04  LOWM 060200\r\r\n", ReferenceFormat::None},
      {"IUSD04 LOWM 060200 RR\r\r\n", ReferenceFormat::None},
      {"IUSD04 LOWM 060200 RRA \r\r\n", ReferenceFormat::None},
      {"IUSD04 LOWM 320200\r\r\n", ReferenceFormat::None},
      {"IUSD04 LOWM 062400\r\r\n", ReferenceFormat::None},
      {"IUSD04 LOWM 060260\r\r\n", ReferenceFormat::None},
      {"IUSD04 LOWM 060200\r", ReferenceFormat::None},
      {"IUSD04 LOWM 060200\r\r\n\r\r\n", ReferenceFormat::None},
      {"123456\r\r\nIUSD04 LOWM 060200\r\r\n", ReferenceFormat::None},
      {"BUFR-capable export\r\r\n", ReferenceFormat::None},
  };
  for (const auto& [before, format] : cases) {
    SCOPED_TRACE(before);
    EXPECT_EQ(referenceFormat(before + message), format);
  }
  EXPECT_EQ(referenceFormat("IUSD04 LOWM 060200\r\r\nINTtime INTalt\n1 2\n"), ReferenceFormat::None)
      << "a heading alone is no product";
}

// The heading of the bulletin just before a message, and only a whole line of it.
TEST(BulletinHeading, TheHeadingBeforeAMessageIsItsLastWholeLine) {
  const auto station = [](std::string_view before, bool whole) {
    const std::optional<BulletinHeading> heading = headingBefore(before, whole);
    return heading ? heading->station : "none";
  };
  EXPECT_EQ(station("7777\r\r\nNNNN\r\r\n\x03\x01\r\r\n124\r\r\nIUSD04 LOWM 060200\r\r\n", true), "LOWM");
  EXPECT_EQ(station("IUSD04 EDZW 060200\n", true), "EDZW");
  EXPECT_EQ(station("IUSD04 EDZW 060200\n", false), "none") << "what came before the line is not known";
  EXPECT_EQ(station("XIUSD04 EDZW 060200\n", true), "none");
  EXPECT_EQ(station("IUSD04 EDZW 060200", true), "none");
  EXPECT_EQ(station("", true), "none");
}

// Year and month come from the message's typical date, across a month's end where the day does.
TEST(BulletinHeading, TheHeadingsTimeTakesTheMonthOfTheTypicalDate) {
  const BulletinHeading first{"LOWM", 1, 0, 0}, last{"LOWM", 31, 23, 30};
  EXPECT_EQ(headingTime(first, 2026, 6, 1), "2026-06-01T00:00:00Z");
  EXPECT_EQ(headingTime(first, 2026, 12, 31), "2027-01-01T00:00:00Z");
  EXPECT_EQ(headingTime(last, 2026, 1, 1), "2025-12-31T23:30:00Z");
  EXPECT_EQ(headingTime(last, 2026, 6, 30), "") << "June has no 31st";
  EXPECT_EQ(headingTime(first, 2026, 13, 1), "");
}
