// Loaded into the program by the tests (LD_PRELOAD) as a file system that refuses some of the
// renames that put files in place: those whose numbers FAIL_RENAMES lists ("3,4": the third and
// the fourth call of renameat2) fail with EPERM, as for an immutable file. With NO_RENAME_FLAGS
// set it is a file system that cannot swap names (NFS): a rename with flags fails with EINVAL, and
// only plain renames are counted.
#include <dlfcn.h>
#include <fcntl.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern "C" int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned flags) {
  if (flags != 0 && std::getenv("NO_RENAME_FLAGS")) {
    errno = EINVAL;
    return -1;
  }
  static int calls = 0;
  ++calls;
  if (const char* failing = std::getenv("FAIL_RENAMES"))
    for (const char* at = failing; *at;) {
      char* end = nullptr;
      const long number = std::strtol(at, &end, 10);
      if (end == at) break;
      if (number == calls) {
        errno = EPERM;
        return -1;
      }
      at = *end == ',' ? end + 1 : end;
    }
  using Rename = int (*)(int, const char*, int, const char*, unsigned);
  static const auto next = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "renameat2"));
  return next(fromFolder, from, toFolder, to, flags);
}
