// A library's read runs in a child process: what it reads reaches the slot, and its failure,
// crash, hang, appetite or reach for other files becomes the read's failure while the program
// goes on; the child never outlives the program.
#include "flight/flight_error.h"
#include "flight/flight_tables.h"
#include "flight/read_choices.h"
#include "reference/address_sanitizer.h"
#include "reference/child_sandbox.h"
#include "reference/library_child.h"
#include "tests/support/temp_files.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/io_uring.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace {

ProductRead twoColumns(FlightTable& table, SlotControls& controls, FlightIdentity& identity) {
  identity.station = "PAY";
  identity.stationName = std::string(255, 'x') + "Ж";  // cut at 256 bytes, inside the letter
  identity.latitude = 46.81;
  identity.longitude = 6.94;
  identity.columns.resize(2);
  identity.columns[1].heightKind = HeightKind::Geometric;
  identity.columns[1].uncertainty = 57;  // a column the flight does not have
  controls.clearParameterLists();
  controls.addParameter("time");
  controls.addParameter("H");
  controls.selectHeight(1);
  for (int row = 1; row <= 3; ++row) {
    table[0][row] = row;
    table[1][row] = 100.0 * row;
  }
  return {{3, 1}, {true, true}, {0, 1, 2, 3}};
}

// Works without pause for the seconds given, then reads.
LibraryRead busyFor(double seconds) {
  return [seconds](FlightTable& table, SlotControls& controls, FlightIdentity& identity) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (volatile unsigned spin = 0; std::chrono::steady_clock::now() < end; spin = spin + 1) {
    }
    return twoColumns(table, controls, identity);
  };
}

ProductRead opensAnotherFile(FlightTable&, SlotControls&, FlightIdentity&) {
  forbidFileOpens();
  if (open("/etc/hostname", O_RDONLY) < 0) throw FlightError(std::strerror(errno));
  return {};
}

ProductRead takesAllItGets(FlightTable&, SlotControls&, FlightIdentity&) {
  std::vector<std::vector<char>> hoard;
  for (;;) hoard.emplace_back(std::size_t{64} << 20, 'x');
}

}  // namespace

TEST(LibraryChild, HandsOverTheReadOrItsFailure) {
  struct Case {
    const char* what;
    LibraryRead read;
    ChildLimits limits;
    std::optional<std::string> failure;
  };
  const ChildLimits quick{std::size_t{256} << 20, 2, 1};
  std::vector<Case> cases = {
      {"a read", twoColumns, quick, std::nullopt},
      {"the library's message", [](FlightTable&, SlotControls&, FlightIdentity&) -> ProductRead { throw FlightError("NetCDF: HDF error"); },
       quick, "NetCDF: HDF error"},
      {"a crash", [](FlightTable&, SlotControls&, FlightIdentity&) -> ProductRead { std::raise(SIGSEGV); return {}; }, quick,
       "The NetCDF library crashed reading the file (Segmentation fault)."},
      {"a child waiting for what never comes", [](FlightTable&, SlotControls&, FlightIdentity&) -> ProductRead { for (;;) pause(); },
       quick, "The NetCDF library made no progress reading the file for 1 s."},
      // Wall-clock time alone never fails a read that works: a loaded machine only makes it slower.
      {"a read working longer than the idle time", busyFor(2.5), {std::size_t{256} << 20, 10, 1}, std::nullopt},
      {"a read beyond its computing time", busyFor(60), quick, Message(MessageId::NeedsTooMuchTime).english()},
      {"an open after the rule", opensAnotherFile, quick, Message(MessageId::RefersToOtherFiles).english()},
  };
  // The sanitizer's shadow memory leaves no room for an address-space limit.
  if (!kUnderAddressSanitizer) cases.push_back({"a read beyond its memory", takesAllItGets, quick, Message(MessageId::NeedsTooMuchMemory).english()});
  OwnFlightSet flights;
  FlightTable& table = flights.flights().slot(1).table;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReadChoices controls;
    FlightIdentity identity;
    try {
      const FlightRows rows = readInChildProcess("NetCDF", -1, c.read, table, controls, identity, c.limits).rows;
      EXPECT_FALSE(c.failure);
      EXPECT_EQ(rows.count, 3);
      EXPECT_EQ(rows.heightColumn, 1);
      EXPECT_EQ(controls.items, (std::vector<std::string>{"time", "H"}));
      EXPECT_EQ(controls.height, 1);
      EXPECT_EQ(table[1][3], 300.0);
      EXPECT_EQ(identity.station, "PAY");
      EXPECT_EQ(identity.stationName, std::string(255, 'x')) << "cut where a character starts";
      EXPECT_EQ(identity.latitude, 46.81);
      EXPECT_EQ(identity.heightKindOf(1), HeightKind::Geometric);
      EXPECT_EQ(identity.column(1).uncertainty, -1) << "only columns of the flight come across";
    } catch (const FlightError& error) {
      EXPECT_EQ(error.message().english(), c.failure);
      EXPECT_TRUE(controls.items.empty());
    }
  }
}

