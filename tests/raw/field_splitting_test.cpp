#include "raw/field_scanners.h"
#include "raw/field_splitting.h"
#include "raw/line_scanning.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<double>>;

// A text taken apart as the row loops take it, every line scanned and split by the one kernel.
Rows readRows(const std::string& text, ScanKernel kernel) {
  Rows rows;
  const FieldSplitter::BlockBits bitsOf = FieldSplitter::blockBitsOf(kernel);
  for (std::size_t start = 0; start < text.size();) {
    const LineScan scan = scanLineWith(kernel, text.data() + start, text.size() - start);
    const char* p = text.data() + start;
    FieldSplitter fields(p, p + scan.textEnd, bitsOf);
    rows.emplace_back();
    while (field_scanning::skipToNumber(p, fields.end()) != fields.end())
      rows.back().push_back(decodDigit(p, fields, {'.', '.'}));
    start = scan.lineFeed == LineScan::kNoLineFeed ? text.size() : start + scan.lineFeed + 1;
  }
  return rows;
}

}  // namespace

// Every kernel, the scalar reference among them, reads the same rows: from fields that straddle
// the 16-, 32- and 64-byte blocks or end a line of exactly a block, past tabs, blanks, carriage
// returns and high bytes, from empty lines and from a last line without its line feed.
TEST(FieldSplitter, EveryKernelReadsTheSameRows) {
  struct Case {
    std::string text;
    Rows rows;
  };
  std::vector<Case> cases = {
      {"", {}},
      {"\n\n", {{}, {}}},
      {"1\t2.5 -3\n", {{1, 2.5, -3}}},
      {"1 2\r\n3\t4", {{1, 2}, {3, 4}}},
      {"5\r6\n7", {{5}, {7}}},
      {"\xD0\xA2 1.5\t\xFF" "2\n", {{1.5, 2}}},
      {"1,5\t\t  -,25", {{1.5, -0.25}}},
      {std::string(64, ' ') + "\n" + std::string(60, '\t') + "12.5", {{}, {12.5}}},
  };
  for (std::size_t pad = 0; pad < 140; ++pad) {
    const std::string front = std::string(pad / 2, ' ') + std::string(pad - pad / 2, '\t');
    cases.push_back({front + "-1013.25\t0.0006 " + std::string(pad % 7, ' ') + "7\r\n" + front + "8",
                     {{-1013.25, 0.0006, 7}, {8}}});
  }
  for (const Case& c : cases) {
    for (const ScanKernel kernel : kScanKernels) {
      if (!isAvailable(kernel)) continue;
      SCOPED_TRACE(testing::Message() << "kernel " << static_cast<int>(kernel) << " on \"" << c.text << '"');
      EXPECT_EQ(readRows(c.text, kernel), c.rows);
    }
  }
}
