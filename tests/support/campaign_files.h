#pragma once

#include "tests/generator/flight_generator.h"
#include "tests/support/temp_files.h"

// The campaign the tests of every side run: sonde flights a.txt and c.txt (another seed),
// comma.txt (a.txt's sonde with a decimal comma) and the reference b.txt in another layout.
// list.csv pairs them in groups "day" and "night", its second pair naming a flight that is
// gone; good.csv holds one pair, comma.csv the comma flight's.
inline void writeCampaign(const TempFiles& folder) {
  FlightRecipe sonde;
  sonde.rows = 400;
  sonde.noise = 0.3;
  writeFlight(folder.path("a.txt"), sonde);
  FlightRecipe other = sonde;
  other.seed = 1;
  writeFlight(folder.path("c.txt"), other);
  FlightRecipe comma = sonde;
  comma.decimal = ',';
  writeFlight(folder.path("comma.txt"), comma);
  FlightRecipe reference;
  reference.layout = Layout::Vre;
  reference.rows = 400;
  writeFlight(folder.path("b.txt"), reference);
  folder.write("list.csv",
               "flight1,flight2,group\na.txt,b.txt,day\na.txt,gone.txt,night\n\"c.txt\",b.txt,night\nb.txt,a.txt,day\n");
  folder.write("good.csv", "flight1,flight2\na.txt,b.txt\n");
  folder.write("comma.csv", "flight1,flight2\ncomma.txt,b.txt\n");
}
