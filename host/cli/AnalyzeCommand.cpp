// orvanta analyze [FOLDER]: measures the effect's character (harmonic
// spectra, harmonics against level and settings, frequency response,
// transfer curve) and writes plots, CSV tables and JSON.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "AnalyzeRun.h"
#include "StopSignals.h"
#include "CommandRegistry.h"
#include "EffectSession.h"
#include "host/runtime/PluginModule.h"
#include "host/analysis/AnalysisPlots.h"
#include "host/analysis/ReportWriters.h"

namespace {

struct AnalyzeArguments {
    std::string folder;  // empty: no files
    bool json = false;
    bool plots = true;
    AnalysisPlan plan;
};

// A decimal number within [minimum, maximum], all of text.
bool ParseDecimal(const std::string& text, double minimum, double maximum, double* value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(parsed) || parsed < minimum ||
        parsed > maximum)
        return false;
    *value = parsed;
    return true;
}

std::string Range(double minimum, double maximum) {
    char text[64];
    std::snprintf(text, sizeof text, "from %g to %g", minimum, maximum);
    return text;
}

// One numeric option, if given.
bool ReadNumber(const ParsedOptions& options, const std::string& name, const std::string& what, double minimum,
                double maximum, double* value, CliFailure* failure) {
    if (!options.Has(name)) return true;
    if (ParseDecimal(options.Last(name), minimum, maximum, value)) return true;
    *failure = CliFailure{ExitCode::kUsage, name + " needs " + what + " " + Range(minimum, maximum) + ", not '" +
                                                options.Last(name) + "'"};
    return false;
}

bool ReadRate(const ParsedOptions& options, int* rate, CliFailure* failure) {
    if (!options.Has("--rate")) return true;
    // One of the rates a host runs at; whether the effect supports it is
    // known once it is loaded.
    std::string supported;
    for (float candidate : PluginModule::HostSampleRates()) {
        const std::string text = std::to_string(static_cast<int>(candidate));
        if (options.Last("--rate") == text) {
            *rate = static_cast<int>(candidate);
            return true;
        }
        supported += (supported.empty() ? "" : ", ") + text;
    }
    *failure = CliFailure{ExitCode::kUsage, "--rate needs one of the host's rates (" + supported + " Hz), not '" +
                                                options.Last("--rate") + "'"};
    return false;
}

bool ReadLevels(const ParsedOptions& options, std::vector<double>* levels, CliFailure* failure) {
    if (!options.Has("--levels")) return true;
    levels->clear();
    for (const std::string& item : SplitList(options.Last("--levels"))) {
        double level = 0.0;
        if (!ParseDecimal(item, -120.0, 0.0, &level)) {
            *failure = CliFailure{ExitCode::kUsage, "--levels needs levels in dBFS " + Range(-120.0, 0.0) +
                                                        " separated by commas, not '" + options.Last("--levels") + "'"};
            return false;
        }
        levels->push_back(level);
    }
    return true;
}

// "all", or colour type names or numbers separated by commas; the effect
// names its colour types, so they are read once it is loaded.
bool ReadColours(const ParsedOptions& options, std::string* colours) {
    if (options.Has("--colors")) *colours = options.Last("--colors");
    return true;
}

bool ReadArguments(const ParsedOptions& options, AnalyzeArguments* arguments, CliFailure* failure) {
    if (options.positionals.size() > 1) {
        *failure = CliFailure{ExitCode::kUsage, "analyze takes at most one output folder (see orvanta analyze --help)"};
        return false;
    }
    if (!options.positionals.empty()) arguments->folder = options.positionals[0];
    arguments->json = options.Has("--json");
    arguments->plots = !options.Has("--no-plots");
    if (arguments->folder.empty() && !arguments->json) {
        *failure = CliFailure{ExitCode::kUsage, "analyze needs an output folder, --json, or both "
                                                "(see orvanta analyze --help)"};
        return false;
    }
    AnalysisPlan& plan = arguments->plan;
    plan.quiet = options.Has("--quiet");
    if (!ReadRate(options, &plan.sampleRate, failure)) return false;
    const double highestTone = plan.sampleRate / 4.0;
    return ReadNumber(options, "--frequency", "a frequency in Hz", 20.0, highestTone, &plan.toneFrequency, failure) &&
           ReadLevels(options, &plan.levels, failure) && ReadColours(options, &plan.colourList) &&
           ReadNumber(options, "--sweep-step", "a step in dB", 0.5, 40.0, &plan.sweepStep, failure) &&
           ReadNumber(options, "--setting-step", "a step in percent", 1.0, 100.0, &plan.settingStep, failure) &&
           ReadNumber(options, "--sweep-level", "a level in dBFS", -120.0, 0.0, &plan.sweepLevel, failure) &&
           ReadNumber(options, "--response-level", "a level in dBFS", -120.0, -6.0, &plan.responseLevel, failure);
}

// ---- output ----

bool WriteAll(FILE* file, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), file) == text.size();
}

