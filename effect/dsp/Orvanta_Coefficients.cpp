#include "effect/dsp/Orvanta_Coefficients.h"

#include "effect/Orvanta_Defs.h"

namespace {

// Rows by rate case 1 .. 6 (44.1, 48, 88.2, 96, 176.4, 192 kHz).
constexpr SOrvanta_RateCoefficients kRateRows[kOrvanta_RateCases] = {
    // NoiseSmooth, NoiseLP1..4,                 EmphLP2, EmphLP1,  DriveLP2,  DriveLP1,  OutLP2,   OutLP1,    InputLP,   ColorLP,   HarmLP, TapLP
    {0.4218f, 0.004f, 0.008f, 0.012f, 0.016f, 0.8885f, 0.07493f, 0.22694f, 0.0059f, 0.2694f, 0.0059f, 0.0015f, 0.0015f, 0.12f, 0.0012f},
    {0.4218f, 0.004f, 0.008f, 0.012f, 0.016f, 0.89f, 0.07441f, 0.22694f, 0.0059f, 0.2694f, 0.0059f, 0.0015f, 0.0015f, 0.12f, 0.0012f},
    {0.232f, 0.002f, 0.004f, 0.006f, 0.008f, 0.7838f, 0.03873f, 0.11347f, 0.00295f, 0.1347f, 0.00295f, 0.001f, 0.00075f, 0.06f, 0.0006f},
    {0.232f, 0.002f, 0.004f, 0.006f, 0.008f, 0.7761f, 0.0401f, 0.11347f, 0.00295f, 0.1347f, 0.00295f, 0.001f, 0.00075f, 0.06f, 0.0006f},
    {0.1495f, 0.001f, 0.002f, 0.003f, 0.004f, 0.6138f, 0.01904f, 0.056735f, 0.001475f, 0.06735f, 0.001475f, 0.00053f, 0.000375f, 0.03f, 0.0003f},
    {0.1495f, 0.001f, 0.002f, 0.003f, 0.004f, 0.6159f, 0.01975f, 0.056735f, 0.001475f, 0.06735f, 0.001475f, 0.000375f, 0.000375f, 0.03f, 0.0003f},
};

// A colour type: its weights and the factors applied to the selected rate
// row. Every factor is applied in double precision and rounded once to single
// precision. For the factors that are small integers or short binary
// fractions (2, 3, 16, 18, 30, 0.75, 0.5, 0.25, 0.125) the double product of
// a float is exact, so this single rounding equals a single-precision
// multiplication; 1.1, 0.95, 0.8 and 0.01 are genuinely double-precision
// factors.
struct ColorType {
    SOrvanta_ColorSettings settings;
    double outputLP2Factor;
    double inputLPFactor;
    double harmonicLPFactor;
    double tapShaperFromTap;  // kTapShaperLP = kTapLP times this
};

// Rows by colour type 1 .. 5 ("Silver", "Gold", "Rich", "Fat", "Deep").
// "Silver" and "Fat" differ in their drive mix: 0.333 against 0.3333.
constexpr ColorType kColorRows[Orvanta::kColorMax] = {
    // Drive, DriveMix, NormBias, SquareMix, HarmonicMix, TapShaperMix   OutLP2  InLP   HarmLP  TapShaper
    {{3.0f, 0.333f, 0.25f, 0.5f, 0.05f, 0.05f}, 1.1, 2.0, 3.0, 16.0},
    {{3.0f, 0.333f, 0.0f, 0.25f, 0.15f, 0.05f}, 0.95, 1.0, 0.75, 30.0},
    {{2.0f, 0.5f, 0.0f, 0.4f, 0.4f, 0.1f}, 1.0, 0.125, 0.25, 16.0},
    {{3.0f, 0.3333f, 0.0f, 0.6f, 0.5f, 0.2f}, 1.0, 0.5, 0.25, 16.0},
    {{4.0f, 0.25f, 0.0f, 0.6f, 0.0f, 0.4f}, 0.8, 0.01, 0.125, 18.0},
};

// "Deep" blends less harmonic signal as Dynamic rises: 0.8 at d = 0 down to
// 0.35 at d = 1.
constexpr int32_t kDeepColorType = 5;
constexpr double kDeepHarmonicMixFloor = 0.35;
constexpr double kDeepHarmonicMixRange = 0.45;

float scaled(float coefficient, double factor) { return static_cast<float>(double(coefficient) * factor); }

}  // namespace

int32_t Orvanta_NearestRateCase(int32_t rateCase) {
    return rateCase < 1 ? 1 : (rateCase > kOrvanta_RateCases ? kOrvanta_RateCases : rateCase);
}

int32_t Orvanta_NearestColorType(int32_t colorType) {
    using Orvanta::kColorMax;
    using Orvanta::kColorMin;
    return colorType < kColorMin ? kColorMin : (colorType > kColorMax ? kColorMax : colorType);
}

SOrvanta_Coefficients Orvanta_SelectCoefficients(int32_t rateCase, int32_t colorType, float dynamicSquared) {
    const int32_t type = Orvanta_NearestColorType(colorType);
    const ColorType& color = kColorRows[type - Orvanta::kColorMin];

    SOrvanta_Coefficients c;
    c.rate = kRateRows[Orvanta_NearestRateCase(rateCase) - 1];
    c.rate.kOutputLP2 = scaled(c.rate.kOutputLP2, color.outputLP2Factor);
    c.rate.kInputLP = scaled(c.rate.kInputLP, color.inputLPFactor);
    c.rate.kHarmonicLP = scaled(c.rate.kHarmonicLP, color.harmonicLPFactor);
    c.kTapShaperLP = scaled(c.rate.kTapLP, color.tapShaperFromTap);
    c.color = color.settings;
    if (type == kDeepColorType) {
        const float dynamicRest = 1.0f - dynamicSquared;
        c.color.fHarmonicMix = static_cast<float>(double(dynamicRest) * kDeepHarmonicMixRange + kDeepHarmonicMixFloor);
    }
    return c;
}
