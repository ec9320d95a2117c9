// Harmonic measurement against signals whose harmonics are known: a pure
// float sine (nothing above the analysis floor) and polynomials of a sine,
// whose harmonic amplitudes follow from the Chebyshev expansion of x^n.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "host/analysis/HarmonicAnalyzer.h"
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
// Sines give the same magnitudes (every term of one harmonic changes sign
// alike).
double PredictedAmplitude(const std::vector<double>& coefficients, double amplitude, int h) {
    double sum = 0.0;
    for (int n = h; n < int(coefficients.size()); n += 2)
        sum += coefficients[n] * std::pow(amplitude, n) / std::pow(2.0, n - 1) * Choose(n, (n - h) / 2);
    return std::fabs(sum);
}

std::vector<float> Polynomial(const std::vector<double>& coefficients, double amplitude, int64_t bin) {
    const std::vector<float> sine = Sine(amplitude, BinFrequency(bin, kRate, kFrames), kRate, kFrames);
    std::vector<float> shaped(sine.size());
    for (size_t i = 0; i < sine.size(); ++i) {
        double y = 0.0;
        for (size_t n = coefficients.size(); n-- > 0;) y = y * sine[i] + coefficients[n];
        shaped[i] = static_cast<float>(y);
    }
    return shaped;
}

TEST(HarmonicAnalyzer, APureFloatSineHasNoHarmonicAboveTheFloor) {
    HarmonicAnalyzer analyzer(kFrames, kRate);
    for (double level : {0.0, -6.0, -40.0}) {
        for (double frequency : {100.0, 1000.0, 2000.0}) {
            const int64_t bin = CoherentBin(frequency, kRate, kFrames);
            const HarmonicLevels levels =
                analyzer.Measure(Sine(DecibelsToAmplitude(level), BinFrequency(bin, kRate, kFrames), kRate, kFrames), bin);
            SCOPED_TRACE(testing::Message() << level << " dBFS, " << frequency << " Hz");
            EXPECT_NEAR(levels.fundamentalDbfs, level, 1e-6);
            for (double harmonic : levels.harmonicsDbc) EXPECT_LT(harmonic, -120.0);
            EXPECT_LT(levels.thdDb, -120.0);
            EXPECT_LT(levels.thdnDb, -120.0);
        }
    }
}

struct PolynomialCase {
    const char* name;
    std::vector<double> coefficients;  // c[n] multiplies x^n
    double amplitude;
};

TEST(HarmonicAnalyzer, PolynomialsGiveTheirChebyshevHarmonics) {
    const PolynomialCase cases[] = {
        {"square term", {0.0, 1.0, 0.1}, 0.5},
        {"cube term", {0.0, 1.0, 0.0, -0.2}, 0.8},
        {"soft clip x - x^3/3", {0.0, 1.0, 0.0, -1.0 / 3.0}, 1.0},
        {"mixed up to x^5", {0.01, 0.9, 0.05, -0.1, 0.02, 0.03}, 0.7},
        {"small, deep harmonics", {0.0, 1.0, 1e-3, 1e-3, 1e-3, 1e-3, 1e-3, 1e-3, 1e-3, 1e-3, 1e-3}, 0.9},
    };
    HarmonicAnalyzer analyzer(kFrames, kRate);
    const int64_t bin = CoherentBin(1000.0, kRate, kFrames);
    for (const PolynomialCase& row : cases) {
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
    std::vector<float> signal = Sine(0.5, BinFrequency(bin, kRate, kFrames), kRate, kFrames);
    const std::vector<float> noise = WhiteNoise(0.5e-3, kFrames, 7);  // -60 dB against the sine's RMS
    for (size_t i = 0; i < signal.size(); ++i) signal[i] += noise[i];
    HarmonicAnalyzer analyzer(kFrames, kRate);
    const HarmonicLevels levels = analyzer.Measure(signal, bin);
    // Noise power relative to the sine's power (0.5^2 / 2), less the
    // small share that falls into the excluded bins.
    EXPECT_NEAR(levels.thdnDb, 20.0 * std::log10(0.5e-3 / (0.5 / std::sqrt(2.0))), 0.2);
    EXPECT_LT(levels.thdDb, levels.thdnDb - 25.0);
}

TEST(HarmonicAnalyzer, HarmonicsAtOrAboveHalfTheRateAreNotMeasured) {
    // 5 kHz at 48 kHz: harmonics 2 to 4 lie below 24 kHz, 5 and up do not.
    const struct {
        double frequency;
        int firstMissing;  // 11: none missing
    } rows[] = {{5000.0, 5}, {1000.0, 11}, {11000.0, 3},
                // bin 6553: harmonic 5's window lobe ends exactly at the
                // Nyquist bin, so it is not measured either
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

TEST(HarmonicAnalyzer, SilenceReadsAsTheFloor) {
    HarmonicAnalyzer analyzer(kFrames, kRate);
    const HarmonicLevels levels = analyzer.Measure(std::vector<float>(kFrames, 0.0f), 1365);
    EXPECT_EQ(levels.fundamentalDbfs, kFloorDecibels);
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
    const std::vector<double> spectrum =
        analyzer.SpectrumDbfs(Sine(DecibelsToAmplitude(-6.0), BinFrequency(bin, kRate, kFrames), kRate, kFrames));
    ASSERT_EQ(spectrum.size(), size_t(kFrames / 2 + 1));
    EXPECT_NEAR(spectrum[bin], -6.0, 1e-6);
    EXPECT_LT(spectrum[bin + 4], -120.0);
}

}  // namespace
