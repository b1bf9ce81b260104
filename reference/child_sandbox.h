#pragma once

#include <string>
#include <vector>

// Rules a library's child process sets on itself once the library has opened the product, so
// that whatever the library does next, it reads nothing the operator did not name. A rule holds
// for the rest of the child's life and never reaches the program.

// Every later attempt to open a file, or to run a program, fails as if permission were denied
// (seccomp), and is remembered. NetCDF needs nothing else once its file is open; HDF5 would
// otherwise follow a product's external links and external storage wherever they point.
void forbidFileOpens();

// Whether anything tried to open a file after forbidFileOpens.
bool triedToOpenAFile();

// From now on only files beneath these folders may be opened, and only for reading (Landlock,
// where the kernel has it; elsewhere nothing changes). ecCodes reads its definitions as a
// message needs them.
void allowReadingOnlyBeneath(const std::vector<std::string>& folders);
