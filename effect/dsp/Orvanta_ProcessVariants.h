// The instruction-set variants of the process callbacks present in the
// module, and the one chosen to run.
//
// The variant is chosen once, when the module is loaded: the widest one the
// processor supports, unless the environment variable ORVANTA_DSP_VARIANT
// names another ("baseline", "avx2" or "avx512"), which tests use to run every variant
// on one machine. A named variant the processor cannot run, or an unknown
// name, falls back to the automatic choice. Every variant computes the same
// bits.
#pragma once

#include "effect/dsp/Orvanta_AlgContext.h"

struct SOrvanta_ProcessVariant {
    const char* name;
    // Whether this processor can run it.
    bool (*supported)();
    void (*mono)(SOrvanta_Alg_Context* const begin[], const void* end);
    void (*stereo)(SOrvanta_Alg_Context* const begin[], const void* end);
};

// x86-64 baseline (SSE2): runs everywhere.
extern const SOrvanta_ProcessVariant kOrvanta_ProcessBaseline;
// AVX2 (256-bit vectors, no fused multiply-adds).
extern const SOrvanta_ProcessVariant kOrvanta_ProcessAvx2;
// AVX-512 (512-bit vectors, 32 vector registers, no fused multiply-adds).
extern const SOrvanta_ProcessVariant kOrvanta_ProcessAvx512;

// The variant chosen at load time. Any thread.
const SOrvanta_ProcessVariant& Orvanta_ActiveProcessVariant();

// The variant that the environment variable's value (or null) and the
// processor's abilities select. Any thread; pure apart from asking the
// variants whether the processor supports them.
const SOrvanta_ProcessVariant& Orvanta_SelectProcessVariant(const char* requested);
