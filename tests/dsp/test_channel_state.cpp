// Initialisation of the channel-state records for a sample rate.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "effect/dsp/Orvanta_ChannelState.h"

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
