#include "campaign/panel_choice.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

bool judged(const PairResult& pair) { return pair.consistency.points() > 0; }

// The mean of every compared value, each pair weighing by its points as pooling weighs it.
double campaignMean(const std::vector<PairResult>& pairs) {
  double sum = 0, points = 0;
  for (const PairResult& pair : pairs) {
    if (!pair.compared()) continue;
    sum += pair.mean * static_cast<double>(pair.points);
    points += static_cast<double>(pair.points);
  }
  return points > 0 ? sum / points : 0;
}

}  // namespace

PanelChoice choosePanels(const std::vector<PairResult>& pairs, std::size_t most) {
  PanelChoice choice;
  if (std::any_of(pairs.begin(), pairs.end(), [](const PairResult& pair) { return pair.compared() && judged(pair); }))
    choice.rule = PanelRule::LeastWithin2;
  const double mean = campaignMean(pairs);
  // The smaller the key, the sooner the pair's panel.
  const auto key = [&](std::size_t i) {
    const PairResult& pair = pairs[i];
    if (choice.rule == PanelRule::FarthestMean) {
      const double distance = std::fabs(pair.mean - mean);
      return std::make_tuple(false, std::isnan(distance) ? 0.0 : -distance, i);
    }
    return judged(pair) ? std::make_tuple(false, pair.consistency.shareWithin(2), i) : std::make_tuple(true, 0.0, i);
  };
  for (std::size_t i = 0; i < pairs.size(); ++i)
    if (pairs[i].compared()) choice.pairs.push_back(i);
  const auto shown = choice.pairs.begin() + static_cast<std::ptrdiff_t>(std::min(most, choice.pairs.size()));
  std::partial_sort(choice.pairs.begin(), shown, choice.pairs.end(),
                    [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
  choice.pairs.erase(shown, choice.pairs.end());
  return choice;
}
