// Behaviour of the process callbacks: the plain delay of the neutral
// settings, gain, state bookkeeping, batches, buffers, block sizes, channel
// independence and inputs outside the supported ranges.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "dsp_test_support.h"
#include "effect/dsp/Orvanta_SignalChain.h"

using namespace dsptest;

namespace {

const Layout kLayouts[] = {Layout::Mono, Layout::Stereo};

const char* nameOf(Layout layout) { return layout == Layout::Mono ? "mono" : "stereo"; }

// The delay of the fixed tap: 6 * rate multiple + 1.
int32_t delayAt(float rate) { return 6 * int32_t(Orvanta_RateSettingForSampleRate(rate).m_uRateMultiple) + 1; }

std::vector<float> delayed(const std::vector<float>& in, int32_t delay, float gain) {
    std::vector<float> out(in.size(), 0.0f);
    for (size_t i = size_t(delay); i < in.size(); ++i) out[i] = in[i - size_t(delay)] * gain;
    return out;
}

}  // namespace

TEST(Process, NeutralSettingsAreAPlainDelayAtEveryRate) {
    struct Case {
        const char* name;
        SOrvanta_Knob_Packet packet;
        float gain;
    };
    const float plus6dB = float(std::pow(10.0, 6.0 / 20.0));
    const Case cases[] = {
        {"defaults", defaultsPacket(), 1.0f},
        {"bypass", bypassPacket(), 1.0f},
        {"defaults at +6 dB", {0.0f, 0.0f, plus6dB, Orvanta::kDitherOff, 2}, plus6dB},
    };
    std::vector<float> signal[2] = {testSignal(700), testSignal(700, 0.4)};
    signal[0][3] = 2.0f;  // beyond the curve's range: comes out unlimited
    signal[1][5] = -7.5f;
    for (const Case& c : cases)
        for (Layout layout : kLayouts)
            for (float rate : Orvanta::kSupportedSampleRates) {
                SCOPED_TRACE(testing::Message() << c.name << ", " << nameOf(layout) << ", " << rate << " Hz");
                Instance instance(rate, c.packet);
                const auto out = instance.process(layout, signal, 64);
                for (size_t ch = 0; ch < out.size(); ++ch)
                    EXPECT_EQ(firstDifference(out[ch], delayed(signal[ch], delayAt(rate), c.gain)), -1);
            }
    EXPECT_NEAR(plus6dB, 1.995262f, 1e-6f);
}

TEST(Process, DitherOnSilenceGivesDelayedLowLevelNoise) {
    for (Layout layout : kLayouts) {
        SCOPED_TRACE(nameOf(layout));
        const std::vector<float> silence[2] = {std::vector<float>(4000, 0.0f), std::vector<float>(4000, 0.0f)};
        Instance instance(48000.0f, {0.0f, 0.0f, 1.0f, Orvanta::kDitherOn, 2});
        const auto out = instance.process(layout, silence, 256);
        for (const auto& channel : out) {
            for (size_t i = 0; i < 7; ++i) EXPECT_EQ(channel[i], 0.0f);
            float peak = 0.0f;
            for (float v : channel) peak = std::max(peak, std::fabs(v));
            EXPECT_GT(peak, 0.0f);
            EXPECT_LT(peak, 0.00948f * 0.05f);
        }
    }
}

TEST(Process, HarmonicOnSilenceStartsWithASmallDecayingOffset) {
    const std::vector<float> silence[1] = {std::vector<float>(48000, 0.0f)};
    Instance instance(48000.0f, {1.0f, 0.0f, 1.0f, Orvanta::kDitherOff, 2});
    const auto out = instance.process(Layout::Mono, silence, 512)[0];
    float early = 0.0f, late = 0.0f;
    for (size_t i = 0; i < 2000; ++i) early = std::max(early, std::fabs(out[i]));
    for (size_t i = 40000; i < out.size(); ++i) late = std::max(late, std::fabs(out[i]));
    EXPECT_GT(early, 0.0f);
    EXPECT_LT(early, 0.01f);
    EXPECT_LT(late, early * 0.1f);
}

