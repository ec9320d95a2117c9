// Signals the analysis feeds through the effect: sines whose period fits
// the transform length a whole number of times (so a tone's energy stays in
// its own bins and no window leakage hides low harmonics) and reproducible
// white noise for response measurements.
#pragma once

#include <cstdint>
#include <vector>

namespace Analysis {

// dBFS to linear amplitude and back (full scale = 1.0).
double DecibelsToAmplitude(double decibels);
double AmplitudeToDecibels(double amplitude);

// The frequency nearest to wanted that completes a whole number of cycles
// (at least one) in frames samples at sampleRate.
int64_t CoherentBin(double wanted, double sampleRate, int64_t frames);
double BinFrequency(int64_t bin, double sampleRate, int64_t frames);

// amplitude * sin(2 pi frequency n / sampleRate), computed in double
// precision and rounded once per sample.
std::vector<float> Sine(double amplitude, double frequency, double sampleRate, int64_t frames);

// Uniform white noise with the given RMS level; the same seed gives the
// same samples on every machine.
std::vector<float> WhiteNoise(double rms, int64_t frames, uint32_t seed);

}  // namespace Analysis
