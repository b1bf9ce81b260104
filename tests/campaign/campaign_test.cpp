#include "app/presentation/campaign_lines.h"
#include "app/presentation/pairs_csv.h"
#include "campaign/campaign_csv.h"
#include "campaign/campaign_run.h"
#include "compare/comparison_redraw.h"
#include "compare/layer_statistics.h"
#include "compare/sample_statistics.h"
#include "compare/quick_select.h"
#include "flight/flight_error.h"
#include "raw/text_file.h"
#include "reader/flight_reader.h"
#include "tests/generator/flight_generator.h"
#include "workspace/workspace.h"
#include "tests/support/recorded_slot.h"
#include "tests/support/temp_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <tuple>

namespace {

using namespace std::string_literals;

class Campaign : public ::testing::Test {
 protected:
  CampaignPair pair(const FlightRecipe& recipe1, const FlightRecipe& recipe2, const std::string& group = {}) {
    const std::string name1 = "f" + std::to_string(++written) + ".txt", name2 = "f" + std::to_string(++written) + ".txt";
    writeFlight(files.path(name1), recipe1);
    writeFlight(files.path(name2), recipe2);
    return pairInFolder(files.path(""), name1, name2, group);
  }

  // The comparison points the window shows for the pair, read into its slots after a fresh start.
  CurvePoints windowComparison(const CampaignPair& pair, const CampaignSettings& settings) {
    const Workspace freshStart;
    RecordedSlot controls[2];
    RedrawRequest request;
    for (int slot = 1; slot <= 2; ++slot) {
      readFlightFile(slot, pair.path(slot), settings.separators, controls[slot - 1]);
      const QuantityNames& names = quickSelectNames(Quantity::Temperature, slot);
      request.flights[slot - 1] = {controls[slot - 1].height, quickSelectIndex(controls[slot - 1].items, names),
                                   static_cast<int>(controls[slot - 1].items.size())};
    }
    request.slowChannelText = "10";
    RedrawPoints points;
    compareFlights(request, points);
    return points.comparison;
  }

  // Whether a campaign run with files' folder for its values left anything of them behind.
  bool valuesLeftBehind() const {
    for (const auto& entry : std::filesystem::directory_iterator(files.path("")))
      if (entry.path().filename().string().rfind("flightcompare-values-", 0) == 0) return true;
    return false;
  }

