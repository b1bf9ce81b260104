#include "compare/comparison_csv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

TEST(ComparisonCsv, PointsThenLayersWithEmptyFieldsWhereNothingApplies) {
  CurvePoints flight, comparison;
  flight.add(0.1, 100);
  flight.add(-2.5e-7, 1e5);
  comparison.add(-0.5, 100);
  comparison.add(0.25, 1500);
  comparison.uncertainty = {0.4, std::nan("")};
  ConsistencyTally judged;
  judged.add(-0.5, 0.4);
  ClockShift shift;
  shift.shift = 5;
  shift.misfit = 0.75;
  std::ostringstream out;
  writeComparisonCsv(out, {{"Series1", &flight}, {"Series3", &comparison}},
                     {{0, 1000, 1, -0.5, std::nan(""), judged}, {1000, 2000, 7, 0.25, 0.125, {}}}, MatchBy::Time, shift);
  EXPECT_EQ(out.str(),
            "kind,series,index,x,y,layer_bottom,layer_top,bias,standard_deviation,count,uncertainty,uc_mean,"
            "within_1,within_2,within_3,match,shift,shift_misfit\n"
            "point,Series1,1,0.1,100,,,,,,,,,,,,,\n"
            "point,Series1,2,-2.5e-07,1e+05,,,,,,,,,,,,,\n"
            "point,Series3,1,-0.5,100,,,,,,0.4,,,,,,,\n"
            "point,Series3,2,0.25,1500,,,,,,,,,,,,,\n"
            "layer,,,,,0,1000,-0.5,,1,,0.4,0,1,1,time,5,0.75\n"
            "layer,,,,,1000,2000,0.25,0.125,7,,,,,,time,5,0.75\n");
}
