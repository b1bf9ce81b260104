#pragma once

#include "raw/scan_kernels.h"

#include <cstddef>

// What one pass over a text finds about the line it starts with: where its line feed is, where
// its text ends (the first CR or LF), and whether that text is more than ASCII. A file's bytes go
// through this pass once, whole vectors at a time, rather than through one search each.
struct LineScan {
  static constexpr std::size_t kNoLineFeed = ~std::size_t{0};

  std::size_t lineFeed;  // from the text's start; kNoLineFeed when the text holds none
  std::size_t textEnd;   // the first CR or LF, or the text's size when there is neither
  bool highBytes;        // whether a byte at 0x80 or above lies before textEnd
};

// Scans size bytes at text up to their first line feed.
LineScan scanLine(const char* text, std::size_t size);

// scanLine with the kernel given; the scalar one searches byte by byte.
LineScan scanLineWith(ScanKernel kernel, const char* text, std::size_t size);
