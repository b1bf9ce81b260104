#include "app/campaign_window/pairs_model.h"
#include "app/output/campaign_tables.h"

#include <QBrush>
#include <QSignalSpy>

#include <gtest/gtest.h>

// A network's worth of pairs: the last row answers like the first, before a run and after, and
// its group is the operator's to retype.
TEST(PairsModel, AHundredThousandPairsAnswerForTheLastRow) {
  constexpr int kPairs = 100000;
  constexpr int kLast = kPairs - 1;
  PairsModel model;
  const std::vector<CampaignPair> pairs(kPairs, {"a.txt", "b.txt", "/data/a.txt", "/data/b.txt", "rs41"});
  model.setPairs(pairs);
  ASSERT_EQ(model.rowCount(), kPairs);
  const auto cell = [&model](int column, int role = Qt::DisplayRole) { return model.index(kLast, column).data(role); };
  EXPECT_EQ(cell(kFlight2Column).toString(), "b.txt");
  EXPECT_TRUE(cell(kFlight2Column, Qt::ToolTipRole).toString().contains("/data/b.txt"));
  EXPECT_EQ(cell(kStatusColumn).toString(), "");

  CampaignReport report;
  report.settings.solarGroups = true;
  report.pairs = pairs;
  report.pairRows.resize(kPairs);
  report.result.pairs.resize(kPairs);
  PairRow& last = report.pairRows.back();
  last.group = "night";
  last.status = "Flight 2: File does not exist.";
  report.pairRows.front() = {"day", false, UncertaintyRule::Independent, "ok", true, 5, 0.25, 0.1, 0};
  model.showResult(&report);
  EXPECT_EQ(cell(kFlight2Column).toString(), "b.txt") << "a flight not read keeps the list's name";
  EXPECT_EQ(cell(kGroupColumn).toString(), "rs41") << "the list's group; the sun's follows the status";
  EXPECT_EQ(cell(kStatusColumn).toString(), "Flight 2: File does not exist. · ночь");
  EXPECT_EQ(cell(kStatusColumn, Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::darkRed));
  EXPECT_EQ(model.index(0, kStatusColumn).data().toString(), "сравнена · день");
  EXPECT_EQ(model.index(0, kStatusColumn + 1).data().toString(), "5");

  QSignalSpy edited(&model, &PairsModel::groupEdited);
  EXPECT_TRUE(model.flags(model.index(kLast, kGroupColumn)) & Qt::ItemIsEditable);
  EXPECT_FALSE(model.flags(model.index(kLast, kStatusColumn)) & Qt::ItemIsEditable);
  model.setData(model.index(kLast, kGroupColumn), " m10 ", Qt::EditRole);
  model.setData(model.index(kLast, kGroupColumn), "m10", Qt::EditRole);
  EXPECT_EQ(model.pairs().back().group, "m10");
  EXPECT_EQ(edited.count(), 1) << "the same group again changes nothing";
}
