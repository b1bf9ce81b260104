// Loaded into the program by the tests (LD_PRELOAD) as a Ctrl-C that comes while it writes its
// files: the first flush of a file to the disc is preceded by SIGTERM.
#include <dlfcn.h>
#include <unistd.h>

#include <csignal>

extern "C" int fsync(int descriptor) {
  static bool raised = false;
  if (!raised) {
    raised = true;
    std::raise(SIGTERM);
  }
  static const auto next = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
  return next(descriptor);
}
