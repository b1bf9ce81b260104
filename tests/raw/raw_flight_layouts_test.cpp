// The header names, defaults and row rules of the seven layouts.
#include "flight/numeric_helpers.h"
#include "tests/support/reader_fixture.h"

#include <cmath>

using Items = std::vector<std::string>;

TEST_F(ReaderTest, EveryLayoutPicksItsDefaultColumnsAndReadsItsRows) {
  struct Case {
    Layout layout;
    Items firstItems;
    int height, parameter;
    int heightColumn;
  };
  const Case cases[] = {
      {Layout::Tab, {"t", "H", "T", "U", "P", "D", "V"}, 1, 2, 1},
      {Layout::Sct, {"Sctime", "He", "tmp1f", "hymf", "prsr", "vspa", "hsp", "slwi", "lowch"}, 1, 2, 1},
      {Layout::Int, {"INTtime", "INTalt", "INTtemp", "INThum", "INTpres", "INTWD", "INTWF"}, 1, 2, 1},
      {Layout::Vre, {"ВРЕМЯ", "H", "T", "U", "P", "D", "V"}, 1, 2, 1},
      {Layout::IndentedT, {"t", "H", "T", "Td", "P", "D", "V", "U"}, 1, 2, 1},
      {Layout::IndentedH, {"H", "T", "U", "P", "D", "V"}, 0, 1, 0},
      {Layout::Shifr, {"Шифр", "H", "T", "U", "P", "D", "V"}, 1, 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(layoutName(c.layout));
    FlightRecipe recipe;
    recipe.layout = c.layout;
    recipe.rows = 120;
    recipe.pageEvery = 50;
    MaxHight = kTopOfHeightWindow;
    ASSERT_EQ(readGenerated(3, recipe), 120);
    EXPECT_EQ(controls[3].items, c.firstItems);
    EXPECT_EQ(controls[3].height, c.height);
    EXPECT_EQ(controls[3].parameter, c.parameter);
    const Sounding top = soundingAt(recipe, 120);
    EXPECT_NEAR(cell(3, c.heightColumn, 120), top.height, 0.06) << "heights end up in metres";
    EXPECT_NEAR(cell(3, c.parameter, 120), top.temperature, 0.006);
    EXPECT_EQ(MaxHight, cell(3, c.heightColumn, 120));
  }
}

TEST_F(ReaderTest, ReadsWindows1251AndUtf8AndBothSeparators) {
  for (Layout layout : {Layout::Vre, Layout::Shifr}) {
    for (bool cp1251 : {true, false}) {
      FlightRecipe recipe;
      recipe.layout = layout;
      recipe.cp1251 = cp1251;
      recipe.decimal = ',';
      EXPECT_EQ(read(2, generateFlight(recipe), {'.', '.'}), 200) << layoutName(layout) << cp1251;
      EXPECT_EQ(read(2, generateFlight(recipe), {',', ','}), 200);
    }
  }
}

TEST_F(ReaderTest, SctSkipsMarkersEndsAtABlankLineAndMarksTheSlowChannel) {
  const std::string file =
      "Sctime He tmp1f slwi lowch\n"
      "1 100 5 10 2048\n"
      "-eX 9 9 9\n"
      "Sctime He tmp1f slwi lowch\n"
      "2 200 4 11 0\n"
      "3 300 3\n"
      "\n"
      "4 400 2 10 1\n";
  EXPECT_EQ(read(1, file), 3);
  EXPECT_EQ(lowchange1Position, 3);
  EXPECT_EQ(cell(1, 1, 2), 200.0) << "Sct heights are metres";
  EXPECT_TRUE(std::isnan(cell(1, 3, 3))) << "a short row leaves no stale value";
  EXPECT_TRUE(std::isnan(cell(1, 4, 3)));

  lowchange1Position = 0;
  read(2, file);
  EXPECT_EQ(lowchange1Position, 0) << "only slot 1 has a slow channel";
  read(1, "INTtime INTalt\n1 2\n");
  EXPECT_EQ(lowchange1Position, kNoSlwiColumn);
}

TEST_F(ReaderTest, SctPrefersTheLaterOfItsTwoHeightNames) {
  read(1, "Sctime hpth He\n1 2 3\n");
  EXPECT_EQ(controls[1].height, 2);
  read(1, "Sctime He hpth\n1 2 3\n");
  EXPECT_EQ(controls[1].height, 2);
  read(1, "ВРЕМЯ H T H\n1 2 3 4\n");
  EXPECT_EQ(controls[1].height, 3) << "the later of two H columns";
}

TEST_F(ReaderTest, SctBlanksAfterAShortRowEndTheRead) {
  EXPECT_EQ(failure(1, "Sctime He tmp1f\n1 100 \n"), "'' is not a valid floating point value");
}

TEST_F(ReaderTest, IndentedTDerivesHumidityFromTemperatureAndDewPoint) {
  const std::string file =
      "    t  H  T  Td  Flags\n"
      "  units\n"
      "  1  100  20  10  77\n"
      "  2  200  -20  -20  77\n";
  ASSERT_EQ(read(1, file), 2);
  EXPECT_EQ(controls[1].items.back(), "U");
  EXPECT_EQ(cell(1, 4, 1), 100.0 * (Par(10) / Par(20)));
  EXPECT_EQ(cell(1, 4, 2), 100.0);

  ASSERT_EQ(read(1, "    t  H  T  Flags\nunits\n1 2 3\n"), 1);
  EXPECT_TRUE(std::isnan(cell(1, 3, 1))) << "no dew point column to derive from";
}

TEST_F(ReaderTest, IndentedHTakesLinesLongerThan38CharactersAndStripsNonNumbers) {
  const std::string row38 = "  1.000 | 5.0 | 6.0 |" + std::string(17, ' ');
  const std::string row39 = row38 + "x";
  ASSERT_EQ(row38.size(), 38u);
  const std::string file = "         H  T  U\n" + row38 + "\n" + row39 + "\n" +
                           "   2.000 ; -7.5" + std::string(30, ' ') + "\n";
  ASSERT_EQ(read(2, file), 2);
  EXPECT_EQ(cell(2, 0, 1), 1000.0);
  EXPECT_EQ(cell(2, 1, 2), -7.5);
  EXPECT_TRUE(std::isnan(cell(2, 2, 2))) << "a short row leaves no stale value";
  EXPECT_EQ(read(2, "        H  T\n   " + std::string(40, '=') + "5\n"), 1) << "eight blanks then H";
}

TEST_F(ReaderTest, ShifrUnitsDecideScalingAndTheCutBlock) {
  for (bool metres : {true, false}) {
    FlightRecipe recipe;
    recipe.layout = Layout::Shifr;
    recipe.shifrInMetres = metres;
    recipe.rows = 60;
    recipe.pageEvery = 25;
    SCOPED_TRACE(metres);
    ASSERT_EQ(readGenerated(1, recipe), 60);
    EXPECT_EQ(controls[1].rowCountShown, 60);
    const Sounding row = soundingAt(recipe, 26);
    EXPECT_NEAR(cell(1, 1, 26), row.height, 0.06);
    EXPECT_NEAR(cell(1, 4, 26), row.pressure, 0.006) << "the block is cut, the pressure read";
    EXPECT_NEAR(cell(1, 6, 26), row.speed, 0.006);
  }
}

TEST_F(ReaderTest, ShifrDropsGAndYAndTakesLinesLongerThan40Characters) {
  const std::string row40 = "  1  2  3" + std::string(31, ' ');
  const std::string file = "  Шифр    G  H  Y  T\n уровня    м   \n---\n" + row40 + "\n" + row40 + "x\n";
  ASSERT_EQ(read(1, file), 1);
  EXPECT_EQ(controls[1].items, (Items{"Шифр", "H", "T"}));
  EXPECT_EQ(cell(1, 1, 1), 2.0);
}
