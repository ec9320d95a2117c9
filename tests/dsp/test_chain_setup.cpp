// What the process callbacks start from: channel-state records, coefficients at the edges of their
// ranges, per-block values. (Table constants at every rate and colour type, and the noise source's
// skipping: the golden outputs and the reference comparison.)
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "effect/dsp/Orvanta_ChannelState.h"
#include "effect/dsp/Orvanta_SignalChain.h"

TEST(ChannelState, RateSettingForEveryKindOfRate) {
    // Supported rates map to themselves, any other to the nearest by ratio.
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const struct { float rate; uint32_t multiple; int32_t rateCase; } cases[] = {
        {44100, 1, 1},  {48000, 1, 2},  {88200, 2, 3},    {96000, 2, 4},  {176400, 4, 5}, {192000, 4, 6},
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

TEST(Coefficients, HarmonicMixAndOutOfRangeRows) {
    // "Deep" over the whole Dynamic range (the golden outputs hold one setting).
    const struct { int32_t type; float d2, mix; } cases[] = {
        {1, 0.5f, 0.05f}, {5, 0.0f, 0.8f}, {5, 1.0f, 0.35f},
        {5, 0.49f, float(double(1.0f - 0.49f) * 0.45 + 0.35)}};
    for (const auto& c : cases) EXPECT_EQ(Orvanta_SelectCoefficients(2, c.type, c.d2).color.fHarmonicMix, c.mix);
    for (const auto& c : {std::pair<int32_t, int32_t>{0, 1}, {-5, 1}, {7, 6}, {INT32_MAX, 6}, {INT32_MIN, 1}})
        EXPECT_EQ(Orvanta_NearestRateCase(c.first), c.second);
    for (const auto& c : {std::pair<int32_t, int32_t>{0, 1}, {6, 5}, {INT32_MAX, 5}, {3, 3}})
        EXPECT_EQ(Orvanta_NearestColorType(c.first), c.second);
}

TEST(Coefficients, BlockSetupDitherAndDriveNormalisation) {
    SOrvanta_Channel_State record{};
    record.m_uRateMultiple = 1;
    record.m_iRateCase = 2;
    const struct { int32_t dither, color; float d, ditherAmt, ditherMod, driveNorm; } cases[] = {
        {1, 2, 0, 0, 0, 0.5f},  {2, 2, 0, 0.00948f, 0.3f, 0.5f}, {2, 2, 1, 0.00948f, 0.3f, 2},
        {1, 1, 0, 0, 0, 0.25f}, {1, 1, 1, 0, 0, 2},              {7, 3, 0, 0, 0, 0.5f}};
    for (const auto& c : cases) {
        const OrvantaChain::BlockSetup s = OrvantaChain::prepareBlock({0.5f, c.d, 1.0f, c.dither, c.color}, record);
        EXPECT_EQ(s.ditherIntoLine, c.ditherAmt);  // computed in double: the same as the float constants
        EXPECT_EQ(s.ditherIntoSteering, c.ditherMod);
        EXPECT_EQ(s.driveNorm, c.driveNorm);
        EXPECT_EQ(s.driveNormInv, 1.0f / c.driveNorm);
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