bool WriteTextFile(const std::string& path, const std::string& text, CliFailure* failure) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        *failure = CliFailure{ExitCode::kCannotCreate, "cannot create '" + path + "': " + std::strerror(errno)};
        return false;
    }
    const bool written = WriteAll(file, text);
    const int writeError = errno;
    if (std::fclose(file) != 0 || !written) {
        *failure = CliFailure{ExitCode::kIOError,
                              "writing '" + path + "' failed: " + std::strerror(written ? errno : writeError)};
        return false;
    }
    return true;
}

bool EndsLikeAPng(const std::string& path) {
    static const char kEndChunk[] = "IEND\xae\x42\x60\x82";
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    char tail[8] = {};
    const bool read = std::fseek(file, -8, SEEK_END) == 0 && std::fread(tail, 1, 8, file) == 8;
    std::fclose(file);
    return read && std::memcmp(tail, kEndChunk, 8) == 0;
}

// A hidden folder inside the output folder that collects the files; they
// are moved into the output folder only once all of them are complete.
class StagingFolder {
public:
    // Removes what is left: the staging folder, and the output folder when
    // it was made here and nothing was moved into it.
    ~StagingFolder() {
        for (const std::string& name : m_Names) unlink((m_Path + "/" + name).c_str());
        if (!m_Path.empty()) rmdir(m_Path.c_str());
        if (m_CreatedFolder && !m_Committed) rmdir(m_Folder.c_str());
    }

    bool Create(const std::string& folder, CliFailure* failure) {
        struct stat existing;
        if (stat(folder.c_str(), &existing) != 0) {
            if (mkdir(folder.c_str(), 0777) != 0) {
                *failure = CliFailure{ExitCode::kCannotCreate,
                                      "cannot create the folder '" + folder + "': " + std::strerror(errno)};
                return false;
            }
            m_CreatedFolder = true;
        } else if (!S_ISDIR(existing.st_mode)) {
            *failure = CliFailure{ExitCode::kCannotCreate, "'" + folder + "' exists and is not a folder"};
            return false;
        }
        m_Folder = folder;
        std::string pattern = folder + "/.orvanta-analyze-XXXXXX";
        if (!mkdtemp(&pattern[0])) {
            *failure = CliFailure{ExitCode::kCannotCreate, "cannot write into '" + folder + "': " + std::strerror(errno)};
            return false;
        }
        m_Path = pattern;
        return true;
    }

    const std::string& Path() const { return m_Path; }
    void Add(const std::string& name) { m_Names.push_back(name); }

    // Moves every file into the output folder, replacing older ones.
    bool Commit(CliFailure* failure) {
        for (const std::string& name : m_Names) {
            if (rename((m_Path + "/" + name).c_str(), (m_Folder + "/" + name).c_str()) != 0) {
                *failure = CliFailure{ExitCode::kIOError, "cannot move '" + name + "' into '" + m_Folder +
                                                              "': " + std::strerror(errno)};
                return false;
            }
        }
        m_Names.clear();
        m_Committed = true;
        return true;
    }

private:
    std::string m_Folder, m_Path;
    std::vector<std::string> m_Names;  // files in the staging folder
    bool m_CreatedFolder = false;
    bool m_Committed = false;
};

bool WriteFolder(const AnalyzeArguments& arguments, const Analysis::AnalysisReport& report, CliFailure* failure) {
    StagingFolder staging;
    if (!staging.Create(arguments.folder, failure)) return false;
    std::vector<Analysis::NamedText> texts = Analysis::CsvTables(report);
    texts.push_back({"analysis.json", Analysis::JsonDocument(report)});
    for (const Analysis::NamedText& text : texts) {
        staging.Add(text.fileName);
        if (!WriteTextFile(staging.Path() + "/" + text.fileName, text.text, failure)) return false;
    }
    if (arguments.plots) {
        for (const std::string& name : Analysis::PlotFileNames()) staging.Add(name);
        Analysis::DrawPlots(report, staging.Path(), ExitCode::kIOError);
        // The plotting library does not report failed writes: check that
        // each picture ends with its PNG end chunk.
        for (const std::string& name : Analysis::PlotFileNames()) {
            if (!EndsLikeAPng(staging.Path() + "/" + name)) {
                *failure = CliFailure{ExitCode::kIOError, "the plot '" + name + "' could not be written"};
                return false;
            }
        }
    }
    // A stop signal during the writing leaves the output folder as it was.
    if (StopSignals::Arrived()) {
        *failure = StopSignals::Failure();
        return false;
    }
    return staging.Commit(failure);
}

std::string Decibels(double value) {
    if (!std::isfinite(value)) return "    -";
    char text[32];
    std::snprintf(text, sizeof text, "%7.1f", value);
    return text;
}