TEST(Process, WriteIndexAdvancesByBlockLengthModuloLineLength) {
    struct Case {
        float rate;
        int32_t lineLength;
    };
    const Case cases[] = {{44100.0f, 13}, {96000.0f, 25}, {192000.0f, 49}};
    const int32_t blocks[] = {1, 12, 13, 14, 100, 4096};
    for (const Case& c : cases)
        for (Layout layout : kLayouts)
            for (int32_t n : blocks) {
                SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << nameOf(layout) << ", N = " << n);
                const std::vector<float> signal[2] = {testSignal(size_t(n)), testSignal(size_t(n))};
                Instance instance(c.rate, busyPacket(3));
                instance.data.m_Channels[0].m_iWriteIndex = 5;
                instance.data.m_Channels[1].m_iWriteIndex = 9;
                instance.block(layout, signal, 0, n);
                EXPECT_EQ(instance.data.m_Channels[0].m_iWriteIndex, (5 + n) % c.lineLength);
                EXPECT_EQ(instance.data.m_Channels[1].m_iWriteIndex, layout == Layout::Mono ? 9 : (9 + n) % c.lineLength);
            }
}

TEST(Process, EmptyOrNegativeBlockTouchesNothing) {
    for (Layout layout : kLayouts)
        for (int32_t n : {0, -1, -4096}) {
            Instance instance(48000.0f, busyPacket(4));
            const std::vector<float> signal[2] = {testSignal(300), testSignal(300)};
            instance.process(layout, signal, 100);
            const SOrvanta_Private_Data before = instance.data;
            float sample[2] = {0.25f, -0.25f};
            instance.inputs[0] = instance.outputs[0] = &sample[0];
            instance.inputs[1] = instance.outputs[1] = &sample[1];
            instance.length = n;
            instance.run(layout);
            EXPECT_EQ(std::memcmp(&before, &instance.data, sizeof before), 0);
            EXPECT_EQ(sample[0], 0.25f);
            EXPECT_EQ(sample[1], -0.25f);
        }
}

TEST(Process, BatchKeepsSeparateStatesAndRunsTheNoiseOn) {
    for (Layout layout : kLayouts) {
        SCOPED_TRACE(nameOf(layout));
        const std::vector<float> a[2] = {testSignal(512, 0.1), testSignal(512, 0.2)};
        const std::vector<float> b[2] = {testSignal(512, 2.1), testSignal(512, 2.2)};
        // Two instances in one call ...
        Instance batchA(48000.0f, busyPacket(5)), batchB(48000.0f, busyPacket(2));
        onFreshThread([&] {
            batchA.load(layout, a, 0, 512);
            batchB.load(layout, b, 0, 512);
            SOrvanta_Alg_Context* batch[2] = {&batchA.context, &batchB.context};
            if (layout == Layout::Mono)
                Orvanta_AlgorithmProcessFunction(batch, batch + 2);
            else
                Orvanta_AlgorithmProcessFunctionStereo(batch, batch + 2);
        });
        // ... equal one call each, in the same order on one thread.
        Instance aloneA(48000.0f, busyPacket(5)), aloneB(48000.0f, busyPacket(2));
        onFreshThread([&] {
            aloneA.block(layout, a, 0, 512);
            aloneB.block(layout, b, 0, 512);
        });
        EXPECT_EQ(std::memcmp(&batchA.data, &aloneA.data, sizeof batchA.data), 0);
        EXPECT_EQ(std::memcmp(&batchB.data, &aloneB.data, sizeof batchB.data), 0);
        for (int ch = 0; ch < (layout == Layout::Mono ? 1 : 2); ++ch) {
            EXPECT_EQ(firstDifference(batchA.out[ch], aloneA.out[ch]), -1);
            EXPECT_EQ(firstDifference(batchB.out[ch], aloneB.out[ch]), -1);
        }
        // The second instance continued the noise sequence: alone on a fresh
        // thread it would have drawn other noise.
        Instance freshB(48000.0f, busyPacket(2));
        onFreshThread([&] { freshB.block(layout, b, 0, 512); });
        EXPECT_NE(std::memcmp(&freshB.data, &batchB.data, sizeof freshB.data), 0);
    }
}

TEST(Process, InPlaceEqualsOutOfPlace) {
    for (Layout layout : kLayouts) {
        SCOPED_TRACE(nameOf(layout));
        const std::vector<float> signal[2] = {testSignal(1000, 0.5), testSignal(1000, 0.9)};
        Instance separate(88200.0f, busyPacket(1));
        std::vector<std::vector<float>> expected;
        onFreshThread([&] { expected = separate.process(layout, signal, 1000); });

        Instance inPlace(88200.0f, busyPacket(1));
        std::vector<float> buffers[2] = {signal[0], signal[1]};
        onFreshThread([&] {
            for (int ch = 0; ch < 2; ++ch) inPlace.inputs[ch] = inPlace.outputs[ch] = buffers[ch].data();
            inPlace.length = 1000;
            inPlace.run(layout);
        });
        for (size_t ch = 0; ch < expected.size(); ++ch) EXPECT_EQ(firstDifference(buffers[ch], expected[ch]), -1);
    }
}

