#include "reference/child_sandbox.h"

#include "intake/flight_error.h"

#include <fcntl.h>
#include <linux/landlock.h>
#include <seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

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
  throw FlightError(std::string("Cannot set the rules of the library's process: ") + std::strerror(error));
}

class SeccompFilter {
 public:
  SeccompFilter() : context_(seccomp_init(SCMP_ACT_ALLOW)) {
    if (!context_) failToSetRules(ENOMEM);
  }
  ~SeccompFilter() { seccomp_release(context_); }
  SeccompFilter(const SeccompFilter&) = delete;
  SeccompFilter& operator=(const SeccompFilter&) = delete;

  void trap(int call) { check(seccomp_rule_add(context_, SCMP_ACT_TRAP, call, 0)); }
  void load() { check(seccomp_load(context_)); }

 private:
  static void check(int status) {
    if (status != 0) failToSetRules(-status);
  }

  scmp_filter_ctx context_;
};

long landlockAbi() { return syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION); }

}  // namespace

void forbidFileOpens() {
  struct sigaction action {};
  action.sa_sigaction = refuseOpen;
  action.sa_flags = SA_SIGINFO;
  sigaction(SIGSYS, &action, nullptr);
  SeccompFilter filter;
  for (int call : {SCMP_SYS(open), SCMP_SYS(openat), SCMP_SYS(openat2), SCMP_SYS(creat), SCMP_SYS(open_by_handle_at),
                   SCMP_SYS(execve), SCMP_SYS(execveat)})
    filter.trap(call);
  filter.load();
}

bool triedToOpenAFile() { return openAttempted != 0; }

void allowReadingOnlyBeneath(const std::vector<std::string>& folders) {
  if (landlockAbi() < 1) return;
  // Every right of the first Landlock ABI is handled, so all that is not granted is refused.
  landlock_ruleset_attr handled{};
  handled.handled_access_fs = (LANDLOCK_ACCESS_FS_MAKE_SYM << 1) - 1;
  const int ruleset = static_cast<int>(syscall(SYS_landlock_create_ruleset, &handled, sizeof handled, 0));
  if (ruleset < 0) failToSetRules(errno);
  for (const std::string& folder : folders) {
    landlock_path_beneath_attr beneath{};
    beneath.allowed_access = LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_READ_DIR;
    beneath.parent_fd = open(folder.c_str(), O_PATH | O_CLOEXEC);
    if (beneath.parent_fd < 0) continue;
    syscall(SYS_landlock_add_rule, ruleset, LANDLOCK_RULE_PATH_BENEATH, &beneath, 0);
    close(beneath.parent_fd);
  }
  const bool restricted = prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && syscall(SYS_landlock_restrict_self, ruleset, 0) == 0;
  const int error = errno;
  close(ruleset);
  if (!restricted) failToSetRules(error);
}
