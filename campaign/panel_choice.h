#pragma once

#include "campaign/pair_comparison.h"

#include <cstddef>
#include <vector>

// Which compared pairs a campaign's report draws as panels, the pairs that most need a look
// first. Where uncertainties judge some pairs, those with the lowest share of values within
// 2 u_c come first, the pairs without a u_c after them; else those whose mean lies furthest from
// the campaign's mean of all its values. Ties go by pair number, so the order never depends on
// how the pairs were shared out.
enum class PanelRule { FarthestMean, LeastWithin2 };

struct PanelChoice {
  PanelRule rule = PanelRule::FarthestMean;
  std::vector<std::size_t> pairs;  // at most `most`, in the order the report draws them
};

PanelChoice choosePanels(const std::vector<PairResult>& pairs, std::size_t most);
