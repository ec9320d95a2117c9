// Harmonic distortion of a steady tone: the levels of the fundamental and
// of harmonics 2 to 10, THD, THD+N and the balance of even against odd
// harmonics, from one Blackman-Harris-windowed transform of a block in
// which the tone completes a whole number of cycles.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "RealTransform.h"

namespace Analysis {

constexpr int kHighestHarmonic = 10;
constexpr int kHarmonicCount = kHighestHarmonic - 1;  // 2 .. 10
// Levels below this are reported as this: the transform of a float signal
// has no meaningful content so far down.
constexpr double kFloorDecibels = -200.0;

struct HarmonicLevels {
    double fundamentalDbfs = kFloorDecibels;  // peak amplitude re full scale
    // Harmonic h (2 .. 10) at index h - 2, in dB relative to the
    // fundamental; not-a-number for a harmonic at or above half the rate.
    std::array<double, kHarmonicCount> harmonicsDbc{};
    double thdDb = kFloorDecibels;   // harmonics 2 .. 10 against the fundamental
    double thdnDb = kFloorDecibels;  // everything but DC and the fundamental against the fundamental
    double evenOddDb = 0.0;          // power of even harmonics against odd ones, in dB
};

// dB as a percentage (THD -40 dB is 1 %).
double DecibelsToPercent(double decibels);

class HarmonicAnalyzer {
public:
    // frames: the block length, even; the tone sits in fundamentalBin.
    HarmonicAnalyzer(int64_t frames, double sampleRate);

    int64_t Frames() const { return m_Transform.Length(); }

    HarmonicLevels Measure(const std::vector<float>& block, int64_t fundamentalBin);

    // The block's spectrum as peak levels in dBFS per bin (a tone of
    // amplitude A in its bin reads 20 log10 A), bins 0 .. frames/2.
    std::vector<double> SpectrumDbfs(const std::vector<float>& block);
    double BinFrequency(int64_t bin) const;

private:
    void Transform(const std::vector<float>& block);
    // Power of a tone centred on bin, summed over the window's main lobe.
    double LobePower(int64_t bin) const;
    double ToneAmplitude(double lobePower) const;

    RealTransform m_Transform;
    double m_SampleRate;
    std::vector<double> m_Window;
    double m_WindowPower;  // sum of the squared window
    double m_WindowSum;
    std::vector<double> m_Samples;
    std::vector<std::complex<double>> m_Bins;
};

}  // namespace Analysis