  TempFiles files;
  int written = 0;
};

// The layers as they were pooled while every pair's values stayed in memory: runs gathered
// layer by layer, pairs in list order.
std::vector<LayerSummary> pooledInMemory(const CampaignResult& result, const CampaignSettings& settings) {
  const std::vector<std::string> groups = campaignGroups(result.pairs);
  std::map<long long, std::vector<LayerRunView>> layers;
  for (const PairResult& pair : result.pairs) {
    if (!pair.compared()) continue;
    const auto found = std::find(groups.begin() + 1, groups.end(), pair.group);
    const std::size_t group = found == groups.end() ? 0 : static_cast<std::size_t>(found - groups.begin());
    for (const LayerRun& run : pair.runs)
      layers[run.layer].push_back({group, pair.values.data() + run.first,
                                   pair.uncertainties.empty() ? nullptr : pair.uncertainties.data() + run.first,
                                   run.count});
  }
  std::vector<PooledSummary> summaries;
  for (const auto& [layer, runs] : layers) summariseLayer(layer, runs, groups, settings.layer, summaries);
  return inCampaignOrder(std::move(summaries));
}

FlightRecipe recipe(Layout layout, char decimal, double bias = 0, double noise = 0) {
  FlightRecipe r;
  r.layout = layout;
  r.rows = 600;
  r.decimal = decimal;
  r.bias = bias;
  r.noise = noise;
  return r;
}

// A one-pair campaign's layers are the window's layer table of the same pair, to the bit, at a
// thickness whose bounds are not whole numbers too.
TEST_F(Campaign, AOnePairCampaignsLayersAreTheWindows) {
  for (const double thickness : {1000.0, 333.3}) {
    SCOPED_TRACE(thickness);
    CampaignSettings settings;
    settings.layer = thickness;
    const std::vector<CampaignPair> pairs{pair(recipe(Layout::Tab, '.', 0.5, 0.2), recipe(Layout::Vre, '.'))};
    const CampaignResult result = runCampaign(pairs, settings);
    const std::vector<LayerStatistics> window = layerStatistics(windowComparison(pairs[0], settings), thickness);
    ASSERT_EQ(result.layers.size(), window.size());
    for (std::size_t i = 0; i < window.size(); ++i) {
      const LayerStatistics& pooled = result.layers[i];
      EXPECT_EQ(std::tie(pooled.bottom, pooled.top, pooled.points), std::tie(window[i].bottom, window[i].top, window[i].points));
      EXPECT_EQ(std::memcmp(&pooled.mean, &window[i].mean, sizeof(double)), 0) << i;
      EXPECT_EQ(std::memcmp(&pooled.sd, &window[i].sd, sizeof(double)), 0) << i;
    }
  }
}

TEST_F(Campaign, PoolsTheWindowsOwnValuesAndRecoversEachGroupsBias) {
  struct Case {
    Layout layout1, layout2;
    char decimal;
  };
  for (const Case& c : {Case{Layout::Tab, Layout::Vre, '.'}, Case{Layout::Sct, Layout::Int, ','},
                        Case{Layout::IndentedT, Layout::Shifr, '.'}}) {
    SCOPED_TRACE(std::string(layoutName(c.layout1)) + " against " + layoutName(c.layout2));
    CampaignSettings settings;
    settings.layer = 1000;
    settings.separators = {c.decimal, c.decimal};
    const std::vector<CampaignPair> pairs{pair(recipe(c.layout1, c.decimal, 0.5, 0.2), recipe(c.layout2, c.decimal), "day"),
                                          pair(recipe(c.layout1, c.decimal, -0.3), recipe(c.layout2, c.decimal), "night"),
                                          pair(recipe(c.layout1, c.decimal, 0.5, 0.2), recipe(c.layout2, c.decimal), "day")};
    const CampaignResult result = runCampaign(pairs, settings);
    ASSERT_EQ(result.skippedPairs(), 0u) << result.pairs[0].reason.english();

    // Every value is the window's, only ordered by layer.
    const CurvePoints window = windowComparison(pairs[0], settings);
    std::vector<double> expected = window.x, kept = result.pairs[0].values;
    std::sort(expected.begin(), expected.end());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, expected);

    std::map<std::string, std::vector<const LayerSummary*>> byGroup;
    for (const LayerSummary& layer : result.layers) byGroup[layer.group].push_back(&layer);
    EXPECT_EQ(result.layers.front().group, "all");
    EXPECT_EQ(result.layers.back().group, "night");
    for (const LayerSummary* layer : byGroup["day"]) {
      EXPECT_NEAR(layer->mean, 0.5, 0.2 / std::sqrt(layer->points) * 4);
      if (layer->points > 20) {
        EXPECT_NEAR(layer->sd, 0.2 / std::sqrt(2.0), 0.05);
      }
      EXPECT_EQ(layer->flights, 2u);
      EXPECT_EQ(layer->flightSd, 0.0);  // both day pairs are the same flights
    }
    for (const LayerSummary* layer : byGroup["night"]) {
      EXPECT_NEAR(layer->mean, -0.3, 0.011);
      EXPECT_NEAR(layer->median, -0.3, 0.011);
      EXPECT_TRUE(std::isnan(layer->flightSd));
    }
    ASSERT_FALSE(byGroup["all"].empty());
    EXPECT_EQ(byGroup["all"][1]->flights, 3u);
  }
}

TEST_F(Campaign, SummarisesASampleAsNumpyDoes) {
  // numpy.percentile([4, 1, 3, 2], [5, 50, 95]) and friends.
  std::vector<double> values{4, 1, 3, 2};
  const double mean = exactMean(values.data(), 4);
  EXPECT_EQ(mean, 2.5);
  EXPECT_DOUBLE_EQ(sampleStandardDeviation(values.data(), 4, mean), 1.2909944487358056);
  EXPECT_DOUBLE_EQ(rootMeanSquare(values.data(), 4), std::sqrt(7.5));
  const double fractions[] = {0.05, 0.5, 0.95};
  double quantiles[3];
  linearQuantiles(values.data(), 4, fractions, quantiles, 3);
  EXPECT_DOUBLE_EQ(quantiles[0], 1.15);
  EXPECT_DOUBLE_EQ(quantiles[1], 2.5);
  EXPECT_DOUBLE_EQ(quantiles[2], 3.85);
  double one = 7;
  linearQuantiles(&one, 1, fractions, quantiles, 3);
  EXPECT_EQ(quantiles[1], 7);
  EXPECT_TRUE(std::isnan(sampleStandardDeviation(&one, 1, 7)));
}