TEST(LibraryChild, ReadingIsHeldToTheFoldersAllowed) {
  TempFiles files, elsewhere;
  const std::string inside = files.write("inside.txt", "1"), outside = "/etc/hostname";
  const std::string kept = elsewhere.write("kept.txt", "keep me");
  const LibraryRead read = [&](FlightTable& table, SlotControls& controls, FlightIdentity& identity) {
    allowReadingOnlyBeneath({files.path("")});
    if (open(inside.c_str(), O_RDONLY) < 0) throw FlightError("inside: " + std::string(std::strerror(errno)));
    if (open(inside.c_str(), O_WRONLY | O_APPEND) >= 0) throw FlightError("a file inside was opened to write");
    if (open(outside.c_str(), O_RDONLY) >= 0) throw FlightError("outside was read");
    if (truncate(kept.c_str(), 0) == 0) throw FlightError("a file outside was emptied");
    if (socket(AF_INET, SOCK_STREAM, 0) >= 0) throw FlightError("a socket was made");
    return twoColumns(table, controls, identity);
  };
  OwnFlightSet flights;
  ReadChoices controls;
  FlightIdentity identity;
  if (syscall(SYS_landlock_create_ruleset, nullptr, 0, 1) < 1) GTEST_SKIP() << "the kernel has no Landlock";
  EXPECT_NO_THROW(readInChildProcess("ecCodes", -1, read, flights.flights().slot(1).table, controls, identity));
}

// A child keeps of the program only its product: no other descriptor, no memory shared with
// another read, none of the user's settings or secrets; once its file is open it reaches nothing
// beyond its own memory and process.
TEST(LibraryChild, ReachesNothingOfTheProgramsOwn) {
  TempFiles files;
  const int product = open(files.write("product", "1").c_str(), O_RDONLY | O_CLOEXEC);
  const int other = open(files.write("other", "2").c_str(), O_RDWR);
  setenv("HDF5_PLUGIN_PATH", files.path("").c_str(), 1);
  setenv("AWS_SECRET_ACCESS_KEY", "secret", 1);
  // Another read's outcome, as a campaign's other jobs have them while this one forks.
  const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  void* anotherOutcome = mmap(nullptr, page, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(anotherOutcome, MAP_FAILED);
  const LibraryRead read = [&](FlightTable& table, SlotControls& controls, FlightIdentity& identity) {
    std::string reached;
    const auto reaches = [&](const char* what, bool done) { reached += done ? std::string(" ") + what : ""; };
    reaches("the product closed", fcntl(product, F_GETFD) < 0);
    reaches("another descriptor", fcntl(other, F_GETFD) >= 0);
    reaches("the user's HOME", std::string(getenv("HOME")) != "/dev/null");
    reaches("a plugin path", getenv("HDF5_PLUGIN_PATH") != nullptr);
    reaches("the user's credentials", getenv("AWS_SECRET_ACCESS_KEY") != nullptr);
    unsigned char resident = 0;
    reaches("another read's outcome", mincore(anotherOutcome, page, &resident) == 0);
    forbidFileOpens();
    io_uring_params ring{};
    reaches("io_uring", syscall(SYS_io_uring_setup, 1, &ring) >= 0);
    reaches("a socket", socket(AF_INET, SOCK_STREAM, 0) >= 0);
    reaches("ptrace", ptrace(PTRACE_ATTACH, getppid(), nullptr, nullptr) >= 0);
    char byte = 0;
    const iovec mine{&byte, 1}, theirs{&byte, 1};
    reaches("another process' memory", process_vm_readv(getppid(), &mine, 1, &theirs, 1, 0) >= 0);
    reaches("a signal to the program", syscall(SYS_tgkill, getppid(), getppid(), 0) == 0);
    rlimit bound{};
    reaches("the program's limits", prlimit(getppid(), RLIMIT_FSIZE, nullptr, &bound) == 0);
    reaches("a limit set", prlimit(0, RLIMIT_FSIZE, &bound, nullptr) == 0);
    reaches("no limit of its own to read", getrlimit(RLIMIT_FSIZE, &bound) != 0);
    if (!reached.empty()) throw FlightError("reached:" + reached);
    return twoColumns(table, controls, identity);
  };
  OwnFlightSet flights;
  ReadChoices controls;
  FlightIdentity identity;
  EXPECT_NO_THROW(readInChildProcess("NetCDF", product, read, flights.flights().slot(1).table, controls, identity));
  unsetenv("HDF5_PLUGIN_PATH");
  unsetenv("AWS_SECRET_ACCESS_KEY");
  munmap(anotherOutcome, page);
  close(product);
  close(other);
}

// A program killed while its child reads takes the child with it; the test stands in as the
// subreaper that would otherwise never see the orphan.
TEST(LibraryChild, DiesWithTheProgram) {
  EXPECT_EXIT(
      {
        alarm(20);  // a child left hanging fails the test rather than stalling it
        prctl(PR_SET_CHILD_SUBREAPER, 1);
        int reported[2];
        if (pipe(reported) != 0) std::exit(10);
        const pid_t program = fork();
        if (program == 0) {
          const LibraryRead read = [&](FlightTable&, SlotControls&, FlightIdentity&) -> ProductRead {
            const pid_t self = getpid();
            if (write(reported[1], &self, sizeof self) != sizeof self) std::exit(11);
            for (;;) pause();
          };
          OwnFlightSet flights;
          ReadChoices controls;
          FlightIdentity identity;
          readInChildProcess("NetCDF", reported[1], read, flights.flights().slot(1).table, controls, identity);
          _exit(12);
        }
        pid_t child = 0;
        if (read(reported[0], &child, sizeof child) != sizeof child) std::exit(13);
        kill(program, SIGKILL);
        int status = 0;
        waitpid(program, &status, 0);
        // The orphan comes to the subreaper; it must come killed, not hanging on.
        if (waitpid(child, &status, 0) != child) std::exit(14);
        std::exit(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL ? 0 : 15);
      },
      ::testing::ExitedWithCode(0), "");
}
