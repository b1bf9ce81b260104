// The headless front, run as the operator's scripts run it.
#include "tests/cli/batch_fixture.h"

#include <QFile>

TEST_F(Batch, OpensFilesAndReportsTheWindowState) {
  FlightRecipe tab;
  tab.rows = 300;
  FlightRecipe vre;
  vre.layout = Layout::Vre;
  vre.rows = 250;
  vre.top = 20000;
  const BatchResult result = run({"--locale-decimal", ".", "--separator", "point", "--open", "1",
                          generated("one.txt", tab), "--open", "2", generated("two.txt", vre),
                          "--param", "2", "#3", "--height", "1", "H"});
  EXPECT_EQ(result.exitCode, 0) << result.errorOutput.toStdString();
  EXPECT_EQ(result.state["caption"].toString(), "Сравнение полетов С чтением \"Сырых данных\"");
  EXPECT_EQ(slot(result, 1)["rows"].toInt(), 300);
  EXPECT_EQ(slot(result, 2)["rows"].toInt(), 250);
  EXPECT_EQ(slot(result, 2)["paramIndex"].toInt(), 3);
  EXPECT_EQ(slot(result, 2)["heightItems"].toArray().first().toString(), "ВРЕМЯ");
  EXPECT_EQ(slot(result, 3)["rows"].toInt(), 0);
  EXPECT_EQ(slot(result, 3)["heightIndex"].toInt(), -1);
  EXPECT_EQ(result.state["MaxHight"].toDouble(), 20000);
  EXPECT_TRUE(result.state["point"].toBool());
  EXPECT_FALSE(result.state["comma"].toBool());
  EXPECT_EQ(result.state["edit2"].toObject()["visible"].toBool(), false);
  EXPECT_EQ(result.state["series"].toObject().size(), 5);
  EXPECT_TRUE(result.state["errors"].toArray().isEmpty());
}

TEST_F(Batch, RecordsFailuresAndGoesOn) {
  FlightRecipe comma;
  comma.decimal = ',';
  const QString file = generated("comma.txt", comma);
  const BatchResult result = run({"--locale-decimal", ".", "--open", "1", folder.filePath("none.txt"), "--separator",
                                  "comma", "--open", "1", file, "--separator", "point", "--open", "1", file, "--param",
                                  "1", "nope", "--open", "2", ""});
  EXPECT_EQ(result.exitCode, 1);
  const QJsonArray errors = result.state["errors"].toArray();
  ASSERT_EQ(errors.size(), 4);
  EXPECT_TRUE(errors[0].toObject()["message"].toString().startsWith("File does not exist.\n"));
  EXPECT_TRUE(errors[1].toObject()["message"].toString().section('\n', 0, 0).endsWith("is not a valid floating point value"));
  EXPECT_EQ(errors[1].toObject()["message"].toString().section('\n', 2),
            "The number would read with \"Точка\" ticked: tick \"Точка\" and open the file again.");
  EXPECT_EQ(errors[2].toObject()["step"].toString(), "--param 1 nope");
  EXPECT_EQ(errors[2].toObject()["message"].toString(), "No item \"nope\" in ComboBox2.");
  EXPECT_EQ(errors[3].toObject()["message"].toString(), "File does not exist.") << "an empty name is no cancel";
  EXPECT_EQ(slot(result, 1)["rows"].toInt(), 200) << "the step after the failures still ran";
  EXPECT_TRUE(result.errorOutput.contains("File does not exist."));
}

TEST_F(Batch, BadArgumentsExitWithUsage) {
  const std::pair<QStringList, QString> cases[] = {
      {{"--open", "4", "x"}, "--open: the slot is 1, 2 or 3"},
      {{"--frobnicate"}, "unknown step --frobnicate"},
      {{"--separator", "semicolon"}, "--separator: point or comma"},
      {{"--open", "1"}, "--open needs a value"},  // the --json that follows is no file
      {{"--uncertainty", "1"}, "--uncertainty needs a value"},
  };
  for (const auto& [steps, message] : cases) {
    const BatchResult result = run(steps);
    EXPECT_EQ(result.exitCode, 2) << steps.join(' ').toStdString();
    EXPECT_TRUE(result.errorOutput.contains(message)) << result.errorOutput.toStdString();
    EXPECT_TRUE(result.errorOutput.contains("usage: flightcompare --batch"));
  }
}

