// Response measurement against systems with known responses.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "host/analysis/ResponseAnalyzer.h"
#include "host/analysis/TestSignals.h"

namespace {

using namespace Analysis;

constexpr double kRate = 48000.0;
constexpr int64_t kSegment = 4096;

std::vector<float> Noise() { return WhiteNoise(0.01, kSegment * 20, 99); }

TEST(ResponseAnalyzer, AnUnchangedSignalIsFlatWithZeroPhase) {
    const std::vector<float> noise = Noise();
    const FrequencyResponse response = MeasureResponse(noise, noise, kRate, kSegment);
    ASSERT_EQ(response.frequency.size(), size_t(kSegment / 2));
    EXPECT_EQ(response.segmentsAveraged, 39);  // half-overlapping segments in 20 lengths
    EXPECT_DOUBLE_EQ(response.frequency.front(), kRate / kSegment);
    EXPECT_DOUBLE_EQ(response.frequency.back(), kRate / 2);
    for (size_t k = 0; k < response.frequency.size(); ++k) {
        EXPECT_NEAR(response.magnitudeDb[k], 0.0, 1e-9);
        EXPECT_NEAR(response.phaseDegrees[k], 0.0, 1e-9);
        EXPECT_NEAR(response.coherence[k], 1.0, 1e-9);
    }
}

struct KnownSystem {
    const char* name;
    double gain;
    int delay;        // samples
    double lowPass;   // one-pole coefficient a of y = (1 - a) x + a y[-1]; 0 for none
};

std::complex<double> Expected(const KnownSystem& system, double frequency) {
    const std::complex<double> z = std::polar(1.0, -2.0 * M_PI * frequency / kRate);  // z^-1
    std::complex<double> h = system.gain * std::pow(z, system.delay);
    if (system.lowPass > 0.0) h *= (1.0 - system.lowPass) / (1.0 - system.lowPass * z);
    return h;
}

std::vector<float> Apply(const KnownSystem& system, const std::vector<float>& input) {
    std::vector<float> output(input.size(), 0.0f);
    double state = 0.0;
    for (size_t n = 0; n < input.size(); ++n) {
        const double x = n >= size_t(system.delay) ? input[n - system.delay] : 0.0;
        state = system.lowPass > 0.0 ? (1.0 - system.lowPass) * x + system.lowPass * state : x;
        output[n] = static_cast<float>(system.gain * state);
    }
    return output;
}

TEST(ResponseAnalyzer, KnownSystemsMeasureTheirGainAndPhase) {
    const KnownSystem systems[] = {
        {"-6 dB", 0.5, 0, 0.0},
        {"3-sample delay", 1.0, 3, 0.0},
        {"one-pole low-pass", 1.0, 0, 0.9},
        {"inverted", -1.0, 0, 0.0},
    };
    const std::vector<float> noise = Noise();
    for (const KnownSystem& system : systems) {
        SCOPED_TRACE(system.name);
        const FrequencyResponse response = MeasureResponse(noise, Apply(system, noise), kRate, kSegment);
        for (size_t k = 0; k < response.frequency.size() - 1; k += 37) {
            const std::complex<double> expected = Expected(system, response.frequency[k]);
            EXPECT_NEAR(response.magnitudeDb[k], 20.0 * std::log10(std::abs(expected)), 0.05)
                << response.frequency[k] << " Hz";
            const double phaseError =
                std::remainder(response.phaseDegrees[k] - std::arg(expected) * 180.0 / M_PI, 360.0);
            EXPECT_NEAR(phaseError, 0.0, 0.5) << response.frequency[k] << " Hz";
        }
    }
}

}  // namespace
