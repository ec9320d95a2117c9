// What the process callbacks start from: the channel-state records for a
// sample rate and their reset after a fault, the coefficients and per-block
// working values, and the noise source's skipping across its chunk
// boundaries. (That it draws what rand() draws, a sequence of its own per
// thread, and that the callbacks recover to the bit: the reference comparison.)
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "effect/dsp/Orvanta_ChannelState.h"
#include "effect/dsp/Orvanta_NoiseSource.h"
#include "effect/dsp/Orvanta_SignalChain.h"

TEST(ChannelState, RateSettingForEveryKindOfRate) {
    // The six supported rates map to themselves; any other rate to the
    // supported rate nearest by ratio.
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const struct {
        float rate;
        uint32_t multiple;
        int32_t rateCase;
    } cases[] = {{44100, 1, 1},  {48000, 1, 2},  {88200, 2, 3},    {96000, 2, 4},  {176400, 4, 5}, {192000, 4, 6},
                 {48000.5f, 1, 2}, {8000, 1, 1}, {46000, 1, 1},    {46100, 1, 2},  {64000, 1, 2},  {66000, 2, 3},
                 {120000, 2, 4}, {132300, 4, 5}, {384000, 4, 6},   {0, 1, 1},      {-96000, 1, 1}, {nan, 1, 1},
                 {inf, 4, 6}};
    for (const auto& c : cases) {
        const SOrvanta_RateSetting s = Orvanta_RateSettingForSampleRate(c.rate);
        EXPECT_EQ(s.m_uRateMultiple, c.multiple) << c.rate;
        EXPECT_EQ(s.m_iRateCase, c.rateCase) << c.rate;
    }
}

TEST(ChannelState, InitialisesEveryWholeRecordAndNothingElse) {
    constexpr unsigned char kUntouched = 0xA5;
    for (const auto& c : {std::pair<uint32_t, int>{568, 2}, {300, 1}, {284, 1}, {283, 0}, {0, 0}, {852, 3}}) {
        std::vector<unsigned char> block(c.first + 64, kUntouched);
        Orvanta_InitChannelStates(96000.0f, block.data(), c.first);
        for (int i = 0; i < c.second; ++i) {
            SOrvanta_Channel_State r;
            std::memcpy(&r, block.data() + size_t(i) * sizeof r, sizeof r);
            EXPECT_EQ(r.m_uRateMultiple, 2u);
            EXPECT_EQ(r.m_iRateCase, 4);
            EXPECT_EQ(r.m_iWriteIndex, 0);
            EXPECT_EQ(r.m_uReserved0, 0xA5A5A5A5u);  // reserved words keep what they held
            EXPECT_EQ(r.m_uReserved1, 0xA5A5A5A5u);
            for (const float* f = &r.m_fTapShaperLP; f < r.m_fDelayLine + Orvanta::kDelayLineSlots; ++f) EXPECT_EQ(*f, 0.0f);
        }
        for (size_t b = size_t(c.second) * sizeof(SOrvanta_Channel_State); b < block.size(); ++b)
            ASSERT_EQ(block[b], kUntouched) << c.first << " bytes, byte " << b;
    }
    Orvanta_InitChannelStates(48000.0f, nullptr, 568);  // ignored
}

TEST(Coefficients, ColourTypesScaleTheirRateCoefficients) {
    // kOutputLP2, kInputLP, kHarmonicLP and kTapShaperLP (from kTapLP) at 48 kHz.
    const struct { int32_t type; float outputLP2, inputLP, harmonicLP, tapShaperLP; } cases[] = {
        {1, float(double(0.2694f) * 1.1), 0.0015f * 2, 0.12f * 3, 0.0012f * 16},
        {2, float(double(0.2694f) * 0.95), 0.0015f, 0.12f * 0.75f, 0.0012f * 30},  // kInputLP unscaled
        {3, 0.2694f, 0.0015f * 0.125f, 0.12f * 0.25f, 0.0012f * 16},                // kOutputLP2 unscaled
        {4, 0.2694f, 0.0015f * 0.5f, 0.12f * 0.25f, 0.0012f * 16},
        {5, float(double(0.2694f) * 0.8), float(double(0.0015f) * 0.01), 0.12f * 0.125f, 0.0012f * 18},
    };
    for (const auto& c : cases) {
        const SOrvanta_Coefficients k = Orvanta_SelectCoefficients(2, c.type, 0.0f);
        EXPECT_EQ(k.rate.kOutputLP2, c.outputLP2) << c.type;
        EXPECT_EQ(k.rate.kInputLP, c.inputLP) << c.type;
        EXPECT_EQ(k.rate.kHarmonicLP, c.harmonicLP) << c.type;
        EXPECT_EQ(k.kTapShaperLP, c.tapShaperLP) << c.type;
    }
    // The rows that differ between the rates of a pair, and those that halve.
    EXPECT_EQ(Orvanta_SelectCoefficients(1, 2, 0).rate.kEmphasisLP2, 0.8885f);
    EXPECT_EQ(Orvanta_SelectCoefficients(6, 2, 0).rate.kEmphasisLP1, 0.01975f);
    EXPECT_EQ(Orvanta_SelectCoefficients(5, 2, 0).rate.kInputLP, 0.00053f);
    EXPECT_EQ(Orvanta_SelectCoefficients(3, 2, 0).rate.kNoiseLP4 * 0.5f, Orvanta_SelectCoefficients(5, 2, 0).rate.kNoiseLP4);
}

