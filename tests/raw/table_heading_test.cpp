// How a delimited table's header is understood: names and units to quantities, and the lines
// that are rows.
#include "raw/table_heading.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(TableColumns, NamesAndUnitsGiveTheQuantityInTheProgramsUnit) {
  struct Case {
    const char* name;
    const char* unitsLine;
    std::optional<Quantity> quantity;
    double valueOfTen;  // 10 in the column's unit, in the program's
    HeightKind kind;
  };
  const Case cases[] = {
      {"Temperature (°C)", "", Quantity::Temperature, 10, HeightKind::Unknown},
      {"Temperature (?C)", "", Quantity::Temperature, 10, HeightKind::Unknown},  // the sign lost to a code page
      {"temp[K]", "", Quantity::Temperature, 10 - 273.15, HeightKind::Unknown},
      {"Temp", "Â°C", Quantity::Temperature, 10, HeightKind::Unknown},
      {"Temperature (°F)", "", std::nullopt, 0, HeightKind::Unknown},  // never taken on a guess
      {"Pump Temperature (K)", "", std::nullopt, 0, HeightKind::Unknown},
      {"Altitude (gpm)", "", Quantity::Height, 10, HeightKind::Geopotential},
      {"GpsHeightMSL", "m", Quantity::Height, 10, HeightKind::Geometric},
      {"Высота", "км", std::nullopt, 0, HeightKind::Unknown},
      {"ВЫСОТА (km)", "", Quantity::Height, 10000, HeightKind::Unknown},
      {"Höhe", "", Quantity::Height, 10, HeightKind::Unknown},
      {"Pressure (Pa)", "", Quantity::Pressure, 0.1, HeightKind::Unknown},
      {"Luftdruck", "hPa", Quantity::Pressure, 10, HeightKind::Unknown},
      {"Wind Velocity (m/s)", "", Quantity::WindSpeed, 10, HeightKind::Unknown},
      {"WS", "knots", Quantity::WindSpeed, 10 * 1852.0 / 3600, HeightKind::Unknown},
      {"Wind Direction (?)", "", Quantity::WindDirection, 10, HeightKind::Unknown},
      {"heading", "°", std::nullopt, 0, HeightKind::Unknown},
      {"RH", "%", Quantity::Humidity, 10, HeightKind::Unknown},
      {"Dewp", "?C", Quantity::DewPoint, 10, HeightKind::Unknown},
      {"Rel. Time", "s", Quantity::Time, 10, HeightKind::Unknown},
      {"Elapsed time", "min", Quantity::Time, 600, HeightKind::Unknown},
  };
  for (const Case& c : cases) {
    const TableColumn column = tableColumns({c.name}, {c.unitsLine})[0];
    EXPECT_EQ(column.quantity, c.quantity) << c.name;
    EXPECT_EQ(column.heightKind, c.kind) << c.name;
    if (c.quantity) {
      EXPECT_NEAR(10 * column.conversion.scale + column.conversion.offset, c.valueOfTen, 1e-9) << c.name;
    }
  }
  EXPECT_EQ(tableColumns({"wind_u (kt)"}, {})[0].wind, WindComponent::Eastward);
  EXPECT_EQ(tableColumns({"V wind"}, {})[0].wind, WindComponent::Northward);
}

TEST(TableHeading, RowsAndHeadersAreToldApart) {
  struct Case {
    const char* line;
    std::optional<RowShape> shape;
  };
  const Case cases[] = {
      {"0;491.02;088;1.1;;;;1", RowShape{TableSeparator::Semicolon, 8}},
      {"12,5  13,4   -7", RowShape{TableSeparator::Blanks, 3}},   // comma decimals between blanks
      {"1,2,3", RowShape{TableSeparator::Comma, 3}},
      {"2026-06-01T11:00:18.000Z,T1,RS41,105.2,NaN", RowShape{TableSeparator::Comma, 5}},
      {"\t1\t2\t//\t-", RowShape{TableSeparator::Tab, 5}},
      {"Rel. Time;Altitude (gpm);Temperature (°C)", std::nullopt},
      {"Altitude (m);491.0", std::nullopt},
      {"Start Date;24.10.17", std::nullopt},
      {"T1,RS41,x,5", std::nullopt},  // more text than values
  };
  for (const Case& c : cases) EXPECT_EQ(rowShape(c.line), c.shape) << c.line;

  const RowShape nine{TableSeparator::Blanks, 9};
  const char* const header = "Elapsed time AscRate GpsHeightMSL      P   Temp   RH   Dewp Dir Speed";
  const char* const firstRow = "           0     0.0        491.0 969.50  12.00 66.3   5.93  88  1.10";
  EXPECT_EQ(headerNames(header, nine, firstRow),
            (std::vector<std::string>{"Elapsed time", "AscRate", "GpsHeightMSL", "P", "Temp", "RH", "Dewp", "Dir", "Speed"}));
  EXPECT_EQ(headerNames("Zeit  Höhe", RowShape{TableSeparator::Blanks, 2}, "0   491"),
            (std::vector<std::string>{"Zeit", "Höhe"}));
  EXPECT_FALSE(headerNames("a;b", RowShape{TableSeparator::Semicolon, 3}, "1;2;3"));
}
