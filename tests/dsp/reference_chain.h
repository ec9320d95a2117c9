// A plain, sample-by-sample model of the two process callbacks, written
// directly from the description of the chain: branches where the text has
// tests, remainders where it has remainders, every state field read from and
// stored to the record on every sample, and the C library's rand() as its
// noise. The callbacks must match it bit for bit.
#pragma once

#include "effect/dsp/Orvanta_AlgContext.h"

namespace dsptest {

// Processes one instance as the mono (stereo) callback would. Draws its noise
// from rand().
void referenceMono(SOrvanta_Alg_Context& context);
void referenceStereo(SOrvanta_Alg_Context& context);

}  // namespace dsptest
