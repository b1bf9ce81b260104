#pragma once

#include <atomic>

// Ctrl-C, SIGTERM and SIGHUP in the batch modes. The handler only records the signal (and asks a
// running campaign to stop), so that a write in progress can remove its temporary files; the
// program then ends as the signal would have ended it. A signal the program was started to ignore
// (nohup, a script's background job) stays ignored. Without recordInterruptions nothing is ever
// recorded, as in the window.
void recordInterruptions();

// While it lives, a recorded signal also sets the flag, which a running campaign watches.
class CancelOnInterruption {
 public:
  explicit CancelOnInterruption(std::atomic<bool>& cancel);
  ~CancelOnInterruption();
  CancelOnInterruption(const CancelOnInterruption&) = delete;
  CancelOnInterruption& operator=(const CancelOnInterruption&) = delete;
};

// Whether a signal has come.
bool interrupted();

// Ends the program as the recorded signal ends it.
[[noreturn]] void endAsInterrupted();
