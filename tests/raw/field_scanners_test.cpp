#include "raw/field_scanners.h"
#include "flight/flight_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

constexpr DecimalSeparators kCommaEverywhere{',', ','};
constexpr DecimalSeparators kPointEverywhere{'.', '.'};
constexpr DecimalSeparators kPointInCommaLocale{'.', ','};

std::string conversionError(const std::string& text) {
  return "'" + text + "' is not a valid floating point value";
}

std::uint64_t bitsOf(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// decodDigit, whose inline path takes the plain fields, the full conversion and from_chars
// agree to the bit on a field that is a number; the two scanners take the same characters.
void expectSameDouble(const std::string& field) {
  SCOPED_TRACE(field);
  std::string_view inlinePath = field, fullConversion = field;
  const double value = decodDigit(inlinePath, kPointEverywhere);
  EXPECT_EQ(bitsOf(value), bitsOf(decodAnyDigit(fullConversion, kPointEverywhere)));
  EXPECT_EQ(inlinePath.size(), fullConversion.size());
  std::string text = field;
  std::replace(text.begin(), text.end(), ',', '.');
  double expected = std::numeric_limits<double>::quiet_NaN();
  std::from_chars(text.data(), text.data() + text.size(), expected);
  EXPECT_EQ(bitsOf(value), bitsOf(expected));
}

}  // namespace

TEST(DecodDigit, ReadsFieldsAndLeavesTheSeparator) {
  std::string_view line = "  12.5\t7";
  EXPECT_EQ(decodDigit(line, kCommaEverywhere), 12.5);
  EXPECT_EQ(line, "\t7");
  EXPECT_EQ(decodDigit(line, kCommaEverywhere), 7.0);
  EXPECT_TRUE(line.empty());
}

TEST(DecodDigit, RewritesAndConvertsFields) {
  struct Case {
    const char* line;
    DecimalSeparators separators;
    double expected;
    const char* left;
  };
  const Case cases[] = {
      {"12,5", kPointEverywhere, 12.5, ""},
      {"12.5", kPointEverywhere, 12.5, ""},
      {"12", kPointInCommaLocale, 12, ""},
      {"abc -", kCommaEverywhere, 0, ""},
      {"x 5", kCommaEverywhere, 5, ""},
      {"////", kCommaEverywhere, 0, ""},
      {"+7", kCommaEverywhere, 7, ""},
      {"1/2", kCommaEverywhere, 102, ""},
      {"1.5E+03", kCommaEverywhere, 1500, ""},
      {"1.5E+03", kPointEverywhere, 1500, ""},
      {"-0.25e-1 9", kPointEverywhere, -0.025, " 9"},
      {"1e-999", kPointEverywhere, 0, ""},
      {"4.9406564584124654e-324", kPointEverywhere, std::numeric_limits<double>::denorm_min(), ""},
      {"0.1", kPointEverywhere, 0.1, ""},
      {"9007199254740993", kPointEverywhere, 9007199254740992.0, ""},  // ties to even
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::string_view line = c.line;
    EXPECT_EQ(decodDigit(line, c.separators), c.expected);
    EXPECT_EQ(line, c.left);
  }
}

TEST(DecodDigit, PlainFieldsReadToTheBit) {
  for (const char* field :
       {"0", "-0", "-0.000", "7.", ".5", "-,25", "1013.18", "-0.0006", "0.1", "0.3", "12345678.87654321",
        "99999999.99999999", "9007199254740992", "9007199254740993", "9007199254740995", "900719925474099.3",
        "4503599627370496.5", "4503599627370497.5", "123456789012345678901234567890", "0.000000000000000000001",
        "1e22", "1e23", "9007199254740993e-22", "17976931348623157e292", "2.2250738585072011e-308",
        "2.2250738585072014E-308", "4.9406564584124654e-324", "2.4703282292062328e-324"})
    expectSameDouble(field);
}

TEST(DecodDigit, RandomFieldsReadToTheBit) {
  std::mt19937_64 random(20261209);
  const auto digits = [&random](std::size_t count) {
    std::string text;
    while (text.size() < count) text += static_cast<char>('0' + random() % 10);
    return text;
  };
  for (int i = 0; i < 100000; ++i) {
    std::string field = random() % 4 == 0 ? "-" : "";
    field += digits(random() % 20);
    if (random() % 2) field += (random() % 2 ? "." : ",") + digits(random() % 20);
    if (field.find_first_of("0123456789") != std::string::npos) expectSameDouble(field);
  }
  // Every finite double comes back from 17 digits; fixed-point text reads as from_chars reads it.
  for (int i = 0; i < 100000; ++i) {
    const std::uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) continue;
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    std::string_view line = text;
    EXPECT_EQ(bitsOf(decodDigit(line, kPointEverywhere)), bits) << text;
    const double moderate = std::uniform_real_distribution<double>(-1e8, 1e8)(random);
    std::snprintf(text, sizeof text, "%.*f", static_cast<int>(random() % 9), moderate);
    expectSameDouble(text);
  }
}

