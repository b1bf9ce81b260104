#pragma once

#include <cstddef>
#include <initializer_list>
#include <stdexcept>

// The ways the scanners go over a file's bytes: one at a time, the reference that runs where no
// vectors do; 16 at a time with SSE2, which every x86-64 processor has; 32 at a time with AVX2,
// only where this processor has it. Each finds the same.
enum class ScanKernel { Scalar, Sse2, Avx2 };

inline constexpr ScanKernel kScanKernels[] = {ScanKernel::Scalar, ScanKernel::Sse2, ScanKernel::Avx2};

bool isAvailable(ScanKernel kernel);
// The widest kernel this processor runs, the one the reader uses.
ScanKernel widestKernel();

// Of a function written for each kernel, in the order of kScanKernels, the one for kernel; fails
// for a kernel this processor lacks.
template <typename Function>
Function kernelFunction(ScanKernel kernel, std::initializer_list<Function> functions) {
  if (!isAvailable(kernel)) throw std::invalid_argument("this processor has no such vectors");
  return functions.begin()[static_cast<std::size_t>(kernel)];
}
