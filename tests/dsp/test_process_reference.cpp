// The callbacks against the plain reference model, bit for bit, records included, over uneven blocks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "dsp_test_support.h"
#include "reference_chain.h"

using namespace dsptest;

namespace {

void expectMatchesReference(float rate, const SOrvanta_Knob_Packet& packet, Layout layout, const Signals& signal,
                            const std::vector<int32_t>& blockPattern) {
    Instance tested(rate, packet), reference(rate, packet);
    Signals got, want;
    onFreshThread([&] {
        std::srand(1);  // rand() and a new thread's generator both start here
        got = tested.process(layout, signal, blockPattern);
        want = reference.process(layout, signal, blockPattern,
                                 [&] { referenceProcess(reference.context, layout == Layout::Stereo); });
    });
    for (size_t ch = 0; ch < signal.size(); ++ch) EXPECT_EQ(firstDifference(got[ch], want[ch]), -1) << ch;
    EXPECT_EQ(std::memcmp(&tested.data, &reference.data, sizeof tested.data), 0);
}

}  // namespace

TEST(ProcessReference, MatchesReferenceAtEveryRateSettingAndLayout) {
    const SOrvanta_Knob_Packet settings[] = {
        defaultsPacket(), busyPacket(1), busyPacket(2), busyPacket(3), busyPacket(4), busyPacket(5),
        {0.25f, 1.0f, 1.5f, Orvanta::kDitherOff, 3},     // full Dynamic, no dither, +3.5 dB
        {1.0f, 0.2f, 0.501187f, Orvanta::kDitherOn, 5},  // full Harmonic, -6 dB
    };
    for (Layout layout : {Layout::Mono, Layout::Stereo})
        for (float rate : Orvanta::kSupportedSampleRates)
            for (const SOrvanta_Knob_Packet& packet : settings) {
                SCOPED_TRACE(testing::Message() << (layout == Layout::Mono ? "mono " : "stereo ") << rate
                                                << " Hz, colour " << packet.m_iColor << ", Dynamic " << packet.m_fDynamic);
                // 1100: longer than the stereo callback draws ahead for both channels.
                expectMatchesReference(rate, packet, layout, signals(layout, 3000), {1, 7, 64, 300, 129, 513, 2, 1100});
            }
}

// Faults at the first and last samples of blocks, either channel: recovery matches to the bit.
TEST(ProcessReference, MatchesReferenceThroughFaults) {
    const float kNaN = std::numeric_limits<float>::quiet_NaN(), kInf = std::numeric_limits<float>::infinity();
    for (Layout layout : {Layout::Mono, Layout::Stereo})
        for (float rate : Orvanta::kSupportedSampleRates)
            for (const SOrvanta_Knob_Packet& packet : {defaultsPacket(), busyPacket(4)}) {
                SCOPED_TRACE(testing::Message() << (layout == Layout::Mono ? "mono " : "stereo ") << rate
                                                << " Hz, colour " << packet.m_iColor);
                Signals signal = signals(layout, 3000);
                signal[0][8] = kNaN;  // blocks start at 0, 1, 8, 72, 372, 501, 1014, 1016, 1017, ...
                signal[0][371] = 1e13f;
                signal.back()[1016] = -kInf;
                signal[0][1517] = 1e30f;
                signal.back()[2403] = kInf;
                expectMatchesReference(rate, packet, layout, signal, {1, 7, 64, 300, 129, 513, 2});
            }
}
