// Selection and scaling of the rate coefficients and colour settings.
#include <gtest/gtest.h>

#include <cstring>

#include "effect/dsp/Orvanta_Coefficients.h"
#include "effect/dsp/Orvanta_SignalChain.h"

namespace {

float inDouble(float coefficient, double factor) { return float(double(coefficient) * factor); }

}  // namespace

TEST(Coefficients, RateRowsByCase) {
    struct Case {
        int32_t rateCase;
        float kEmphasisLP2, kEmphasisLP1, kInputLP, kNoiseSmooth, kTapLP, kDriveLP2;
    };
    const Case cases[] = {
        {1, 0.8885f, 0.07493f, 0.0015f, 0.4218f, 0.0012f, 0.22694f},
        {2, 0.89f, 0.07441f, 0.0015f, 0.4218f, 0.0012f, 0.22694f},
        {3, 0.7838f, 0.03873f, 0.001f, 0.232f, 0.0006f, 0.11347f},
        {4, 0.7761f, 0.0401f, 0.001f, 0.232f, 0.0006f, 0.11347f},
        {5, 0.6138f, 0.01904f, 0.00053f, 0.1495f, 0.0003f, 0.056735f},
        {6, 0.6159f, 0.01975f, 0.000375f, 0.1495f, 0.0003f, 0.056735f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rateCase);
        // Colour type 3 leaves kOutputLP2 unscaled; kInputLP is scaled by 1/8.
        const SOrvanta_Coefficients k = Orvanta_SelectCoefficients(c.rateCase, 3, 0.0f);
        EXPECT_EQ(k.rate.kEmphasisLP2, c.kEmphasisLP2);
        EXPECT_EQ(k.rate.kEmphasisLP1, c.kEmphasisLP1);
        EXPECT_EQ(k.rate.kInputLP, c.kInputLP * 0.125f);
        EXPECT_EQ(k.rate.kNoiseSmooth, c.kNoiseSmooth);
        EXPECT_EQ(k.rate.kTapLP, c.kTapLP);
        EXPECT_EQ(k.rate.kDriveLP2, c.kDriveLP2);
    }
    // The coefficients that halve from one pair of rates to the next.
    for (int32_t rateCase : {1, 3}) {
        const SOrvanta_Coefficients lo = Orvanta_SelectCoefficients(rateCase, 3, 0.0f);
        const SOrvanta_Coefficients hi = Orvanta_SelectCoefficients(rateCase + 2, 3, 0.0f);
        EXPECT_EQ(hi.rate.kNoiseLP4, lo.rate.kNoiseLP4 * 0.5f);
        EXPECT_EQ(hi.rate.kDriveLP1, lo.rate.kDriveLP1 * 0.5f);
        EXPECT_EQ(hi.rate.kOutputLP2, lo.rate.kOutputLP2 * 0.5f);
        EXPECT_EQ(hi.rate.kColorLP, lo.rate.kColorLP * 0.5f);
    }
}

TEST(Coefficients, ColourTypeScalingAtEveryRate) {
    struct Case {
        int32_t type;
        double outputLP2, inputLP, harmonicLP, tapShaper;
        float drive, driveMix, normBias, squareMix, tapShaperMix;
    };
    const Case cases[] = {
        {1, 1.1, 2, 3, 16, 3.0f, 0.333f, 0.25f, 0.5f, 0.05f},
        {2, 0.95, 1, 0.75, 30, 3.0f, 0.333f, 0.0f, 0.25f, 0.05f},
        {3, 1, 0.125, 0.25, 16, 2.0f, 0.5f, 0.0f, 0.4f, 0.1f},
        {4, 1, 0.5, 0.25, 16, 3.0f, 0.3333f, 0.0f, 0.6f, 0.2f},
        {5, 0.8, 0.01, 0.125, 18, 4.0f, 0.25f, 0.0f, 0.6f, 0.4f},
    };
    for (int32_t rateCase = 1; rateCase <= 6; ++rateCase)
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "rate case " << rateCase << ", type " << c.type);
            // Type 3 with d = 0 keeps the row as stored (factors 1 or exact powers of two).
            const SOrvanta_Coefficients base = Orvanta_SelectCoefficients(rateCase, 3, 0.0f);
            const float rowInputLP = base.rate.kInputLP * 8.0f, rowHarmonicLP = base.rate.kHarmonicLP * 4.0f;
            const SOrvanta_Coefficients k = Orvanta_SelectCoefficients(rateCase, c.type, 0.25f);
            EXPECT_EQ(k.rate.kOutputLP2, inDouble(base.rate.kOutputLP2, c.outputLP2));
            EXPECT_EQ(k.rate.kInputLP, inDouble(rowInputLP, c.inputLP));
            EXPECT_EQ(k.rate.kHarmonicLP, inDouble(rowHarmonicLP, c.harmonicLP));
            EXPECT_EQ(k.kTapShaperLP, inDouble(base.rate.kTapLP, c.tapShaper));
            EXPECT_EQ(k.color.fDrive, c.drive);
            EXPECT_EQ(k.color.fDriveMix, c.driveMix);
            EXPECT_EQ(k.color.fNormBias, c.normBias);
            EXPECT_EQ(k.color.fSquareMix, c.squareMix);
            EXPECT_EQ(k.color.fTapShaperMix, c.tapShaperMix);
        }
    // The single-precision factors give the single-precision products.
    const SOrvanta_Coefficients gold = Orvanta_SelectCoefficients(2, 2, 0.0f);
    EXPECT_EQ(gold.rate.kHarmonicLP, 0.12f * 0.75f);
    EXPECT_EQ(gold.kTapShaperLP, 0.0012f * 30.0f);
    EXPECT_EQ(gold.rate.kInputLP, 0.0015f);
}