TEST(Process, StereoChannelZeroWritingIntoChannelOneInputKeepsChannelOrder) {
    // Channel 0's output buffer is channel 1's input: channel 1 must hear
    // what channel 0 wrote, as the channel order defines.
    const std::vector<float> signal = testSignal(600, 0.3);
    Instance shared(48000.0f, busyPacket(2));
    std::vector<float> in0 = signal, middle(600, 0.0f), out1(600, 0.0f);
    onFreshThread([&] {
        shared.inputs[0] = in0.data();
        shared.outputs[0] = middle.data();
        shared.inputs[1] = middle.data();
        shared.outputs[1] = out1.data();
        shared.length = 600;
        shared.run(Layout::Stereo);
    });
    // Channel 0 alone gives the middle signal; feeding that to channel 1
    // through separate buffers gives the same channel 1 output.
    Instance firstPass(48000.0f, busyPacket(2)), secondPass(48000.0f, busyPacket(2));
    onFreshThread([&] {
        const std::vector<float> sig[2] = {signal, std::vector<float>(600, 0.0f)};
        firstPass.block(Layout::Stereo, sig, 0, 600);
    });
    onFreshThread([&] {
        const std::vector<float> sig[2] = {signal, firstPass.out[0]};
        secondPass.block(Layout::Stereo, sig, 0, 600);
    });
    EXPECT_EQ(firstDifference(middle, firstPass.out[0]), -1);
    EXPECT_EQ(firstDifference(out1, secondPass.out[1]), -1);
}

TEST(Process, BlockSizeDoesNotChangeTheOutput) {
    struct Case {
        Layout layout;
        SOrvanta_Knob_Packet packet;
    };
    // Stereo draws a whole block's noise per channel in turn, so only without
    // dither is it independent of the block size.
    const Case cases[] = {
        {Layout::Mono, busyPacket(3)},
        {Layout::Mono, busyPacket(5)},
        {Layout::Stereo, {0.6f, 0.7f, 1.0f, Orvanta::kDitherOff, 3}},
        {Layout::Stereo, {0.9f, 1.0f, 1.2f, Orvanta::kDitherOff, 1}},
    };
    const std::vector<float> signal[2] = {testSignal(8192, 0.7), testSignal(8192, 1.7)};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << nameOf(c.layout) << ", colour " << c.packet.m_iColor);
        std::vector<std::vector<float>> reference;
        for (int32_t blockSize : {4096, 1, 7, 64}) {
            Instance instance(96000.0f, c.packet);
            std::vector<std::vector<float>> out;
            onFreshThread([&] { out = instance.process(c.layout, signal, blockSize); });
            if (reference.empty()) reference = out;
            for (size_t ch = 0; ch < out.size(); ++ch)
                EXPECT_EQ(firstDifference(out[ch], reference[ch]), -1) << "block size " << blockSize;
        }
    }
}

TEST(Process, StereoChannelsAreIndependent) {
    const std::vector<float> music = testSignal(3000, 0.2), other = testSignal(3000, 4.0);
    const std::vector<float> silence(3000, 0.0f);
    auto run = [](const SOrvanta_Knob_Packet& packet, const std::vector<float>& left, const std::vector<float>& right) {
        Instance instance(48000.0f, packet);
        const std::vector<float> signal[2] = {left, right};
        std::vector<std::vector<float>> out;
        onFreshThread([&] { out = instance.process(Layout::Stereo, signal, 256); });
        return out;
    };
    const SOrvanta_Knob_Packet noDither = {0.8f, 0.6f, 1.0f, Orvanta::kDitherOff, 4};
    const SOrvanta_Knob_Packet dither = {0.8f, 0.6f, 1.0f, Orvanta::kDitherOn, 4};

    // Neutral settings: a silent channel stays exactly silent.
    EXPECT_EQ(firstDifference(run(defaultsPacket(), music, silence)[1], silence), -1);
    // Same input, no dither: same output; with dither each channel has its own noise.
    const auto same = run(noDither, music, music);
    EXPECT_EQ(firstDifference(same[0], same[1]), -1);
    const auto dithered = run(dither, music, music);
    EXPECT_NE(firstDifference(dithered[0], dithered[1]), -1);
    // Channel 1 does not hear channel 0, and channel 0 does not hear channel 1.
    EXPECT_EQ(firstDifference(run(noDither, music, silence)[1], run(noDither, other, silence)[1]), -1);
    EXPECT_EQ(firstDifference(run(noDither, music, other)[0], run(noDither, music, silence)[0]), -1);
    // With Dynamic up, a silent channel puts out only a tiny offset.
    const auto quiet = run(noDither, music, silence)[1];
    float peak = 0.0f;
    for (float v : quiet) peak = std::max(peak, std::fabs(v));
    EXPECT_LT(peak, 1e-3f);
}

