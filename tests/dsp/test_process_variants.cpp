// How an instruction-set variant is chosen. CTest runs the whole suite once per variant forced
// with ORVANTA_DSP_VARIANT; ForcedVariantRuns fails such a run rather than quietly test another.
#include <gtest/gtest.h>

#include <cstdlib>

#include "effect/dsp/Orvanta_ProcessVariants.h"

namespace {

const SOrvanta_ProcessVariant& widestSupported() {
    if (kOrvanta_ProcessAvx512.supported()) return kOrvanta_ProcessAvx512;
    return kOrvanta_ProcessAvx2.supported() ? kOrvanta_ProcessAvx2 : kOrvanta_ProcessBaseline;
}

// A named variant, or the automatic choice where the processor cannot run it.
const SOrvanta_ProcessVariant& orWidest(const SOrvanta_ProcessVariant& variant) {
    return variant.supported() ? variant : widestSupported();
}

}  // namespace

TEST(ProcessVariants, SelectionFollowsTheRequestAndTheProcessor) {
    const struct { const char* requested; const SOrvanta_ProcessVariant* expected; } cases[] = {
        {nullptr, &widestSupported()},
        {"", &widestSupported()},
        {"baseline", &kOrvanta_ProcessBaseline},
        {"avx2", &orWidest(kOrvanta_ProcessAvx2)},
        {"avx512", &orWidest(kOrvanta_ProcessAvx512)},
        {"AVX2", &widestSupported()},  // names are exact
        {"avx512f", &widestSupported()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(&Orvanta_SelectProcessVariant(c.requested), c.expected)
            << (c.requested ? c.requested : "(unset)");
}

TEST(ProcessVariants, ForcedVariantRuns) {
    const char* requested = std::getenv("ORVANTA_DSP_VARIANT");
    if (requested == nullptr) {
        EXPECT_EQ(&Orvanta_ActiveProcessVariant(), &widestSupported());
        return;
    }
    ASSERT_STREQ(Orvanta_ActiveProcessVariant().name, requested)
        << "this processor cannot run the variant ORVANTA_DSP_VARIANT asks for";
}
