// Harmonic and response measurement against signals and systems whose answers are known.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "host/analysis/HarmonicAnalyzer.h"
#include "host/analysis/ResponseAnalyzer.h"
#include "host/analysis/TestSignals.h"

namespace {

using namespace Analysis;

constexpr int64_t kFrames = 65536;
constexpr double kRate = 48000.0;

// Binomial coefficient n over k.
double Choose(int n, int k) {
    double value = 1.0;
    for (int i = 1; i <= k; ++i) value = value * (n - k + i) / i;
    return value;
}

// Amplitude of harmonic h in sum_n c[n] (A cos t)^n: (A cos t)^n holds
// A^n / 2^(n-1) * C(n, (n-h)/2) cos(h t) for h of n's parity, h > 0.
// Sines give the same magnitudes.
double PredictedAmplitude(const std::vector<double>& coefficients, double amplitude, int h) {
    double sum = 0.0;
    for (int n = h; n < int(coefficients.size()); n += 2)
        sum += coefficients[n] * std::pow(amplitude, n) / std::pow(2.0, n - 1) * Choose(n, (n - h) / 2);
    return std::fabs(sum);
}

std::vector<float> SineAt(double amplitude, int64_t bin) {
    return Sine(amplitude, BinFrequency(bin, kRate, kFrames), kRate, kFrames);
}

std::vector<float> Polynomial(const std::vector<double>& coefficients, double amplitude, int64_t bin) {
    std::vector<float> shaped = SineAt(amplitude, bin);
    for (float& sample : shaped) {
        double y = 0.0;
        for (size_t n = coefficients.size(); n-- > 0;) y = y * sample + coefficients[n];
        sample = static_cast<float>(y);
    }
    return shaped;
}

TEST(HarmonicAnalyzer, APureFloatSineHasNoHarmonicAboveTheFloor) {
    HarmonicAnalyzer analyzer(kFrames, kRate);
    for (double level : {0.0, -6.0, -40.0})
        for (double frequency : {100.0, 1000.0, 2000.0}) {
            SCOPED_TRACE(testing::Message() << level << " dBFS, " << frequency << " Hz");
            const int64_t bin = CoherentBin(frequency, kRate, kFrames);
            const HarmonicLevels levels = analyzer.Measure(SineAt(DecibelsToAmplitude(level), bin), bin);
            EXPECT_NEAR(levels.fundamentalDbfs, level, 1e-6);
            for (double harmonic : levels.harmonicsDbc) EXPECT_LT(harmonic, -120.0);
            EXPECT_LT(levels.thdDb, -120.0);
            EXPECT_LT(levels.thdnDb, -120.0);
        }
    EXPECT_EQ(analyzer.Measure(std::vector<float>(kFrames, 0.0f), 1365).fundamentalDbfs, kFloorDecibels)
        << "silence";
}

TEST(HarmonicAnalyzer, PolynomialsGiveTheirChebyshevHarmonics) {
    const struct {
        const char* name;
        std::vector<double> coefficients;  // c[n] multiplies x^n
        double amplitude;
    } cases[] = {
        {"square term", {0.0, 1.0, 0.1}, 0.5},
        {"cube term", {0.0, 1.0, 0.0, -0.2}, 0.8},
        {"soft clip x - x^3/3", {0.0, 1.0, 0.0, -1.0 / 3.0}, 1.0},
        {"mixed up to x^5", {0.01, 0.9, 0.05, -0.1, 0.02, 0.03}, 0.7},
        {"small, deep harmonics", {0.0, 1.0, 1e-3, 1e-3, 1e-3, 1e-3, 1e-3, 1e-3, 1e-3, 1e-3, 1e-3}, 0.9},
    };
    HarmonicAnalyzer analyzer(kFrames, kRate);
    const int64_t bin = CoherentBin(1000.0, kRate, kFrames);
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        const HarmonicLevels levels = analyzer.Measure(Polynomial(row.coefficients, row.amplitude, bin), bin);
        const double fundamental = PredictedAmplitude(row.coefficients, row.amplitude, 1);
        EXPECT_NEAR(levels.fundamentalDbfs, AmplitudeToDecibels(fundamental), 0.1);
        double harmonicPower = 0.0, evenPower = 0.0, oddPower = 0.0;
        for (int h = 2; h <= kHighestHarmonic; ++h) {
            const double ratio = PredictedAmplitude(row.coefficients, row.amplitude, h) / fundamental;
            if (ratio == 0.0) {
                EXPECT_LT(levels.harmonicsDbc[h - 2], -120.0) << "harmonic " << h;
                continue;
            }
            EXPECT_NEAR(levels.harmonicsDbc[h - 2], AmplitudeToDecibels(ratio), 0.1) << "harmonic " << h;
            harmonicPower += ratio * ratio;
            (h % 2 ? oddPower : evenPower) += ratio * ratio;
        }
        EXPECT_NEAR(levels.thdDb, 10.0 * std::log10(harmonicPower), 0.1);
        // Nothing but harmonics 2 to 10: THD+N is THD.
        EXPECT_NEAR(levels.thdnDb, levels.thdDb, 0.1);
        if (evenPower > 0.0 && oddPower > 0.0) {
            EXPECT_NEAR(levels.evenOddDb, 10.0 * std::log10(evenPower / oddPower), 0.1);
        }
    }
}

