// Everything one analysis run measured, as the writers (CSV, JSON, plots)
// take it.
#pragma once

#include <string>
#include <vector>

#include "HarmonicAnalyzer.h"
#include "ResponseAnalyzer.h"

namespace Analysis {

// One steady-tone measurement and the settings it was made with.
struct HarmonicPoint {
    std::string colour;       // colour type name
    double inputDbfs = 0.0;   // sine peak level
    double harmonic = 0.0;    // the blend parameter, as it displays itself
    double dynamic = 0.0;     // the drive parameter, as it displays itself
    HarmonicLevels levels;
};

// The output spectrum of one tone, for the spectrum plot.
struct SpectrumTrace {
    std::string colour;
    double inputDbfs = 0.0;
    std::vector<double> frequency;  // Hz
    std::vector<double> levelDbfs;
};

struct ResponseTrace {
    std::string colour;
    double inputDbfs = 0.0;  // noise RMS level
    FrequencyResponse response;
};

// One cycle of a full-scale tone: output sample against input sample.
struct TransferTrace {
    std::string colour;
    std::vector<double> input;
    std::vector<double> output;
};

struct AnalysisReport {
    // How the measurements were made.
    double sampleRate = 48000.0;
    double toneFrequency = 1000.0;  // the sine actually used (a whole number of cycles per block)
    int64_t blockFrames = 0;        // transform length of the tone measurements
    int64_t settleFrames = 0;       // rendered and discarded before each block
    std::string settings;           // the --preset/--set/--bypass options, as typed
    double sweepLevelDbfs = -6.0;   // input level of the Harmonic and Dynamic sweeps
    std::vector<std::string> colours;
    // Each colour's place among the effect's colour types (-1 when it is
    // not one), which decides its colour in the plots.
    std::vector<int> colourPlaces;

    std::vector<HarmonicPoint> spectra;        // each colour at each chosen level
    std::vector<HarmonicPoint> levelSweep;     // against input level
    std::vector<HarmonicPoint> harmonicSweep;  // against the effect's blend parameter
    std::vector<HarmonicPoint> dynamicSweep;   // against its drive parameter
    std::string blendParameter, driveParameter;  // their identifiers
    std::vector<SpectrumTrace> spectrumTraces;
    std::vector<ResponseTrace> responses;
    std::vector<TransferTrace> transfers;
};

}  // namespace Analysis
