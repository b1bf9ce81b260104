#include "campaign_run.h"

#include <algorithm>
#include <exception>
#include <thread>

std::size_t CampaignResult::skippedPairs() const {
  return std::count_if(pairs.begin(), pairs.end(), [](const PairResult& pair) { return !pair.compared(); });
}

namespace {

int jobsFor(const CampaignSettings& settings, std::size_t pairs) {
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const int wanted = settings.jobs > 0 ? settings.jobs : cores;
  return static_cast<int>(std::min<std::size_t>(wanted, std::max<std::size_t>(pairs, 1)));
}

}  // namespace

CampaignResult runCampaign(const std::vector<CampaignPair>& pairs, const CampaignSettings& settings,
                           CampaignProgress* progress) {
  CampaignProgress ownProgress;
  CampaignProgress& watched = progress ? *progress : ownProgress;
  CampaignResult result;
  result.pairs.resize(pairs.size());
  std::atomic<std::size_t> nextPair{0};
  std::exception_ptr failure;
  std::atomic<bool> failed{false};

  // Each worker takes the next pair not yet taken; a result goes to its pair's place, so the
  // order of finishing never shows.
  const auto work = [&] {
    try {
      PairComparer comparer(settings);
      for (std::size_t i; !watched.cancelled && !failed && (i = nextPair++) < pairs.size();) {
        result.pairs[i] = comparer.compare(pairs[i]);
        ++watched.pairsDone;
      }
    } catch (...) {
      if (!failed.exchange(true)) failure = std::current_exception();
    }
  };
  std::vector<std::thread> workers;
  for (int job = 1; job < jobsFor(settings, pairs.size()); ++job) workers.emplace_back(work);
  work();
  for (std::thread& worker : workers) worker.join();
  if (failure) std::rethrow_exception(failure);

  result.cancelled = watched.cancelled;
  // Every pair taken was compared to its end; the rest must not read as compared.
  if (result.cancelled)
    for (std::size_t i = std::min(nextPair.load(), pairs.size()); i < pairs.size(); ++i)
      result.pairs[i].reason = "Not compared: the campaign was cancelled.";
  else
    result.layers = poolLayers(pairs, result.pairs, settings.layer);
  return result;
}
