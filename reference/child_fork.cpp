#include "reference/child_fork.h"

#include "reference/address_sanitizer.h"

#include <unistd.h>

#ifdef FLIGHTCOMPARE_ADDRESS_SANITIZER

// This toolchain's AddressSanitizer, unlike glibc's malloc and later sanitizers, takes none of its
// allocator's locks across fork(): a child forked while another thread was allocating waited for
// ever on a lock no thread of its own would release. The locks are held across the fork here, as
// later sanitizers do it, so the child starts with them free.
namespace __lsan {
void LockAllocator();
void UnlockAllocator();
}  // namespace __lsan
namespace __sanitizer {
void StackDepotLockAll();
void StackDepotUnlockAll();
}  // namespace __sanitizer

pid_t forkLibraryChild() {
  __lsan::LockAllocator();
  __sanitizer::StackDepotLockAll();
  const pid_t child = fork();
  __sanitizer::StackDepotUnlockAll();
  __lsan::UnlockAllocator();
  return child;
}

#else

pid_t forkLibraryChild() { return fork(); }

#endif
