// The callbacks against the plain reference model of the chain, bit for bit:
// every rate, every colour type, quiet and busy settings, mono and stereo,
// over blocks of uneven sizes so block and noise-run boundaries fall
// everywhere.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <cstring>

#include "dsp_test_support.h"
#include "reference_chain.h"

using namespace dsptest;

namespace {

struct Setting {
    const char* name;
    SOrvanta_Knob_Packet packet;
};

const Setting kSettings[] = {
    {"defaults", defaultsPacket()},
    {"busy Silver", busyPacket(1)},
    {"busy Gold", busyPacket(2)},
    {"busy Rich", busyPacket(3)},
    {"busy Fat", busyPacket(4)},
    {"busy Deep", busyPacket(5)},
    {"full dynamic, no dither, +3.5 dB", {0.25f, 1.0f, 1.5f, Orvanta::kDitherOff, 3}},
    {"full harmonic, light dynamic, -6 dB", {1.0f, 0.2f, 0.501187f, Orvanta::kDitherOn, 5}},
};

// Uneven block sizes, cycled.
const int32_t kBlockPattern[] = {1, 7, 64, 300, 129, 513, 2};

void compareWithReference(Layout layout, float rate, const Setting& setting) {
    constexpr size_t kLength = 3000;
    const std::vector<float> signal[2] = {testSignal(kLength, 0.0), testSignal(kLength, 1.3)};
    const int channels = layout == Layout::Mono ? 1 : 2;

    Instance tested(rate, setting.packet);
    Instance reference(rate, setting.packet);
    std::vector<float> got[2], want[2];
    onFreshThread([&] {
        std::srand(1);  // rand() and a new thread's generator both start here
        size_t start = 0;
        for (size_t b = 0; start < kLength; ++b) {
            const int32_t count =
                int32_t(std::min(size_t(kBlockPattern[b % std::size(kBlockPattern)]), kLength - start));
            tested.block(layout, signal, start, count);
            reference.load(layout, signal, start, count);
            if (layout == Layout::Mono)
                referenceMono(reference.context);
            else
                referenceStereo(reference.context);
            for (int ch = 0; ch < channels; ++ch) {
                got[ch].insert(got[ch].end(), tested.out[ch].begin(), tested.out[ch].end());
                want[ch].insert(want[ch].end(), reference.out[ch].begin(), reference.out[ch].end());
            }
            start += size_t(count);
        }
    });
    for (int ch = 0; ch < channels; ++ch)
        EXPECT_EQ(firstDifference(got[ch], want[ch]), -1) << "channel " << ch;
    EXPECT_EQ(std::memcmp(&tested.data, &reference.data, sizeof tested.data), 0) << "records differ";
}

}  // namespace

TEST(ProcessReference, MonoMatchesReferenceAtEveryRateAndSetting) {
    for (float rate : Orvanta::kSupportedSampleRates)
        for (const Setting& setting : kSettings) {
            SCOPED_TRACE(testing::Message() << rate << " Hz, " << setting.name);
            compareWithReference(Layout::Mono, rate, setting);
        }
}

TEST(ProcessReference, StereoMatchesReferenceAtEveryRateAndSetting) {
    for (float rate : Orvanta::kSupportedSampleRates)
        for (const Setting& setting : kSettings) {
            SCOPED_TRACE(testing::Message() << rate << " Hz, " << setting.name);
            compareWithReference(Layout::Stereo, rate, setting);
        }
}
