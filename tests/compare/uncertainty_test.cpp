#include "compare/uncertainty.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Uncertainty, AProductsColumnIsFoundByItsVariablesName) {
  const std::vector<std::string> rs41{"time", "H", "T", "U", "Td", "temp_uc", "rh_uc", "dp_uc", "lat"};
  const std::vector<std::string> rs92{"time", "H", "T", "U", "u_temp", "u_rh"};
  FlightIdentity product, raw;
  product.format = FlightIdentity::kGruanProductFormat;
  raw.format = "tab layout";
  struct Case {
    const std::vector<std::string>& items;
    const FlightIdentity& flight;
    std::string parameter, expected;  // expected empty: none
  };
  const Case cases[] = {
      {rs41, product, "T", "temp_uc"}, {rs41, product, "U", "rh_uc"}, {rs41, product, "Td", "dp_uc"},
      {rs92, product, "U", "u_rh"},    {rs41, product, "lat", ""},   {rs41, raw, "T", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.parameter);
    const int parameter = static_cast<int>(std::find(c.items.begin(), c.items.end(), c.parameter) - c.items.begin());
    const int found = automaticUncertainty(c.items, parameter, c.flight);
    EXPECT_EQ(found < 0 ? std::string() : c.items[found], c.expected);
  }
  EXPECT_TRUE(std::isnan(combinedUncertainty(0, 0))) << "a zero u_c judges nothing";
  EXPECT_TRUE(std::isnan(combinedUncertainty(0.2, std::nan(""))));
}
