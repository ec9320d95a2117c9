// The process callbacks for the x86-64 baseline.
#include "effect/dsp/Orvanta_ProcessCallbacks.h"
#include "effect/dsp/Orvanta_ProcessVariants.h"

namespace {
bool always() { return true; }
}  // namespace

const SOrvanta_ProcessVariant kOrvanta_ProcessBaseline = {"baseline", always, OrvantaChain::processMono,
                                                          OrvantaChain::processStereo};
