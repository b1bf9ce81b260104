#pragma once

#include "raw/scan_kernels.h"

#include <cstddef>
#include <cstdint>

// Where the fields of a line end, found 64 characters at a time: one bit for each character, set
// for every blank and tab (or for a table's separator). A row loop asks it for the end of each field rather than testing the
// field's characters one by one, and hands the field whole to the conversion.
class FieldSplitter {
 public:
  static constexpr std::size_t kBlock = 64;
  // The bits of the blanks and tabs among the kBlock characters at block.
  using BlockBits = std::uint64_t (*)(const char* block);
  static BlockBits blockBitsOf(ScanKernel kernel);
  // The same with the bits set for one character alone: a tab, a semicolon or a comma, the
  // separators of delimited tables.
  static BlockBits characterBitsOf(ScanKernel kernel, char separator);

  FieldSplitter(const char* line, const char* end, BlockBits bitsOf) : line_(line), end_(end), bitsOf_(bitsOf) {
    load(line);
  }

  const char* end() const { return end_; }

  // The end of the field that begins at start: the first blank or tab from start on, or the
  // line's end. Fields are asked for from the line's start on, each at or after the last one's end.
  const char* fieldEnd(const char* start) {
    const char* from = start;
    for (;;) {
      std::size_t offset = static_cast<std::size_t>(from - block_);
      if (offset >= kBlock) {
        load(from);
        offset = 0;
      }
      if (const std::uint64_t ahead = bits_ >> offset) return from + __builtin_ctzll(ahead);
      from = block_ + kBlock;
    }
  }

 private:
  // The bits from at on. The line's end counts as a blank, so that every search stops there;
  // nothing past the end is read, not even in a line shorter than a block.
  void load(const char* at) {
    block_ = at;
    const auto available = static_cast<std::size_t>(end_ - at);
    bits_ = available >= kBlock ? bitsOf_(at) : lastBits(available);
  }
  std::uint64_t lastBits(std::size_t available) const;

  const char* const line_;
  const char* const end_;
  const BlockBits bitsOf_;
  const char* block_ = nullptr;
  std::uint64_t bits_ = 0;
};