TEST(HarmonicAnalyzer, NoiseCountsInThdPlusNoiseOnly) {
    const int64_t bin = CoherentBin(1000.0, kRate, kFrames);
    std::vector<float> signal = SineAt(0.5, bin);
    const std::vector<float> noise = WhiteNoise(0.5e-3, kFrames, 7);  // -60 dB against the sine's RMS
    for (size_t i = 0; i < signal.size(); ++i) signal[i] += noise[i];
    HarmonicAnalyzer analyzer(kFrames, kRate);
    const HarmonicLevels levels = analyzer.Measure(signal, bin);
    // Noise power relative to the sine's (0.5^2 / 2), less the share in the excluded bins.
    EXPECT_NEAR(levels.thdnDb, 20.0 * std::log10(0.5e-3 / (0.5 / std::sqrt(2.0))), 0.2);
    EXPECT_LT(levels.thdDb, levels.thdnDb - 25.0);
}

TEST(HarmonicAnalyzer, HarmonicsAtOrAboveHalfTheRateAreNotMeasured) {
    // 5 kHz at 48 kHz: harmonics 2 to 4 lie below 24 kHz, 5 and up do not.
    const struct {
        double frequency;
        int firstMissing;  // 11: none missing
    } rows[] = {{5000.0, 5}, {1000.0, 11}, {11000.0, 3},
                // bin 6553: harmonic 5's window lobe ends exactly at the Nyquist bin
                {6553 * kRate / kFrames, 5}};
    HarmonicAnalyzer analyzer(kFrames, kRate);
    for (const auto& row : rows) {
        const int64_t bin = CoherentBin(row.frequency, kRate, kFrames);
        const HarmonicLevels levels =
            analyzer.Measure(Polynomial({0.0, 1.0, 0.1, 0.1}, 0.5, bin), bin);
        for (int h = 2; h <= kHighestHarmonic; ++h)
            EXPECT_EQ(std::isnan(levels.harmonicsDbc[h - 2]), h >= row.firstMissing)
                << row.frequency << " Hz, harmonic " << h;
    }
}

TEST(TestSignals, CoherentBinsRoundToTheNearestWholeCycleCount) {
    const struct {
        double wanted, rate;
        int64_t frames, bin;
    } rows[] = {{1000.0, 48000.0, 65536, 1365}, {1000.0, 44100.0, 65536, 1486}, {0.1, 48000.0, 65536, 1},
                {24000.0, 48000.0, 65536, 32768}};
    for (const auto& row : rows) EXPECT_EQ(CoherentBin(row.wanted, row.rate, row.frames), row.bin) << row.wanted;
}

TEST(HarmonicAnalyzer, SpectrumShowsATonesPeakLevel) {
    const int64_t bin = CoherentBin(1000.0, kRate, kFrames);
    HarmonicAnalyzer analyzer(kFrames, kRate);
    const std::vector<double> spectrum = analyzer.SpectrumDbfs(SineAt(DecibelsToAmplitude(-6.0), bin));
    ASSERT_EQ(spectrum.size(), size_t(kFrames / 2 + 1));
    EXPECT_NEAR(spectrum[bin], -6.0, 1e-6);
    EXPECT_LT(spectrum[bin + 4], -120.0);
}

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
    int delay;       // samples
    double lowPass;  // one-pole coefficient a of y = (1 - a) x + a y[-1]; 0 for none
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
