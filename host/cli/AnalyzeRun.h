// The measurements of orvanta analyze, made through the effect as the
// process command renders: the plug-in module, one mono instance at the
// chosen rate, the runtime's AudioRenderer in host blocks, the effect's
// delay removed. Settings reach the instance as host automation at the
// start of each render; every render first runs a settling stretch that is
// thrown away, so each measurement sees the effect in its steady state.
#pragma once

#include <string>
#include <vector>

#include "CliCommon.h"
#include "host/analysis/AnalysisReport.h"

// One colour type to measure: its name, the value text to set the effect's
// character parameter to (empty: leave it as the settings chose it), and
// its place among the effect's colour types (which plot colour it takes).
struct AnalysisColour {
    std::string name;
    std::string valueText;
    int ordinal = -1;
};

struct AnalysisPlan {
    int sampleRate = 48000;
    double toneFrequency = 1000.0;              // wanted; the run uses the nearest coherent one
    std::vector<double> levels{-18, -12, -6, 0};  // dBFS, harmonic spectra
    double sweepFrom = -40.0, sweepTo = 0.0, sweepStep = 2.0;  // dBFS, harmonics against level
    double settingStep = 10.0;                  // percent, harmonics against Harmonic and Dynamic
    double sweepLevel = -6.0;                   // dBFS, input of the Harmonic and Dynamic sweeps
    double responseLevel = -40.0;               // dBFS RMS, noise for the frequency response
    std::string colourList;                     // --colors; empty: every colour type or the one set
    bool quiet = false;
};

// The items of a comma-separated list, empty ones included.
std::vector<std::string> SplitList(const std::string& text);

// Runs every measurement of plan. options carries the settings options
// (--preset, --set, --bypass) and --plugin. Failures as EffectSession's,
// and 70 when a render fails.
bool RunAnalysis(const ParsedOptions& options, const AnalysisPlan& plan, Analysis::AnalysisReport* report,
                 CliFailure* failure);
