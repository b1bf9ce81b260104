#pragma once

#include <atomic>

// Ctrl-C, SIGTERM and SIGHUP in the batch modes. The handler only records the signal (and asks a
// running campaign to stop), so that a write in progress can remove its temporary files; the
// program then ends as the signal would have ended it. Without recordInterruptions nothing is
// ever recorded, as in the window.
void recordInterruptions(std::atomic<bool>* cancel = nullptr);

// Whether a signal has come.
bool interrupted();

// Ends the program as the recorded signal ends it.
[[noreturn]] void endAsInterrupted();
