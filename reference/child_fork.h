#pragma once

#include <sys/types.h>

// fork() for a library's child, which campaigns start from several threads at once.
pid_t forkLibraryChild();
