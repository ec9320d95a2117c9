#include "effect/dsp/Orvanta_NoiseSource.h"

namespace {
// Constant-initialised, so a thread's first use costs no initialisation check.
thread_local Orvanta_NoiseSource tThreadNoise;
}  // namespace

Orvanta_NoiseSource& Orvanta_NoiseSource::ThisThread() noexcept { return tThreadNoise; }