// The harmonic levels of each colour type at each level, for a reader.
void PrintSummary(const Analysis::AnalysisReport& report, const std::string& folder) {
    std::printf("Harmonics of a %.2f Hz sine at %g Hz (dBc; THD and THD+N in dB and %%):\n", report.toneFrequency,
                report.sampleRate);
    std::printf("%-8s %6s %7s %7s %7s %7s %7s %9s %7s %9s\n", "colour", "dBFS", "H2", "H3", "H4", "H5", "THD",
                "THD %", "THD+N", "even/odd");
    for (const Analysis::HarmonicPoint& point : report.spectra) {
        const Analysis::HarmonicLevels& levels = point.levels;
        std::printf("%-8s %6g %s %s %s %s %s %9.4f %s %s\n", point.colour.c_str(), point.inputDbfs,
                    Decibels(levels.harmonicsDbc[0]).c_str(), Decibels(levels.harmonicsDbc[1]).c_str(),
                    Decibels(levels.harmonicsDbc[2]).c_str(), Decibels(levels.harmonicsDbc[3]).c_str(),
                    Decibels(levels.thdDb).c_str(), Analysis::DecibelsToPercent(levels.thdDb),
                    Decibels(levels.thdnDb).c_str(), Decibels(levels.evenOddDb).c_str());
    }
    if (!folder.empty()) std::printf("Wrote the plots and tables into %s\n", folder.c_str());
}

int RunAnalyze(const ParsedOptions& options) {
    AnalyzeArguments arguments;
    CliFailure failure;
    if (!ReadArguments(options, &arguments, &failure)) return Report(failure);
    Analysis::AnalysisReport report;
    StopSignals::Install();
    if (!RunAnalysis(options, arguments.plan, &report, &failure)) return Report(failure);
    if (!arguments.folder.empty() && !WriteFolder(arguments, report, &failure)) return Report(failure);
    if (arguments.json) {
        if (!WriteAll(stdout, Analysis::JsonDocument(report)) || std::fflush(stdout) != 0)
            return Report(CliFailure{ExitCode::kIOError, std::string("writing to standard output failed: ") +
                                                             std::strerror(errno)});
    } else if (!arguments.plan.quiet) {
        PrintSummary(report, arguments.folder);
        if (std::fflush(stdout) != 0)
            return Report(CliFailure{ExitCode::kIOError, std::string("writing to standard output failed: ") +
                                                             std::strerror(errno)});
    }
    return ExitCode::kOk;
}

std::vector<OptionRule> AnalyzeOptions() {
    std::vector<OptionRule> options = EffectSession::SettingOptions();
    options.push_back({"--colors", "LIST",
                       "colour types to measure: 'all' or names or numbers separated by commas (Silver,Fat); "
                       "default: all five, or the one a preset or --set Color chooses"});
    options.push_back({"--rate", "HZ", "sample rate of the measurement (default 48000)"});
    options.push_back({"--frequency", "HZ", "frequency of the test sine (default 1000; up to a quarter of the rate)"});
    options.push_back({"--levels", "LIST", "sine levels in dBFS for the harmonic spectra (default -18,-12,-6,0)"});
    options.push_back({"--sweep-step", "DB", "step of the input-level sweep from -40 to 0 dBFS (default 2)"});
    options.push_back({"--setting-step", "PERCENT",
                       "step of the Harmonic and Dynamic sweeps from 0 to 100 % (default 10)"});
    options.push_back({"--sweep-level", "DB",
                       "sine level in dBFS for the Harmonic and Dynamic sweeps and the spectrum plot (default -6)"});
    options.push_back({"--response-level", "DB", "RMS level in dBFS of the noise for the frequency response "
                                                 "(default -40)"});
    options.push_back({"--json", "", "write every measured number as JSON to standard output"});
    options.push_back({"--no-plots", "", "write the tables but no pictures"});
    return options;
}

const CommandRegistrar kRegistrar(Command{
    "analyze",
    "measure and plot the character of each colour type",
    "orvanta analyze [FOLDER] [--json] [--colors LIST] [--rate HZ] [--frequency HZ]\n"
    "                       [--levels LIST] [--sweep-step DB] [--setting-step PERCENT]\n"
    "                       [--sweep-level DB] [--response-level DB] [--no-plots]\n"
    "                       [--preset FILE] [--set ID=VALUE]... [--bypass] [--quiet]",
    "Measures the effect through the plug-in module and the host runtime, as process\n"
    "renders, on a mono instance. Settings start from the effect's defaults with\n"
    "Harmonic at 100 %; --preset, --set and --bypass change them. For each colour type:\n"
    "  - the spectrum of a sine (default 1 kHz, moved to the nearest frequency that\n"
    "    fits the 65536-sample analysis block a whole number of times) at each level:\n"
    "    fundamental, harmonics 2 to 10 in dBc, THD, THD+N and the even/odd balance;\n"
    "  - the same harmonics against input level (-40 to 0 dBFS) and against Harmonic\n"
    "    and Dynamic (0 to 100 %);\n"
    "  - the frequency response (gain and phase, the delay removed) from white noise\n"
    "    at a low level, Hann-windowed 8192-sample segments averaged (Welch, H1);\n"
    "  - the transfer curve: output against input over one cycle of a full-scale sine.\n"
    "Levels below -200 dBc are reported as -200. The analysis floor for a float signal\n"
    "lies far below -120 dBc. FOLDER (created if missing) receives the PNG plots, CSV\n"
    "tables and analysis.json; the files appear only when all are complete. --json\n"
    "writes the JSON to standard output instead of the summary table.\n",
    AnalyzeOptions(),
    RunAnalyze,
});

}  // namespace
