#pragma once

#include <string>
#include <vector>

// Rules a library's child process sets on itself, so that whatever the library does with a
// hostile file, it reads nothing the operator did not name and reaches nothing of the program's.
// A rule holds for the rest of the child's life and never reaches the program.

// As the child starts, before any library: every descriptor but the product's is closed (other
// pairs' products and a campaign's spill files would otherwise be the child's to read and write),
// and so is every memory the fork left shared with the program but the child's outcome (other
// reads' outcomes); standard input and output go to /dev/null, and so does standard error but
// under the sanitizer, whose reports must be seen; the environment keeps only HOME=/dev/null
// (where no .ncrc, .daprc, .dodsrc or cloud credentials can be), NCRCENV_IGNORE and ecCodes'
// folders and TZ where set: no credentials, plugin paths or logging switches of the user's.
void prepareChild(int product, const void* outcome);

// Once the library has opened the product: every later attempt to open a file, or to run a
// program, fails as if permission were denied, and is remembered; and only the system calls on
// the allow-list go through (reading what is open, memory, signals to itself, its own limits
// read, time and the end), every other fails with EPERM: no socket, no io_uring, no ptrace, no
// reading of another process' memory, no signal or limit set on another process. NetCDF needs nothing else once its file is open; HDF5 would otherwise follow a
// product's external links and external storage wherever they point.
void forbidFileOpens();

// Whether anything tried to open a file after forbidFileOpens.
bool triedToOpenAFile();

// From now on only files beneath these folders may be opened, and only for reading: the
// allow-list lets no open for writing through, and Landlock, with every right the kernel's
// version of it knows handled, refuses every other folder, truncating, a device's ioctl and the
// network (where the kernel has no Landlock, reading is not held to the folders). Otherwise only
// the allow-list's system calls go through. ecCodes reads its definitions as a message needs them.
void allowReadingOnlyBeneath(const std::vector<std::string>& folders);
