// The process callbacks for processors with AVX-512 (foundation, vector
// length, doubleword/quadword and byte/word instructions). This file alone is
// compiled for them with ORVANTA_SIMD_NAMESPACE=Avx512 (effect/CMakeLists.txt);
// the flat passes run 16 values at a time, and the pipelines have 32 vector
// registers. No fused multiply-adds: contraction is off.
#include "effect/dsp/Orvanta_ProcessCallbacks.h"
#include "effect/dsp/Orvanta_ProcessVariants.h"

namespace {
// Also asks whether the operating system saves the 512-bit and mask
// registers. May run during static initialisation, before the run-time
// library has read the processor's features, hence the explicit
// initialisation.
bool hasAvx512() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
           __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512bw");
}
}  // namespace

const SOrvanta_ProcessVariant kOrvanta_ProcessAvx512 = {"avx512", hasAvx512, OrvantaChain::processMono,
                                                        OrvantaChain::processStereo};
