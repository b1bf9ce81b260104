// The path every read takes: the file, the header search, what a read leaves behind.
#include "tests/support/reader_fixture.h"

#include <cmath>

TEST_F(ReaderTest, AMissingFileChangesNothing) {
  controls[1].label = "before";
  lowchange1Position = 7;
  for (const std::string& name : {files.path("none.txt"), std::string(), files.path("")}) {
    try {
      readFlightFile(1, name, {'.', '.'}, controls[1]);
      ADD_FAILURE() << name;
    } catch (const FlightError& error) {
      EXPECT_EQ(error.message().english(), "File does not exist.");
    }
  }
  EXPECT_EQ(controls[1].label, "before");
  EXPECT_EQ(lowchange1Position, 7);
}

TEST_F(ReaderTest, LabelAndLegendNameTheFile) {
  read(2, "INTtime INTalt\n1 2\n");
  EXPECT_EQ(controls[2].label, files.path("flight2.txt"));
  EXPECT_EQ(controls[2].legend, files.path("flight2.txt").substr(files.path("flight2.txt").size() - 30));
}

TEST_F(ReaderTest, LinesBeforeTheHeaderAreSkippedAndNoHeaderIsAnError) {
  EXPECT_EQ(read(1, "station 17\nfree text\n\nINTtime INTalt\n1 2\n"), 1);
  EXPECT_EQ(read(1, "\xEF\xBB\xBFINTtime INTalt\n1 2\n"), 1) << "a byte-order mark is no text";
  controls[1].items = {"kept"};
  for (const std::string bytes : {"station 17\nfree text\n", "", "\xEF\xBB\xBF", "\x89PNG\r\n\x1A\n", " INT\n"}) {
    EXPECT_EQ(failure(1, bytes), "Unrecognised file: no header line of a known flight layout.");
    EXPECT_EQ(mass1Count, 0);
  }
  EXPECT_EQ(controls[1].items, std::vector<std::string>{"kept"});
}

TEST_F(ReaderTest, AnEmptyLineAfterTheLastRowActsByLayout) {
  EXPECT_EQ(failure(1, "t\tH\n1\t2\n\n"), "'' is not a valid floating point value");
  EXPECT_EQ(failure(1, "INTtime INTalt\n1 2\n\n"), "'' is not a valid floating point value");
  EXPECT_EQ(read(1, "Sctime He\n1 2\n\n"), 1);
  EXPECT_EQ(read(1, "         H  T\n   1.000   2.000" + std::string(30, ' ') + "\n\n"), 1);
  EXPECT_EQ(read(1, "t\tH\n1\t2\n\x1A"), 1) << "Ctrl-Z after the last line break";
}

TEST_F(ReaderTest, AFailedReadLeavesCountZeroAndEverythingElseAsSet) {
  ASSERT_EQ(read(2, "ВРЕМЯ H T\n1 100 5\n2 200 6\n"), 2);
  ASSERT_EQ(read(1, "ВРЕМЯ H T\n1 100 5\n2 200 6\n3 300 7\n"), 3);
  const double top = MaxHight;
  EXPECT_EQ(failure(1, "INTtime INTalt INTtemp\n1 50 9\n2 60 x\n"), "'' is not a valid floating point value");
  EXPECT_EQ(mass1Count, 0);
  EXPECT_EQ(controls[1].items[1], "INTalt");
  EXPECT_EQ(controls[1].height, 1);
  EXPECT_EQ(cell(1, 1, 1), 50.0) << "rows already written stay";
  EXPECT_EQ(MaxHight, top);
  EXPECT_EQ(mass2Count, 2) << "other slots are untouched";
}

TEST_F(ReaderTest, HeightLimitComesOnlyDown) {
  read(1, "ВРЕМЯ H\n1 100\n2 18000\n");
  read(3, "ВРЕМЯ H\n1 100\n2 12000\n");
  EXPECT_EQ(MaxHight, 12000.0);
  read(1, "ВРЕМЯ H\n1 100\n2 30000\n");
  EXPECT_EQ(MaxHight, 12000.0);
  read(3, "Sctime x He\n1 5 100\n2 6\n");
  EXPECT_TRUE(std::isnan(cell(3, 2, 2)));
  EXPECT_EQ(MaxHight, 12000.0) << "a height without a value lowers nothing";
}