TEST(DecodDigit, MinusSlashIsNegativeZero) {
  std::string_view line = "-/";
  const double value = decodDigit(line, kCommaEverywhere);
  EXPECT_EQ(value, 0.0);
  EXPECT_TRUE(std::signbit(value));
}

TEST(DecodDigit, RejectsWhatIsNoNumberNamingTheRewrittenText) {
  struct Case {
    const char* line;
    DecimalSeparators separators;
    const char* named;
  };
  const Case cases[] = {
      {"12.5", kPointInCommaLocale, "12.5"},
      {"", kCommaEverywhere, ""},
      {"  abc ", kCommaEverywhere, ""},
      {"1.234,5", kPointEverywhere, "1.234.5"},
      {"1.234,5", kCommaEverywhere, "1,234,5"},
      {"--5", kCommaEverywhere, "--5"},
      {"5-", kCommaEverywhere, "5-"},
      {"1.2.3", kPointEverywhere, "1.2.3"},
      {"/-/", kPointEverywhere, "0-0"},
      {"1e", kPointEverywhere, "1e"},
      {"1e+", kPointEverywhere, "1e+"},
      {".", kPointEverywhere, "."},
      {"-.e5", kPointEverywhere, "-.e5"},
      {"1e999", kPointEverywhere, "1e999"},
      {"-1.8e308", kPointEverywhere, "-1.8e308"},
      {"0x10", kPointEverywhere, "0x10"},
      {"1_000", kPointEverywhere, "1_000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::string_view line = c.line;
    try {
      decodDigit(line, c.separators);
      ADD_FAILURE() << "accepted";
    } catch (const FlightError& error) {
      EXPECT_EQ(error.what(), conversionError(c.named));
    }
  }
}

TEST(DecodDigit, ARejectedFieldIsGoneFromTheLine) {
  std::string_view line = "x 1.2.3 5";
  EXPECT_THROW(decodDigit(line, kPointEverywhere), FlightError);
  EXPECT_EQ(line, " 5");
  line = "1e999\t6";
  EXPECT_THROW(decodDigit(line, kPointEverywhere), FlightError);
  EXPECT_EQ(line, "\t6");
}

TEST(DecodDigit, NamesControlCharactersReadably) {
  std::string_view line("1\0" "2 3", 5);
  try {
    decodDigit(line, kPointEverywhere);
    ADD_FAILURE();
  } catch (const FlightError& error) {
    EXPECT_EQ(std::string(error.what()), conversionError("1\uFFFD2"));
  }
}

TEST(DecodDigit, LeavesALongFieldWhole) {
  const std::string digits(5000, '7');
  std::string_view line = digits;
  EXPECT_THROW(decodDigit(line, kPointEverywhere), FlightError) << "beyond a double";
  EXPECT_TRUE(line.empty());
  const std::string zeros = "0." + std::string(4000, '0') + "1";
  line = zeros;
  EXPECT_EQ(decodDigit(line, kPointEverywhere), 0.0);
}

TEST(DecodDigit, SignsOnlyInFront) {
  std::string_view line = "-3,5";
  EXPECT_EQ(decodDigit(line, kCommaEverywhere), -3.5);
  line = "5.";
  EXPECT_EQ(decodDigit(line, kPointEverywhere), 5.0);
  line = "-+3";
  EXPECT_THROW(decodDigit(line, kPointEverywhere), FlightError);
  line = "1e/";
  EXPECT_EQ(decodDigit(line, kPointEverywhere), 1.0) << "a slash is a zero in the exponent too";
}

TEST(DeletNoDigit, StopsAtWhatCanBeginANumber) {
  struct Case {
    const char* line;
    const char* left;
  };
  const Case cases[] = {{"  ;-3", "-3"}, {".5", ".5"}, {"E5", "5"}, {"+7", "7"}, {"abc", ""}, {"", ""},
                        {"[/]", "/]"}, {"Ф,1", ",1"}};
  for (const Case& c : cases) {
    std::string_view line = c.line;
    deletNoDigit(line);
    EXPECT_EQ(line, c.left) << c.line;
  }
}

TEST(Decodtype, TakesNamesWithTheSeparatorsAround) {
  std::string_view line = "  H\tT  ";
  EXPECT_EQ(decodtype(line), "H");
  EXPECT_EQ(line, "T  ");
  EXPECT_EQ(decodtype(line), "T");
  EXPECT_TRUE(line.empty());

  line = "p.h x";
  EXPECT_EQ(decodtype(line), "p,h");
  line = "   ";
  EXPECT_EQ(decodtype(line), "");
  EXPECT_TRUE(line.empty());
  line = "Шифр  H";
  EXPECT_EQ(decodtype(line), "Шифр");
}
