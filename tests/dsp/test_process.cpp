// The process callbacks' bookkeeping, batches, buffers, tap quantiser and out-of-range inputs.
// (The sound, neutral settings included: golden outputs, reference comparison, tests/runtime.)
#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "dsp_test_support.h"
#include "effect/dsp/Orvanta_SignalChain.h"

using namespace dsptest;

namespace {

const Layout kLayouts[] = {Layout::Mono, Layout::Stereo};

Signals processFresh(float rate, const SOrvanta_Knob_Packet& packet, Layout layout, const Signals& signal,
                     int32_t blockSize) {
    return onFreshThread([&] { return Instance(rate, packet).process(layout, signal, blockSize); });
}

}  // namespace

TEST(Process, WriteIndexAdvancesAndEmptyBlocksTouchNothing) {
    struct Case { float rate; int32_t lineLength; };
    for (const Case& c : {Case{44100.0f, 13}, Case{96000.0f, 25}, Case{192000.0f, 49}})
        for (Layout layout : kLayouts)
            for (int32_t n : {1, 12, 13, 14, 100, 4096, 0, -1, -4096}) {
                Instance instance(c.rate, busyPacket(3));
                instance.process(layout, signals(layout, 300), 100);
                instance.data.m_Channels[0].m_iWriteIndex = 5;
                instance.data.m_Channels[1].m_iWriteIndex = 9;
                const SOrvanta_Private_Data before = instance.data;
                instance.load(signals(layout, size_t(std::max(n, 1))), 0, std::max(n, 1));
                instance.length = n;
                instance.run(layout);
                if (n <= 0) {
                    EXPECT_EQ(std::memcmp(&before, &instance.data, sizeof before), 0);
                    EXPECT_EQ(instance.out[0][0], -99.0f);
                    continue;
                }
                EXPECT_EQ(instance.data.m_Channels[0].m_iWriteIndex, (5 + n) % c.lineLength);
                EXPECT_EQ(instance.data.m_Channels[1].m_iWriteIndex, layout == Layout::Mono ? 9 : (9 + n) % c.lineLength);
            }
}

TEST(Process, BatchKeepsSeparateStatesAndRunsTheNoiseOn) {
    for (Layout layout : kLayouts) {
        const Signals a = signals(layout, 512);
        Signals b = {testSignal(512, 2.1), testSignal(512, 2.2)};
        b.resize(a.size());
        Instance batchA(48000.0f, busyPacket(5)), batchB(48000.0f, busyPacket(2));
        Instance aloneA(48000.0f, busyPacket(5)), aloneB(48000.0f, busyPacket(2)), freshB(48000.0f, busyPacket(2));
        onFreshThread([&] {  // both in one call ...
            batchA.load(a, 0, 512);
            batchB.load(b, 0, 512);
            SOrvanta_Alg_Context* batch[2] = {&batchA.context, &batchB.context};
            (layout == Layout::Mono ? Orvanta_AlgorithmProcessFunction : Orvanta_AlgorithmProcessFunctionStereo)(batch, batch + 2);
        });
        onFreshThread([&] {  // ... equal one call each, in order, on one thread
            aloneA.process(layout, a, 512);
            aloneB.process(layout, b, 512);
        });
        onFreshThread([&] { freshB.process(layout, b, 512); });
        EXPECT_EQ(std::memcmp(&batchA.data, &aloneA.data, sizeof batchA.data), 0);
        EXPECT_EQ(std::memcmp(&batchB.data, &aloneB.data, sizeof batchB.data), 0);
        EXPECT_EQ(firstDifference(batchB.out[0], aloneB.out[0]), -1);
        EXPECT_NE(std::memcmp(&freshB.data, &batchB.data, sizeof freshB.data), 0);  // B drew after A
    }
}

