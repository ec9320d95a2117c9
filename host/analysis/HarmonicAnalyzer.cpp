#include "HarmonicAnalyzer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "TestSignals.h"

namespace Analysis {

namespace {
// Content below this frequency is DC and the effect's settling, not noise.
constexpr double kLowestNoiseFrequency = 10.0;

double PowerToDecibels(double ratio) {
    return ratio > 0.0 ? std::max(10.0 * std::log10(ratio), kFloorDecibels) : kFloorDecibels;
}
}  // namespace

double DecibelsToPercent(double decibels) { return 100.0 * DecibelsToAmplitude(decibels); }

HarmonicAnalyzer::HarmonicAnalyzer(int64_t frames, double sampleRate)
    : m_Transform(frames), m_SampleRate(sampleRate), m_Window(BlackmanHarrisWindow(frames)), m_WindowPower(0.0), m_WindowSum(0.0),
      m_Samples(static_cast<size_t>(frames)) {
    for (double w : m_Window) {
        m_WindowPower += w * w;
        m_WindowSum += w;
    }
}

double HarmonicAnalyzer::BinFrequency(int64_t bin) const {
    return Analysis::BinFrequency(bin, m_SampleRate, Frames());
}

void HarmonicAnalyzer::Transform(const std::vector<float>& block) {
    std::copy(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(Frames()), m_Samples.begin());
    m_Transform.Forward(m_Samples.data(), m_Window, &m_Bins);
}

double HarmonicAnalyzer::LobePower(int64_t bin) const {
    double power = 0.0;
    const int64_t last = static_cast<int64_t>(m_Bins.size()) - 1;
    for (int64_t k = std::max<int64_t>(bin - kBlackmanHarrisHalfWidth, 0);
         k <= std::min(bin + kBlackmanHarrisHalfWidth, last); ++k)
        power += std::norm(m_Bins[k]);
    return power;
}

double HarmonicAnalyzer::ToneAmplitude(double lobePower) const {
    // A tone of amplitude A puts N A^2 S / 4 into the lobe on the positive
    // side (Parseval, S the sum of the squared window).
    return std::sqrt(4.0 * lobePower / (double(Frames()) * m_WindowPower));
}

HarmonicLevels HarmonicAnalyzer::Measure(const std::vector<float>& block, int64_t fundamentalBin) {
    Transform(block);
    HarmonicLevels levels;
    const int64_t nyquistBin = Frames() / 2;
    const double fundamentalPower = LobePower(fundamentalBin);
    const double fundamentalAmplitude = ToneAmplitude(fundamentalPower);
    levels.fundamentalDbfs =
        fundamentalAmplitude > 0.0 ? std::max(AmplitudeToDecibels(fundamentalAmplitude), kFloorDecibels) : kFloorDecibels;
    if (fundamentalPower <= 0.0) {
        levels.harmonicsDbc.fill(std::numeric_limits<double>::quiet_NaN());
        return levels;
    }

    double harmonicPower = 0.0, evenPower = 0.0, oddPower = 0.0;
    for (int h = 2; h <= kHighestHarmonic; ++h) {
        const int64_t bin = fundamentalBin * h;
        if (bin + kBlackmanHarrisHalfWidth >= nyquistBin) {
            levels.harmonicsDbc[h - 2] = std::numeric_limits<double>::quiet_NaN();
            continue;
        }
        const double power = LobePower(bin);
        levels.harmonicsDbc[h - 2] = PowerToDecibels(power / fundamentalPower);
        harmonicPower += power;
        (h % 2 == 0 ? evenPower : oddPower) += power;
    }
    levels.thdDb = PowerToDecibels(harmonicPower / fundamentalPower);
    levels.evenOddDb = PowerToDecibels(evenPower / fundamentalPower) - PowerToDecibels(oddPower / fundamentalPower);

    const int64_t lowestBin =
        std::max<int64_t>(kBlackmanHarrisHalfWidth + 1, static_cast<int64_t>(std::ceil(kLowestNoiseFrequency *
                                                                                        double(Frames()) / m_SampleRate)));
    double residualPower = 0.0;
    for (int64_t k = lowestBin; k < nyquistBin; ++k)
        if (std::llabs(k - fundamentalBin) > kBlackmanHarrisHalfWidth) residualPower += std::norm(m_Bins[k]);
    levels.thdnDb = PowerToDecibels(residualPower / fundamentalPower);
    return levels;
}

std::vector<double> HarmonicAnalyzer::SpectrumDbfs(const std::vector<float>& block) {
    Transform(block);
    // A coherent tone's peak bin holds A W / 2, W the sum of the window.
    const double peakScale = 2.0 / m_WindowSum;
    std::vector<double> spectrum(m_Bins.size());
    for (size_t k = 0; k < m_Bins.size(); ++k) {
        const double amplitude = std::abs(m_Bins[k]) * peakScale;
        spectrum[k] = amplitude > 0.0 ? std::max(AmplitudeToDecibels(amplitude), kFloorDecibels) : kFloorDecibels;
    }
    return spectrum;
}

}  // namespace Analysis