TEST(Coefficients, HarmonicMixByType) {
    struct Case {
        int32_t type;
        float d2;
        float mix;
    };
    const Case cases[] = {
        {1, 0.5f, 0.05f}, {2, 0.5f, 0.15f}, {3, 0.5f, 0.4f}, {4, 0.5f, 0.5f},
        {5, 0.0f, 0.8f},  {5, 1.0f, 0.35f}, {5, 0.49f, float(double(1.0f - 0.49f) * 0.45 + 0.35)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << ", d2 " << c.d2);
        EXPECT_EQ(Orvanta_SelectCoefficients(2, c.type, c.d2).color.fHarmonicMix, c.mix);
    }
}

TEST(Coefficients, OutOfRangeSelectsTheNearestRow) {
    struct Case {
        int32_t asked, nearest;
    };
    for (const Case& c : {Case{0, 1}, Case{-5, 1}, Case{7, 6}, Case{INT32_MAX, 6}, Case{INT32_MIN, 1}})
        EXPECT_EQ(Orvanta_NearestRateCase(c.asked), c.nearest);
    for (const Case& c : {Case{0, 1}, Case{-1, 1}, Case{6, 5}, Case{INT32_MAX, 5}, Case{3, 3}})
        EXPECT_EQ(Orvanta_NearestColorType(c.asked), c.nearest);
    const SOrvanta_Coefficients stray = Orvanta_SelectCoefficients(42, 42, 0.3f);
    const SOrvanta_Coefficients deep192 = Orvanta_SelectCoefficients(6, 5, 0.3f);
    EXPECT_EQ(std::memcmp(&stray, &deep192, sizeof stray), 0);
}

TEST(Coefficients, BlockSetupDitherAndDriveNormalisation) {
    SOrvanta_Channel_State record{};
    record.m_uRateMultiple = 1;
    record.m_iRateCase = 2;
    struct Case {
        int32_t dither, color;
        float d;
        float ditherAmt, ditherMod, driveNorm;
    };
    const Case cases[] = {
        {1, 2, 0.0f, 0.0f, 0.0f, 0.5f},     {2, 2, 0.0f, 0.00948f, 0.3f, 0.5f},  {2, 2, 1.0f, 0.00948f, 0.3f, 2.0f},
        {1, 1, 0.0f, 0.0f, 0.0f, 0.25f},    {1, 1, 1.0f, 0.0f, 0.0f, 2.0f},      {7, 3, 0.0f, 0.0f, 0.0f, 0.5f},
    };
    for (const Case& c : cases) {
        const SOrvanta_Knob_Packet packet = {0.5f, c.d, 1.0f, c.dither, c.color};
        const OrvantaChain::BlockSetup s = OrvantaChain::prepareBlock(packet, record);
        EXPECT_EQ(s.ditherAmt, c.ditherAmt);
        EXPECT_EQ(s.ditherMod, c.ditherMod);
        EXPECT_EQ(s.driveNorm, c.driveNorm);
        EXPECT_EQ(s.driveNormInv, 1.0f / c.driveNorm);
        EXPECT_EQ(s.lineLength, 13);
        EXPECT_EQ(s.centreOffset, 6);
    }
}
