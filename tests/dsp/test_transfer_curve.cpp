// The stored transfer curve and its two look-up forms.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "effect/dsp/Orvanta_Table_Data.h"
#include "effect/dsp/Orvanta_TransferCurve.h"

namespace {

const float* const Tab = Orvanta_Table_Data;

struct Row {
    int k;
    float value;
};
const Row kTellingRows[] = {
    {0, 0.000168558327f},    {1, -0.00280028977f},    {2, -0.00318940077f},   {3, -0.00357982353f},
    {256, -0.127809688f},    {512, -0.278684407f},    {768, -0.428839922f},   {1024, -0.563020408f},
    {1280, -0.67198348f},    {1536, -0.750345051f},   {1792, -0.795490205f},  {2048, -0.806900084f},
    {2304, -0.785656214f},   {2560, -0.734049201f},   {2816, -0.655262053f},  {3072, -0.553118169f},
    {3328, -0.43188557f},    {3584, -0.296128422f},   {3840, -0.150598288f},  {4095, -0.000745467667f},
    {4096, -0.000154755762f}, {4097, 0.00043595623f}, {4352, 0.150293633f},   {4608, 0.295838267f},
    {4864, 0.431619436f},    {5120, 0.55288583f},     {5376, 0.655071616f},   {5632, 0.733908653f},
    {5888, 0.785572588f},    {6144, 0.806878865f},    {6400, 0.795534968f},   {6656, 0.750456572f},
    {6912, 0.672159255f},    {7168, 0.563252866f},    {7424, 0.429115355f},   {7680, 0.278980017f},
    {7936, 0.128087625f},    {8190, 0.00338337268f},  {8191, 0.00299373548f}, {8192, 0.00260468619f},
};

uint32_t bitsOf(float v) {
    uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

double secondDifference(int k) { return double(Tab[k + 1]) - 2.0 * double(Tab[k]) + double(Tab[k - 1]); }

const float kTopOfCurve = (Tab[8192] - Tab[8191]) * (float(524287) / 524288.0f) + Tab[8191];

}  // namespace

TEST(TransferCurveTable, TellingRowsHoldBitForBit) {
    for (const Row& row : kTellingRows) EXPECT_EQ(Tab[row.k], row.value) << "entry " << row.k;
}

TEST(TransferCurveTable, SmoothBetweenTheTellingRows) {
    // Curvature of the stored curve in entry units: bounded, and changing
    // only gradually from entry to entry (a kink or a step shows as a jump of
    // the second difference). Single-precision rounding of entries near 0.8
    // adds up to about 2.4e-7 to a second difference.
    constexpr double kMaxCurvature = 1.4e-6;  // about 23 per unit x squared
    constexpr double kMaxCurvatureStep = 4.0e-7;
    for (int k = 2; k < 8192; ++k) {
        ASSERT_LT(std::fabs(secondDifference(k)), kMaxCurvature) << "entry " << k;
        if (k > 2) {
            ASSERT_LT(std::fabs(secondDifference(k) - secondDifference(k - 1)), kMaxCurvatureStep) << "entry " << k;
        }
    }
    // The one documented step: entry 0 does not continue the curve.
    EXPECT_GT(std::fabs(Tab[1] - Tab[0]), 0.0029f);
}

TEST(TransferCurveTable, ShapeOfTheCurve) {
    int lowest = 1, highest = 1;
    for (int k = 1; k < 8193; ++k) {
        if (Tab[k] < Tab[lowest]) lowest = k;
        if (Tab[k] > Tab[highest]) highest = k;
    }
    EXPECT_NEAR(Tab[lowest], -0.807313f, 2e-6f);
    EXPECT_NEAR(Tab[highest], 0.807302f, 2e-6f);
    EXPECT_NEAR(lowest / 4096.0 - 1.0, -0.51, 0.005);
    EXPECT_NEAR(highest / 4096.0 - 1.0, 0.51, 0.005);
    EXPECT_NEAR((Tab[4097] - Tab[4095]) * 2048.0, 2.4, 0.05);  // slope at the centre
    for (int k = 1; k < 8192; ++k) ASSERT_LT(std::fabs(Tab[k] + Tab[8192 - k]), 5e-4f) << "nearly odd at " << k;
    EXPECT_LT(Tab[4096], 0.0f);
}

TEST(TransferCurve, EdgeCasesOfBothForms) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    struct Case {
        float v;
        float expected;
    };
    const Case cases[] = {
        {0.0f, Tab[4096]}, {-0.0f, Tab[4096]}, {0.5f, Tab[6144]}, {-0.5f, Tab[2048]}, {-0.75f, Tab[1024]},
        {-1.0f, Tab[0]},   {-7.0f, Tab[0]},    {nan, Tab[0]},     {-inf, Tab[0]},     {1.0f, kTopOfCurve},
        {3.0f, kTopOfCurve}, {inf, kTopOfCurve},
        // Just below +1: v + 1 rounds to 2 in single precision; held at the top.
        {std::nextafter(1.0f, 0.0f), kTopOfCurve},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.v);
        EXPECT_EQ(TransferCurve::Offset::apply(c.v), c.expected);
        if (c.v != std::nextafter(1.0f, 0.0f)) {
            EXPECT_EQ(TransferCurve::Signed::apply(c.v), c.expected);
        }
    }
    EXPECT_NEAR(kTopOfCurve, 0.0026047f, 1e-7f);
    EXPECT_EQ(Tab[4096], -0.000154755762f);
}

