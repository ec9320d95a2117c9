// Initialisation of the channel-state records for a sample rate.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "effect/dsp/Orvanta_ChannelState.h"

namespace {

struct RateCase {
    float rate;
    uint32_t multiple;
    int32_t rateCase;
};

// The six supported rates map to themselves; any other rate to the supported
// rate nearest by ratio.
const RateCase kRates[] = {
    {44100.0f, 1, 1},  {48000.0f, 1, 2},  {88200.0f, 2, 3},   {96000.0f, 2, 4},  {176400.0f, 4, 5},
    {192000.0f, 4, 6}, {48000.5f, 1, 2},  {8000.0f, 1, 1},    {22050.0f, 1, 1},  {46000.0f, 1, 1},
    {46100.0f, 1, 2},  {64000.0f, 1, 2},  {66000.0f, 2, 3},   {150000.0f, 4, 5}, {120000.0f, 2, 4}, {132300.0f, 4, 5},
    {384000.0f, 4, 6}, {0.0f, 1, 1},      {-96000.0f, 1, 1},  {std::numeric_limits<float>::quiet_NaN(), 1, 1},
    {std::numeric_limits<float>::infinity(), 4, 6},
};

}  // namespace

TEST(ChannelState, RateSettingForEveryKindOfRate) {
    for (const RateCase& c : kRates) {
        SCOPED_TRACE(c.rate);
        const SOrvanta_RateSetting s = Orvanta_RateSettingForSampleRate(c.rate);
        EXPECT_EQ(s.m_uRateMultiple, c.multiple);
        EXPECT_EQ(s.m_iRateCase, c.rateCase);
    }
}

TEST(ChannelState, InitialisesEveryWholeRecordAndNothingElse) {
    struct Case {
        uint32_t bytes;
        int records;
    };
    const Case cases[] = {{568, 2}, {300, 1}, {284, 1}, {283, 0}, {0, 0}, {852, 3}};
    constexpr unsigned char kUntouched = 0xA5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        std::vector<unsigned char> block(c.bytes + 64, kUntouched);
        Orvanta_InitChannelStates(96000.0f, block.data(), c.bytes);
        for (int i = 0; i < c.records; ++i) {
            SOrvanta_Channel_State r;
            std::memcpy(&r, block.data() + size_t(i) * sizeof r, sizeof r);
            EXPECT_EQ(r.m_uRateMultiple, 2u);
            EXPECT_EQ(r.m_iRateCase, 4);
            EXPECT_EQ(r.m_iWriteIndex, 0);
            // Reserved words keep what they held.
            EXPECT_EQ(r.m_uReserved0, 0xA5A5A5A5u);
            EXPECT_EQ(r.m_uReserved1, 0xA5A5A5A5u);
            const float* firstFloat = &r.m_fTapShaperLP;
            const float* pastLast = &r.m_fDelayLine[0] + Orvanta::kDelayLineSlots;
            for (const float* f = firstFloat; f < pastLast; ++f) EXPECT_EQ(*f, 0.0f);
        }
        for (size_t b = size_t(c.records) * sizeof(SOrvanta_Channel_State); b < block.size(); ++b)
            ASSERT_EQ(block[b], kUntouched) << "byte " << b;
    }
}

TEST(ChannelState, NullBlockIsIgnored) { Orvanta_InitChannelStates(48000.0f, nullptr, 568); }
