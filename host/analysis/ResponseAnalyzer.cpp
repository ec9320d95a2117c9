#include "ResponseAnalyzer.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "RealTransform.h"
#include "TestSignals.h"

namespace Analysis {

namespace {
struct AveragedSpectra {
    std::vector<double> inputPower;                 // Sxx
    std::vector<double> outputPower;                // Syy
    std::vector<std::complex<double>> crossPower;   // Syx
    int segments = 0;
};

AveragedSpectra AverageSpectra(const std::vector<float>& input, const std::vector<float>& output,
                               int64_t segmentLength) {
    RealTransform transform(segmentLength);
    const std::vector<double> window = HannWindow(segmentLength);
    const size_t bins = static_cast<size_t>(segmentLength / 2 + 1);
    AveragedSpectra spectra{std::vector<double>(bins), std::vector<double>(bins),
                            std::vector<std::complex<double>>(bins), 0};
    std::vector<double> segment(static_cast<size_t>(segmentLength));
    std::vector<std::complex<double>> x, y;
    const int64_t hop = segmentLength / 2;
    const int64_t frames = static_cast<int64_t>(input.size());
    for (int64_t start = 0; start + segmentLength <= frames; start += hop) {
        for (int64_t n = 0; n < segmentLength; ++n) segment[n] = input[start + n];
        transform.Forward(segment.data(), window, &x);
        for (int64_t n = 0; n < segmentLength; ++n) segment[n] = output[start + n];
        transform.Forward(segment.data(), window, &y);
        for (size_t k = 0; k < bins; ++k) {
            spectra.inputPower[k] += std::norm(x[k]);
            spectra.outputPower[k] += std::norm(y[k]);
            spectra.crossPower[k] += y[k] * std::conj(x[k]);
        }
        ++spectra.segments;
    }
    return spectra;
}
}  // namespace

FrequencyResponse MeasureResponse(const std::vector<float>& input, const std::vector<float>& output,
                                  double sampleRate, int64_t segmentLength) {
    const AveragedSpectra spectra = AverageSpectra(input, output, segmentLength);
    FrequencyResponse response;
    response.segmentsAveraged = spectra.segments;
    for (int64_t k = 1; k <= segmentLength / 2; ++k) {
        const double inputPower = spectra.inputPower[k];
        if (inputPower <= 0.0) continue;
        const std::complex<double> gain = spectra.crossPower[k] / inputPower;
        const double outputPower = spectra.outputPower[k];
        response.frequency.push_back(BinFrequency(k, sampleRate, segmentLength));
        response.magnitudeDb.push_back(20.0 * std::log10(std::max(std::abs(gain), 1e-10)));
        response.phaseDegrees.push_back(std::arg(gain) * 180.0 / M_PI);
        response.coherence.push_back(outputPower > 0.0 ? std::norm(spectra.crossPower[k]) / (inputPower * outputPower)
                                                       : 0.0);
    }
    return response;
}

}  // namespace Analysis
