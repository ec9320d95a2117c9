#include "effect/dsp/Orvanta_AlgorithmProcess.h"

#include <cstdlib>
#include <cstring>

#include "effect/dsp/Orvanta_ProcessVariants.h"

namespace {

// Widest first.
const SOrvanta_ProcessVariant* const kVariants[] = {&kOrvanta_ProcessAvx512, &kOrvanta_ProcessAvx2, &kOrvanta_ProcessBaseline};

// The baseline until the variant is chosen while the module loads, before
// any host thread can call in (so a call from another module's static
// initialiser, run earlier, still finds a variant). Never written afterwards.
const SOrvanta_ProcessVariant* gActive = &kOrvanta_ProcessBaseline;

struct ChooseAtLoad {
    ChooseAtLoad() { gActive = &Orvanta_SelectProcessVariant(std::getenv("ORVANTA_DSP_VARIANT")); }
} gChooseAtLoad;

}  // namespace

const SOrvanta_ProcessVariant& Orvanta_SelectProcessVariant(const char* requested) {
    if (requested != nullptr)
        for (const SOrvanta_ProcessVariant* v : kVariants)
            if (std::strcmp(v->name, requested) == 0 && v->supported()) return *v;
    for (const SOrvanta_ProcessVariant* v : kVariants)
        if (v->supported()) return *v;
    return kOrvanta_ProcessBaseline;
}

const SOrvanta_ProcessVariant& Orvanta_ActiveProcessVariant() { return *gActive; }

void Orvanta_AlgorithmProcessFunction(SOrvanta_Alg_Context* const inInstancesBegin[], const void* inInstancesEnd) {
    gActive->mono(inInstancesBegin, inInstancesEnd);
}

void Orvanta_AlgorithmProcessFunctionStereo(SOrvanta_Alg_Context* const inInstancesBegin[],
                                            const void* inInstancesEnd) {
    gActive->stereo(inInstancesBegin, inInstancesEnd);
}
