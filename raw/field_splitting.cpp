#include "raw/field_splitting.h"

#include <cstring>
#include <stdexcept>

#ifdef __SSE2__
#include <immintrin.h>
#endif

namespace {

std::uint64_t bitsScalar(const char* block) {
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < FieldSplitter::kBlock; ++i)
    bits |= std::uint64_t{block[i] == ' ' || block[i] == '\t'} << i;
  return bits;
}

#ifdef __SSE2__

std::uint64_t bitsSse2(const char* block) {
  const __m128i blank = _mm_set1_epi8(' '), tab = _mm_set1_epi8('\t');
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < FieldSplitter::kBlock; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + i));
    const __m128i marks = _mm_or_si128(_mm_cmpeq_epi8(bytes, blank), _mm_cmpeq_epi8(bytes, tab));
    bits |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(marks))} << i;
  }
  return bits;
}

__attribute__((target("avx2"))) std::uint64_t bitsAvx2(const char* block) {
  const __m256i blank = _mm256_set1_epi8(' '), tab = _mm256_set1_epi8('\t');
  const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block));
  const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 32));
  const __m256i lowMarks = _mm256_or_si256(_mm256_cmpeq_epi8(low, blank), _mm256_cmpeq_epi8(low, tab));
  const __m256i highMarks = _mm256_or_si256(_mm256_cmpeq_epi8(high, blank), _mm256_cmpeq_epi8(high, tab));
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(lowMarks)) |
         std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(highMarks))} << 32;
}

#endif

template <char kSeparator>
std::uint64_t characterBitsScalar(const char* block) {
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < FieldSplitter::kBlock; ++i) bits |= std::uint64_t{block[i] == kSeparator} << i;
  return bits;
}

#ifdef __SSE2__

template <char kSeparator>
std::uint64_t characterBitsSse2(const char* block) {
  const __m128i separator = _mm_set1_epi8(kSeparator);
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < FieldSplitter::kBlock; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + i));
    bits |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, separator)))} << i;
  }
  return bits;
}

template <char kSeparator>
__attribute__((target("avx2"))) std::uint64_t characterBitsAvx2(const char* block) {
  const __m256i separator = _mm256_set1_epi8(kSeparator);
  const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block));
  const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 32));
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, separator))) |
         std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, separator)))} << 32;
}

#endif

template <char kSeparator>
FieldSplitter::BlockBits characterBits(ScanKernel kernel) {
#ifdef __SSE2__
  return kernelFunction<FieldSplitter::BlockBits>(
      kernel, {characterBitsScalar<kSeparator>, characterBitsSse2<kSeparator>, characterBitsAvx2<kSeparator>});
#else
  return kernelFunction<FieldSplitter::BlockBits>(kernel, {characterBitsScalar<kSeparator>});
#endif
}

}  // namespace

FieldSplitter::BlockBits FieldSplitter::characterBitsOf(ScanKernel kernel, char separator) {
  switch (separator) {
    case '\t': return characterBits<'\t'>(kernel);
    case ';': return characterBits<';'>(kernel);
    case ',': return characterBits<','>(kernel);
  }
  throw std::invalid_argument("no such separator");
}

FieldSplitter::BlockBits FieldSplitter::blockBitsOf(ScanKernel kernel) {
#ifdef __SSE2__
  return kernelFunction<BlockBits>(kernel, {bitsScalar, bitsSse2, bitsAvx2});
#else
  return kernelFunction<BlockBits>(kernel, {bitsScalar});
#endif
}

std::uint64_t FieldSplitter::lastBits(std::size_t available) const {
  const std::uint64_t endBit = std::uint64_t{1} << available;
  if (available == 0) return endBit;
  // The block that ends with the line, its bits of the characters before block_ dropped.
  if (static_cast<std::size_t>(end_ - line_) >= kBlock) return bitsOf_(end_ - kBlock) >> (kBlock - available) | endBit;
  char padded[kBlock] = {};
  std::memcpy(padded, block_, available);
  return bitsOf_(padded) | endBit;
}
