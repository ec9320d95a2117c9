// The analysis drawn as PNG pictures through PLplot's cairo driver: the
// output spectra, harmonic levels, harmonics against input level,
// the effect's blend and drive parameters, the frequency response and the transfer curve,
// each with a title, labelled axes with units and a legend naming the
// colour types. Frequency axes are logarithmic.
//
// Main thread only: PLplot keeps its state in globals.
#pragma once

#include <string>
#include <vector>

#include "AnalysisReport.h"

namespace Analysis {

// The file names DrawPlots writes.
std::vector<std::string> PlotFileNames();

// Writes every plot into folder, which must exist and be writable. PLplot
// ends the process on a fatal error of its own; the program exits with
// exitCodeOnFailure then.
void DrawPlots(const AnalysisReport& report, const std::string& folder, int exitCodeOnFailure);

}  // namespace Analysis
