// Files from the field at their worst: every one gives the result its content calls for or a
// clear message, never a crash, a hang or a value that is silently wrong. A failed read leaves
// its slot empty and the other slots and the height window as they were.
#include "raw/text_file.h"
#include "reference/address_sanitizer.h"
#include "reference/classic_netcdf_length.h"
#include "reference/library_child.h"
#include "tests/generator/hostile_products.h"
#include "tests/support/reader_fixture.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <iterator>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <filesystem>
#include <optional>

namespace {

const std::string kHostile = HOSTILE_FILES;
const std::string kEmptyField = "'' is not a valid floating point value";
const std::string kUnrecognised = "Unrecognised file: no header line of a known flight layout.";

std::string conversionError(const std::string& text) { return "'" + text + "' is not a valid floating point value"; }

class HostileFiles : public ReaderTest {
 protected:
  void SetUp() override {
    ReaderTest::SetUp();
    read(2, "ВРЕМЯ H T\n1 100 5\n2 12345 6\n");
  }

  // The read's failure message, or nothing when it succeeded; checks what a failure leaves.
  std::optional<std::string> readInto1(const std::string& path) {
    const double top = MaxHight;
    try {
      readFlightFile(1, path, {'.', '.'}, controls[1]);
    } catch (const FlightError& error) {
      EXPECT_EQ(mass1Count, 0);
      EXPECT_EQ(MaxHight, top);
      EXPECT_EQ(mass2Count, 2) << "another slot";
      return error.message().english();
    }
    EXPECT_EQ(mass2Count, 2);
    return std::nullopt;
  }
};

}  // namespace

TEST_F(HostileFiles, EachGivesItsResultOrAClearMessage) {
  struct Case {
    const char* file;
    std::optional<std::string> failure;
    int rows;
  };
  const Case cases[] = {
      {"empty.txt", kUnrecognised, 0},
      {"header-only-tab.txt", kEmptyField, 0},  // the row loop reads one line past the end
      {"header-only-sct.raw", {}, 0},
      {"header-only-int.int", kEmptyField, 0},
      {"header-only-vre.TXT", kEmptyField, 0},
      {"header-only-indented-t.TAE3", kEmptyField, 0},
      {"header-only-indented-h.T3", {}, 0},
      {"header-only-shifr.TXT", {}, 0},
      {"nul-in-a-field.int", conversionError("1\uFFFD"), 0},
      {"nul-in-header-and-after.int", kEmptyField, 0},
      {"invalid-utf8-in-windows-1251.TXT", {}, 2},
      {"cr-only-line-ends.int", kEmptyField, 0},  // CR alone ends no line: one long line
      {"cr-cr-lf.int", {}, 3 - 1},
      {"ctrl-z-inside-a-line.raw", {}, 2},
      {"form-feed-on-the-last-lines.TXT", {}, 1},
      {"number-1e999.int", conversionError("1e999"), 0},
      {"number-huge-exponent.int", conversionError("1e99999999999999999999"), 0},
      {"number-double-minus.int", conversionError("--5"), 0},
      {"number-two-points.int", conversionError("1.2.3"), 0},
      {"number-slash-minus-slash.int", conversionError("0-0"), 0},
      {"number-lone-plus.int", kEmptyField, 0},
      {"number-lone-point.int", conversionError("."), 0},
      {"number-bare-exponent.int", conversionError("1e"), 0},
      {"number-1e-999.int", {}, 1},
      {"number-tiny-exponent.int", {}, 1},
      {"number-zero-huge-exponent.int", {}, 1},
      {"number-lone-minus.int", {}, 1},
      {"number-comma.int", {}, 1},
  };
  int covered = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(readInto1(kHostile + "/" + c.file), c.failure);
    if (!c.failure) {
      EXPECT_EQ(mass1Count, c.rows);
    }
    ++covered;
  }
  int stored = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kHostile)) stored += entry.is_regular_file();
  EXPECT_EQ(covered, stored) << "every stored file is a case";
}

