#include "compare/quick_select.h"

#include <gtest/gtest.h>

using Items = std::vector<std::string>;

TEST(QuickSelect, TheLowestIndexHoldingAnyNameWins) {
  Items items(8, "x");
  items[5] = "T";
  items[2] = "tmp1f";
  EXPECT_EQ(quickSelectIndex(items, quickSelectNames(Quantity::Temperature, 1)), 2);
  EXPECT_EQ(quickSelectIndex(items, quickSelectNames(Quantity::Temperature, 2)), 2) << "the order of the names decides nothing";
  EXPECT_EQ(quickSelectIndex(items, quickSelectNames(Quantity::Temperature, 3)), 2);
}

TEST(QuickSelect, ExaminesOnlyIndicesOneTo99AndWholeTexts) {
  struct Case {
    Items items;
    int expected;
  };
  Items hundred(101, "x");
  hundred[100] = "U";
  Items ninetyNine(100, "x");
  ninetyNine[99] = "U";
  const Case cases[] = {
      {{"U"}, -1},                 // index 0 is never examined
      {{"U", "u", "U "}, -1},      // no case folding, no trimming
      {{"H", "hymf"}, 1},
      {{"H", "INThum", "U"}, 1},
      {{}, -1},
      {hundred, -1},
      {ninetyNine, 99},
  };
  for (const Case& c : cases) EXPECT_EQ(quickSelectIndex(c.items, quickSelectNames(Quantity::Humidity, 2)), c.expected);
}

TEST(QuickSelect, EachButtonHasItsQuantity) {
  const Items sct = {"Sctime", "He", "tmp1f", "hymf", "prsr", "vspa", "hsp"};
  EXPECT_EQ(quickSelectIndex(sct, quickSelectNames(Quantity::Humidity, 1)), 3);
  EXPECT_EQ(quickSelectIndex(sct, quickSelectNames(Quantity::Pressure, 2)), 4);
  EXPECT_EQ(quickSelectIndex(sct, quickSelectNames(Quantity::WindDirection, 3)), 5);
  EXPECT_EQ(quickSelectIndex(sct, quickSelectNames(Quantity::WindSpeed, 1)), 6);
  const Items intLayout = {"INTtime", "INTalt", "INTtemp", "INThum", "INTpres", "INTWD", "INTWF"};
  EXPECT_EQ(quickSelectIndex(intLayout, quickSelectNames(Quantity::WindSpeed, 3)), 6);
}
