#include "reference/library_child.h"

#include "flight/flight_error.h"
#include "flight/slot_controls.h"
#include "reference/address_sanitizer.h"
#include "reference/child_fork.h"
#include "reference/child_sandbox.h"

#include <fcntl.h>
#include <malloc.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kLongestName = 256;  // NetCDF's NC_MAX_NAME
constexpr std::size_t kLongestMessage = 1024;
// A failure crosses written with its ids and lengths; a text cut to fit takes this around it.
constexpr std::size_t kMessageFrame = 16;

// What the child leaves for the program, in memory both share.
struct Outcome {
  FlightTable table;
  char names[kMaxColumns][kLongestName + 1];
  int columns;
  int heightIndex, parameterIndex;
  FlightRows rows;
  bool filled[kMaxColumns];
  int productRows[kMaxRows + 1];  // rows 1..rows.count
  // What the product states about its flight.
  char identityTexts[std::size(kIdentityTexts)][kLongestName + 1];
  double latitude, longitude, altitude;
  ColumnFacts facts[kMaxColumns];
  int factCount;
  bool failed;
  char message[kLongestMessage + kMessageFrame + 1];  // the English, as long as ever, and its frame
  volatile bool outOfMemory;  // set by the child's crash: a library that aborts when malloc fails
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

// Cut where it must be at the start of a character, so that a cut text is still UTF-8.
template <std::size_t size>
void copyText(char (&to)[size], const std::string& from) {
  std::size_t length = std::min(from.size(), size - 1);
  const auto continues = [&from](std::size_t at) { return (static_cast<unsigned char>(from[at]) & 0xC0) == 0x80; };
  if (length < from.size())
    while (length > 0 && continues(length)) --length;
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

// The address space the child holds as it starts: the program's, as the fork left it.
std::size_t addressSpaceInUse() {
  const int statm = open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
  char text[64] = {};
  const ssize_t got = statm < 0 ? -1 : read(statm, text, sizeof text - 1);
  if (statm >= 0) close(statm);
  return got > 0 ? std::strtoull(text, nullptr, 10) * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) : 0;
}

void limit(int resource, rlim_t soft, rlim_t hard) {
  const rlimit bounds{soft, hard};
  setrlimit(resource, &bounds);
}

void setLimits(const ChildLimits& limits) {
  const auto cpu = static_cast<rlim_t>(limits.cpuSeconds);
  limit(RLIMIT_CPU, cpu, cpu + 1);
  // The sanitizer's shadow memory alone outgrows any such limit.
  if (!kUnderAddressSanitizer) {
    const rlim_t space = addressSpaceInUse() + limits.memory;
    limit(RLIMIT_AS, space, space);
  }
}

// The failure as the operator is told of it. A library whose memory ran out says so in its own
// words ("HDF error") or not at all; the allocator's ENOMEM tells.
Message childFailure(const Message& message, int error) {
  if (triedToOpenAFile()) return MessageId::RefersToOtherFiles;
  if (error == ENOMEM) return MessageId::NeedsTooMuchMemory;
  return message;
}

// The failure written for the parent to read back; one too long for the outcome crosses as its
// English, cut.
template <std::size_t size>
void tellFailure(char (&to)[size], const Message& failure) {
  const std::string whole = written(failure);
  if (whole.size() < size) return copyText(to, whole);
  char english[size - kMessageFrame];
  copyText(english, failure.english());
  copyText(to, written(Message(english)));
}

Outcome* childOutcome = nullptr;

// ecCodes asserts, and other libraries crash, when an allocation fails: the allocator's ENOMEM
// tells such a crash from another.
void noteCrash(int signal) {
  if (errno == ENOMEM) childOutcome->outOfMemory = true;
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void keepRead(const ProductRead& read, Outcome& outcome) {
  outcome.rows = read.rows;
  const int rows = std::clamp(read.rows.count, 0, kMaxRows);
  for (int column = 0; column < kMaxColumns && column < static_cast<int>(read.filled.size()); ++column)
    outcome.filled[column] = read.filled[column];
  for (int row = 1; row <= rows && row < static_cast<int>(read.productRows.size()); ++row)
    outcome.productRows[row] = read.productRows[row];
}

void keepIdentity(const FlightIdentity& identity, Outcome& outcome) {
  for (std::size_t i = 0; i < std::size(kIdentityTexts); ++i)
    copyText(outcome.identityTexts[i], identity.*kIdentityTexts[i].field);
  outcome.latitude = identity.latitude;
  outcome.longitude = identity.longitude;
  outcome.altitude = identity.altitude;
  outcome.factCount = static_cast<int>(std::min<std::size_t>(identity.columns.size(), kMaxColumns));
  std::copy_n(identity.columns.begin(), outcome.factCount, outcome.facts);
}

bool isColumnOf(int index, int columns) { return index >= 0 && index < columns; }

// A column's facts as the program may rely on them, whatever the child left: a known kind, and
// columns of the flight.
ColumnFacts checkedFacts(const ColumnFacts& left, int columns) {
  const auto column = [columns](int index) { return isColumnOf(index, columns) ? index : -1; };
  const HeightKind kind = left.heightKind;
  ColumnFacts facts;
  facts.heightKind = kind == HeightKind::Geometric || kind == HeightKind::Geopotential ? kind : HeightKind::Unknown;
  facts.coverageFactor = std::isfinite(left.coverageFactor) && left.coverageFactor > 0 ? left.coverageFactor : NAN;
  facts.uncertainty = column(left.uncertainty);
  facts.parts = {column(left.parts.uncorrelated), column(left.parts.spatial), column(left.parts.temporal)};
  return facts;
}

// What a child does, on the outcome the parent reads.
using ChildWork = std::function<void(Outcome& outcome)>;

[[noreturn]] void runChild(const ChildWork& work, Outcome& outcome, int product, const ChildLimits& limits) {
  // A crash, and the end of its computing time, end the child as the system would end it; the
  // parent tells the operator.
  for (int signal : {SIGFPE, SIGILL, SIGXCPU}) std::signal(signal, SIG_DFL);
  childOutcome = &outcome;
  for (int signal : {SIGSEGV, SIGBUS, SIGABRT}) std::signal(signal, noteCrash);
  setLimits(limits);
  errno = 0;
  try {
    prepareChild(product, &outcome);
    work(outcome);
  } catch (const FlightError& error) {
    outcome.failed = true;
    tellFailure(outcome.message, childFailure(error.message(), errno));
  } catch (const std::bad_alloc&) {
    outcome.failed = true;
    tellFailure(outcome.message, childFailure(MessageId::NeedsTooMuchMemory, ENOMEM));
  }
  _exit(0);
}

using Clock = std::chrono::steady_clock;

// The CPU time a process has used; zero once it is gone.
std::chrono::nanoseconds cpuTimeOf(pid_t process) {
  clockid_t clock;
  timespec used{};
  if (clock_getcpuclockid(process, &clock) != 0 || clock_gettime(clock, &used) != 0) return {};
  return std::chrono::seconds(used.tv_sec) + std::chrono::nanoseconds(used.tv_nsec);
}

struct ChildEnd {
  int status;
  bool stalled;    // killed for doing no work at all for the seconds allowed
  bool cancelled;  // killed at the operator's word
};

// The flag of the read running on this thread, by which the operator stops it.
thread_local const std::atomic<bool>* readCancelled = nullptr;

// Waits for the child's end. A child that works, however slowly the machine lets it, is waited
// for: its CPU-time limit bounds it; one that does no work at all for the seconds allowed waits
// for something that will not come, and is killed. The end is watched on the process itself
// (a pidfd): a pipe's writing side would also reach the children other threads start meanwhile,
// and stay open after this child's end.
ChildEnd waitWhileWorking(pid_t child, int idleSeconds) {
  // A read the operator may cancel is looked at often enough that cancelling feels immediate.
  const auto look = readCancelled ? std::chrono::milliseconds(100)
                                  : std::min<std::chrono::milliseconds>(std::chrono::seconds(idleSeconds) / 4,
                                                                        std::chrono::seconds(1));
  const int process = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
  std::chrono::nanoseconds worked{};
  Clock::time_point lastWork = Clock::now();
  ChildEnd end{0, false, false};
  for (;;) {
    pollfd watch{process, POLLIN, 0};
    poll(&watch, process < 0 ? 0 : 1, static_cast<int>(look.count()));
    if (waitpid(child, &end.status, WNOHANG) == child) break;
    const std::chrono::nanoseconds now = cpuTimeOf(child);
    if (now > worked) {
      worked = now;
      lastWork = Clock::now();
    } else {
      end.stalled = Clock::now() - lastWork >= std::chrono::seconds(idleSeconds);
    }
    end.cancelled = readCancelled && *readCancelled;
    if (end.stalled || end.cancelled) {
      kill(child, SIGKILL);
      while (waitpid(child, &end.status, 0) < 0 && errno == EINTR) {
      }
      break;
    }
  }
  if (process >= 0) close(process);
  return end;
}

void handOver(const Outcome& outcome, FlightTable& table, SlotControls& controls, FlightIdentity& identity) {
  // Taken as bounded texts and a known kind, whatever the child left.
  for (std::size_t i = 0; i < std::size(kIdentityTexts); ++i) {
    const char* text = outcome.identityTexts[i];
    identity.*kIdentityTexts[i].field = std::string(text, strnlen(text, sizeof outcome.identityTexts[i]));
  }
  setPosition(identity, outcome.latitude, outcome.longitude);
  identity.altitude = outcome.altitude;
  const int columns = std::clamp(outcome.columns, 0, kMaxColumns);
  identity.columns.clear();
  for (int column = 0; column < std::clamp(outcome.factCount, 0, columns); ++column)
    identity.columns.push_back(checkedFacts(outcome.facts[column], columns));
  controls.clearParameterLists();
  for (int column = 0; column < columns; ++column) {
    const char* name = outcome.names[column];
    controls.addParameter(std::string(name, strnlen(name, sizeof outcome.names[column])));
  }
  if (isColumnOf(outcome.heightIndex, columns)) controls.selectHeight(outcome.heightIndex);
  if (isColumnOf(outcome.parameterIndex, columns)) controls.selectParameter(outcome.parameterIndex);
  const int rows = std::clamp(outcome.rows.count, 0, kMaxRows);
  for (int column = 0; column < columns; ++column)
    if (outcome.filled[column])
      std::copy(outcome.table[column] + 1, outcome.table[column] + 1 + rows, table[column] + 1);
}

ProductRead readOf(const Outcome& outcome) {
  const int rows = std::clamp(outcome.rows.count, 0, kMaxRows);
  const int columns = std::clamp(outcome.columns, 0, kMaxColumns);
  const int height = outcome.rows.heightColumn;
  return {{rows, isColumnOf(height, columns) ? height : -1},
          std::vector<bool>(outcome.filled, outcome.filled + columns),
          std::vector<int>(outcome.productRows, outcome.productRows + rows + 1)};
}

// Runs the work in a child of its own, on the shared outcome. Fails as the child failed: by its
// message, or by how it ended.
void runInChild(const char* library, int product, const ChildWork& work, Outcome& outcome, const ChildLimits& limits) {
  const pid_t parent = getpid();
  const pid_t child = forkLibraryChild();
  if (child < 0) throw FlightError(std::strerror(errno));
  if (child == 0) {
    // Never an orphan: when the program ends, however it ends, so does the read, also when it
    // ended before the child could ask for that.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(1);
    runChild(work, outcome, product, limits);
  }
  const auto [status, stalled, cancelled] = waitWhileWorking(child, limits.idleSeconds);
  const std::string name(library);
  if (cancelled) throw FlightError(MessageId::ReadCancelled);
  if (stalled) throw FlightError(Message(MessageId::LibraryStalled, {name, std::to_string(limits.idleSeconds)}));
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGXCPU) throw FlightError(MessageId::NeedsTooMuchTime);
  if (WIFSIGNALED(status) && outcome.outOfMemory) throw FlightError(MessageId::NeedsTooMuchMemory);
  if (WIFSIGNALED(status)) throw FlightError(Message(MessageId::LibraryCrashed, {name, strsignal(WTERMSIG(status))}));
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw FlightError(Message(MessageId::LibraryEnded, {name}));
  // The child's text ends where it ends, or at the buffer's end: a hijacked child writes what it likes.
  if (outcome.failed) throw FlightError(readBack({outcome.message, strnlen(outcome.message, sizeof outcome.message)}));
}

}  // namespace