TEST(Process, SharedBuffersActAsIfEachSampleIsReadBeforeItsOutputIsWritten) {
    constexpr int32_t kN = 600;
    const Signals separate = signals(Layout::Stereo, kN);
    for (Layout layout : kLayouts) {  // in place: the same as separate buffers
        const Signals buffers(separate.begin(), separate.begin() + (layout == Layout::Mono ? 1 : 2));
        const Signals expected = processFresh(48000.0f, busyPacket(2), layout, buffers, kN);
        Instance inPlace(48000.0f, busyPacket(2));
        inPlace.inPlace = true;
        const Signals got = onFreshThread([&] { return inPlace.process(layout, buffers, kN); });
        for (size_t ch = 0; ch < buffers.size(); ++ch) EXPECT_EQ(firstDifference(got[ch], expected[ch]), -1);
    }
    {  // mono output one sample ahead of its input: sample i + 1 reads output i
        std::vector<float> buffer = testSignal(kN + 1), expected(kN);
        Instance shifted(48000.0f, busyPacket(2)), oneByOne(48000.0f, busyPacket(2));
        onFreshThread([&] { shifted.runOn(Layout::Mono, {buffer.data()}, {buffer.data() + 1}, kN); });
        onFreshThread([&] {
            float x = testSignal(1)[0];
            for (int32_t i = 0; i < kN; ++i) {
                oneByOne.load({{x}}, 0, 1);
                oneByOne.run(Layout::Mono);
                x = expected[size_t(i)] = oneByOne.out[0][0];
            }
        });
        EXPECT_EQ(firstDifference(std::vector<float>(buffer.begin() + 1, buffer.end()), expected), -1);
    }
    {  // stereo channel 0 writes channel 1's input: channel 1 hears channel 0's result
        std::vector<float> in0 = separate[0], middle(kN), out1(kN);
        Instance shared(48000.0f, busyPacket(2)), first(48000.0f, busyPacket(2)), second(48000.0f, busyPacket(2));
        onFreshThread([&] {
            shared.runOn(Layout::Stereo, {in0.data(), middle.data()}, {middle.data(), out1.data()}, kN);
        });
        onFreshThread([&] { first.process(Layout::Stereo, separate, kN); });
        onFreshThread([&] { second.process(Layout::Stereo, {separate[0], first.out[0]}, kN); });
        EXPECT_EQ(firstDifference(middle, first.out[0]), -1);
        EXPECT_EQ(firstDifference(out1, second.out[1]), -1);
    }
}

