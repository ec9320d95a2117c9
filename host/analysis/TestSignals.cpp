#include "TestSignals.h"

#include <algorithm>
#include <cmath>

namespace Analysis {

double DecibelsToAmplitude(double decibels) { return std::pow(10.0, decibels / 20.0); }

double AmplitudeToDecibels(double amplitude) { return 20.0 * std::log10(amplitude); }

int64_t CoherentBin(double wanted, double sampleRate, int64_t frames) {
    const int64_t bin = std::llround(wanted * double(frames) / sampleRate);
    return std::max<int64_t>(bin, 1);
}

double BinFrequency(int64_t bin, double sampleRate, int64_t frames) { return double(bin) * sampleRate / double(frames); }

std::vector<float> Sine(double amplitude, double frequency, double sampleRate, int64_t frames) {
    std::vector<float> samples(static_cast<size_t>(frames));
    const double step = 2.0 * M_PI * frequency / sampleRate;
    for (int64_t n = 0; n < frames; ++n) samples[n] = static_cast<float>(amplitude * std::sin(step * double(n)));
    return samples;
}

std::vector<float> WhiteNoise(double rms, int64_t frames, uint32_t seed) {
    // A 32-bit xorshift generator: fixed by its definition, unlike the
    // distributions of the standard library, whose output may differ
    // between implementations.
    uint32_t state = seed ? seed : 1u;
    const double scale = rms * std::sqrt(3.0);  // a uniform variable on [-1, 1] has RMS 1/sqrt(3)
    std::vector<float> samples(static_cast<size_t>(frames));
    for (float& sample : samples) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const double uniform = double(state) / 4294967295.0 * 2.0 - 1.0;
        sample = static_cast<float>(scale * uniform);
    }
    return samples;
}

}  // namespace Analysis
