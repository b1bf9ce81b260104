#include "reference/child_sandbox.h"

#include "flight/flight_error.h"
#include "reference/address_sanitizer.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <linux/landlock.h>
#include <seccomp.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <termios.h>
#include <ucontext.h>
#include <unistd.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

volatile std::sig_atomic_t openAttempted = 0;

// HDF5 opens a product from memory under a name of its own ("file_image_0"), and first looks on
// the disc for a file of that name, which it would read instead. Such a file does not exist here,
// and the look is no attempt to read another file.
bool looksForItsImage(const char* path) { return path && std::strncmp(path, "file_image_", 11) == 0; }

// The system call is not made; it returns as if permission were denied (or, for HDF5's look for
// its image's name, as if nothing were there).
void refuseOpen(int, siginfo_t* info, void* context) {
  auto& registers = static_cast<ucontext_t*>(context)->uc_mcontext;
  const int call = info->si_syscall;
  const char* path = nullptr;
#if defined(__x86_64__)
  if (call == SYS_open || call == SYS_creat) path = reinterpret_cast<const char*>(registers.gregs[REG_RDI]);
  if (call == SYS_openat || call == SYS_openat2) path = reinterpret_cast<const char*>(registers.gregs[REG_RSI]);
  greg_t& result = registers.gregs[REG_RAX];
#elif defined(__aarch64__)
  if (call == SYS_openat || call == SYS_openat2) path = reinterpret_cast<const char*>(registers.regs[1]);
  auto& result = registers.regs[0];
#else
#error "Say where a system call's arguments and result go on this processor."
#endif
  const bool image = looksForItsImage(path);
  if (!image) openAttempted = 1;
  result = image ? -ENOENT : -EACCES;
}

// A child that cannot set its rules reads nothing, rather than read unguarded.
[[noreturn]] void failToSetRules(int error) {
  throw FlightError(Message(MessageId::CannotSetRules, {std::strerror(error)}));
}

// What the libraries do once their file is open: read what they opened, take and give back
// memory, handle signals, tell the time, know their limits, and end. Nothing that reaches out of
// the process (sockets, io_uring, ptrace, another process' memory, new processes or threads).
const int kAllowedCalls[] = {
    SCMP_SYS(read),          SCMP_SYS(readv),         SCMP_SYS(pread64),      SCMP_SYS(write),
    SCMP_SYS(writev),        SCMP_SYS(lseek),         SCMP_SYS(close),        SCMP_SYS(fstat),
    SCMP_SYS(newfstatat),    SCMP_SYS(statx),         SCMP_SYS(stat),         SCMP_SYS(lstat),
    SCMP_SYS(access),        SCMP_SYS(faccessat),     SCMP_SYS(faccessat2),   SCMP_SYS(readlink),
    SCMP_SYS(readlinkat),    SCMP_SYS(getcwd),        SCMP_SYS(fcntl),        SCMP_SYS(brk),
    SCMP_SYS(mmap),          SCMP_SYS(munmap),        SCMP_SYS(mremap),       SCMP_SYS(mprotect),
    SCMP_SYS(madvise),       SCMP_SYS(futex),         SCMP_SYS(rt_sigaction), SCMP_SYS(rt_sigprocmask),
    SCMP_SYS(rt_sigreturn),  SCMP_SYS(sigaltstack),   SCMP_SYS(getpid),       SCMP_SYS(gettid),
    SCMP_SYS(exit),          SCMP_SYS(exit_group),    SCMP_SYS(sysinfo),      SCMP_SYS(getrlimit),
    SCMP_SYS(getrusage),     SCMP_SYS(clock_gettime),
    SCMP_SYS(gettimeofday),  SCMP_SYS(time),          SCMP_SYS(nanosleep),    SCMP_SYS(clock_nanosleep),
    SCMP_SYS(sched_yield),   SCMP_SYS(getrandom),     SCMP_SYS(uname),        SCMP_SYS(getppid),
    SCMP_SYS(sched_getaffinity),
    // A pipe reaches nothing outside: the sanitizers test through one whether memory can be read.
    SCMP_SYS(pipe),          SCMP_SYS(pipe2),
};