TEST(Coefficients, HarmonicMixAndOutOfRangeRows) {
    const struct { int32_t type; float d2, mix; } cases[] = {{1, 0.5f, 0.05f}, {4, 0.5f, 0.5f}, {5, 0.0f, 0.8f}, {5, 1.0f, 0.35f},
                 {5, 0.49f, float(double(1.0f - 0.49f) * 0.45 + 0.35)}};
    for (const auto& c : cases) EXPECT_EQ(Orvanta_SelectCoefficients(2, c.type, c.d2).color.fHarmonicMix, c.mix);
    EXPECT_EQ(Orvanta_SelectCoefficients(1, 1, 0).color.fDriveMix, 0.333f);  // "Silver" and "Fat" differ
    EXPECT_EQ(Orvanta_SelectCoefficients(1, 4, 0).color.fDriveMix, 0.3333f);
    for (const auto& c : {std::pair<int32_t, int32_t>{0, 1}, {-5, 1}, {7, 6}, {INT32_MAX, 6}, {INT32_MIN, 1}})
        EXPECT_EQ(Orvanta_NearestRateCase(c.first), c.second);
    for (const auto& c : {std::pair<int32_t, int32_t>{0, 1}, {6, 5}, {INT32_MAX, 5}, {3, 3}})
        EXPECT_EQ(Orvanta_NearestColorType(c.first), c.second);
}

TEST(Coefficients, BlockSetupDitherAndDriveNormalisation) {
    SOrvanta_Channel_State record{};
    record.m_uRateMultiple = 1;
    record.m_iRateCase = 2;
    const struct {
        int32_t dither, color;
        float d, ditherAmt, ditherMod, driveNorm;
    } cases[] = {{1, 2, 0.0f, 0.0f, 0.0f, 0.5f}, {2, 2, 0.0f, 0.00948f, 0.3f, 0.5f}, {2, 2, 1.0f, 0.00948f, 0.3f, 2.0f},
                 {1, 1, 0.0f, 0.0f, 0.0f, 0.25f}, {1, 1, 1.0f, 0.0f, 0.0f, 2.0f},    {7, 3, 0.0f, 0.0f, 0.0f, 0.5f}};
    for (const auto& c : cases) {
        const OrvantaChain::BlockSetup s = OrvantaChain::prepareBlock({0.5f, c.d, 1.0f, c.dither, c.color}, record);
        EXPECT_EQ(s.ditherIntoLine, c.ditherAmt);  // computed in double: the same as the float constants
        EXPECT_EQ(s.ditherIntoSteering, c.ditherMod);
        EXPECT_EQ(s.driveNorm, c.driveNorm);
        EXPECT_EQ(s.driveNormInv, 1.0f / c.driveNorm);
    }
}

TEST(NoiseSource, NextAndSkipFollowTheSameSequence) {
    for (int32_t skip : {0, 1, 30, 31, 32, 127, 128, 129, 4096}) {
        Orvanta_NoiseSource skipped, drawn;
        skipped.Skip(skip);
        for (int32_t i = 0; i < skip; ++i) drawn.Next();
        EXPECT_EQ(skipped.Next(), drawn.Next()) << skip;
    }
}

TEST(ChannelState, ResetAfterAFaultKeepsTheRateAndClearsEveryState) {
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
