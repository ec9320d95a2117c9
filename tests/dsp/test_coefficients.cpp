// Selection and scaling of the coefficients and the per-block working values.
#include <gtest/gtest.h>

#include "effect/dsp/Orvanta_SignalChain.h"

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
