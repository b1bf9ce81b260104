#pragma once

#include "flight/flight_identity.h"
#include "flight/flight_tables.h"
#include "reference/reference_flight.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class SlotControls;

// What a library's child may take over one file. The largest valid products (50000 rows) need
// about a second and a fraction of the memory; the bounds stop a hostile one, and they count the
// child's own work, so that a valid file reads the same whatever else the machine does.
constexpr int kLibraryCpuSeconds = 60;
constexpr int kLibraryIdleSeconds = 15;
struct ChildLimits {
  std::size_t memory = std::size_t{1536} << 20;  // address space beyond what the child starts with
  int cpuSeconds = kLibraryCpuSeconds;
  int idleSeconds = kLibraryIdleSeconds;  // of wall-clock time in which the child does no work at all
};

// While one lives on a thread, the reads of libraries' children started from that thread stop as
// soon as the flag turns true: the child is killed and the read fails with MessageId::ReadCancelled.
class ChildCancellation {
 public:
  explicit ChildCancellation(const std::atomic<bool>& cancelled);
  ~ChildCancellation();
  ChildCancellation(const ChildCancellation&) = delete;
  ChildCancellation& operator=(const ChildCancellation&) = delete;
};

// Runs a read by a third-party library in a child process, on a table and controls of its own,
// and hands what it read to the slot. Debian's NetCDF, HDF5 and ecCodes crash on some malformed
// files (a NetCDF header claiming more dimensions than it holds is enough); in a child such a
// crash, a read beyond the limits or one that stops making progress fails the read instead of
// ending the program. The child dies with the thread that started it. The libraries' global
// state never enters the program's own process, so their lack of thread safety does not matter
// to a campaign reading pairs side by side.
// The name under which a child opens the file the program opened: the same file, whatever its
// name names by now.
inline std::string childFileName(int descriptor) { return "/proc/self/fd/" + std::to_string(descriptor); }

// In a library's child, for a library that makes millions of small allocations (ecCodes makes a
// key of about 2 KB for every value of a BUFR message, a gigabyte for the largest soundings) or
// large ones again and again: the time would go into faulting in their pages one by one. The
// heap is grown by size at once (within the child's memory), asked to be backed by huge pages
// where the kernel offers them, and kept: freed memory is used again rather than given back.
void prepareHeap(std::size_t size);

// The identity learns what the product states about its flight, and the reader's height column.
// Only the columns the read filled are handed to the table. product: the descriptor of the file
// read, the one the child keeps of the program's (child_sandbox.h).
using LibraryRead = std::function<ProductRead(FlightTable& table, SlotControls& controls, FlightIdentity& identity)>;
ProductRead readInChildProcess(const char* library, int product, const LibraryRead& read, FlightTable& table,
                               SlotControls& controls, FlightIdentity& identity, const ChildLimits& limits = {});

// The same for a later read that fills more columns of a flight already read: rows 1..rows of
// the columns are handed to the table, nothing else.
using ColumnsRead = std::function<void(FlightTable& table)>;
void readColumnsInChildProcess(const char* library, int product, const ColumnsRead& read, const std::vector<int>& columns,
                               int rows, FlightTable& table, const ChildLimits& limits = {});