// Every call not on the list fails as not permitted; the calls that open a file or run a program
// either fail as not permitted and are remembered (trapped), or go through where a Landlock rule
// holds what they may open.
class SeccompFilter {
 public:
  SeccompFilter() : context_(seccomp_init(SCMP_ACT_ERRNO(EPERM))) {
    if (!context_) failToSetRules(ENOMEM);
    for (int call : kAllowedCalls) allow(call);
    // isatty's question only: no other request reaches a device.
    allowWhere(SCMP_SYS(ioctl), {{1, SCMP_CMP_EQ, TCGETS, 0}});
    // A signal to itself only (raise, abort), and its own limits only read: neither the program
    // nor any other process of the user can be stopped or held to a limit from here.
    allowWhere(SCMP_SYS(tgkill), {{0, SCMP_CMP_EQ, static_cast<scmp_datum_t>(getpid()), 0}});
    allowWhere(SCMP_SYS(prlimit64), {{0, SCMP_CMP_EQ, 0, 0}, {2, SCMP_CMP_EQ, 0, 0}});
  }
  ~SeccompFilter() { seccomp_release(context_); }
  SeccompFilter(const SeccompFilter&) = delete;
  SeccompFilter& operator=(const SeccompFilter&) = delete;

  void allow(int call) { check(seccomp_rule_add(context_, SCMP_ACT_ALLOW, call, 0)); }
  void allowWhere(int call, std::initializer_list<scmp_arg_cmp> arguments) {
    check(seccomp_rule_add_array(context_, SCMP_ACT_ALLOW, call, static_cast<unsigned>(arguments.size()),
                                 arguments.begin()));
  }
  void trap(int call) { check(seccomp_rule_add(context_, SCMP_ACT_TRAP, call, 0)); }
  void load() { check(seccomp_load(context_)); }

 private:
  static void check(int status) {
    if (status != 0) failToSetRules(-status);
  }

  scmp_filter_ctx context_;
};

const int kOpeningCalls[] = {SCMP_SYS(open), SCMP_SYS(openat), SCMP_SYS(openat2), SCMP_SYS(creat),
                             SCMP_SYS(open_by_handle_at)};
const int kRunningCalls[] = {SCMP_SYS(execve), SCMP_SYS(execveat)};

void catchTrappedCalls() {
  struct sigaction action {};
  action.sa_sigaction = refuseOpen;
  action.sa_flags = SA_SIGINFO;
  sigaction(SIGSYS, &action, nullptr);
}

long landlockAbi() { return syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION); }

// The rights of Landlock's later versions, which this system's headers may not know yet.
constexpr std::uint64_t kTruncate = 1ULL << 14, kIoctlOfDevices = 1ULL << 15;  // versions 3 and 5
constexpr std::uint64_t kBindTcp = 1ULL << 0, kConnectTcp = 1ULL << 1;         // version 4
constexpr std::uint64_t kAbstractUnixSockets = 1ULL << 0, kSignals = 1ULL << 1;  // version 6

// Landlock's ruleset as its latest versions take it; an older kernel takes its first fields.
struct LandlockRuleset {
  std::uint64_t handledFileAccess, handledNetworkAccess, scoped;
};

// The ruleset that handles every right the kernel's version knows, and how much of it that
// version reads.
std::pair<LandlockRuleset, std::size_t> everyRightOf(long abi) {
  LandlockRuleset rules{(LANDLOCK_ACCESS_FS_MAKE_SYM << 1) - 1, 0, 0};
  if (abi >= 2) rules.handledFileAccess |= LANDLOCK_ACCESS_FS_REFER;
  if (abi >= 3) rules.handledFileAccess |= kTruncate;
  if (abi >= 4) rules.handledNetworkAccess = kBindTcp | kConnectTcp;
  if (abi >= 5) rules.handledFileAccess |= kIoctlOfDevices;
  if (abi >= 6) rules.scoped = kAbstractUnixSockets | kSignals;
  const std::size_t size = abi >= 6 ? sizeof rules : abi >= 4 ? 2 * sizeof(std::uint64_t) : sizeof(std::uint64_t);
  return {rules, size};
}

// Memory the fork left shared with the program (other reads' outcomes, the window's pictures):
// only the child's own outcome stays, so that a hostile file cannot reach another pair's result.
void unmapSharedPagesBut(const void* outcome) {
  std::FILE* maps = std::fopen("/proc/self/maps", "re");
  if (!maps) failToSetRules(errno);
  std::vector<std::pair<std::uintptr_t, std::uintptr_t>> shared;
  char line[PATH_MAX + 128];
  while (std::fgets(line, sizeof line, maps)) {
    std::uintptr_t start = 0, end = 0;
    char permissions[5] = {};
    if (std::sscanf(line, "%" SCNxPTR "-%" SCNxPTR " %4s", &start, &end, permissions) == 3 && permissions[3] == 's' &&
        start != reinterpret_cast<std::uintptr_t>(outcome))
      shared.emplace_back(start, end);
  }
  std::fclose(maps);
  for (const auto& [start, end] : shared) munmap(reinterpret_cast<void*>(start), end - start);
}