TEST_F(Campaign, WrapsWindDirectionDifferencesUnlessAdding) {
  const std::string flight1 = files.write("d1.txt", "t\tH\tD\n1\t0.1\t350\n2\t0.2\t5\n3\t0.3\t90\n");
  const std::string flight2 = files.write("d2.txt", "t\tH\tD\n1\t0.1\t10\n2\t0.2\t355\n3\t0.3\t270\n");
  CampaignSettings settings;
  settings.quantity = 'D';
  const std::vector<CampaignPair> pairs{pairInFolder("", flight1, flight2, "")};
  EXPECT_EQ(runCampaign(pairs, settings).pairs[0].values, (std::vector<double>{-20, 10, 180}));
  settings.plus = true;
  EXPECT_EQ(runCampaign(pairs, settings).pairs[0].values, (std::vector<double>{360, 360, 360}));
}

TEST_F(Campaign, SkipsAPairThatCannotBeComparedAndGoesOn) {
  const CampaignPair good = pair(recipe(Layout::Tab, '.'), recipe(Layout::Tab, '.'));
  const std::string noTemperature = files.write("u.txt", "t\tH\tU\n1\t0.1\t50\n2\t0.2\t51\n");
  const std::string high = files.write("high.txt", "t\tH\tT\n1\t40\t-50\n2\t41\t-51\n");
  const std::string noHeight = files.write("noh.txt", "ВРЕМЯ T\n1 5\n");
  struct Case {
    CampaignPair pair;
    std::string status;
  } cases[] = {
      {pairInFolder("", good.path(1), files.path("gone.txt"), ""), "Flight 2: File does not exist."},
      {pairInFolder("", noTemperature, good.path(2), ""), "Flight 1 has no column for T."},
      {pairInFolder("", good.path(1), high, ""), "No comparison value: the flights have no height in common."},
      {pairInFolder("", good.path(1), noHeight, ""), "Flight 2 has no height column."},
      {good, "ok"},
  };
  std::vector<CampaignPair> pairs;
  for (const Case& c : cases) pairs.push_back(c.pair);
  const CampaignResult result = runCampaign(pairs, {});
  for (std::size_t i = 0; i < pairs.size(); ++i) EXPECT_EQ(result.pairs[i].status().english(), cases[i].status);
  EXPECT_EQ(result.skippedPairs(), 4u);
  EXPECT_FALSE(result.layers.empty());
}

TEST_F(Campaign, GivesTheSameBytesWhateverTheNumberOfJobs) {
  std::vector<CampaignPair> pairs;
  for (int i = 0; i < 12; ++i)
    pairs.push_back(pair(recipe(i % 2 ? Layout::Tab : Layout::Sct, '.', 0.1 * i, 0.3), recipe(Layout::Vre, '.'),
                         i % 3 ? "rs41" : "m10"));
  // One flight comes down again: its values reach their layers out of row order.
  FlightRecipe descending = recipe(Layout::Tab, '.', 0.2, 0.3);
  descending.descentRows = 150;
  pairs.push_back(pair(descending, recipe(Layout::Tab, '.')));
  CampaignSettings settings;
  settings.spillFolder = files.path("");
  settings.jobs = 1;
  const CampaignResult one = runCampaign(pairs, settings);
  settings.jobs = 2;
  const CampaignResult two = runCampaign(pairs, settings);
  EXPECT_EQ(layersCsv(one.layers), layersCsv(two.layers));
  EXPECT_EQ(layersCsv(one.layers), layersCsv(pooledInMemory(one, settings)));
  EXPECT_FALSE(valuesLeftBehind());
  const CampaignReport oneJob = campaignReport("", settings, pairs, one), twoJobs = campaignReport("", settings, pairs, two);
  EXPECT_EQ(pairsCsv(oneJob), pairsCsv(twoJobs));
}