TEST(Process, TapOffsetQuantiser) {
    using OrvantaChain::tapOffset;
    struct Case {
        double threshold;
        int32_t above;  // offset just above the threshold; at or below it: one less
    };
    const Case cases[] = {{0.5, 6},        {0.4165, 5},  {0.3325, 4},   {0.2465, 3},   {0.11655, 2},  {0.0415, 1},
                          {0.0, 0},        {-0.0415, -1}, {-0.11655, -2}, {-0.2465, -3}, {-0.3325, -4}, {-0.4165, -5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.threshold);
        // The floats on either side of the double threshold.
        float below = float(c.threshold);
        if (double(below) > c.threshold) below = std::nextafter(below, -1.0f);
        const float above = std::nextafter(below, 1.0f);
        EXPECT_EQ(tapOffset(above), c.above);
        EXPECT_EQ(tapOffset(below), c.above - 1);
    }
    EXPECT_EQ(tapOffset(0.0f), -1);
    EXPECT_EQ(tapOffset(-0.0f), -1);
    EXPECT_EQ(tapOffset(std::numeric_limits<float>::quiet_NaN()), -6);
    EXPECT_EQ(tapOffset(-std::numeric_limits<float>::infinity()), -6);
    EXPECT_EQ(tapOffset(std::numeric_limits<float>::infinity()), 6);
    EXPECT_EQ(tapOffset(-1.0f), -6);

    // The two-lane form counts the same thresholds in each lane.
    for (float a = -0.6f; a < 0.6f; a += 0.0001f) {
        const float b = -a * 0.7f;
        int32_t offsets[2];
        OrvantaChain::tapOffsets(OrvantaChain::Float2{a, b}, offsets);
        ASSERT_EQ(offsets[0], tapOffset(a)) << a;
        ASSERT_EQ(offsets[1], tapOffset(b)) << b;
    }
}

// Hosts and stray records the supported ranges do not cover. The private data
// lives in its own heap block of exactly 568 bytes, so the sanitizer build
// catches any access outside it.
TEST(Process, UnsupportedRatesAndPacketFieldsStayInsideTheRecords) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const float rates[] = {0.0f, -48000.0f, 8000.0f, 22050.0f, 32000.0f, 64000.0f, 132300.0f,
                           150000.0f, 384000.0f, 1e9f, nan, inf, -inf};
    const SOrvanta_Knob_Packet packets[] = {
        {0.7f, 1.0f, 1.0f, 0, -3},         {0.7f, 1.0f, 1.0f, 3, 0},         {1.0f, 1.0f, 2.0f, 2, 6},
        {0.5f, 0.5f, 1.0f, -7, 1000},      {nan, nan, nan, 2, 5},            {inf, -inf, 1.0f, 2, INT32_MIN},
        {4.0f, 30.0f, 1.0f, INT32_MAX, 3},
    };
    const std::vector<float> signal = testSignal(700);
    for (float rate : rates)
        for (const SOrvanta_Knob_Packet& packet : packets)
            for (Layout layout : kLayouts) {
                auto data = std::make_unique<SOrvanta_Private_Data>();
                Orvanta_InitChannelStates(rate, data.get(), sizeof *data);
                std::vector<float> in0 = signal, in1 = signal, out0(700), out1(700);
                float* inputs[2] = {in0.data(), in1.data()};
                float* outputs[2] = {out0.data(), out1.data()};
                const int32_t length = 700;
                SOrvanta_Alg_Context context = {&packet, data.get(), inputs, outputs, &length};
                SOrvanta_Alg_Context* batch[1] = {&context};
                if (layout == Layout::Mono)
                    Orvanta_AlgorithmProcessFunction(batch, batch + 1);
                else
                    Orvanta_AlgorithmProcessFunctionStereo(batch, batch + 1);
                const int32_t lineLength = 12 * int32_t(data->m_Channels[0].m_uRateMultiple) + 1;
                EXPECT_GE(data->m_Channels[0].m_iWriteIndex, 0);
                EXPECT_LT(data->m_Channels[0].m_iWriteIndex, lineLength);
            }
}