TEST_F(Batch, WritesTheSeriesOfTheRedraw) {
  FlightRecipe first;
  first.rows = 120;
  FlightRecipe second = first;
  second.bias = 0.25;
  const BatchResult result = run({"--locale-decimal", ".", "--separator", "point", "--open", "1",
                                  generated("a.txt", first), "--open", "2", generated("b.txt", second)});
  ASSERT_EQ(result.exitCode, 0) << result.errorOutput.toStdString();
  const QJsonObject series = result.state["series"].toObject();
  EXPECT_EQ(series["Series1"].toObject()["points"].toArray().size(), 120);
  EXPECT_EQ(series["Series5"].toObject()["points"].toArray().size(), 0);
  const QJsonArray comparison = series["Series3"].toObject()["points"].toArray();
  ASSERT_EQ(comparison.size(), 120);
  EXPECT_NEAR(comparison[60].toArray()[0].toDouble(), -0.25, 1e-9);
  EXPECT_EQ(comparison[60].toArray()[1].toDouble(), 15250.0) << "at the stored height";
  EXPECT_FALSE(series["Series4"].toObject()["visible"].toBool());
  EXPECT_EQ(series["Series4"].toObject()["points"].toArray().size(), 120 - 51);
  EXPECT_EQ(result.state["MassivsCount"].toInt(), 120);
}

TEST_F(Batch, DrivesTheComparisonControls) {
  FlightRecipe sct;
  sct.layout = Layout::Sct;
  sct.rows = 90;
  const QString file = generated("s.raw", sct);
  const BatchResult result =
      run({"--locale-decimal", ".", "--separator", "point", "--open", "1", file, "--open", "2", file,
           "--toggle-step", "--step", "up", "3", "--step", "down", "--plus", "on", "--quick", "H",
           "--param", "1", "slwi", "--channel", "11", "--type", "2", "param", "nothing"});
  ASSERT_EQ(result.exitCode, 0) << result.errorOutput.toStdString();
  EXPECT_EQ(result.state["correction"].toInt(), 20);
  EXPECT_EQ(result.state["edit1"].toString(), "20");
  EXPECT_EQ(result.state["correctionStep"].toInt(), 10);
  EXPECT_EQ(result.state["label4"].toString(), "высоты 10");
  EXPECT_TRUE(result.state["plus"].toBool());
  EXPECT_EQ(slot(result, 2)["paramIndex"].toInt(), -1) << "typed text that names no item";
  EXPECT_EQ(result.state["edit2"].toObject()["visible"].toBool(), true);
  EXPECT_EQ(result.state["edit2"].toObject()["text"].toString(), "11");
  const QJsonObject series = result.state["series"].toObject();
  EXPECT_EQ(series["Series1"].toObject()["points"].toArray().size(), 30) << "channel 11 rows only";
  EXPECT_TRUE(series["Series3"].toObject()["points"].toArray().isEmpty());
}

// Each slot's record of who flew beside the documented fields, and −0 as −0 (the CSV's "-0").
TEST_F(Batch, EachSlotSaysWhoFlewAndKeepsTheSignOfZero) {
  const QString raw = written("raw.int", "INTalt INTtemp\n100 -0\n200 5\n");
  const BatchResult result =
      run({"--open", "3", QString(REFERENCE_FILES) + "/gruan_rs41.nc", "--open", "1", raw, "--param", "1", "INTtemp"});
  EXPECT_EQ(result.exitCode, 0) << result.errorOutput.toStdString();
  const QJsonObject product = slot(result, 3)["flight"].toObject();
  EXPECT_EQ(product["label"].toString(), "RS41-SG T1234567 · XYZ 2026-06-01 11:00 UTC");
  EXPECT_EQ(product["launch"].toString(), "2026-06-01T10:58:43Z");
  EXPECT_EQ(product["latitude"].toDouble(), 46.81);
  EXPECT_EQ(product["heightKind"].toString(), "geopotential");
  const QJsonObject station = slot(result, 1)["flight"].toObject();
  EXPECT_EQ(station["format"].toString(), "INT layout");
  EXPECT_EQ(station["label"].toString(), "raw.int");
  EXPECT_EQ(station["heightKind"].toString(), "");
  EXPECT_TRUE(station["latitude"].isNull());
  EXPECT_TRUE(slot(result, 2)["flight"].isNull()) << "no flight, no record";
  EXPECT_TRUE(result.output.contains("[-0.0,100]")) << result.output.toStdString();
}

