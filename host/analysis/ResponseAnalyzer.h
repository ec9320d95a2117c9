// The frequency response of a system from its input and output (white
// noise through it): Welch's method with Hann-windowed segments overlapping
// by half, averaged cross and auto spectra, and the H1 estimate
// H = Syx / Sxx, whose noise averages out of the cross spectrum. The
// coherence tells where the estimate can be trusted (1: the output is a
// linear function of the input at that frequency).
#pragma once

#include <cstdint>
#include <vector>

namespace Analysis {

struct FrequencyResponse {
    std::vector<double> frequency;    // Hz, bins 1 .. segment/2
    std::vector<double> magnitudeDb;  // gain in dB
    std::vector<double> phaseDegrees; // -180 .. 180
    std::vector<double> coherence;    // 0 .. 1
    int segmentsAveraged = 0;
};

// input and output are aligned and of one length, at least one segment.
FrequencyResponse MeasureResponse(const std::vector<float>& input, const std::vector<float>& output,
                                  double sampleRate, int64_t segmentLength);

}  // namespace Analysis
