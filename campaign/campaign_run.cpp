#include "campaign/campaign_run.h"

#include "campaign/parallel_work.h"

#include <algorithm>

namespace {

// What a pair's flights state of each column serves its comparison; the outputs show of it only
// the kind of the height, so the facts of the columns after the height column go.
void forgetColumnFacts(PairResult& pair) {
  for (FlightIdentity& flight : pair.flights) {
    const std::size_t kept = static_cast<std::size_t>(std::max(flight.heightColumn + 1, 0));
    std::vector<ColumnFacts>(flight.columns.begin(), flight.columns.begin() + std::min(kept, flight.columns.size()))
        .swap(flight.columns);
  }
}

// Swapped out, not cleared: a cleared vector keeps its memory.
void forgetValues(PairResult& pair) {
  std::vector<double>().swap(pair.values);
  std::vector<double>().swap(pair.heights);
  std::vector<double>().swap(pair.uncertainties);
  std::vector<LayerRun>().swap(pair.runs);
}

// The pairs the report draws hold their values once the campaign ends, the others do not. Those
// beyond the first kPairsKeptWhole were let go while the campaign ran, before anyone knew which
// pairs would be drawn, and are compared again: at most that many pairs more, whatever the
// campaign's size.
void keepDrawnValues(CampaignResult& result, const std::vector<CampaignPair>& pairs, const CampaignSettings& settings) {
  std::vector<bool> drawn(result.pairs.size(), false);
  std::vector<std::size_t> again;
  for (std::size_t i : result.panels.pairs) {
    drawn[i] = true;
    if (i >= kPairsKeptWhole) again.push_back(i);
  }
  for (std::size_t i = 0; i < std::min(kPairsKeptWhole, result.pairs.size()); ++i)
    if (!drawn[i]) forgetValues(result.pairs[i]);
  if (again.empty()) return;
  std::atomic<std::size_t> next{0};
  runInParallel(jobsFor(settings.jobs, again.size()), [&] {
    PairComparer comparer(settings);
    for (std::size_t k; (k = next++) < again.size();) {
      PairResult compared = comparer.compare(pairs[again[k]]);
      PairResult& kept = result.pairs[again[k]];
      kept.values.swap(compared.values);
      kept.heights.swap(compared.heights);
      kept.uncertainties.swap(compared.uncertainties);
      kept.runs.swap(compared.runs);
    }
  });
}

PairResult notCompared(const CampaignPair& pair, Message reason, const CampaignSettings& settings) {
  PairResult result;
  result.reason = std::move(reason);
  result.group = listedGroup(pair, settings);
  return result;
}

}  // namespace

std::size_t CampaignResult::skippedPairs() const {
  return std::count_if(pairs.begin(), pairs.end(), [](const PairResult& pair) { return !pair.compared(); });
}

CampaignResult runCampaign(const std::vector<CampaignPair>& pairs, const CampaignSettings& settings,
                           CampaignProgress* progress) {
  CampaignProgress ownProgress;
  CampaignProgress& watched = progress ? *progress : ownProgress;
  CampaignResult result;
  result.pairs.resize(pairs.size());
  LayerSpill spill(settings.spillFolder);
  const std::vector<Message> repeated = repeatedPairs(pairs);
  std::atomic<std::size_t> nextPair{0};
  std::atomic<bool> failed{false};
  // Each worker takes the next pair not yet taken; a result goes to its pair's place, so the
  // order of finishing never shows. One worker's failure stops the others.
  runInParallel(jobsFor(settings.jobs, pairs.size()), [&] {
    try {
      PairComparer comparer(settings);
      for (std::size_t i; !watched.cancelled && !failed && (i = nextPair++) < pairs.size();) {
        PairResult& compared = result.pairs[i] =
            repeated[i].empty() ? comparer.compare(pairs[i]) : notCompared(pairs[i], repeated[i], settings);
        forgetColumnFacts(compared);
        if (compared.compared()) spill.add(i, compared);
        if (i >= kPairsKeptWhole) forgetValues(compared);
        ++watched.pairsDone;
      }
    } catch (...) {
      failed = true;
      throw;
    }
  });
  result.cancelled = watched.cancelled;
  // Every pair taken was compared to its end; the rest must not read as compared.
  if (result.cancelled)
    for (std::size_t i = std::min(nextPair.load(), pairs.size()); i < pairs.size(); ++i)
      result.pairs[i] = notCompared(pairs[i], MessageId::PairCancelled, settings);
  else {
    result.layers = poolLayers(spill, campaignGroups(result.pairs), settings);
    result.panels = choosePanels(result.pairs, kPairsKeptWhole);
    keepDrawnValues(result, pairs, settings);
  }
  return result;
}