// Sondes of one balloon whose clocks started apart are matched in time at each pair's own shift;
// a pair without a time, or whose heights never meet within the search, says why it was skipped.
TEST_F(Campaign, MatchedInTimeEachPairFindsItsOwnClockShift) {
  const auto sonde = [](double clockStart, int seed, Layout layout = Layout::Tab) {
    FlightRecipe flight = swingingSonde(6000, seed, clockStart);
    flight.layout = layout;
    flight.heightOffset = 20.0 * seed;
    return flight;
  };
  struct Case {
    FlightRecipe second;
    double shift;  // NaN: skipped
    const char* status;
  };
  const double none = ClockShift::kNone;
  const Case cases[] = {
      {sonde(-30, 1), 30, "ok"},
      {sonde(12, 2), -12, "ok"},
      {sonde(0, 3), 0, "ok"},
      {sonde(0, 4, Layout::IndentedH), none, "Flight 2 has no time column."},
      {sonde(-5000, 5), none, "The shift cannot be found: the two flights' heights never meet in time. Type the shift."},
  };
  std::vector<CampaignPair> pairs;
  for (const Case& c : cases) pairs.push_back(pair(sonde(0, 0), c.second));
  CampaignSettings settings;
  settings.match = MatchBy::Time;
  settings.jobs = 1;
  const CampaignResult one = runCampaign(pairs, settings);
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(one.pairs[i].status().english(), cases[i].status);
    if (std::isnan(cases[i].shift)) continue;
    EXPECT_NEAR(one.pairs[i].clockShift.shift, cases[i].shift, 0.11);
    EXPECT_TRUE(one.pairs[i].clockShift.automatic);
  }
  const CampaignReport report = campaignReport("", settings, pairs, one);
  const std::vector<SettingLine> lines = campaignSettingsLines(report);
  const auto matching =
      std::find_if(lines.begin(), lines.end(), [](const SettingLine& line) { return line.caption == "Сопоставление"; });
  ASSERT_NE(matching, lines.end());
  EXPECT_EQ(matching->value, "по времени, сдвиг часов полёта 2 найден по ходу высот каждой пары: от −12,0 до +30,0 с");
  settings.jobs = 2;
  const CampaignResult two = runCampaign(pairs, settings);
  EXPECT_EQ(layersCsv(one.layers), layersCsv(two.layers));
  EXPECT_EQ(pairsCsv(report), pairsCsv(campaignReport("", settings, pairs, two)));
}

// A receiver's log on GPS time against the TEMP of the same sonde as the national service sent it:
// the clock shift found is the log's first row, a second after launch, not the 18 s of GPS time.
TEST_F(Campaign, AReceiversLogComparesInTimeWithTheTempItHeard) {
  FlightRecipe log = swingingSonde(3000);
  log.layout = Layout::Table;
  log.table = TableKind::Receiver;
  writeFlight(files.path("receiver.csv"), log);
  const std::vector<CampaignPair> pairs{{"receiver.csv", "temp.bufr", files.path("receiver.csv"),
                                         std::string(REFERENCE_FILES) + "/temp_of_the_heard_sonde.bufr", ""}};
  CampaignSettings settings;
  settings.match = MatchBy::Time;
  const CampaignResult result = runCampaign(pairs, settings);
  ASSERT_EQ(result.pairs[0].status().english(), "ok");
  EXPECT_NEAR(result.pairs[0].clockShift.shift, 1.0, 0.11);
  EXPECT_EQ(result.pairs[0].clockShift.clockSeconds, -18) << "GPS time ran 18 s ahead of UTC";
  EXPECT_LT(std::abs(result.pairs[0].values.front()), 0.2) << "the same model's temperatures";
}

TEST_F(Campaign, ACancelledCampaignPoolsNothingAndCallsNoPairCompared) {
  const std::vector<CampaignPair> pairs{pair(recipe(Layout::Tab, '.'), recipe(Layout::Tab, '.')),
                                        pair(recipe(Layout::Sct, '.'), recipe(Layout::Tab, '.'))};
  CampaignProgress progress;
  progress.cancelled = true;
  CampaignSettings settings;
  settings.spillFolder = files.path("");
  const CampaignResult result = runCampaign(pairs, settings, &progress);
  EXPECT_FALSE(valuesLeftBehind());
  EXPECT_TRUE(result.cancelled);
  EXPECT_TRUE(result.layers.empty());
  EXPECT_EQ(result.skippedPairs(), 2u);
  EXPECT_EQ(result.pairs[1].status().english(), "Not compared: the campaign was cancelled.");
  EXPECT_EQ(progress.pairsDone, 0u);
}

