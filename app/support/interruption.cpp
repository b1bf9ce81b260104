#include "app/support/interruption.h"

#include <signal.h>

#include <csignal>
#include <cstdlib>
#include <initializer_list>

namespace {

volatile std::sig_atomic_t recordedSignal = 0;
std::atomic<std::atomic<bool>*> cancelled{nullptr};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<std::atomic<bool>*>::is_always_lock_free,
              "a signal handler may only touch lock-free atomics");

void record(int signal) {
  recordedSignal = signal;
  if (std::atomic<bool>* cancel = cancelled.load()) cancel->store(true);
}

}  // namespace

void recordInterruptions() {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction current {};
    sigaction(signal, nullptr, &current);
    if (current.sa_handler != SIG_IGN) std::signal(signal, record);
  }
}

CancelOnInterruption::CancelOnInterruption(std::atomic<bool>& cancel) { cancelled = &cancel; }

CancelOnInterruption::~CancelOnInterruption() { cancelled = nullptr; }

bool interrupted() { return recordedSignal != 0; }

void endAsInterrupted() {
  const int signal = recordedSignal;
  std::signal(signal, SIG_DFL);
  std::raise(signal);
  std::_Exit(128 + signal);
}
