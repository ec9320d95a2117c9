// The constant numbers of the signal chain: one set of one-pole filter
// coefficients per sample-rate case, one set of drive and mixing weights per
// colour type, and the per-type scaling of four rate coefficients.
#pragma once

#include <cstdint>

// One-pole coefficients k of s := s + k * (in - s), one row per rate case.
struct SOrvanta_RateCoefficients {
    float kNoiseSmooth;
    float kNoiseLP1;
    float kNoiseLP2;
    float kNoiseLP3;
    float kNoiseLP4;
    float kEmphasisLP2;
    float kEmphasisLP1;
    float kDriveLP2;
    float kDriveLP1;
    float kOutputLP2;  // scaled per colour type
    float kOutputLP1;
    float kInputLP;     // scaled per colour type
    float kColorLP;
    float kHarmonicLP;  // scaled per colour type
    float kTapLP;
};

// Drive and mixing weights of one colour type.
struct SOrvanta_ColorSettings {
    float fDrive;
    float fDriveMix;
    float fNormBias;
    float fSquareMix;
    float fHarmonicMix;  // for "Deep" it follows Dynamic (see the selection)
    float fTapShaperMix;
};

// Everything one instance's block needs: the rate row scaled for the colour
// type, the tap-shaper coefficient derived from kTapLP, and the colour
// settings.
struct SOrvanta_Coefficients {
    SOrvanta_RateCoefficients rate;
    float kTapShaperLP;
    SOrvanta_ColorSettings color;
};

constexpr int32_t kOrvanta_RateCases = 6;

// Nearest supported rate case (1 .. 6) and colour type (1 .. 5) to any value,
// so a stray record or packet always selects a defined row.
int32_t Orvanta_NearestRateCase(int32_t rateCase);
int32_t Orvanta_NearestColorType(int32_t colorType);

// Selects the row of the rate case and of the colour type and applies the
// colour type's scaling; dynamicSquared (d * d of the packet's Dynamic) sets
// the "Deep" type's harmonic mix. Out-of-range cases and types use the
// nearest supported one.
// Audio thread, once per instance and callback; allocates nothing.
SOrvanta_Coefficients Orvanta_SelectCoefficients(int32_t rateCase, int32_t colorType, float dynamicSquared);
