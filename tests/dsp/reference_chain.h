// A plain model of the process callbacks, written straight from the rules of
// the chain: branches where they test, remainders, every state field read
// and stored on every sample, and the C library's rand() as the noise. The
// callbacks must match it bit for bit.
#pragma once

#include "effect/dsp/Orvanta_AlgContext.h"

namespace dsptest {

void referenceProcess(SOrvanta_Alg_Context& context, bool stereo);

}  // namespace dsptest
