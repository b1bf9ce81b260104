#include "raw/line_scanning.h"

#include "raw/text_encoding.h"

#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <immintrin.h>
#endif

namespace {

LineScan scanScalar(const char* text, std::size_t size) {
  const auto* lineFeed = static_cast<const char*>(std::memchr(text, '\n', size));
  const std::size_t stop = lineFeed ? static_cast<std::size_t>(lineFeed - text) : size;
  const auto* carriageReturn = static_cast<const char*>(std::memchr(text, '\r', stop));
  const std::size_t textEnd = carriageReturn ? static_cast<std::size_t>(carriageReturn - text) : stop;
  return {lineFeed ? stop : LineScan::kNoLineFeed, textEnd, hasHighBytes(text, text + textEnd)};
}

#ifdef __SSE2__

// The vector kernels take 64 bytes at a time, one bit for each.
constexpr std::size_t kBlock = 64;

struct BlockBits {
  std::uint64_t lineFeeds, carriageReturns, highBytes;
};

template <BlockBits (*bitsOf)(const char*)>
[[gnu::always_inline]] inline LineScan scanBlocks(const char* text, std::size_t size) {
  // Too short for one block: the end of a file.
  if (size < kBlock) return scanScalar(text, size);
  constexpr std::size_t kNotYet = LineScan::kNoLineFeed;
  std::size_t textEnd = kNotYet;
  std::uint64_t highBytes = 0;
  for (std::size_t offset = 0; offset < size; offset += kBlock) {
    BlockBits bits;
    if (size - offset >= kBlock) {
      bits = bitsOf(text + offset);
    } else {
      // The last bytes, read in the block that ends with them: nothing past the text is read, and
      // the bits of the bytes already scanned drop out.
      bits = bitsOf(text + size - kBlock);
      const std::size_t scanned = kBlock - (size - offset);
      bits.lineFeeds >>= scanned;
      bits.carriageReturns >>= scanned;
      bits.highBytes >>= scanned;
    }
    if (textEnd == kNotYet) {
      const std::uint64_t stops = bits.lineFeeds | bits.carriageReturns;
      highBytes |= bits.highBytes & (stops - 1) & ~stops;  // the bits below the first stop, all without one
      if (stops != 0) textEnd = offset + static_cast<std::size_t>(__builtin_ctzll(stops));
    }
    if (bits.lineFeeds != 0)
      return {offset + static_cast<std::size_t>(__builtin_ctzll(bits.lineFeeds)), textEnd, highBytes != 0};
  }
  return {LineScan::kNoLineFeed, textEnd == kNotYet ? size : textEnd, highBytes != 0};
}

inline BlockBits bitsSse2(const char* block) {
  const __m128i lineFeed = _mm_set1_epi8('\n'), carriageReturn = _mm_set1_epi8('\r');
  BlockBits bits{0, 0, 0};
  for (std::size_t i = 0; i < kBlock; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + i));
    const auto bitsOf = [i](__m128i marks) {
      return std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(marks))} << i;
    };
    bits.lineFeeds |= bitsOf(_mm_cmpeq_epi8(bytes, lineFeed));
    bits.carriageReturns |= bitsOf(_mm_cmpeq_epi8(bytes, carriageReturn));
    bits.highBytes |= bitsOf(bytes);
  }
  return bits;
}

LineScan scanSse2(const char* text, std::size_t size) { return scanBlocks<bitsSse2>(text, size); }

// Functions of their own rather than lambdas: a lambda does not take on the target of the
// function it is in, and could not hold AVX2 instructions.
__attribute__((target("avx2"))) inline std::uint64_t bitsOfMarks(__m256i low, __m256i high) {
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(low)) |
         std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(high))} << 32;
}

__attribute__((target("avx2"))) inline BlockBits bitsAvx2(const char* block) {
  const __m256i lineFeed = _mm256_set1_epi8('\n'), carriageReturn = _mm256_set1_epi8('\r');
  const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block));
  const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 32));
  return {bitsOfMarks(_mm256_cmpeq_epi8(low, lineFeed), _mm256_cmpeq_epi8(high, lineFeed)),
          bitsOfMarks(_mm256_cmpeq_epi8(low, carriageReturn), _mm256_cmpeq_epi8(high, carriageReturn)),
          bitsOfMarks(low, high)};
}

__attribute__((target("avx2"))) LineScan scanAvx2(const char* text, std::size_t size) {
  return scanBlocks<bitsAvx2>(text, size);
}

#endif

using Scan = LineScan (*)(const char*, std::size_t);

Scan scanOf(ScanKernel kernel) {
#ifdef __SSE2__
  return kernelFunction<Scan>(kernel, {scanScalar, scanSse2, scanAvx2});
#else
  return kernelFunction<Scan>(kernel, {scanScalar});
#endif
}

}  // namespace

LineScan scanLineWith(ScanKernel kernel, const char* text, std::size_t size) { return scanOf(kernel)(text, size); }

LineScan scanLine(const char* text, std::size_t size) {
  static const Scan widest = scanOf(widestKernel());
  return widest(text, size);
}