// A raw flight's uncertainty column is the operator's pick; a product's comes by itself.
TEST_F(Batch, JudgesARawFlightByTheUncertaintyColumnPicked) {
  const QString raw = written("raw.int", "INTalt INTtemp INTunc\n121 15 0.1\n125 15 0.2\n130 15 0.3\n");
  const QString product = QString(REFERENCE_FILES) + "/gruan_rs41.nc";
  const QStringList opened{"--open", "1", raw, "--open", "2", product, "--param", "1", "INTtemp"};
  BatchResult result = run(opened + QStringList{"--uncertainty", "1", "INTunc"});
  EXPECT_EQ(result.exitCode, 0) << result.errorOutput.toStdString();
  EXPECT_EQ(slot(result, 1)["uncertainty"].toString(), "INTunc");
  EXPECT_EQ(slot(result, 2)["uncertainty"].toString(), "temp_uc");
  EXPECT_TRUE(slot(result, 1)["uncertaintyCoverage"].isNull());
  EXPECT_EQ(slot(result, 1)["uncertaintyNote"].toString(), "coverage factor not stated: taken as 1");
  EXPECT_EQ(slot(result, 2)["uncertaintyCoverage"].toDouble(), 2.0);
  EXPECT_EQ(slot(result, 2)["uncertaintyNote"].toString(), "k = 2 stated, divided out");
  EXPECT_EQ(result.state["uncertaintyRule"].toString(), "independent");
  const QJsonObject comparison = result.state["series"].toObject()["Series3"].toObject();
  EXPECT_EQ(comparison["uncertainty"].toArray().size(), comparison["points"].toArray().size());
  EXPECT_TRUE(result.state["band"].toObject()["shown"].toBool());
  EXPECT_EQ(result.state["layers"].toArray().first().toObject()["within3"].toDouble(), 1.0);

  result = run(opened + QStringList{"--uncertainty", "1", "INTunc", "--uncertainty", "2", "none"});
  EXPECT_FALSE(result.state["band"].toObject()["shown"].toBool());
  EXPECT_FALSE(result.state["series"].toObject()["Series3"].toObject().contains("uncertainty"));
  EXPECT_EQ(run({"--uncertainty", "3", "none"}).exitCode, 2) << "slot 3 is not compared";
}

// Heights of two known kinds compared are named in the state; a height of no stated kind is not.
TEST_F(Batch, WarnsWhileTheComparedHeightsAreOfDifferentKinds) {
  const QString reference = REFERENCE_FILES;
  const QStringList opened{"--open", "1", reference + "/gruan_rs92.nc", "--open", "2", reference + "/gruan_rs41.nc"};
  EXPECT_EQ(run(opened).state["heightWarning"].toString(),
            "heights of different kinds are compared: flight 1 geometric, flight 2 geopotential");
  EXPECT_TRUE(run(opened + QStringList{"--height", "2", "lat"}).state["heightWarning"].isNull());
}

// Two sondes of one balloon, flight 2's clock started 2.5 s before flight 1's: matched in time,
// the shift is found, or taken as typed; a flight without a time column says so.
TEST_F(Batch, MatchesInTimeWithTheShiftFoundOrTyped) {
  FlightRecipe sonde;
  sonde.layout = Layout::Sct;
  sonde.rows = 6000;
  sonde.ascentSwing = 10;
  const QString first = generated("a.raw", sonde);
  sonde.clockStart = -2.5;
  sonde.seed = 1;
  const QString second = generated("b.raw", sonde);
  sonde.layout = Layout::IndentedH;
  const QString timeless = generated("h.T3", sonde);
  const QStringList opened{"--locale-decimal", ".", "--separator", "point", "--open", "1", first, "--open", "2", second};
  struct Case {
    QStringList steps;
    QJsonValue shift;
    bool automatic;
    QString error;
  };
  for (const Case& c : {Case{{"--match", "time"}, 2.5, true, {}},
                        Case{{"--shift", "1.5", "--match", "time", "--time", "2", "Sctime"}, 1.5, false, {}},
                        Case{{"--match", "time", "--shift", "x"}, 2.5, true, "'x' is not a valid floating point value"},
                        Case{{"--match", "time", "--shift", "2.54"}, 2.5, false, {}},
                        Case{{"--match", "time", "--shift", "nan"}, 2.5, true, "'nan' is not a valid floating point value"},
                        Case{{"--match", "time", "--open", "2", timeless}, QJsonValue(), true,
                             "Flight 2 has no time column."}}) {
    SCOPED_TRACE(c.steps.join(' ').toStdString());
    const BatchResult result = run(opened + c.steps);
    const QJsonObject matching = result.state["matching"].toObject();
    EXPECT_EQ(matching["by"].toString(), "time");
    EXPECT_EQ(matching["shift"], c.shift);
    EXPECT_EQ(matching["auto"].toBool(), c.automatic);
    const QJsonArray errors = result.state["errors"].toArray();
    EXPECT_EQ(errors.isEmpty() ? QString() : errors.last().toObject()["message"].toString(), c.error);
    EXPECT_EQ(result.exitCode, c.error.isEmpty() ? 0 : 1);
    EXPECT_EQ(result.state["layers"].toArray().isEmpty(), c.shift.isNull());
  }
}