ChildCancellation::ChildCancellation(const std::atomic<bool>& cancelled) { readCancelled = &cancelled; }

ChildCancellation::~ChildCancellation() { readCancelled = nullptr; }

void prepareHeap(std::size_t size) {
  // The sanitizer's allocator keeps no heap of this kind.
  if (kUnderAddressSanitizer) return;
  constexpr std::size_t kLargestOnHeap = std::size_t{32} << 20, kHugePage = std::size_t{2} << 20, kPage = 4096;
  constexpr int kTopPad = 128 * 1024;  // glibc's own
  mallopt(M_MMAP_THRESHOLD, kLargestOnHeap);
  mallopt(M_TRIM_THRESHOLD, INT_MAX);
  const auto start = reinterpret_cast<std::uintptr_t>(sbrk(0));
  // One allocation larger than all the heap holds free grows it by size at once, and malloc writes
  // only at its ends: every other 2 MB can still come as one huge page when it is first touched.
  mallopt(M_TOP_PAD, static_cast<int>(std::min<std::size_t>(size, INT_MAX)));
  void* volatile growth = std::malloc(mallinfo2().fordblks + kPage);
  mallopt(M_TOP_PAD, kTopPad);
  const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
  std::free(growth);
}

ProductRead readInChildProcess(const char* library, int product, const LibraryRead& read, FlightTable& table,
                               SlotControls& controls, FlightIdentity& identity, const ChildLimits& limits) {
  const SharedOutcome shared;
  Outcome& outcome = *shared;
  runInChild(library, product, [&read](Outcome& childOutcome) {
    OutcomeControls childControls(childOutcome);
    FlightIdentity stated;
    keepRead(read(childOutcome.table, childControls, stated), childOutcome);
    keepIdentity(stated, childOutcome);
  }, outcome, limits);
  handOver(outcome, table, controls, identity);
  return readOf(outcome);
}

void readColumnsInChildProcess(const char* library, int product, const ColumnsRead& read, const std::vector<int>& columns,
                               int rows, FlightTable& table, const ChildLimits& limits) {
  const SharedOutcome shared;
  Outcome& outcome = *shared;
  runInChild(library, product, [&read](Outcome& childOutcome) { read(childOutcome.table); }, outcome, limits);
  const int count = std::clamp(rows, 0, kMaxRows);
  for (int column : columns)
    if (column >= 0 && column < kMaxColumns)
      std::copy(outcome.table[column] + 1, outcome.table[column] + 1 + count, table[column] + 1);
}