TEST_F(Campaign, ReadsItsListAndRefusesAMalformedOne) {
  const std::string list = files.write("list.csv",
                                       "# a campaign\n"
                                       "flight1,flight2,group\n"
                                       "\n"
                                       "a.txt,\"b, \"\"2\"\".txt\",day\n"
                                       "/abs/c.txt,d.txt,\n");
  const std::vector<CampaignPair> pairs = readCampaignList(list);
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[0].path(1), files.path("a.txt"));
  EXPECT_EQ(pairs[0].name(2), "b, \"2\".txt");
  EXPECT_EQ(pairs[0].group, "day");
  EXPECT_EQ(pairs[1].path(1), "/abs/c.txt");
  EXPECT_EQ(pairs[1].group, "");
  std::vector<PairResult> skipped(2);
  skipped[0].reason = "x\ny";
  skipped[0].group = "day";
  skipped[1].reason = "z";
  const CampaignReport report = campaignReport("list.csv", {}, pairs, {skipped, {}, false, {}});
  EXPECT_EQ(pairsCsv(report),
            "index,flight1,flight2,group,status,points,mean,sd,"
            "flight1_label,flight1_launch,flight1_station,flight1_sonde,flight1_serial,flight1_height_kind,"
            "flight2_label,flight2_launch,flight2_station,flight2_sonde,flight2_serial,flight2_height_kind,within_2,"
            "flight1_height_column,flight1_column,flight1_unit,flight1_u_column,flight1_u_coverage,"
            "flight2_height_column,flight2_column,flight2_unit,flight2_u_column,flight2_u_coverage,uc_rule,"
            "match,shift,shift_misfit\n"
            "1,a.txt,\"b, \"\"2\"\".txt\",day,x,,,,,,,,,,,,,,,,,,,,,,,,,,,,height,,\n"
            "2,/abs/c.txt,d.txt,,z,,,,,,,,,,,,,,,,,,,,,,,,,,,,height,,\n");
  EXPECT_EQ(pairs[0].line, 4);
  EXPECT_EQ(pairs[1].line, 5);

  const std::string where = "\nList: " + files.path("bad.csv") + ", line ";
  const std::pair<std::string, std::string> bad[] = {
      {"flight2,flight1\na,b\n", "Bad campaign list: the first row must be flight1,flight2 or flight1,flight2,group." + where + "1"},
      {"flight1,flight2\na,b,c\n", "Bad campaign list: a row must have 2 fields, as the header has." + where + "2"},
      {"flight1,flight2\n\"a,b\n", "Bad campaign list: a quote is not closed." + where + "2"},
      {"", "Bad campaign list: the first row must be flight1,flight2 or flight1,flight2,group." + where + "0"},
      // A NUL would cut the name short: "a.txt" would be compared and reported as the pair.
      {"flight1,flight2\na.txt\0../../etc/passwd,b.txt\n"s,
       "Bad campaign list: a field holds a NUL byte." + where + "2"},
      {"flight1,flight2,group\na,b," + std::string(kLongestGroup + 1, 'g') + "\n",
       "Bad campaign list: a group name holds at most 256 bytes." + where + "2"},
      {"flight1,flight2\r\n# none\r\n", "The list names no pair.\nList: " + files.path("bad.csv")},
      {"flight1,flight2\n" + std::string(kLongestLine, 'a') + ",b\n",
       "Line too long: a line of a campaign list holds at most 4 MiB." + where + "2"},
  };
  for (const auto& [text, message] : bad) {
    SCOPED_TRACE(text.substr(0, 40));
    try {
      readCampaignList(files.write("bad.csv", text));
      ADD_FAILURE() << "the list was read";
    } catch (const FlightError& error) {
      EXPECT_EQ(error.what(), message);
    }
  }
  for (const auto& [name, reason] : {std::pair<std::string, const char*>{files.path("none.csv"), "there is no such file"},
                                     {files.path(""), "it is a folder"}, {"/dev/null", "it is not a regular file"}}) {
    try {
      readCampaignList(name);
      ADD_FAILURE() << name;
    } catch (const FlightError& error) {
      EXPECT_EQ(error.what(), "Cannot read the campaign list \"" + name + "\": " + reason + ".");
    }
  }
}

// The system's temporary folder holds the values where no folder is given: /tmp where TMPDIR
// names none.
TEST_F(Campaign, ValuesWaitInTmpWhereTmpdirNamesNoFolder) {
  const std::vector<CampaignPair> pairs{pair(recipe(Layout::Tab, '.'), recipe(Layout::Vre, '.'))};
  const char* before = std::getenv("TMPDIR");
  const std::string kept = before ? before : "";
  for (const char* tmpdir : {"", "/no/such/folder"}) {
    setenv("TMPDIR", tmpdir, 1);
    EXPECT_EQ(runCampaign(pairs, CampaignSettings{}).skippedPairs(), 0u) << tmpdir;
  }
  unsetenv("TMPDIR");
  EXPECT_EQ(runCampaign(pairs, CampaignSettings{}).skippedPairs(), 0u);
  if (before) setenv("TMPDIR", kept.c_str(), 1);
}

