#include "library_child.h"

#include "flight_error.h"
#include "slot_controls.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <new>
#include <string>

namespace {

constexpr std::size_t kLongestName = 256;  // NetCDF's NC_MAX_NAME
constexpr std::size_t kLongestMessage = 1024;

// What the child leaves for the program, in memory both share.
struct Outcome {
  FlightTable table;
  char names[kMaxColumns][kLongestName + 1];
  int columns;
  int heightIndex, parameterIndex;
  FlightRows rows;
  bool failed;
  char message[kLongestMessage + 1];
};

// Anonymous shared pages: only those the child writes take memory.
class SharedOutcome {
 public:
  SharedOutcome() {
    void* pages = mmap(nullptr, sizeof(Outcome), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (pages == MAP_FAILED) throw std::bad_alloc();
    // Default-initialised: the table stays untouched zero pages.
    outcome_ = new (pages) Outcome;
    outcome_->heightIndex = outcome_->parameterIndex = -1;
  }
  ~SharedOutcome() { munmap(outcome_, sizeof(Outcome)); }
  SharedOutcome(const SharedOutcome&) = delete;
  SharedOutcome& operator=(const SharedOutcome&) = delete;
  Outcome& operator*() const { return *outcome_; }

 private:
  Outcome* outcome_;
};

template <std::size_t size>
void copyText(char (&to)[size], const std::string& from) {
  const std::size_t length = std::min(from.size(), size - 1);
  std::memcpy(to, from.data(), length);
  to[length] = '\0';
}

// The child's controls: the parent shows the file's name and never a row count for these files.
class OutcomeControls : public SlotControls {
 public:
  explicit OutcomeControls(Outcome& outcome) : outcome_(outcome) {}
  void setFileLabel(const std::string&) override {}
  void setLegendTitle(const std::string&) override {}
  void clearParameterLists() override { outcome_.columns = 0; }
  void addParameter(const std::string& name) override {
    if (outcome_.columns < kMaxColumns) copyText(outcome_.names[outcome_.columns++], name);
  }
  void selectHeight(int index) override { outcome_.heightIndex = index; }
  void selectParameter(int index) override { outcome_.parameterIndex = index; }
  void showRowCount(int) override {}

 private:
  Outcome& outcome_;
};

[[noreturn]] void runChild(const LibraryRead& read, Outcome& outcome) {
  // A crash ends the child as the system would end it; the parent tells the operator.
  for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) std::signal(signal, SIG_DFL);
  OutcomeControls controls(outcome);
  try {
    outcome.rows = read(outcome.table, controls);
  } catch (const FlightError& error) {
    outcome.failed = true;
    copyText(outcome.message, error.message());
  } catch (const std::bad_alloc&) {
    outcome.failed = true;
    copyText(outcome.message, kNotEnoughMemory);
  }
  _exit(0);
}

// Whether the child ended within the time allowed: its end closes the pipe's writing side.
bool endsInTime(int readingSide, int seconds) {
  pollfd watch{readingSide, POLLIN, 0};
  int ready;
  do ready = poll(&watch, 1, seconds * 1000);
  while (ready < 0 && errno == EINTR);
  return ready != 0;
}

int waitFor(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

void handOver(const Outcome& outcome, FlightTable& table, SlotControls& controls) {
  controls.clearParameterLists();
  for (int column = 0; column < outcome.columns; ++column) controls.addParameter(outcome.names[column]);
  if (outcome.heightIndex >= 0) controls.selectHeight(outcome.heightIndex);
  if (outcome.parameterIndex >= 0) controls.selectParameter(outcome.parameterIndex);
  const int rows = std::clamp(outcome.rows.count, 0, kMaxRows);
  for (int column = 0; column < outcome.columns; ++column)
    std::copy(outcome.table[column] + 1, outcome.table[column] + 1 + rows, table[column] + 1);
}

}  // namespace

FlightRows readInChildProcess(const char* library, const LibraryRead& read, FlightTable& table, SlotControls& controls,
                              int seconds) {
  const SharedOutcome shared;
  Outcome& outcome = *shared;
  int pipeSides[2];
  if (pipe2(pipeSides, O_CLOEXEC) != 0) throw FlightError(std::strerror(errno));
  const pid_t child = fork();
  if (child < 0) {
    const int error = errno;
    close(pipeSides[0]);
    close(pipeSides[1]);
    throw FlightError(std::strerror(error));
  }
  if (child == 0) {
    close(pipeSides[0]);
    runChild(read, outcome);
  }
  close(pipeSides[1]);
  const bool inTime = endsInTime(pipeSides[0], seconds);
  close(pipeSides[0]);
  if (!inTime) kill(child, SIGKILL);
  const int status = waitFor(child);
  const std::string name(library);
  if (!inTime)
    throw FlightError("The " + name + " library did not finish reading the file within " +
                      std::to_string(seconds) + " s.");
  if (WIFSIGNALED(status))
    throw FlightError("The " + name + " library crashed reading the file (" + strsignal(WTERMSIG(status)) + ").");
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw FlightError("The " + name + " library ended while reading the file.");
  if (outcome.failed) throw FlightError(outcome.message);
  handOver(outcome, table, controls);
  return outcome.rows;
}
