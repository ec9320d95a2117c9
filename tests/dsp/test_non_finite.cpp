// Recovery from samples that are not finite or large enough to overflow:
// at the end of a block a channel whose state stopped being finite starts
// again from a fresh state, and its non-finite outputs become 0. Every
// fault value at the first, a middle and the last sample of a block, at
// every rate, mono and stereo, quiet and busy: the output stays finite,
// nothing before the fault changes, the other stereo channel does not
// notice, and from the next block on the channel plays exactly what a fresh
// instance started there plays.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dsp_test_support.h"
#include "effect/dsp/Orvanta_NoiseSource.h"

using namespace dsptest;

namespace {

constexpr int32_t kBlock = 64;
constexpr size_t kFaultBlock = 3;
constexpr size_t kBlocks = 8;

bool allFinite(const std::vector<float>& v) {
    for (float x : v)
        if (!std::isfinite(x)) return false;
    return true;
}

std::vector<float> tail(const std::vector<float>& v, size_t from) { return {v.begin() + long(from), v.end()}; }

Signals tails(const Signals& s, size_t from) {
    Signals t;
    for (const auto& channel : s) t.push_back(tail(channel, from));
    return t;
}

struct Renders { Signals clean, faulty, freshFromNextBlock; };

// The clean and the faulty signal through one instance each, and the faulty
// signal from the block after the fault's through a fresh instance that
// hears the same noise draws as the faulty one did there.
Renders render(float rate, const SOrvanta_Knob_Packet& packet, Layout layout, const Signals& clean,
               const Signals& faulty) {
    Renders r;
    const size_t next = (kFaultBlock + 1) * kBlock;
    onFreshThread([&] { r.clean = Instance(rate, packet).process(layout, clean, kBlock); });
    onFreshThread([&] {
        Instance tested(rate, packet);
        const Signals head = [&] {
            Signals h;
            for (const auto& channel : faulty) h.push_back({channel.begin(), channel.begin() + long(next)});
            return h;
        }();
        r.faulty = tested.process(layout, head, kBlock);
        const Orvanta_NoiseSource noiseAtNextBlock = Orvanta_NoiseSource::ThisThread();
        const Signals rest = tested.process(layout, tails(faulty, next), kBlock);
        for (size_t ch = 0; ch < rest.size(); ++ch) r.faulty[ch].insert(r.faulty[ch].end(), rest[ch].begin(), rest[ch].end());
        Orvanta_NoiseSource::ThisThread() = noiseAtNextBlock;
        r.freshFromNextBlock = Instance(rate, packet).process(layout, tails(faulty, next), kBlock);
    });
    return r;
}

}  // namespace

TEST(NonFinite, AFaultCostsAtMostTheRestOfItsBlock) {
    const float kNaN = std::numeric_limits<float>::quiet_NaN(), kInf = std::numeric_limits<float>::infinity();
    const float faults[] = {kNaN, kInf, -kInf, 1e13f, 1e30f};
    const size_t positions[] = {0, kBlock / 2, kBlock - 1};  // within the fault's block
    const SOrvanta_Knob_Packet packets[] = {defaultsPacket(), busyPacket(3), {1.0f, 1.0f, 1.995f, Orvanta::kDitherOff, 5}};
    for (Layout layout : {Layout::Mono, Layout::Stereo})
        for (float rate : Orvanta::kSupportedSampleRates)
            for (const SOrvanta_Knob_Packet& packet : packets)
                for (float fault : faults)
                    for (size_t position : positions) {
                        SCOPED_TRACE(testing::Message() << (layout == Layout::Mono ? "mono " : "stereo ") << rate << " Hz, colour "
                                                        << packet.m_iColor << ", fault " << fault << " at " << position);
                        const Signals clean = signals(layout, kBlocks * kBlock);
                        Signals faulty = clean;
                        const size_t at = kFaultBlock * kBlock + position;
                        faulty[0][at] = fault;
                        const Renders r = render(rate, packet, layout, clean, faulty);
                        for (size_t ch = 0; ch < r.faulty.size(); ++ch) EXPECT_TRUE(allFinite(r.faulty[ch])) << ch;
                        std::vector<float> before(r.faulty[0].begin(), r.faulty[0].begin() + long(at));
                        std::vector<float> cleanBefore(r.clean[0].begin(), r.clean[0].begin() + long(at));
                        EXPECT_EQ(firstDifference(before, cleanBefore), -1) << "before the fault";
                        EXPECT_EQ(firstDifference(tail(r.faulty[0], (kFaultBlock + 1) * kBlock), r.freshFromNextBlock[0]), -1)
                            << "from the next block";
                        if (layout == Layout::Stereo) {
                            EXPECT_EQ(firstDifference(r.faulty[1], r.clean[1]), -1) << "other channel";
                        }
                    }
}

TEST(NonFinite, ResetKeepsTheRateAndClearsEveryState) {
    SOrvanta_Private_Data data{};
    Orvanta_InitChannelStates(96000.0f, &data, sizeof data);
    SOrvanta_Channel_State fresh = data.m_Channels[0];
    SOrvanta_Channel_State& state = data.m_Channels[0];
    state.m_uReserved0 = 77;
    fresh.m_uReserved0 = 77;
    state.m_fNoiseLP4 = std::numeric_limits<float>::infinity();
    state.m_fDelayLine[24] = 1.0f;
    state.m_iWriteIndex = 9;
    EXPECT_FALSE(Orvanta_ChannelStateIsFinite(state));
    Orvanta_ResetChannelState(state);
    EXPECT_EQ(std::memcmp(&state, &fresh, sizeof state), 0);
    EXPECT_TRUE(Orvanta_ChannelStateIsFinite(state));
    // Each field on its own makes the record non-finite.
    for (size_t word = 4; word < 70; ++word) {
        SOrvanta_Channel_State probe = fresh;
        const float nan = std::numeric_limits<float>::quiet_NaN();
        std::memcpy(reinterpret_cast<char*>(&probe) + word * 4, &nan, 4);
        EXPECT_FALSE(Orvanta_ChannelStateIsFinite(probe)) << word;
    }
}