// A text a file states is never a formula when the table is opened in a spreadsheet; the
// operator's own names and groups keep their bytes.
TEST_F(Campaign, StatedTextsNeverBecomeFormulas) {
  const std::vector<CampaignPair> pairs{pairInFolder("", "=a.txt", "b.txt", "-group")};
  std::vector<PairResult> read(1);
  read[0].reason = "x";
  read[0].group = "-group";
  read[0].flights[0].path = "=a.txt";
  read[0].flights[0].station = "=HYPERLINK(\"http://x\")";
  read[0].flights[0].sondeType = "+RS41";
  read[0].flights[0].serialNumber = "@1";
  read[0].columns[0].height = "-H";
  read[0].columns[0].parameter = "\tT";
  read[0].flights[1].path = "-1.txt";  // a raw file, labelled by its name
  const CampaignReport report = campaignReport("list.csv", {}, pairs, {read, {}, false, {}});
  const std::string csv = pairsCsv(report);
  EXPECT_NE(csv.find("\n1,=a.txt,b.txt,-group,x,"), std::string::npos) << csv;
  for (const char* stated : {",\"'=HYPERLINK(\"\"http://x\"\")\",", ",'+RS41,", ",'@1,", ",'-H,", ",\"'\tT\",", ",-1.txt,"})
    EXPECT_NE(csv.find(stated), std::string::npos) << stated;
}

// A pair that names the same two files as an earlier one, in either order, would count its
// flights twice, or cancel itself: it is named by the earlier one's line, or place in the window.
TEST_F(Campaign, APairNamedAgainIsSkippedByTheLineThatNamedItFirst) {
  const std::vector<CampaignPair> listed = readCampaignList(files.write(
      "list.csv", "flight1,flight2\na.txt,b.txt\n# again\nb.txt,a.txt\n./a.txt,b.txt\na.txt,a.txt\na.txt,c.txt\n"));
  EXPECT_EQ(repeatedPairs(listed), (std::vector<Message>{"", Message(MessageId::SamePairAsLine, {"2"}),
                                                         Message(MessageId::SamePairAsLine, {"2"}), "", ""}));
  const std::vector<CampaignPair> built{pairInFolder("", "a.txt", "b.txt", ""), pairInFolder("", "b.txt", "a.txt", "")};
  EXPECT_EQ(repeatedPairs(built)[1].english(), "Same pair as pair 1.");
}

// A list is text as the flight files are: any line end, a Ctrl-Z as a character, and Windows-1251
// names that open by their bytes.
TEST_F(Campaign, ReadsEveryPairOfAListWhateverItsLineEndsAndEncoding) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> flights1;
  };
  const Case cases[] = {
      {"CR", "flight1,flight2\ra.txt,b.txt\rc.txt,d.txt", {"a.txt", "c.txt"}},
      {"CR LF and LF", "flight1,flight2\r\na.txt,b.txt\nc.txt,d.txt\r\n", {"a.txt", "c.txt"}},
      {"Ctrl-Z", "flight1,flight2\na\x1A.txt,b.txt\nc.txt,d.txt\n", {"a\x1A.txt", "c.txt"}},
      {"Windows-1251", "flight1,flight2\n\xCF\xEE\xEB\xE5\xF2.txt,b.txt\n", {"Полет.txt"}},
      {"UTF-8", "\xEF\xBB\xBF" "flight1,flight2\nПолет.txt,b.txt\n", {"Полет.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<CampaignPair> pairs = readCampaignList(files.write("list.csv", c.text));
    std::vector<std::string> flights1;
    for (const CampaignPair& pair : pairs) flights1.push_back(pair.name(1));
    EXPECT_EQ(flights1, c.flights1);
  }
  const std::string name = "\xCF\xEE\xEB\xE5\xF2.txt";
  writeFlight(files.path(name), recipe(Layout::Tab, '.'));
  writeFlight(files.path("b.txt"), recipe(Layout::Vre, '.'));
  const std::vector<CampaignPair> pairs = readCampaignList(files.write("list.csv", "flight1,flight2\n" + name + ",b.txt\n"));
  EXPECT_EQ(pairs[0].path(1), files.path(name));
  EXPECT_TRUE(runCampaign(pairs, CampaignSettings{}).pairs[0].compared()) << "the file opens by its bytes";
}

}  // namespace
