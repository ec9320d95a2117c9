// The measured numbers as text: CSV tables (one per measurement, a header
// line naming each column with its unit) and one JSON document. Levels
// that could not be measured (a harmonic at or above half the rate) are
// empty CSV fields and JSON nulls.
#pragma once

#include <string>
#include <vector>

#include "AnalysisReport.h"

namespace Analysis {

struct NamedText {
    std::string fileName;
    std::string text;
};

// harmonics.csv, harmonics-vs-level.csv, harmonics-vs-harmonic.csv,
// harmonics-vs-dynamic.csv, frequency-response.csv, transfer-curve.csv.
std::vector<NamedText> CsvTables(const AnalysisReport& report);

std::string JsonDocument(const AnalysisReport& report);

}  // namespace Analysis
