// The process callbacks the host calls on its audio thread. Each takes the
// batch of instance contexts of one call: a pointer to the first element of
// an array of context pointers and an untyped pointer just past its last
// element. Instances are processed in array order, each completely before the
// next. The processed signal lags the input by 6 * rate multiple + 1 samples.
#pragma once

#include "effect/dsp/Orvanta_AlgContext.h"

// Mono component: channel 0 of every instance, first channel-state record.
// Audio thread: takes no lock, allocates nothing, does no I/O and sets no
// floating-point mode (the host sets flush-to-zero on its audio threads).
void Orvanta_AlgorithmProcessFunction(SOrvanta_Alg_Context* const inInstancesBegin[],
                                      const void* inInstancesEnd);

// Stereo component: channels 0 and 1 of every instance, each with its own
// channel-state record and its own noise (channel 0 draws its block's noise
// first, then channel 1). Same thread rules as the mono callback.
void Orvanta_AlgorithmProcessFunctionStereo(SOrvanta_Alg_Context* const inInstancesBegin[],
                                            const void* inInstancesEnd);
