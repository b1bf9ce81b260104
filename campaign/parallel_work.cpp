#include "campaign/parallel_work.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

void runInParallel(int jobs, const std::function<void()>& work) {
  std::exception_ptr failure;
  std::mutex failureLock;
  const auto guarded = [&] {
    try {
      work();
    } catch (...) {
      const std::lock_guard<std::mutex> lock(failureLock);
      if (!failure) failure = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  for (int job = 1; job < jobs; ++job) threads.emplace_back(guarded);
  guarded();
  for (std::thread& thread : threads) thread.join();
  if (failure) std::rethrow_exception(failure);
}

int jobsFor(int jobs, std::size_t items) {
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const int wanted = jobs > 0 ? jobs : cores;
  return static_cast<int>(std::min<std::size_t>(wanted, std::max<std::size_t>(items, 1)));
}