// Every descriptor from `first` to `last`; where the kernel cannot close a range (before 5.9), one
// by one as /proc lists them. A child that cannot close them reads nothing.
void closeDescriptors(unsigned first, unsigned last) {
  if (first > last || close_range(first, last, 0) == 0) return;
  DIR* listed = opendir("/proc/self/fd");
  if (!listed) failToSetRules(errno);
  std::vector<int> open;
  while (const dirent* entry = readdir(listed)) {
    const int descriptor = std::atoi(entry->d_name);
    if (entry->d_name[0] != '.' && descriptor != dirfd(listed) && static_cast<unsigned>(descriptor) >= first &&
        static_cast<unsigned>(descriptor) <= last)
      open.push_back(descriptor);
  }
  closedir(listed);
  for (int descriptor : open) close(descriptor);
}

void closeDescriptorsBut(int product) {
  if (product > STDERR_FILENO + 1) closeDescriptors(STDERR_FILENO + 1, static_cast<unsigned>(product) - 1);
  closeDescriptors(static_cast<unsigned>(std::max(product, STDERR_FILENO)) + 1, UINT_MAX);
}

// The environment holds the user's secrets (cloud credentials) and the libraries' switches,
// whose names grow with every version: the child keeps only what the libraries are given here.
void keepOnlyTheLibrariesVariables() {
  std::vector<std::pair<std::string, std::string>> kept;
  for (const char* name : {"ECCODES_DEFINITION_PATH", "ECCODES_SAMPLES_PATH", "TZ"})
    if (const char* value = std::getenv(name)) kept.emplace_back(name, value);
  clearenv();
  setenv("HOME", "/dev/null", 1);
  setenv("NCRCENV_IGNORE", "1", 1);
  for (const auto& [name, value] : kept) setenv(name.c_str(), value.c_str(), 1);
}

}  // namespace

void prepareChild(int product, const void* outcome) {
  if (!kUnderAddressSanitizer) {
    const int nothing = open("/dev/null", O_RDWR | O_CLOEXEC);
    for (int standard : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) dup2(nothing, standard);
    if (nothing > STDERR_FILENO) close(nothing);
  }
  unmapSharedPagesBut(outcome);
  closeDescriptorsBut(product);
  keepOnlyTheLibrariesVariables();
}

void forbidFileOpens() {
  catchTrappedCalls();
  SeccompFilter filter;
  for (int call : kOpeningCalls) filter.trap(call);
  for (int call : kRunningCalls) filter.trap(call);
  filter.load();
}

bool triedToOpenAFile() { return openAttempted != 0; }

void allowReadingOnlyBeneath(const std::vector<std::string>& folders) {
  const long abi = landlockAbi();
  if (abi >= 1) {
    const auto [handled, size] = everyRightOf(abi);
    const int ruleset = static_cast<int>(syscall(SYS_landlock_create_ruleset, &handled, size, 0));
    if (ruleset < 0) failToSetRules(errno);
    for (const std::string& folder : folders) {
      landlock_path_beneath_attr beneath{};
      beneath.allowed_access = LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_READ_DIR;
      beneath.parent_fd = open(folder.c_str(), O_PATH | O_CLOEXEC);
      if (beneath.parent_fd < 0) continue;
      syscall(SYS_landlock_add_rule, ruleset, LANDLOCK_RULE_PATH_BENEATH, &beneath, 0);
      close(beneath.parent_fd);
    }
    const bool restricted =
        prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && syscall(SYS_landlock_restrict_self, ruleset, 0) == 0;
    const int error = errno;
    close(ruleset);
    if (!restricted) failToSetRules(error);
  }
  catchTrappedCalls();
  SeccompFilter filter;
  // Opening for reading only, also where the kernel has no Landlock: any other open is refused.
  constexpr scmp_datum_t kWriting = O_ACCMODE | O_CREAT | O_TRUNC | O_APPEND;
  filter.allowWhere(SCMP_SYS(openat), {{2, SCMP_CMP_MASKED_EQ, kWriting, O_RDONLY}});
  filter.allowWhere(SCMP_SYS(open), {{1, SCMP_CMP_MASKED_EQ, kWriting, O_RDONLY}});
  for (int call : kRunningCalls) filter.trap(call);
  filter.load();
}
