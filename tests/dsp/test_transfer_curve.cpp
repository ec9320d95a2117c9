// The stored transfer curve and its look-up forms.
#include <gtest/gtest.h>

#include <limits>
#include <algorithm>
#include <vector>

#include "dsp_test_support.h"
#include "effect/dsp/Orvanta_TransferCurve.h"

namespace {

const float* const Tab = Orvanta_Table_Data;

double secondDifference(int k) { return double(Tab[k + 1]) - 2.0 * double(Tab[k]) + double(Tab[k - 1]); }

const float kTopOfCurve = (Tab[8192] - Tab[8191]) * (float(524287) / 524288.0f) + Tab[8191];

}  // namespace

TEST(TransferCurveTable, SmoothNearlyOddSineLikeCurve) {
    // Bounded, gradually changing curvature: a kink or step shows in the second difference.
    for (int k = 2; k < 8192; ++k) {
        ASSERT_LT(std::fabs(secondDifference(k)), 1.4e-6) << "entry " << k;  // about 23 per unit x squared
        if (k > 2) {
            ASSERT_LT(std::fabs(secondDifference(k) - secondDifference(k - 1)), 4.0e-7) << "entry " << k;
        }
    }
    EXPECT_GT(std::fabs(Tab[1] - Tab[0]), 0.0029f);  // the one documented step
    const auto [lowest, highest] = std::minmax_element(Tab + 1, Tab + 8193);
    EXPECT_NEAR(*lowest, -0.807313f, 2e-6f);
    EXPECT_NEAR(*highest, 0.807302f, 2e-6f);
    EXPECT_NEAR(double(lowest - Tab) / 4096.0 - 1.0, -0.51, 0.005);
    EXPECT_NEAR(double(highest - Tab) / 4096.0 - 1.0, 0.51, 0.005);
    EXPECT_NEAR((Tab[4097] - Tab[4095]) * 2048.0, 2.4, 0.05);  // slope at the centre
    for (int k = 1; k < 8192; ++k) ASSERT_LT(std::fabs(Tab[k] + Tab[8192 - k]), 5e-4f) << "nearly odd at " << k;
}

TEST(TransferCurve, EdgeCasesOfBothForms) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const float justBelowOne = std::nextafter(1.0f, 0.0f);  // v + 1 rounds to 2: held at the top
    const std::pair<float, float> cases[] = {
        {0.0f, Tab[4096]}, {-0.0f, Tab[4096]}, {0.5f, Tab[6144]}, {-0.5f, Tab[2048]}, {-0.75f, Tab[1024]},
        {-1.0f, Tab[0]},   {-7.0f, Tab[0]},    {nan, Tab[0]},     {-inf, Tab[0]},     {1.0f, kTopOfCurve},
        {3.0f, kTopOfCurve}, {inf, kTopOfCurve}, {justBelowOne, kTopOfCurve},
        {0.5f + 0.5f / 4096, (Tab[6145] - Tab[6144]) * 0.5f + Tab[6144]},
        {-0.5f - 0.25f / 4096, (Tab[2048] - Tab[2047]) * 0.75f + Tab[2047]},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TransferCurve::Offset::apply(c.first), c.second) << c.first;
        if (c.first != justBelowOne) {
            EXPECT_EQ(TransferCurve::Signed::apply(c.first), c.second) << c.first;
        }
    }
    EXPECT_NEAR(kTopOfCurve, 0.0026047f, 1e-7f);
    // The forms differ only in rounding: the offset form drops small inputs' low bits in v + 1.
    EXPECT_EQ(TransferCurve::Offset::apply(3.0e-9f), Tab[4096]);
    EXPECT_NE(TransferCurve::Signed::apply(3.0e-9f), Tab[4096]);
    for (float v = -1.0f; v < 1.0f; v += 0.000123f)
        ASSERT_NEAR(TransferCurve::Offset::apply(v), TransferCurve::Signed::apply(v), 1e-6f) << v;
}

// The two-lane look-up gives lane by lane what the one-value one gives: every float near +-1
// and +-0.5, a stride over all magnitudes up to 2, and the special values.
TEST(TransferCurve, TwoLaneFormMatchesOneValueForm) {
    std::vector<float> inputs = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                                 std::numeric_limits<float>::denorm_min(), 1e-30f};
    for (float around : {1.0f, 0.5f}) {
        float v = around;
        for (int i = 0; i < 100000; ++i) inputs.push_back(v = std::nextafter(v, 0.0f));
        for (int i = 0; i < 1000; ++i) inputs.push_back(v = std::nextafter(around, 2.0f) + float(i) * 1e-7f);
    }
    for (uint32_t bits = 0; bits < 0x40000000u; bits += 997) {
        float v;
        std::memcpy(&v, &bits, sizeof v);
        inputs.push_back(v);
    }
    for (size_t i = 0; i + 1 < inputs.size(); ++i)
        for (float sign : {1.0f, -1.0f}) {
            const OrvantaChain::Float2 pair = {sign * inputs[i], -sign * inputs[i + 1]};
            const OrvantaChain::Float2 both = TransferCurve::Offset::apply(pair);
            for (int lane = 0; lane < 2; ++lane)
                ASSERT_EQ(dsptest::bitsOf(both[lane]), dsptest::bitsOf(TransferCurve::Offset::apply(pair[lane]))) << pair[lane];
        }
}

// The many-value look-up, in place or not, gives value by value what the one-value one gives,
// for lengths around its vector width and its chunk of 512 values, and writes nothing past n.
TEST(TransferCurve, ManyValueFormMatchesOneValueForm) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    std::vector<float> inputs = {nan, inf, -inf, 1.0f, -1.0f, std::nextafter(1.0f, 0.0f), 0.0f, -0.0f, 2.5f};
    for (int i = 0; inputs.size() < 1200; ++i) inputs.push_back(std::sin(float(i) * 0.37f) * 1.1f);
    constexpr float kGuard = 12345.0f;
    const int32_t width = TransferCurve::kVectorWidth;
    for (int32_t n : {0, 1, width - 1, width, width + 1, 511, 512, 513, 512 + width + 3, 1100}) {
        for (bool inPlace : {false, true}) {
            std::vector<float> in(inputs.begin(), inputs.begin() + n), out(size_t(n) + 4, kGuard);
            if (inPlace) std::copy(in.begin(), in.end(), out.begin());
            TransferCurve::Offset::applyAll(inPlace ? out.data() : in.data(), out.data(), n);
            for (int32_t i = 0; i < n; ++i)
                ASSERT_EQ(dsptest::bitsOf(out[i]), dsptest::bitsOf(TransferCurve::Offset::apply(in[i]))) << n << " " << i;
            if (inPlace) std::copy(in.begin(), in.end(), out.begin());
            TransferCurve::Signed::applyAll(inPlace ? out.data() : in.data(), out.data(), n);
            for (int32_t i = 0; i < n; ++i)
                ASSERT_EQ(dsptest::bitsOf(out[i]), dsptest::bitsOf(TransferCurve::Signed::apply(in[i]))) << n << " " << i;
            for (int32_t i = n; i < n + 4; ++i) ASSERT_EQ(out[i], kGuard) << n;
        }
    }
}
