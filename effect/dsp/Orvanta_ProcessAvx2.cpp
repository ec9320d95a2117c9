// The process callbacks for processors with AVX2. This file alone is
// compiled with -mavx2 and ORVANTA_SIMD_NAMESPACE=Avx2 (effect/CMakeLists.txt);
// no fused multiply-adds (-mfma is not given, and contraction is off).
#include "effect/dsp/Orvanta_ProcessCallbacks.h"
#include "effect/dsp/Orvanta_ProcessVariants.h"

namespace {
// Also asks whether the operating system saves the 256-bit registers. May run
// during static initialisation, before the run-time library has read the
// processor's features, hence the explicit initialisation.
bool hasAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}
}  // namespace

const SOrvanta_ProcessVariant kOrvanta_ProcessAvx2 = {"avx2", hasAvx2, OrvantaChain::processMono,
                                                      OrvantaChain::processStereo};