TEST(Process, StrayRecordsStayInsideTheDelayLine) {
    struct Case {
        uint32_t rateMultiple;
        int32_t rateCase;
        int32_t writeIndex;
    };
    const Case cases[] = {{0, 0, 0}, {3, 99, 12}, {8, -1, 48}, {4, 6, 1000}, {2, 4, -5}, {0xFFFFFFFFu, 2, INT32_MIN}};
    const std::vector<float> signal = testSignal(300);
    for (const Case& c : cases)
        for (Layout layout : kLayouts) {
            auto data = std::make_unique<SOrvanta_Private_Data>();
            Orvanta_InitChannelStates(48000.0f, data.get(), sizeof *data);
            for (auto& record : data->m_Channels) {
                record.m_uRateMultiple = c.rateMultiple;
                record.m_iRateCase = c.rateCase;
                record.m_iWriteIndex = c.writeIndex;
            }
            std::vector<float> in0 = signal, in1 = signal, out0(300), out1(300);
            float* inputs[2] = {in0.data(), in1.data()};
            float* outputs[2] = {out0.data(), out1.data()};
            const int32_t length = 300;
            const SOrvanta_Knob_Packet packet = busyPacket(2);
            SOrvanta_Alg_Context context = {&packet, data.get(), inputs, outputs, &length};
            SOrvanta_Alg_Context* batch[1] = {&context};
            if (layout == Layout::Mono)
                Orvanta_AlgorithmProcessFunction(batch, batch + 1);
            else
                Orvanta_AlgorithmProcessFunctionStereo(batch, batch + 1);
            EXPECT_GE(data->m_Channels[0].m_iWriteIndex, 0);
            EXPECT_LT(data->m_Channels[0].m_iWriteIndex, Orvanta::kDelayLineSlots);
        }
}

TEST(Process, OutOfRangeFieldsActLikeTheNearestSupportedValue) {
    struct Case {
        const char* name;
        float rate, nearestRate;
        SOrvanta_Knob_Packet packet, nearestPacket;
    };
    const Case cases[] = {
        {"22.05 kHz as 44.1 kHz", 22050.0f, 44100.0f, busyPacket(2), busyPacket(2)},
        {"64 kHz as 48 kHz", 64000.0f, 48000.0f, busyPacket(4), busyPacket(4)},
        {"384 kHz as 192 kHz", 384000.0f, 192000.0f, busyPacket(1), busyPacket(1)},
        {"colour 0 as Silver", 48000.0f, 48000.0f, busyPacket(0), busyPacket(1)},
        {"colour 9 as Deep", 48000.0f, 48000.0f, busyPacket(9), busyPacket(5)},
        {"dither 3 as off", 48000.0f, 48000.0f, {0.6f, 0.7f, 1.0f, 3, 2}, {0.6f, 0.7f, 1.0f, 1, 2}},
        {"dither 0 as off", 48000.0f, 48000.0f, {0.6f, 0.7f, 1.0f, 0, 2}, {0.6f, 0.7f, 1.0f, 1, 2}},
    };
    const std::vector<float> signal[2] = {testSignal(2000, 0.1), testSignal(2000, 0.6)};
    for (const Case& c : cases)
        for (Layout layout : kLayouts) {
            SCOPED_TRACE(testing::Message() << c.name << ", " << nameOf(layout));
            Instance odd(c.rate, c.packet), nearest(c.nearestRate, c.nearestPacket);
            std::vector<std::vector<float>> a, b;
            onFreshThread([&] { a = odd.process(layout, signal, 333); });
            onFreshThread([&] { b = nearest.process(layout, signal, 333); });
            for (size_t ch = 0; ch < a.size(); ++ch) EXPECT_EQ(firstDifference(a[ch], b[ch]), -1);
        }
}

TEST(Process, IncompleteContextsInABatchAreSkipped) {
    const std::vector<float> signal[2] = {testSignal(64), testSignal(64)};
    Instance good(48000.0f, busyPacket(3));
    good.load(Layout::Mono, signal, 0, 64);
    SOrvanta_Alg_Context noPacket = good.context;
    noPacket.m_pPacket = nullptr;
    SOrvanta_Alg_Context noLength = good.context;
    noLength.m_pBufferLength = nullptr;
    SOrvanta_Alg_Context* batch[4] = {nullptr, &noPacket, &good.context, &noLength};
    Orvanta_AlgorithmProcessFunction(batch, batch + 4);
    Orvanta_AlgorithmProcessFunctionStereo(batch, batch);      // empty batch
    Orvanta_AlgorithmProcessFunctionStereo(batch + 2, batch);  // end before begin
    EXPECT_EQ(good.data.m_Channels[0].m_iWriteIndex, 64 % 13);
}