TEST(TransferCurve, FormsDifferOnlyInRounding) {
    // On the grid and at coarse positions both forms agree exactly; for small
    // inputs the offset form loses the low bits of v in v + 1.
    for (int k = 0; k <= 8192; k += 17) {
        const float v = float(k) / 4096.0f - 1.0f;
        EXPECT_EQ(TransferCurve::Offset::apply(v), TransferCurve::Signed::apply(v)) << v;
    }
    const float tiny = 3.0e-9f;  // below half a step of v + 1
    EXPECT_EQ(TransferCurve::Offset::apply(tiny), Tab[4096]);
    EXPECT_NE(TransferCurve::Signed::apply(tiny), Tab[4096]);
    for (float v = -1.0f; v < 1.0f; v += 0.000123f)
        ASSERT_NEAR(TransferCurve::Offset::apply(v), TransferCurve::Signed::apply(v), 1e-6f) << v;
}

TEST(TransferCurve, SignedFormInterpolatesBetweenNeighbours) {
    struct Case {
        float v;
        int index;
        float fraction;
    };
    const Case cases[] = {
        {0.5f + 0.5f / 4096.0f, 6144, 0.5f},
        {-0.5f - 0.25f / 4096.0f, 2047, 0.75f},
        {-1.0f / 8192.0f, 4095, 0.5f},
    };
    for (const Case& c : cases) {
        const float expected = (Tab[c.index + 1] - Tab[c.index]) * c.fraction + Tab[c.index];
        EXPECT_EQ(TransferCurve::Signed::apply(c.v), expected) << c.v;
        EXPECT_EQ(TransferCurve::Offset::apply(c.v), expected) << c.v;
    }
}

// The two-lane look-ups of the stereo chain give, lane by lane, what the
// one-value look-ups give: across the whole input range at every step of the
// float grid near +-1 and 0, strided elsewhere, and at the special values.
TEST(TransferCurve, TwoLaneFormsMatchOneValueForms) {
    using OrvantaChain::Float2;
    std::vector<float> inputs = {0.0f, -0.0f, 1.0f, -1.0f, std::nextafter(1.0f, 0.0f), std::nextafter(-1.0f, 0.0f),
                                 std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity(), 3.0f, -7.0f, 1e-30f, -1e-30f,
                                 std::numeric_limits<float>::denorm_min()};
    for (float around : {1.0f, -1.0f, 0.5f, -0.5f}) {
        float v = around;
        for (int i = 0; i < 200000; ++i) inputs.push_back(v = std::nextafter(v, 0.0f));
    }
    for (uint32_t bits = 0; bits < 0x40000000u; bits += 997) {  // every magnitude up to 2
        float v;
        std::memcpy(&v, &bits, sizeof v);
        inputs.push_back(v);
        inputs.push_back(-v);
    }
    for (size_t i = 0; i + 1 < inputs.size(); ++i) {
        const Float2 pair = {inputs[i], inputs[i + 1]};
        const Float2 offset = TransferCurve::Offset::apply(pair), signedForm = TransferCurve::Signed::apply(pair);
        for (int lane = 0; lane < 2; ++lane) {
            const float v = inputs[i + size_t(lane)];
            ASSERT_EQ(bitsOf(offset[lane]), bitsOf(TransferCurve::Offset::apply(v))) << v;
            ASSERT_EQ(bitsOf(signedForm[lane]), bitsOf(TransferCurve::Signed::apply(v))) << v;
        }
    }
}
