// The fixed numbers of the per-sample signal chain (Orvanta_SignalChain.h),
// by stage. The one-pole coefficients per rate and the colour types' weights
// are in Orvanta_Coefficients.cpp.
//
// Each constant keeps the type the chain computes with: a double constant
// is used inside a double-precision step and a float constant in a
// single-precision one, so the output is exactly what it is with the
// numbers written inline. Factors applied one after the other stay separate
// constants: their product would round differently.
//
// Several stages add a share of a filter's unfiltered input to its low-pass
// or high-pass output: a shelving filter, the share being the level it keeps
// where the plain filter would cut.
#pragma once

#include <cstdint>

namespace OrvantaChain {

// ---- Block set-up ----

// Dither on feeds the low-passed noise into the value written to the delay
// line (about -40 dB) and into the steering of the moving tap.
constexpr double kDitherIntoLine = 0.00948;
constexpr double kDitherIntoSteering = 0.3;

// Drive normalisation G = d^4 * (span + bias) + (floor - bias): from 0.5
// (0.25 for a colour type with a bias) at Dynamic 0 to 2.0 at Dynamic 1.
constexpr double kDriveNormSpan = 1.5;
constexpr double kDriveNormFloor = 0.5;

// The centre tap sits 6 slots per rate multiple into the delay line, which
// holds as many slots again behind it plus the one just written: 13, 25 or
// 49 slots. The moving tap reaches 6 samples either side of the centre.
constexpr int32_t kCentreTapPerMultiple = 6;

// The moving tap's thresholds on the steering value, ascending, and its
// offsets -6 .. +6: one sample of movement per threshold passed.
constexpr double kTapThresholds[12] = {-0.4165, -0.3325, -0.2465, -0.11655, -0.0415, 0.0,
                                       0.0415,  0.11655, 0.2465,  0.3325,   0.4165,  0.5};
constexpr int32_t kTapOffsetMin = -6;
constexpr int32_t kTapOffsetCount = 13;

// ---- Noise source ----

// A draw of 0 .. 2^31 - 1 scaled to 0 .. 1 and centred on zero.
constexpr float kDrawScale = 1.0f / 2147483648.0f;  // 2^-31, exact
constexpr float kDrawMidpoint = 0.5f;
// The dither signal is the fourfold low-passed noise plus a little of the
// smoothed white noise: level, then a boost, as two products.
constexpr double kDitherWhiteLevel = 0.00751;
constexpr double kDitherWhiteBoost = 1.5;

// ---- Curve shaper ----

// Harmonic polynomial of the curve's deviation h from its input:
// h^3 + h * linear + h^2 * square.
constexpr double kPolynomialLinear = 0.15;
constexpr double kPolynomialSquare = 0.25;

// ---- Emphasis ----

// Two high shelves: each stage passes its input above its corner whole and
// below it at this share (about -20 dB, then about -27 dB).
constexpr double kEmphasis1LowShare = 0.0999;
constexpr double kEmphasis2LowShare = 0.04495;

// ---- Driven curve pass ----

// Make-up gain (about +15 dB) that brings the emphasised signal back up to
// the curve's working range before the drive.
constexpr double kEmphasisMakeUp = 5.6577;

// ---- Colour signal ----

// Low shelves after the drive: the low-pass output plus this share of the
// unfiltered signal, which is what the highs keep (about -21 and -23 dB).
constexpr double kDriveLP1HighShare = 0.09;
constexpr double kDriveLP2HighShare = 0.071;
// Gain of the filtered drive (about +8.5 dB in all): a gain, a boost and a
// trim, as three products in this order.
constexpr double kDriveGain = 2.4;
constexpr double kDriveBoost = 1.24;
constexpr double kDriveTrim = 0.89;
// Level of the colour signal: times 5, doubled (both exact in single
// precision), then trimmed by about -4 dB: about 6.3 in all.
constexpr float kColourGain = 5.0f;
constexpr double kColourTrim = 0.631;

// ---- Tap shaper ----

// Weight of the squared, high-passed moving tap: negative, so the square
// (an even-order, one-sided term) pulls the shaped tap down.
constexpr double kTapSquareWeight = -1.8;

// ---- Output ----

// The high-passed square of the curve's deviation, scaled before its
// colour-type mix.
constexpr float kSquareGain = 4.0f;
// Two low shelves, as in the colour signal: the low-pass output plus this
// share of the unfiltered signal.
constexpr double kOutputLP1HighShare = 0.091;
constexpr double kOutputLP2HighShare = 0.09;
// Level of the processed share added to the centre tap (times d^2).
constexpr double kProcessedLevel = 2.5;

}  // namespace OrvantaChain