TEST_F(ReaderTest, AShorterFlightLeavesTheOldRowsBehindItsCount) {
  FlightRecipe recipe;
  recipe.layout = Layout::Int;
  recipe.rows = 2000;
  readGenerated(2, recipe);
  const double earlier301 = cell(2, 1, 301);
  recipe.rows = 300;
  EXPECT_EQ(readGenerated(2, recipe), 300);
  EXPECT_EQ(cell(2, 1, 301), earlier301) << "rows beyond the count still hold the earlier flight";
}

TEST_F(ReaderTest, RefusesFlightsBeyondTheTable) {
  std::string names = "INTtime", row = "1";
  for (int i = 1; i < kMaxColumns; ++i) {
    names += " c" + std::to_string(i);
    row += " " + std::to_string(i);
  }
  EXPECT_EQ(read(1, names + "\n" + row + "\n"), 1);
  EXPECT_EQ(controls[1].items.size(), 56u);
  EXPECT_EQ(cell(1, 55, 1), 55.0);
  EXPECT_EQ(failure(1, names + " c56\n" + row + " 56\n"), "Too many columns: a flight holds at most 56.");

  std::string rows = "INTtime\n";
  for (int i = 0; i < kMaxRows; ++i) rows += "7\n";
  EXPECT_EQ(read(1, rows), kMaxRows);
  EXPECT_EQ(failure(1, rows + "8\n"), "Too many rows: a flight holds at most 50000.");
  EXPECT_EQ(mass1Count, 0);
}

TEST_F(ReaderTest, AFailedReadNamesTheFileAndTheLineUnderItsMessage) {
  const auto whatOf = [this](const std::string& bytes) {
    try {
      read(1, bytes);
    } catch (const FlightError& error) {
      return std::string(error.what());
    }
    return std::string();
  };
  const std::string file = files.path("flight1.txt");
  EXPECT_EQ(whatOf("free text\nINTtime INTalt\n1 2\n3 x\n"),
            "'' is not a valid floating point value\nFile: " + file + ", line 4");
  EXPECT_EQ(whatOf("t\tH\n"), "'' is not a valid floating point value\nFile: " + file + ", line 2 (past the last line)");
  try {
    readFlightFile(1, files.path("gone.txt"), {'.', '.'}, controls[1]);
  } catch (const FlightError& error) {
    EXPECT_EQ(std::string(error.what()), "File does not exist.\nFile: " + files.path("gone.txt"));
  }
}

// A raw file states nothing about its flight: its record holds the file and its layout only.
TEST_F(ReaderTest, ARawFileIsKnownByItsFileAndLayoutAlone) {
  const std::string text = "station PAY 2026-06-01\n    t   H   T   Td  U\n\n1 100 5 1 0\n";
  const std::string path = files.write("RS41-SG_PAY_20260601T1100.txt", text);
  const FlightIdentity identity = readFlightFile(1, path, {'.', '.'}, controls[1]);
  EXPECT_EQ(identity.path, path);
  EXPECT_EQ(identity.size, static_cast<long long>(text.size()));
  EXPECT_EQ(identity.format, "indented-t layout");
  EXPECT_EQ(identity.label(), "RS41-SG_PAY_20260601T1100.txt") << "nothing is guessed from the name";
  EXPECT_EQ(identity.heightKind(), HeightKind::Unknown);
  EXPECT_TRUE(identity.launchTime.empty() && identity.station.empty() && identity.sondeType.empty());
  EXPECT_TRUE(std::isnan(identity.latitude));
}

// A station's text may begin with a product's letters; only a header that holds together behind
// them makes a product.
TEST_F(ReaderTest, TextThatStartsLikeAProductIsReadAsText) {
  for (const std::string& start : {std::string("BUFR-capable station export"), std::string("CDF\x01 export", 11),
                                  std::string("\x01\r\r\nBUFR bulletin", 17)}) {
    SCOPED_TRACE(start);
    EXPECT_EQ(read(1, start + "\nINTtime INTalt\n1 2\n"), 1);
  }
}
