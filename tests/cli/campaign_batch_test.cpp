#include "reference/address_sanitizer.h"
#include "tests/cli/campaign_fixture.h"

#include <QDir>

#include <map>

namespace {

TEST_F(CampaignBatch, WritesBothTablesAndTellsWhichPairsWereSkipped) {
  const QString list = folder.filePath("list.csv");
  const QString sameDate = "export SOURCE_DATE_EPOCH=1700000000;";
  const BatchResult one = campaign({"--campaign", list, "--out", folder.filePath("one"), "--jobs", "1"}, sameDate);
  EXPECT_EQ(one.exitCode, 1);
  EXPECT_EQ(one.errorOutput.count("skipped"), 2) << one.errorOutput.toStdString();
  EXPECT_TRUE(one.errorOutput.contains("pair 2 (a.txt, gone.txt) skipped: Flight 2: File does not exist."));
  EXPECT_TRUE(one.errorOutput.contains("pair 4 (b.txt, a.txt) skipped: Same pair as line 2."));

  const QList<QByteArray> layers = output("one/layers.csv").split('\n');
  EXPECT_EQ(layers[0], "group,layer_bottom,layer_top,flights,points,mean,sd,rms,median,p05,p95,flight_sd,"
                      "uc_points,uc_mean,within_1,within_2,within_3,normalised_mean,normalised_sd");
  EXPECT_TRUE(layers[1].endsWith(",,,,,,,")) << "raw files state no uncertainty";
  EXPECT_TRUE(layers[1].startsWith("all,0,100,2,")) << layers[1].toStdString();
  EXPECT_TRUE(output("one/layers.csv").contains("\nnight,0,100,1,"));
  EXPECT_LT(output("one/layers.csv").indexOf("\nday,"), output("one/layers.csv").indexOf("\nnight,"));
  const QList<QByteArray> pairs = output("one/pairs.csv").split('\n');
  EXPECT_EQ(pairs[0], "index,flight1,flight2,group,status,points,mean,sd,"
                      "flight1_label,flight1_launch,flight1_station,flight1_sonde,flight1_serial,flight1_height_kind,"
                      "flight2_label,flight2_launch,flight2_station,flight2_sonde,flight2_serial,flight2_height_kind,"
                      "within_2,flight1_height_column,flight1_column,flight1_unit,flight1_u_column,flight1_u_coverage,"
                      "flight2_height_column,flight2_column,flight2_unit,flight2_u_column,flight2_u_coverage,uc_rule,"
                      "match,shift,shift_misfit");
  EXPECT_TRUE(pairs[1].startsWith("1,a.txt,b.txt,day,ok,400,"));
  EXPECT_TRUE(pairs[1].endsWith(",a.txt,,,,,,b.txt,,,,,,,H,T,°C,,,H,T,°C,,,,height,,"))
      << "raw files state nothing but their names, and no uncertainty; matched by height, no shift";
  EXPECT_EQ(pairs[2], "2,a.txt,gone.txt,night,Flight 2: File does not exist.,,,,a.txt,,,,,,,,,,,,,H,T,°C,,,,,,,,,height,,");

  const BatchResult two = campaign({"--campaign", list, "--out", folder.filePath("two"), "--jobs", "2"}, sameDate);
  EXPECT_EQ(two.exitCode, 1);
  // With the same date, the report too must not differ by a byte.
  const QStringList files = QDir(folder.filePath("one")).entryList(QDir::Files);
  EXPECT_EQ(files.size(), 6);
  for (const QString& file : files) {
    SCOPED_TRACE(file.toStdString());
    EXPECT_EQ(output("one/" + file), output("two/" + file));
  }
}

// A GRUAN product's altitude and a TEMP's geopotential height are never pooled without a word;
// --height-kind keeps one kind and says why the others were skipped.
TEST_F(CampaignBatch, MixedKindsOfHeightAreNamedOrKeptApart) {
  const QString reference = REFERENCE_FILES;
  list("mixed.csv", ("flight1,flight2\n" + reference + "/gruan_rs92.nc," + reference + "/temp_high_resolution.bufr\n" +
                     reference + "/gruan_rs92.nc," + reference + "/gruan_rs92.nc\n").toUtf8());
  const QString warning = "heights of different kinds are pooled: 3 flights with geometric altitude, 1 flight with geopotential";
  const BatchResult pooled = campaign({"--campaign", "mixed.csv", "--out", "pooled", "--allow-apart"});
  EXPECT_EQ(pooled.exitCode, 0);
  EXPECT_EQ(pooled.errorOutput.count(warning), 1) << pooled.errorOutput.toStdString();
  QProcess report;
  report.start(PDFTOTEXT, {folder.filePath("pooled/report.pdf"), "-"});
  ASSERT_TRUE(report.waitForFinished(30000));
  EXPECT_TRUE(QString::fromUtf8(report.readAllStandardOutput()).contains("в одну выборку сведены высоты разного вида"))
      << "the report speaks Russian whatever the locale";
  EXPECT_TRUE(output("pooled/pairs.csv").contains(",RS92 · XYZ 2026-06-01 22:05 UTC,2026-06-01T22:05:04Z,XYZ,"
                                                  "RS92,,geometric,VAISALA RS41 T1234567 · 06610"));
  const BatchResult kept =
      campaign({"--campaign", "mixed.csv", "--out", "kept", "--height-kind", "geometric", "--allow-apart"});
  EXPECT_EQ(kept.exitCode, 1);
  EXPECT_FALSE(kept.errorOutput.contains(warning));
  EXPECT_TRUE(kept.errorOutput.contains("pair 1 (") &&
              kept.errorOutput.contains("skipped: Heights not geometric: flight 1 geometric, flight 2 geopotential."))
      << kept.errorOutput.toStdString();
  EXPECT_TRUE(output("kept/pairs.csv").contains("\n2,")) << "the pair of one kind is compared";
  report.start(PDFTOTEXT, {folder.filePath("kept/report.pdf"), "-"});
  ASSERT_TRUE(report.waitForFinished(30000));
  EXPECT_TRUE(QString::fromUtf8(report.readAllStandardOutput()).contains("Высоты не geometric"))
      << "the reason the pair was skipped, in Russian too";
  EXPECT_EQ(campaign({"--campaign", "mixed.csv", "--out", "kept", "--height-kind", "pressure"}).exitCode, 2);
}

TEST_F(CampaignBatch, ExitStatusSaysWhatHappened) {
  const QString out = folder.filePath("out");
  list("blocked", "");
  struct Case {
    QStringList arguments;
    int status;
  } cases[] = {
      {{"--campaign", "good.csv", "--out", out}, 0},
      {{"--campaign", "good.csv", "--out", out, "--quantity", "P", "--layer", "500", "--plus"}, 0},
      {{"--campaign", "comma.csv", "--out", out, "--locale-decimal", ","}, 0},
      {{"--campaign", "comma.csv", "--out", out, "--locale-decimal", ".", "--separator", "comma"}, 1},
      {{"--campaign", "good.csv", "--out", out, "--column", "nothing"}, 1},
      {{"--campaign", "good.csv", "--out", out, "--column", ""}, 2},
      {{"--campaign", "good.csv", "--out", folder.filePath("blocked")}, 1},
      {{"--campaign", "none.csv", "--out", out}, 2},
      {{"--campaign", "b.txt", "--out", out}, 2},
      {{"--campaign", "good.csv"}, 2},
      {{"--campaign", "good.csv", "--out", out, "--quantity", "X"}, 2},
      {{"--campaign", "good.csv", "--out", out, "--quantity", "T", "--column", "T"}, 2},
      {{"--campaign", "good.csv", "--out", out, "--layer", "0"}, 2},
      {{"--campaign", "good.csv", "--out", out, "--jobs", "0"}, 2},
      {{"--campaign", "good.csv", "--out", out, "--frobnicate"}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const BatchResult result = campaign(c.arguments);
    EXPECT_EQ(result.exitCode, c.status) << result.errorOutput.toStdString();
    EXPECT_EQ(result.errorOutput.contains("flightcompare:") || result.errorOutput.contains("skipped"), c.status != 0);
  }
}

// A read is bounded by its own work, not by the clock: however many pairs run at once on how few
// cores, every file within the limits is read to its end and gives the same numbers.
TEST_F(CampaignBatch, ResultsDoNotDependOnTheMachinesLoad) {
  if (kUnderAddressSanitizer) GTEST_SKIP() << "the sanitizer's allocator makes each of these reads ten times longer";
  const QString temp = QString(REFERENCE_FILES) + "/temp_40000_levels.bufr";
  QByteArray pairs;
  // Each pair names its files anew: a pair named twice would be compared once.
  for (const char* name : {"1.bufr", "2.bufr", "3.bufr", "4.bufr"}) {
    ASSERT_TRUE(QFile::link(temp, folder.filePath(name)));
    pairs += QByteArray(name) + ',' + name + '\n';
  }
  list("one.csv", "flight1,flight2\n" + pairs.left(pairs.indexOf('\n') + 1));
  list("four.csv", "flight1,flight2\n" + pairs);
  const BatchResult alone = campaign({"--campaign", "one.csv", "--out", folder.filePath("alone"), "--jobs", "1"});
  const BatchResult crowded = campaign({"--campaign", "four.csv", "--out", folder.filePath("crowded"), "--jobs", "4"});
  EXPECT_EQ(alone.exitCode, 0) << alone.errorOutput.toStdString();
  EXPECT_EQ(crowded.exitCode, 0) << crowded.errorOutput.toStdString();
  const auto afterNames = [](const QByteArray& row) { return row.split(',').mid(3).join(','); };
  const QByteArray compared = afterNames(output("alone/pairs.csv").split('\n')[1]);
  EXPECT_TRUE(compared.startsWith(",ok,40000,")) << compared.toStdString();
  const QList<QByteArray> rows = output("crowded/pairs.csv").split('\n');
  for (int row = 1; row <= 4; ++row) EXPECT_EQ(afterNames(rows[row]), compared) << "pair " << row;
}

}  // namespace

namespace {

// A row of a CSV without quoted fields, by its header's names.
std::map<QString, QString> csvRow(const QByteArray& csv, const QByteArray& startingWith) {
  const QList<QByteArray> lines = csv.split('\n');
  std::map<QString, QString> row;
  for (const QByteArray& line : lines) {
    if (!line.startsWith(startingWith)) continue;
    const QList<QByteArray> names = lines[0].split(','), fields = line.split(',');
    for (int i = 0; i < names.size(); ++i) row[names[i]] = fields.value(i);
  }
  return row;
}

}  // namespace

// Matched in time, a pair's row tells the shift of flight 2's clock it was compared at and the
// spread of the two flights' heights there; a shift that is no number is refused.
TEST_F(CampaignBatch, MatchedInTimeEachPairTellsItsClocksShift) {
  writeFlight(folder.TempFiles::path("early.txt"), swingingSonde(6000));
  FlightRecipe late = swingingSonde(6000, 1, -25);
  late.heightOffset = 40;
  writeFlight(folder.TempFiles::path("late.txt"), late);
  list("balloon.csv", "flight1,flight2\nearly.txt,late.txt\n");
  const BatchResult run = campaign({"--campaign", "balloon.csv", "--out", "out", "--match", "time"});
  EXPECT_EQ(run.exitCode, 0) << run.errorOutput.toStdString();
  const std::map<QString, QString> pair = csvRow(output("out/pairs.csv"), "1,early.txt,late.txt,,ok,");
  EXPECT_EQ(pair.at("match"), "time");
  EXPECT_NEAR(pair.at("shift").toDouble(), 25, 0.11);
  const double misfit = pair.at("shift_misfit").toDouble();
  EXPECT_TRUE(misfit > 0 && misfit < 1) << "the heights' scatter, not the 40 m they part by: " << misfit;

  const BatchResult refused = campaign({"--campaign", "balloon.csv", "--out", "out", "--match", "time", "--shift", "soon"});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_TRUE(refused.errorOutput.contains("flightcompare: --shift: auto or seconds\nusage:")) << refused.errorOutput.toStdString();
}

// A campaign reads of each product only the height, the compared column and its uncertainty; its
// layer table is the one it wrote when it read every column (data/expected), to the last bit.
TEST_F(CampaignBatch, ProductsGiveTheLayersTheyGaveWhenEveryColumnWasRead) {
  FlightRecipe sonde;  // each falls at its end, so that slot 1 and slot 2 cut it each by its rule
  sonde.rows = 600;
  sonde.descentRows = 40;
  sonde.noise = 0.2;
  sonde.seed = 1;
  sonde.extraColumns = 6;
  sonde.rs41Storage = true;
  FlightRecipe reference = sonde;
  reference.seed = 2;
  reference.bias = 0.1;
  reference.rs41Storage = false;
  FlightRecipe third = sonde;
  third.rows = 500;
  third.descentRows = 25;
  third.noise = 0.3;
  third.seed = 3;
  third.bias = -0.2;
  third.extraColumns = 2;
  product("sonde.nc", sonde);
  product("reference.nc", reference);
  product("third.nc", third);
  list("products.csv", "flight1,flight2,group\nsonde.nc,reference.nc,day\nthird.nc,sonde.nc,night\n");
  const BatchResult run = campaign({"--campaign", "products.csv", "--out", "out", "--layer", "1000"});
  ASSERT_EQ(run.exitCode, 0) << run.errorOutput.toStdString();
  QFile expected(EXPECTED_FILES "/products_layers.csv");
  ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
  EXPECT_EQ(output("out/layers.csv"), expected.readAll());
}

// Two products' differences judged against their uncertainties by the same numbers as the
// window's layer statistics, as each states its uncertainties and who flew with whom; each pair
// grouped by the sun at flight 1's launch, also where flight 1 is an RS92; a pair of strangers
// refused.
TEST_F(CampaignBatch, ProductsAreJudgedAgainstTheirUncertaintiesAndGroupedByTheSun) {
  FlightRecipe day;  // launched 11:00 UTC at 52.21° N, 14.12° E
  day.rows = 600;  // 50 m apart: row 499, without temp_uc, at 24950 m
  day.noise = 0.2;
  day.seed = 1;
  FlightRecipe other = day;  // on the same balloon
  other.seed = 2;
  other.bias = 0.1;
  other.serial = "T0000002";
  FlightRecipe night = day;
  night.launch -= 11 * 3600;
  night.product = FlightRecipe::Product::Rs92;
  FlightRecipe nightOther = other;
  nightOther.launch = night.launch;
  product("day.nc", day);
  product("other.nc", other);
  product("night.nc", night);
  product("night_other.nc", nightOther);
  list("products.csv",
       "flight1,flight2,group\nday.nc,other.nc,mine\nnight.nc,night_other.nc,mine\nday.nc,night.nc,mine\n");
  const BatchResult run = campaign({"--campaign", "products.csv", "--out", "out", "--layer", "1000", "--group", "solar"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.errorOutput.contains("pair 3 (day.nc, night.nc) skipped: Not one sounding: launches 11 hours apart."))
      << run.errorOutput.toStdString();
  const QByteArray layers = output("out/layers.csv");
  EXPECT_FALSE(layers.contains("\nmine,")) << "the list's groups give way to the sun's";
  EXPECT_TRUE(layers.contains("\nnight,0,1000,1,"));
  const std::map<QString, QString> campaignLayer = csvRow(layers, "day,0,1000,1,");
  const std::map<QString, QString> sameBalloon = csvRow(output("out/pairs.csv"), "1,day.nc,other.nc,day,ok,");
  EXPECT_EQ(sameBalloon.at("within_2").isEmpty(), false);
  EXPECT_EQ(sameBalloon.at("flight1_u_column"), "temp_uc");
  EXPECT_EQ(sameBalloon.at("flight1_u_coverage"), "2");
  EXPECT_TRUE(output("out/pairs.csv").contains(",\"same model, same balloon\",height,,\n2,"));
  const std::map<QString, QString> twoModels = csvRow(output("out/pairs.csv"), "2,night.nc,night_other.nc,night,ok,");
  EXPECT_EQ(twoModels.at("flight1_u_column"), "u_temp");
  EXPECT_EQ(twoModels.at("flight1_u_coverage"), "1");
  EXPECT_EQ(twoModels.at("flight1_height_kind"), "geopotential");
  EXPECT_EQ(twoModels.at("uc_rule"), "independent");

  const BatchResult window = Batch::run({"--open", "1", folder.filePath("day.nc"), "--open", "2", folder.filePath("other.nc")});
  const QJsonObject windowLayer = window.state["layers"].toArray().first().toObject();
  ASSERT_EQ(windowLayer["bottom"].toDouble(), 0);
  for (const auto& [column, field] : {std::pair{"uc_mean", "ucMean"}, {"within_1", "within1"}, {"within_2", "within2"},
                                      {"within_3", "within3"}})
    EXPECT_EQ(campaignLayer.at(column).toDouble(), windowLayer[field].toDouble()) << column;
  EXPECT_EQ(window.state["uncertaintyRule"].toString(), "same model, same balloon");
  const std::map<QString, QString> gap = csvRow(layers, "day,24000,25000,1,");
  EXPECT_EQ(gap.at("uc_points").toInt(), gap.at("points").toInt() - 1)
      << "the row without temp_uc counts among the points, not among those judged";
}
