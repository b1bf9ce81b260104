#include "campaign/panel_choice.h"
#include "flight/flight_error.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

struct Pair {
  double mean;
  std::vector<std::pair<double, double>> judged;  // differences with their u_c
  bool skipped = false;
};

std::vector<PairResult> results(const std::vector<Pair>& pairs) {
  std::vector<PairResult> made;
  for (const Pair& pair : pairs) {
    PairResult& result = made.emplace_back();
    if (pair.skipped) result.reason = Message(MessageId::PairCancelled);
    result.mean = pair.mean;
    result.points = 10;
    for (const auto& [difference, uncertainty] : pair.judged) result.consistency.add(difference, uncertainty);
  }
  return made;
}

TEST(PanelChoice, PairsThatMostNeedALookComeFirstAndTiesGoByNumber) {
  const struct {
    const char* what;
    std::vector<Pair> pairs;
    std::size_t most;
    PanelRule rule;
    std::vector<std::size_t> drawn;
  } cases[] = {
      // The campaign's mean is 0.25: pair 2 lies 1.25 from it, pairs 1 and 5 0.75, pair 3 0.25.
      {"furthest mean", {{1, {}}, {-1, {}}, {0, {}}, {9, {}, true}, {1, {}}}, 3, PanelRule::FarthestMean, {1, 0, 4}},
      {"least within 2 u_c, those without u_c last",
       {{0, {}}, {0, {{0.1, 1}, {5, 1}}}, {5, {{0.1, 1}, {0.1, 1}}}, {0, {{3, 1}, {3, 1}}}},
       4,
       PanelRule::LeastWithin2,
       {3, 1, 2, 0}},
      {"none compared", {{0, {}, true}}, 5, PanelRule::FarthestMean, {}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.what);
    const PanelChoice choice = choosePanels(results(test.pairs), test.most);
    EXPECT_EQ(choice.rule, test.rule);
    EXPECT_EQ(choice.pairs, test.drawn);
  }
}

}  // namespace