// Reference products cut short and damaged, made at build time from the text in
// tests/data/reference: the library's own message or the reader's, never a crash.
TEST_F(HostileFiles, DamagedReferenceProductsFailWithAClearMessage) {
  const std::pair<const char*, const char*> cases[] = {
      {"gruan_rs41_truncated.nc", "The file is shorter than its header says: it was cut off."},
      // Its header claims 63 dimensions where it holds one.
      {"gruan_rs92_corrupt.nc", "The file is shorter than its header says: it was cut off."},
      {"temp_high_resolution_truncated.bufr", "End of resource reached when reading message"},
      {"temp_high_resolution_corrupt.bufr", "Key/value not found"},
      // Behind a bulletin's heading; after a whole TEMP, which may not be the longest.
      {"truncated_in_bulletin.bufr", "End of resource reached when reading message"},
      {"temp_then_truncated.bufr", "End of resource reached when reading message"},
      // Shapes no sounding product has, refused by the look before NetCDF, in a fraction of a
      // second and for the same reason on every run.
      {"group_cycle.nc", "The product's groups hold themselves: it is no sounding product."},
      {"soft_link_cycle.nc", "The product's groups hold themselves: it is no sounding product."},
      {"diamond_groups.nc", "The product holds more than 100000 objects: it is no sounding product."},
      {"deep_groups.nc", "The product's groups nest deeper than 32: it is no sounding product."},
      {"unknown_filter.nc", "The product needs the compression filter 32015, which is not installed."},
      {"family0.nc", "The product is split into several files, which are not read."},
      {"split-m.nc", "The product is split into several files, which are not read."},
  };
  for (const auto& [file, message] : cases) {
    SCOPED_TRACE(file);
    EXPECT_EQ(readInto1(std::string(REFERENCE_FILES) + "/" + file), message);
  }
  // A netCDF-4 product that lost only its last bytes on the way.
  std::ifstream whole(std::string(REFERENCE_FILES) + "/gruan_rs41.nc", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
  EXPECT_EQ(readInto1(files.write("cut_at_the_end.nc", bytes.substr(0, bytes.size() - 16))),
            "The file is shorter than its header says: it was cut off.");
}

// NetCDF reads past a classic file's end as zeros: a cut anywhere, in the header or in the data,
// must fail rather than show 0 K.
TEST_F(HostileFiles, AClassicProductCutAnywhereIsRefused) {
  for (const char* product : {"gruan_rs92.nc", "not_a_sounding.nc", "gruan_unknown_unit.nc"}) {
    SCOPED_TRACE(product);
    std::ifstream file(std::string(REFERENCE_FILES) + "/" + product, std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::string path = files.path("cut.nc");
    for (std::size_t length = 4; length <= whole.size(); ++length) {
      files.write("cut.nc", whole.substr(0, length));
      const int descriptor = open(path.c_str(), O_RDONLY);
      EXPECT_EQ(classicNetCdfIsWhole(descriptor), length == whole.size()) << length << " of " << whole.size() << " bytes";
      close(descriptor);
    }
  }
  // As the operator meets it: in the header and in the data.
  std::ifstream file(std::string(REFERENCE_FILES) + "/gruan_rs92.nc", std::ios::binary);
  const std::string whole((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  for (const std::size_t length : {std::size_t{40}, whole.size() / 3, whole.size() - 1})
    EXPECT_EQ(readInto1(files.write("cut.nc", whole.substr(0, length))), Message(MessageId::CutOffFile).english()) << length;
}

// netCDF-4 products that point HDF5 elsewhere, or make it unpack far more than a flight: each
// fails, names the file, and reads nothing but the file.
TEST_F(HostileFiles, ProductsThatReachBeyondTheirFileAreRefused) {
  const std::string secret = files.write("secret.bin", std::string(32, '\x40'));
  const std::string fifo = files.path("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string self = files.path("self_link.nc");
  writeExternalLinkProduct(self, self);
  writeExternalLinkProduct(files.path("link.nc"), std::string(REFERENCE_FILES) + "/gruan_rs41.nc");
  writeExternalStorageProduct(files.path("secret.nc"), secret);
  writeExternalStorageProduct(files.path("fifo.nc"), fifo);
  writeExternalStorageProduct(files.path("device.nc"), "/dev/zero");
  // A classic signature of an unknown version, and the netCDF-4 product after it, where NetCDF
  // looks for one.
  std::ifstream link(files.path("link.nc"), std::ios::binary);
  files.write("disguised.nc", std::string("CDF\x07", 4) + std::string(508, '\0') +
                                  std::string(std::istreambuf_iterator<char>(link), std::istreambuf_iterator<char>()));
  const std::pair<const char*, std::string> cases[] = {
      {"self_link.nc", Message(MessageId::RefersToOtherFiles).english()}, {"link.nc", Message(MessageId::RefersToOtherFiles).english()},
      {"secret.nc", Message(MessageId::RefersToOtherFiles).english()},    {"fifo.nc", Message(MessageId::RefersToOtherFiles).english()},
      {"device.nc", Message(MessageId::RefersToOtherFiles).english()},    {"disguised.nc", Message(MessageId::RefersToOtherFiles).english()},
  };
  for (const auto& [product, message] : cases) {
    SCOPED_TRACE(product);
    const auto start = std::chrono::steady_clock::now();
    try {
      readFlightFile(1, files.path(product), {'.', '.'}, controls[1]);
      ADD_FAILURE() << "the read succeeded";
    } catch (const FlightError& error) {
      EXPECT_EQ(error.what(), message + "\nFile: " + files.path(product));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << "no waiting for a writer";
    EXPECT_EQ(mass1Count, 0);
  }
}

TEST_F(HostileFiles, ProductsThatUnpackToMoreThanAFlightFailForMemory) {
  // A few KB of twice-deflated zeros: refused before HDF5 unpacks its one 2 GiB chunk.
  EXPECT_EQ(readInto1(std::string(REFERENCE_FILES) + "/zlib_bomb.nc"), Message(MessageId::NeedsTooMuchMemory).english());
  // ecCodes needs about 2 KB for every value it unpacks, and fails its assertion when malloc does.
  if (kUnderAddressSanitizer) GTEST_SKIP() << "the sanitizer's shadow memory leaves no room for the child's limit";
  EXPECT_EQ(readInto1(std::string(REFERENCE_FILES) + "/temp_65535_levels.bufr"), Message(MessageId::NeedsTooMuchMemory).english());
}

TEST_F(HostileFiles, ValuesAtTheEdgesOfADouble) {
  readInto1(kHostile + "/number-1e-999.int");
  EXPECT_EQ(cell(1, 1, 1), 0.0);
  readInto1(kHostile + "/number-lone-minus.int");
  EXPECT_EQ(cell(1, 1, 1), 0.0);
  readInto1(kHostile + "/number-comma.int");
  EXPECT_EQ(cell(1, 1, 1), 1.5);
  readInto1(kHostile + "/ctrl-z-inside-a-line.raw");
  EXPECT_EQ(cell(1, 2, 2), 6.0) << "the file ends at Ctrl-Z, inside the line";
}

TEST_F(HostileFiles, HugeLinesAndWideRows) {
  // A line is held whole while it is read: the longest one a read takes bounds its memory.
  const std::string longLine = "INT " + std::string(kLongestLine, '1');
  EXPECT_EQ(readInto1(files.write("one-line.txt", longLine)), kUnrecognised) << "no header in it";
  EXPECT_EQ(readInto1(files.write("long-preamble.int", longLine + "\nINTtime INTalt\n1 2\n")), std::nullopt);
  EXPECT_EQ(readInto1(files.write("long-row.int", "INTtime INTalt\n" + longLine + "\n")),
            "Line too long: a line of a flight file holds at most 4 MiB.");
  EXPECT_EQ(readInto1(files.write("long-field.int", "INTtime INTalt\n" + longLine.substr(0, kLongestLine - 1))),
            conversionError(std::string(64, '1') + "\u2026"))
      << "a field is quoted by its first 64 characters";

  std::string names = "t\tH";
  while (names.size() < 1'000'000) names += "\tname";
  EXPECT_EQ(readInto1(files.write("wide-header.txt", names + "\n1\t2\n")),
            "Too many columns: a flight holds at most 56.");

  std::string row = "1 2 3";
  for (int i = 0; i < 100'000; ++i) row += " 4";
  EXPECT_EQ(readInto1(files.write("wide-row.int", "INTtime INTalt INTtemp\n" + row + "\n")), std::nullopt);
  EXPECT_EQ(mass1Count, 1) << "fields past the last column are left alone";
  EXPECT_EQ(cell(1, 2, 1), 3.0);
}

TEST_F(HostileFiles, ThingsThatAreNoRegularFile) {
  EXPECT_EQ(readInto1(files.path("")), "File does not exist.") << "a directory";
  const std::string fifo = files.path("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(readInto1(fifo), "I/O error reading \"" + fifo + "\": not a regular file") << "no waiting for a writer";
  EXPECT_EQ(readInto1("/proc/self/mem"), "I/O error reading \"/proc/self/mem\": Input/output error");
  EXPECT_EQ(controls[1].label, "/proc/self/mem") << "the label names the file that failed";
}

namespace {

// Leaves the process only a little more address space than it uses now.
void limitAddressSpaceToWhatIsUsedPlus(rlim_t spare) {
  long pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  const rlim_t limit = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + spare;
  const rlimit addressSpace{limit, limit};
  setrlimit(RLIMIT_AS, &addressSpace);
}

// Earlier tests leave freed blocks in the heap that a read could take without new address space:
// takes them all, then gives back a little for the small things a failed read still needs.
void takeWhatTheHeapHasFree() {
  void* taken = nullptr;
  while (void* block = std::malloc(std::size_t{256} << 10)) {
    *static_cast<void**>(block) = taken;
    taken = block;
  }
  for (int i = 0; i < 2 && taken; ++i) {
    void* next = *static_cast<void**>(taken);
    std::free(taken);
    taken = next;
  }
}

}  // namespace

TEST_F(HostileFiles, RunningOutOfMemoryIsAReadErrorNamingTheFile) {
  if (kUnderAddressSanitizer) GTEST_SKIP() << "the sanitizer's shadow memory outgrows any such limit";
  const std::string path = files.write("wide.int", "INTtime INTalt\n" + std::string(std::size_t{3} << 20, '1') + "\n");
  EXPECT_EXIT(
      {
        limitAddressSpaceToWhatIsUsedPlus(std::size_t{1} << 20);
        takeWhatTheHeapHasFree();
        try {
          readFlightFile(1, path, {'.', '.'}, controls[1]);
        } catch (const FlightError& error) {
          std::fputs(error.what(), stderr);
          std::exit(mass1Count);
        }
        std::exit(100);
      },
      ::testing::ExitedWithCode(0), "^Not enough memory to read the file.\nFile: " + path + "$");
}

TEST_F(HostileFiles, TablesAtTheirWorst) {
  const std::string table = "time;height;temp\n0;100;15\n1;105;14\n2;110;13\n";
  // A gigabyte of metadata above the table, held on the disk as a hole: it is read through,
  // never taken in.
  const std::string huge = files.write("huge-metadata.csv", "Station;Nowhere\n");
  std::filesystem::resize_file(huge, std::uintmax_t{1} << 30);
  std::ofstream(huge, std::ios::app) << "\n" << table;
  EXPECT_EQ(readInto1(huge), std::nullopt);
  EXPECT_EQ(mass1Count, 3);

  std::string wide = "time;height;temp", row = "0;100;15";
  for (int i = 0; i < 1'000'000; ++i) wide += ";x", row += ";1";
  EXPECT_EQ(readInto1(files.write("wide.csv", wide + "\n" + row + "\n" + row + "\n" + row + "\n")),
            "Too many columns: a flight holds at most 56.");

  EXPECT_EQ(readInto1(files.write("mixed.csv", "time;height;temp\n0,100,15\n1,105,14\n2,110,13\n")), kUnrecognised);
  EXPECT_EQ(readInto1(files.write("backwards.csv", "timestamp,height,temp\n2026-06-01T11:00:05Z,100,15\n"
                                                   "2026-06-01T11:00:03Z,105,14\n2026-06-01T11:00:01Z,110,13\n")),
            std::nullopt);
  EXPECT_EQ(cell(1, 0, 3), -4.0) << "times stay as the file states them";
}
