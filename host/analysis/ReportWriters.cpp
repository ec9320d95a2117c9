#include "ReportWriters.h"

#include <cmath>
#include <cstdio>

namespace Analysis {

namespace {
std::string Number(double value) {
    if (!std::isfinite(value)) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", value);
    return text;
}

std::string JsonNumber(double value) {
    const std::string text = Number(value);
    return text.empty() ? "null" : text;
}

std::string JsonString(const std::string& value) {
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

// A CSV field: quoted when it holds a separator, a quote or a line break.
std::string CsvField(const std::string& value) {
    if (value.find_first_of(",\"\n") == std::string::npos) return value;
    std::string quoted = "\"";
    for (char c : value) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string HarmonicHeader() {
    std::string header = "colour,input_dbfs,harmonic_percent,dynamic_percent,fundamental_dbfs";
    for (int h = 2; h <= kHighestHarmonic; ++h) header += ",h" + std::to_string(h) + "_dbc";
    return header + ",thd_db,thd_percent,thdn_db,thdn_percent,even_odd_db\n";
}

std::string HarmonicTable(const std::vector<HarmonicPoint>& points) {
    std::string table = HarmonicHeader();
    for (const HarmonicPoint& point : points) {
        const HarmonicLevels& levels = point.levels;
        table += CsvField(point.colour) + "," + Number(point.inputDbfs) + "," + Number(point.harmonic) + "," +
                 Number(point.dynamic) + "," + Number(levels.fundamentalDbfs);
        for (double harmonic : levels.harmonicsDbc) table += "," + Number(harmonic);
        table += "," + Number(levels.thdDb) + "," + Number(DecibelsToPercent(levels.thdDb)) + "," +
                 Number(levels.thdnDb) + "," + Number(DecibelsToPercent(levels.thdnDb)) + "," +
                 Number(levels.evenOddDb) + "\n";
    }
    return table;
}

std::string ResponseTable(const std::vector<ResponseTrace>& traces) {
    std::string table = "colour,input_dbfs,frequency_hz,magnitude_db,phase_degrees,coherence\n";
    for (const ResponseTrace& trace : traces) {
        const FrequencyResponse& response = trace.response;
        for (size_t k = 0; k < response.frequency.size(); ++k)
            table += CsvField(trace.colour) + "," + Number(trace.inputDbfs) + "," + Number(response.frequency[k]) +
                     "," + Number(response.magnitudeDb[k]) + "," + Number(response.phaseDegrees[k]) + "," +
                     Number(response.coherence[k]) + "\n";
    }
    return table;
}

std::string TransferTable(const std::vector<TransferTrace>& traces) {
    std::string table = "colour,input,output\n";
    for (const TransferTrace& trace : traces)
        for (size_t n = 0; n < trace.input.size(); ++n)
            table += CsvField(trace.colour) + "," + Number(trace.input[n]) + "," + Number(trace.output[n]) + "\n";
    return table;
}

std::string JsonArray(const std::vector<double>& values) {
    std::string array = "[";
    for (size_t i = 0; i < values.size(); ++i) array += (i ? "," : "") + JsonNumber(values[i]);
    return array + "]";
}

std::string JsonHarmonicPoints(const std::vector<HarmonicPoint>& points) {
    std::string array = "[";
    for (size_t i = 0; i < points.size(); ++i) {
        const HarmonicPoint& point = points[i];
        const HarmonicLevels& levels = point.levels;
        array += std::string(i ? "," : "") + "\n    {\"colour\": " + JsonString(point.colour) +
                 ", \"input_dbfs\": " + JsonNumber(point.inputDbfs) + ", \"harmonic_percent\": " +
                 JsonNumber(point.harmonic) + ", \"dynamic_percent\": " + JsonNumber(point.dynamic) +
                 ", \"fundamental_dbfs\": " + JsonNumber(levels.fundamentalDbfs) + ", \"harmonics_dbc\": " +
                 JsonArray(std::vector<double>(levels.harmonicsDbc.begin(), levels.harmonicsDbc.end())) +
                 ", \"thd_db\": " + JsonNumber(levels.thdDb) + ", \"thd_percent\": " +
                 JsonNumber(DecibelsToPercent(levels.thdDb)) + ", \"thdn_db\": " + JsonNumber(levels.thdnDb) +
                 ", \"thdn_percent\": " + JsonNumber(DecibelsToPercent(levels.thdnDb)) + ", \"even_odd_db\": " +
                 JsonNumber(levels.evenOddDb) + "}";
    }
    return array + (points.empty() ? "]" : "\n  ]");
}

std::string JsonResponses(const std::vector<ResponseTrace>& traces) {
    std::string array = "[";
    for (size_t i = 0; i < traces.size(); ++i) {
        const FrequencyResponse& response = traces[i].response;
        array += std::string(i ? "," : "") + "\n    {\"colour\": " + JsonString(traces[i].colour) +
                 ", \"input_dbfs\": " + JsonNumber(traces[i].inputDbfs) +
                 ", \"segments_averaged\": " + std::to_string(response.segmentsAveraged) +
                 ",\n     \"frequency_hz\": " + JsonArray(response.frequency) +
                 ",\n     \"magnitude_db\": " + JsonArray(response.magnitudeDb) +
                 ",\n     \"phase_degrees\": " + JsonArray(response.phaseDegrees) +
                 ",\n     \"coherence\": " + JsonArray(response.coherence) + "}";
    }
    return array + (traces.empty() ? "]" : "\n  ]");
}

std::string JsonTransfers(const std::vector<TransferTrace>& traces) {
    std::string array = "[";
    for (size_t i = 0; i < traces.size(); ++i)
        array += std::string(i ? "," : "") + "\n    {\"colour\": " + JsonString(traces[i].colour) +
                 ",\n     \"input\": " + JsonArray(traces[i].input) + ",\n     \"output\": " +
                 JsonArray(traces[i].output) + "}";
    return array + (traces.empty() ? "]" : "\n  ]");
}
}  // namespace

std::vector<NamedText> CsvTables(const AnalysisReport& report) {
    return {
        {"harmonics.csv", HarmonicTable(report.spectra)},
        {"harmonics-vs-level.csv", HarmonicTable(report.levelSweep)},
        {"harmonics-vs-harmonic.csv", HarmonicTable(report.harmonicSweep)},
        {"harmonics-vs-dynamic.csv", HarmonicTable(report.dynamicSweep)},
        {"frequency-response.csv", ResponseTable(report.responses)},
        {"transfer-curve.csv", TransferTable(report.transfers)},
    };
}

std::string JsonDocument(const AnalysisReport& report) {
    std::string colours = "[";
    for (size_t i = 0; i < report.colours.size(); ++i) colours += (i ? ", " : "") + JsonString(report.colours[i]);
    colours += "]";
    return "{\n  \"sample_rate_hz\": " + JsonNumber(report.sampleRate) +
           ",\n  \"tone_frequency_hz\": " + JsonNumber(report.toneFrequency) +
           ",\n  \"block_frames\": " + std::to_string(report.blockFrames) +
           ",\n  \"settle_frames\": " + std::to_string(report.settleFrames) +
           ",\n  \"settings\": " + JsonString(report.settings) +
           ",\n  \"sweep_level_dbfs\": " + JsonNumber(report.sweepLevelDbfs) +
           ",\n  \"floor_db\": " + JsonNumber(kFloorDecibels) + ",\n  \"colours\": " + colours +
           ",\n  \"harmonics\": " + JsonHarmonicPoints(report.spectra) +
           ",\n  \"harmonics_vs_level\": " + JsonHarmonicPoints(report.levelSweep) +
           ",\n  \"harmonics_vs_harmonic\": " + JsonHarmonicPoints(report.harmonicSweep) +
           ",\n  \"harmonics_vs_dynamic\": " + JsonHarmonicPoints(report.dynamicSweep) +
           ",\n  \"frequency_response\": " + JsonResponses(report.responses) +
           ",\n  \"transfer_curve\": " + JsonTransfers(report.transfers) + "\n}\n";
}

}  // namespace Analysis
