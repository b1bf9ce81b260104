#include "raw/scan_kernels.h"

bool isAvailable(ScanKernel kernel) {
  switch (kernel) {
    case ScanKernel::Scalar: return true;
#ifdef __SSE2__
    case ScanKernel::Sse2: return true;
    case ScanKernel::Avx2: return __builtin_cpu_supports("avx2");
#else
    case ScanKernel::Sse2:
    case ScanKernel::Avx2: return false;
#endif
  }
  return false;
}

ScanKernel widestKernel() {
  return isAvailable(ScanKernel::Avx2) ? ScanKernel::Avx2
         : isAvailable(ScanKernel::Sse2) ? ScanKernel::Sse2
                                         : ScanKernel::Scalar;
}
