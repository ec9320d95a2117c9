// The instruction-set variants of the process callbacks: how one is chosen,
// and that every variant this processor can run gives the baseline's bits
// (outputs and final channel records) for every rate, colour type, Dither
// setting, layout and block pattern, in place and not.
//
// CTest also runs the whole signal-path suite once per variant, forced with
// ORVANTA_DSP_VARIANT (tests/dsp/CMakeLists.txt); ForcedVariantRuns makes
// such a run fail when the processor cannot run the forced variant, rather
// than quietly testing another.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "dsp_test_support.h"
#include "effect/dsp/Orvanta_ProcessVariants.h"

using namespace dsptest;

namespace {

const SOrvanta_ProcessVariant* const kAll[] = {&kOrvanta_ProcessBaseline, &kOrvanta_ProcessAvx2,
                                               &kOrvanta_ProcessAvx512};

const SOrvanta_ProcessVariant& widestSupported() {
    if (kOrvanta_ProcessAvx512.supported()) return kOrvanta_ProcessAvx512;
    return kOrvanta_ProcessAvx2.supported() ? kOrvanta_ProcessAvx2 : kOrvanta_ProcessBaseline;
}

// A named variant, or the automatic choice where the processor cannot run it.
const SOrvanta_ProcessVariant& orWidest(const SOrvanta_ProcessVariant& variant) {
    return variant.supported() ? variant : widestSupported();
}

// Runs one variant over a whole signal in the given blocks, on a fresh thread
// (so at the start of the noise sequence); returns the outputs followed by
// the final records' bytes as floats' bit patterns.
Signals runVariant(const SOrvanta_ProcessVariant& variant, Layout layout, float rate,
                   const SOrvanta_Knob_Packet& packet, const Signals& signal, const std::vector<int32_t>& blocks,
                   bool inPlace) {
    Signals result;
    Instance instance(rate, packet);
    instance.inPlace = inPlace;
    onFreshThread([&] {
        result = instance.process(layout, signal, blocks, [&] {
            SOrvanta_Alg_Context* batch[1] = {&instance.context};
            (layout == Layout::Mono ? variant.mono : variant.stereo)(batch, batch + 1);
        });
    });
    std::vector<float> record(sizeof instance.data / sizeof(float) + 1);
    std::memcpy(record.data(), &instance.data, sizeof instance.data);
    result.push_back(record);
    return result;
}

// Bitwise equality, so not-a-number and signed zeros compare too.
bool sameBits(const Signals& a, const Signals& b) {
    if (a.size() != b.size()) return false;
    for (size_t ch = 0; ch < a.size(); ++ch)
        if (a[ch].size() != b[ch].size() ||
            std::memcmp(a[ch].data(), b[ch].data(), a[ch].size() * sizeof(float)) != 0)
            return false;
    return true;
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

TEST(ProcessVariants, EveryVariantGivesTheBaselinesBits) {
    const float rates[] = {44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f};
    const std::vector<int32_t> patterns[] = {{512}, {1, 7, 64, 300, 129, 513, 2}, {63, 65, 3}};
    constexpr size_t kLength = 1500;
    int compared = 0, variants = 0;
    for (const SOrvanta_ProcessVariant* variant : kAll) {
        if (variant == &kOrvanta_ProcessBaseline || !variant->supported()) continue;
        ++variants;
        for (Layout layout : {Layout::Mono, Layout::Stereo}) {
            const Signals signal = signals(layout, kLength);
            for (float rate : rates)
                for (int32_t colour = Orvanta::kColorMin; colour <= Orvanta::kColorMax; ++colour)
                    for (int32_t dither : {Orvanta::kDitherOff, Orvanta::kDitherOn})
                        for (size_t p = 0; p < std::size(patterns); ++p) {
                            const SOrvanta_Knob_Packet packet = {0.6f, 0.7f, 0.9f, dither, colour};
                            const bool inPlace = p == 2;
                            const Signals expected = runVariant(kOrvanta_ProcessBaseline, layout, rate, packet,
                                                                signal, patterns[p], inPlace);
                            const Signals got =
                                runVariant(*variant, layout, rate, packet, signal, patterns[p], inPlace);
                            ASSERT_TRUE(sameBits(expected, got))
                                << variant->name << (layout == Layout::Mono ? " mono" : " stereo") << " rate "
                                << rate << " colour " << colour << " dither " << dither << " pattern " << p;
                            ++compared;
                        }
        }
    }
    EXPECT_EQ(compared, variants * 2 * 6 * 5 * 2 * 3);
}