TEST(Process, TapOffsetQuantiser) {
    using OrvantaChain::tapOffset;
    // Each threshold with the offset just above it; at or below it: one less.
    const std::pair<double, int32_t> cases[] = {{0.5, 6},     {0.4165, 5},    {0.3325, 4},   {0.2465, 3},
                                                {0.11655, 2}, {0.0415, 1},    {0.0, 0},      {-0.0415, -1},
                                                {-0.11655, -2}, {-0.2465, -3}, {-0.3325, -4}, {-0.4165, -5}};
    for (const auto& c : cases) {
        // The floats either side of the threshold; the vector form compares with the one below it.
        const float below = OrvantaChain::floatAtOrBelow(c.first), above = std::nextafter(below, 1.0f);
        EXPECT_LE(double(below), c.first);
        EXPECT_GT(double(above), c.first);
        EXPECT_EQ(tapOffset(above), c.second) << c.first;
        EXPECT_EQ(tapOffset(below), c.second - 1) << c.first;
        for (float v : {std::nextafter(below, -1.0f), below, above, -below, -above})
            EXPECT_EQ(OrvantaChain::thresholdsExceeded(v) + OrvantaChain::kTapOffsetMin, tapOffset(v)) << v;
    }
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(tapOffset(-0.0f), -1);
    EXPECT_EQ(tapOffset(std::numeric_limits<float>::quiet_NaN()), -6);
    EXPECT_EQ(tapOffset(-inf), -6);
    EXPECT_EQ(tapOffset(inf), 6);
    EXPECT_EQ(OrvantaChain::thresholdsExceeded(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(OrvantaChain::thresholdsExceeded(-inf), 0);
    EXPECT_EQ(OrvantaChain::thresholdsExceeded(inf), 12);
}

// Out-of-range rates, packet fields and records act like the nearest supported value; the private
// data is a heap block of its own, so the sanitizer build catches any access outside it.
TEST(Process, OutOfRangeInputsActLikeTheNearestSupportedValue) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    // strayMultiple and strayWriteIndex: written into the records when the multiple is not 0.
    struct Case { float rate, nearestRate; SOrvanta_Knob_Packet packet, nearestPacket; uint32_t strayMultiple;
                  int32_t strayWriteIndex; };
    const SOrvanta_Knob_Packet busy = busyPacket(2), off = {0.6f, 0.7f, 1.0f, 1, 2};
    const Case cases[] = {
        {22050.0f, 44100.0f, busy, busy, 0, 0},     {64000.0f, 48000.0f, busy, busy, 0, 0},
        {384000.0f, 192000.0f, busy, busy, 0, 0},   {0.0f, 44100.0f, busy, busy, 0, 0},
        {-96000.0f, 44100.0f, busy, busy, 0, 0},    {nan, 44100.0f, busy, busy, 0, 0},
        {inf, 192000.0f, busy, busy, 0, 0},         {48000.0f, 48000.0f, busyPacket(0), busyPacket(1), 0, 0},
        {48000.0f, 48000.0f, busyPacket(9), busyPacket(5), 0, 0},
        {48000.0f, 48000.0f, {0.6f, 0.7f, 1.0f, 3, 2}, off, 0, 0},
        {48000.0f, 48000.0f, {0.6f, 0.7f, 1.0f, 0, 2}, off, 0, 0},
        {48000.0f, 48000.0f, busy, busy, 3, 12},    // a stray multiple runs the 13-slot line
        {48000.0f, 48000.0f, busy, busy, 1, 1000 * 13},
    };
    const Signals stereo = signals(Layout::Stereo, 1500);
    for (const Case& c : cases)
        for (Layout layout : kLayouts) {
            SCOPED_TRACE(testing::Message() << c.rate << " Hz, colour " << c.packet.m_iColor << ", dither " << c.packet.m_iDither);
            auto data = std::make_unique<SOrvanta_Private_Data>();
            Orvanta_InitChannelStates(c.rate, data.get(), sizeof *data);
            for (auto& record : data->m_Channels)
                if (c.strayMultiple != 0) record.m_uRateMultiple = c.strayMultiple, record.m_iWriteIndex = c.strayWriteIndex;
            const Signals signal(stereo.begin(), stereo.begin() + (layout == Layout::Mono ? 1 : 2));
            Instance odd(c.rate, c.packet);
            odd.context.m_pPrivateData = data.get();
            const Signals a = onFreshThread([&] { return odd.process(layout, signal, 333); });
            const Signals b = processFresh(c.nearestRate, c.nearestPacket, layout, signal, 333);
            for (size_t ch = 0; ch < a.size(); ++ch) EXPECT_EQ(firstDifference(a[ch], b[ch]), -1);
            EXPECT_LT(data->m_Channels[0].m_iWriteIndex, 12 * int32_t(Orvanta_RateSettingForSampleRate(c.nearestRate).m_uRateMultiple) + 1);
        }
    // Fields no host sends: whatever comes out, it comes from inside the records.
    for (const SOrvanta_Knob_Packet& packet : {SOrvanta_Knob_Packet{nan, nan, nan, 2, 5}, {inf, -inf, 1.0f, 2, INT32_MIN},
                                               {4.0f, 30.0f, 1.0f, INT32_MAX, 3}})
        for (Layout layout : kLayouts) Instance(48000.0f, packet).process(layout, signals(layout, 700), 700);
}

TEST(Process, IncompleteContextsInABatchAreSkipped) {
    Instance good(48000.0f, busyPacket(3));
    good.load(signals(Layout::Mono, 64), 0, 64);
    SOrvanta_Alg_Context noPacket = good.context, noLength = good.context;
    noPacket.m_pPacket = nullptr;
    noLength.m_pBufferLength = nullptr;
    SOrvanta_Alg_Context* batch[4] = {nullptr, &noPacket, &good.context, &noLength};
    Orvanta_AlgorithmProcessFunction(batch, batch + 4);
    Orvanta_AlgorithmProcessFunctionStereo(batch, batch);      // empty batch
    Orvanta_AlgorithmProcessFunctionStereo(batch + 2, batch);  // end before begin
    EXPECT_EQ(good.data.m_Channels[0].m_iWriteIndex, 64 % 13);
}
