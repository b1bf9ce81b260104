#include "campaign/campaign_run.h"

#include "campaign/parallel_work.h"

#include <algorithm>

std::size_t CampaignResult::skippedPairs() const {
  return std::count_if(pairs.begin(), pairs.end(), [](const PairResult& pair) { return !pair.compared(); });
}

CampaignResult runCampaign(const std::vector<CampaignPair>& pairs, const CampaignSettings& settings,
                           CampaignProgress* progress) {
  CampaignProgress ownProgress;
  CampaignProgress& watched = progress ? *progress : ownProgress;
  CampaignResult result;
  result.pairs.resize(pairs.size());
  std::atomic<std::size_t> nextPair{0};
  // Each worker takes the next pair not yet taken; a result goes to its pair's place, so the
  // order of finishing never shows.
  runInParallel(jobsFor(settings.jobs, pairs.size()), [&] {
    PairComparer comparer(settings);
    for (std::size_t i; !watched.cancelled && (i = nextPair++) < pairs.size();) {
      result.pairs[i] = comparer.compare(pairs[i]);
      ++watched.pairsDone;
    }
  });
  result.cancelled = watched.cancelled;
  // Every pair taken was compared to its end; the rest must not read as compared.
  if (result.cancelled)
    for (std::size_t i = std::min(nextPair.load(), pairs.size()); i < pairs.size(); ++i) {
      result.pairs[i].reason = "Not compared: the campaign was cancelled.";
      result.pairs[i].group = listedGroup(pairs[i], settings);
    }
  else
    result.layers = poolLayers(result.pairs, settings);
  return result;
}
