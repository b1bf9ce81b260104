#include "flight/quantities.h"

#include <gtest/gtest.h>

// A column is known by the names any slot tests: each of them leads back to the button's quantity,
// and the button's caption to the quantity again.
TEST(Quantities, EveryQuickSelectNameLeadsBackToItsQuantity) {
  for (Quantity quantity : kQuickSelectQuantities) {
    EXPECT_EQ(quickSelectQuantity(factsOf(quantity).button), quantity);
    for (const QuantityNames& names : factsOf(quantity).quickSelectNames)
      for (std::string_view name : names) EXPECT_EQ(namedQuantity(name), quantity) << name;
  }
  EXPECT_EQ(namedQuantity("t"), std::nullopt) << "names are matched exactly";
  EXPECT_EQ(namedQuantity("H"), std::nullopt) << "a height is no quick-select quantity";
  EXPECT_EQ(quickSelectQuantity('x'), Quantity::Temperature);
}

