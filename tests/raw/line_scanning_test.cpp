#include "raw/line_scanning.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ascii(std::size_t length) { return std::string(length, 'a'); }

}  // namespace

// Every vector kernel finds what the byte searches find: on texts whose line feeds, carriage
// returns and high bytes fall on either side of the 16-, 32- and 64-byte blocks, on lines that
// end before a block does, on texts without a line feed, long ones and empty ones, from every
// start within the first block and a half.
TEST(LineScan, EveryKernelFindsWhatTheByteSearchesFind) {
  const std::string texts[] = {
      "",
      "\n",
      "\r\n",
      "a\rjunk\n",
      "\r\r\r",
      ascii(15) + "\n" + ascii(40),
      ascii(31) + "\r\n" + ascii(40),
      ascii(63) + "\r" + "\n" + ascii(63),
      ascii(64) + "\n",
      ascii(65),
      ascii(127) + "\n",
      "\xD0\x9F" + ascii(70) + "\r\xFF\n",
      ascii(70) + "\r\xFF\n",
      ascii(70) + "\n\xFF",
      ascii(62) + "\xFF\xFF" + ascii(3) + "\n",
      ascii(5000),
      ascii(5000) + "\xE9\r\n",
      std::string(200, '\n'),
  };
  for (const std::string& text : texts) {
    for (std::size_t start = 0; start <= text.size() && start < 96; ++start) {
      const char* const from = text.data() + start;
      const std::size_t size = text.size() - start;
      const LineScan expected = scanLineWith(ScanKernel::Scalar, from, size);
      for (const ScanKernel kernel : {ScanKernel::Sse2, ScanKernel::Avx2}) {
        if (!isAvailable(kernel)) continue;
        SCOPED_TRACE(testing::Message() << "kernel " << static_cast<int>(kernel) << " from byte " << start << " of "
                                        << text.size());
        const LineScan found = scanLineWith(kernel, from, size);
        EXPECT_EQ(found.lineFeed, expected.lineFeed);
        EXPECT_EQ(found.textEnd, expected.textEnd);
        EXPECT_EQ(found.highBytes, expected.highBytes);
      }
    }
  }
  const LineScan scan = scanLineWith(ScanKernel::Scalar, "ab\r\xFF\ncd", 7);
  EXPECT_EQ(scan.lineFeed, 4u);
  EXPECT_EQ(scan.textEnd, 2u);
  EXPECT_FALSE(scan.highBytes) << "a high byte past the carriage return is not the line's";
}
