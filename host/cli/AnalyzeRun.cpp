#include "AnalyzeRun.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

#include "AAX_CString.h"
#include "EffectSession.h"
#include "StopSignals.h"
#include "host/runtime/ModuleFacts.h"
#include "host/analysis/TestSignals.h"
#include "host/runtime/AudioRenderer.h"

namespace {

using Analysis::AnalysisReport;
using Analysis::HarmonicPoint;

constexpr int32_t kHostBlockSize = 512;
constexpr int64_t kToneBlockFrames = 65536;
constexpr int64_t kResponseSegmentFrames = 8192;
constexpr int kResponseSegments = 64;  // averaged, half overlapping
constexpr uint32_t kNoiseSeed = 0x0A7A11CEu;
constexpr int64_t kTransferPoints = 2000;

// The settings of one render: the colour type (empty: as set) and the
// normalized values of the blend and the drive parameters.
struct RenderSettings {
    std::string colourText;
    double harmonic = 0.0;
    double dynamic = 0.0;
};

// The effect's parameters the analysis moves, as the effect names their
// roles: the colour type, the blend of the colour and the drive.
struct AnalysisParameters {
    std::string character, blend, drive;
};

class EffectProbe {
public:
    EffectProbe(EffectSession& session, int64_t settleFrames, AnalysisParameters parameters)
        : m_Session(session), m_SettleFrames(settleFrames), m_Parameters(std::move(parameters)) {}

    const AnalysisParameters& Parameters() const { return m_Parameters; }

    // Renders signal (its first SettleFrames() samples settle the effect)
    // with the settings applied at its start; output is the rest, aligned
    // with the input.
    bool Render(const RenderSettings& settings, const std::vector<float>& signal, std::vector<float>* output,
                CliFailure* failure) {
        // A stop signal ends the measurement between renders.
        if (StopSignals::Arrived()) {
            *failure = StopSignals::Failure();
            return false;
        }
        std::vector<ParameterChange> changes;
        if (!settings.colourText.empty() &&
            !Change(m_Parameters.character.c_str(), settings.colourText, &changes, failure))
            return false;
        changes.push_back({0, m_Parameters.blend, settings.harmonic});
        changes.push_back({0, m_Parameters.drive, settings.dynamic});

        AudioRenderer::Options options;
        options.blockSize = kHostBlockSize;
        options.alignLatency = m_Session.Latency();
        AudioRenderer renderer(m_Session.Instance(), options);
        AudioChannels rendered;
        std::string error;
        if (!renderer.Render(AudioChannels{signal}, changes, &rendered, &error)) {
            *failure = CliFailure{ExitCode::kInternal, "rendering failed: " + error};
            return false;
        }
        output->assign(rendered[0].begin() + static_cast<std::ptrdiff_t>(m_SettleFrames), rendered[0].end());
        return true;
    }

    int64_t SettleFrames() const { return m_SettleFrames; }

    // The normalized value of a parameter's value text.
    bool Normalized(const std::string& parameterID, const std::string& text, double* value, CliFailure* failure) const {
        const ParameterValueParser::Result parsed = m_Session.Parser().Parse(parameterID, text);
        if (parsed.outcome != ParameterValueParser::Outcome::Parsed) {
            *failure = CliFailure{ExitCode::kUsage, parsed.message};
            return false;
        }
        *value = parsed.normalizedValue;
        return true;
    }

    double CurrentNormalized(const char* parameterID) const {
        double value = 0.0;
        m_Session.Instance().Parameters().GetParameterNormalizedValue(parameterID, &value);
        return value;
    }

    // A normalized value as the parameter displays it, as a number.
    double DisplayValue(const char* parameterID, double normalized) const {
        AAX_CString text;
        m_Session.Instance().Parameters().GetParameterStringFromValue(parameterID, normalized, &text, 32);
        return std::atof(text.Get());
    }

private:
    bool Change(const char* parameterID, const std::string& text, std::vector<ParameterChange>* changes,
                CliFailure* failure) const {
        double value = 0.0;
        if (!Normalized(parameterID, text, &value, failure)) return false;
        changes->push_back({0, parameterID, value});
        return true;
    }

    EffectSession& m_Session;
    int64_t m_SettleFrames;
    AnalysisParameters m_Parameters;
};

// "1 to 5": the parameter's lowest and highest values as whole numbers.
std::string WholeRangeText(const AAX_IACFEffectParameters& model, const std::string& parameterID) {
    std::string ends[2];
    for (int end = 0; end < 2; ++end) {
        AAX_CString text;
        model.GetParameterStringFromValue(parameterID.c_str(), double(end), &text, 32);
        ends[end] = std::to_string(std::lround(std::atof(text.Get())));
    }
    return ends[0] + " to " + ends[1];
}

// Whether the settings choose a colour type (a preset or --set of the
// character parameter).
bool SettingsChooseColour(const ParsedOptions& options, const EffectSession& session, const std::string& character) {
    if (options.Has("--preset")) return true;
    for (const std::string& assignment : options.All("--set")) {
        const ParameterValueParser::Result parsed = session.Parser().ParseAssignment(assignment);
        if (parsed.outcome == ParameterValueParser::Outcome::Parsed && parsed.parameterID == character) return true;
    }
    return false;
}

// The colour types the effect names, in its order.
std::vector<ValueName> ColourTypes(const EffectSession& session, const std::string& character) {
    return ValueNamesOf(QueryValueNames(session.Instance().Parameters()), character);
}

AnalysisColour ColourOf(const std::vector<ValueName>& types, size_t place) {
    return AnalysisColour{types[place].name, types[place].name, int(place)};
}

// The colour type's name that the instance's character parameter holds now.
AnalysisColour CurrentColour(const EffectSession& session, const std::string& character) {
    const AAX_IACFEffectParameters& model = session.Instance().Parameters();
    double current = 0.0;
    model.GetParameterNormalizedValue(character.c_str(), &current);
    const std::vector<ValueName> types = ColourTypes(session, character);
    const std::string name = NameForValue(model, types, character, current);
    for (size_t place = 0; place < types.size(); ++place)
        if (types[place].name == name) return AnalysisColour{name, "", int(place)};
    return AnalysisColour{"as set", "", -1};
}

// --colors: "all", or colour type names or numbers separated by commas.
bool ReadColourList(const std::string& list, const EffectSession& session, const std::string& character,
                    std::vector<AnalysisColour>* colours, CliFailure* failure) {
    const AAX_IACFEffectParameters& model = session.Instance().Parameters();
    const std::vector<ValueName> types = ColourTypes(session, character);
    for (const std::string& item : SplitList(list)) {
        bool found = false;
        for (size_t place = 0; place < types.size(); ++place) {
            const ParameterValueParser::Result parsed = session.Parser().Parse(character, item);
            const bool byNumber = parsed.outcome == ParameterValueParser::Outcome::Parsed &&
                                  NameForValue(model, types, character, parsed.normalizedValue) == types[place].name;
            if (strcasecmp(item.c_str(), "all") == 0 || strcasecmp(item.c_str(), types[place].name.c_str()) == 0 ||
                (byNumber && !found)) {
                colours->push_back(ColourOf(types, place));
                found = true;
            }
        }
        if (!found || types.empty()) {
            std::string names;
            for (const ValueName& type : types) names += (names.empty() ? "" : ", ") + type.name;
            *failure = CliFailure{ExitCode::kUsage, "--colors needs 'all' or colour types (" + names + ", or " +
                                                        WholeRangeText(model, character) +
                                                        ") separated by commas, not '" + list + "'"};
            return false;
        }
    }
    return true;
}

std::vector<AnalysisColour> AllColours(const EffectSession& session, const std::string& character) {
    const std::vector<ValueName> types = ColourTypes(session, character);
    std::vector<AnalysisColour> all;
    for (size_t place = 0; place < types.size(); ++place) all.push_back(ColourOf(types, place));
    return all;
}

std::vector<double> Steps(double from, double to, double step) {
    std::vector<double> values;
    const int count = int(std::floor((to - from) / step + 1e-9)) + 1;
    for (int i = 0; i < count; ++i) values.push_back(from + step * i);
    return values;
}

// The whole analysis for one session.
class AnalysisRunner {
public:
    AnalysisRunner(EffectSession& session, const AnalysisPlan& plan, const AnalysisParameters& parameters,
                   AnalysisReport* report)
        : m_Plan(plan), m_Report(*report), m_Probe(session, plan.sampleRate / 2, parameters),
          m_Analyzer(kToneBlockFrames, plan.sampleRate),
          m_ToneBin(Analysis::CoherentBin(plan.toneFrequency, plan.sampleRate, kToneBlockFrames)),
          m_Progress("Analysing", plan.quiet) {
        m_Report.sampleRate = plan.sampleRate;
        m_Report.toneFrequency = Analysis::BinFrequency(m_ToneBin, plan.sampleRate, kToneBlockFrames);
        m_Report.blockFrames = kToneBlockFrames;
        m_Report.settleFrames = m_Probe.SettleFrames();
        m_Report.sweepLevelDbfs = plan.sweepLevel;
        m_BaseHarmonic = m_Probe.CurrentNormalized(m_Probe.Parameters().blend.c_str());
        m_BaseDynamic = m_Probe.CurrentNormalized(m_Probe.Parameters().drive.c_str());
    }

    bool Run(const std::vector<AnalysisColour>& colours, CliFailure* failure) {
        const std::vector<double> levelSweep = Steps(m_Plan.sweepFrom, m_Plan.sweepTo, m_Plan.sweepStep);
        const std::vector<double> settingSweep = Steps(0.0, 100.0, m_Plan.settingStep);
        m_Total = int64_t(colours.size()) *
                  int64_t(m_Plan.levels.size() + levelSweep.size() + 2 * settingSweep.size() + 2);
        for (const AnalysisColour& colour : colours) {
            m_Report.colours.push_back(colour.name);
            m_Report.colourPlaces.push_back(colour.ordinal);
            if (!MeasureSpectra(colour, failure) || !MeasureLevelSweep(colour, levelSweep, failure) ||
                !MeasureSettingSweeps(colour, settingSweep, failure) || !MeasureResponse(colour, failure) ||
                !MeasureTransfer(colour, failure))
                return false;
        }
        return true;
    }

private:
    RenderSettings Settings(const AnalysisColour& colour, double harmonic, double dynamic) const {
        return RenderSettings{colour.valueText, harmonic, dynamic};
    }

    // Renders a tone through the effect; output is the steady block.
    bool RenderTone(const RenderSettings& settings, double levelDbfs, std::vector<float>* output,
                    CliFailure* failure) {
        const std::vector<float> tone =
            Analysis::Sine(Analysis::DecibelsToAmplitude(levelDbfs), m_Report.toneFrequency, m_Plan.sampleRate,
                           m_Probe.SettleFrames() + kToneBlockFrames);
        const bool rendered = m_Probe.Render(settings, tone, output, failure);
        m_Progress.Update(++m_Done, m_Total);
        return rendered;
    }

    bool MeasurePoint(const AnalysisColour& colour, double levelDbfs, double harmonic, double dynamic,
                      HarmonicPoint* point, std::vector<float>* output, CliFailure* failure) {
        if (!RenderTone(Settings(colour, harmonic, dynamic), levelDbfs, output, failure)) return false;
        point->colour = colour.name;
        point->inputDbfs = levelDbfs;
        point->harmonic = m_Probe.DisplayValue(m_Probe.Parameters().blend.c_str(), harmonic);
        point->dynamic = m_Probe.DisplayValue(m_Probe.Parameters().drive.c_str(), dynamic);
        point->levels = m_Analyzer.Measure(*output, m_ToneBin);
        return true;
    }

    // The level whose spectrum is drawn: the one nearest the sweep level.
    double ReferenceLevel() const {
        return *std::min_element(m_Plan.levels.begin(), m_Plan.levels.end(), [this](double a, double b) {
            return std::fabs(a - m_Plan.sweepLevel) < std::fabs(b - m_Plan.sweepLevel);
        });
    }

    bool MeasureSpectra(const AnalysisColour& colour, CliFailure* failure) {
        for (double level : m_Plan.levels) {
            HarmonicPoint point;
            std::vector<float> output;
            if (!MeasurePoint(colour, level, m_BaseHarmonic, m_BaseDynamic, &point, &output, failure)) return false;
            m_Report.spectra.push_back(point);
            if (level == ReferenceLevel()) AddSpectrumTrace(colour, level, output);
        }
        return true;
    }

    void AddSpectrumTrace(const AnalysisColour& colour, double level, const std::vector<float>& output) {
        Analysis::SpectrumTrace trace{colour.name, level, {}, m_Analyzer.SpectrumDbfs(output)};
        for (size_t k = 0; k < trace.levelDbfs.size(); ++k) trace.frequency.push_back(m_Analyzer.BinFrequency(k));
        // Bin 0 has no place on a log frequency axis.
        trace.frequency.erase(trace.frequency.begin());
        trace.levelDbfs.erase(trace.levelDbfs.begin());
        m_Report.spectrumTraces.push_back(trace);
    }

    bool MeasureLevelSweep(const AnalysisColour& colour, const std::vector<double>& levels, CliFailure* failure) {
        for (double level : levels) {
            HarmonicPoint point;
            std::vector<float> output;
            if (!MeasurePoint(colour, level, m_BaseHarmonic, m_BaseDynamic, &point, &output, failure)) return false;
            m_Report.levelSweep.push_back(point);
        }
        return true;
    }

    bool MeasureSettingSweeps(const AnalysisColour& colour, const std::vector<double>& percents,
                              CliFailure* failure) {
        // Percent of each parameter's range.
        for (double percent : percents) {
            HarmonicPoint point;
            std::vector<float> output;
            if (!MeasurePoint(colour, m_Plan.sweepLevel, percent / 100.0, m_BaseDynamic, &point, &output, failure))
                return false;
            m_Report.harmonicSweep.push_back(point);
        }
        for (double percent : percents) {
            HarmonicPoint point;
            std::vector<float> output;
            if (!MeasurePoint(colour, m_Plan.sweepLevel, m_BaseHarmonic, percent / 100.0, &point, &output, failure))
                return false;
            m_Report.dynamicSweep.push_back(point);
        }
        return true;
    }

    bool MeasureResponse(const AnalysisColour& colour, CliFailure* failure) {
        const int64_t frames = kResponseSegmentFrames / 2 * (kResponseSegments + 1);
        const std::vector<float> noise = Analysis::WhiteNoise(Analysis::DecibelsToAmplitude(m_Plan.responseLevel),
                                                              m_Probe.SettleFrames() + frames, kNoiseSeed);
        std::vector<float> output;
        if (!m_Probe.Render(Settings(colour, m_BaseHarmonic, m_BaseDynamic), noise, &output, failure)) return false;
        m_Progress.Update(++m_Done, m_Total);
        const std::vector<float> input(noise.begin() + static_cast<std::ptrdiff_t>(m_Probe.SettleFrames()), noise.end());
        m_Report.responses.push_back(Analysis::ResponseTrace{
            colour.name, m_Plan.responseLevel,
            Analysis::MeasureResponse(input, output, m_Plan.sampleRate, kResponseSegmentFrames)});
        return true;
    }

    // A full-scale tone; its steady samples ordered by the tone's phase so
    // that they trace one cycle densely.
    bool MeasureTransfer(const AnalysisColour& colour, CliFailure* failure) {
        std::vector<float> output;
        if (!RenderTone(Settings(colour, m_BaseHarmonic, m_BaseDynamic), 0.0, &output, failure)) return false;
        const std::vector<float> input =
            Analysis::Sine(1.0, m_Report.toneFrequency, m_Plan.sampleRate, m_Probe.SettleFrames() + kTransferPoints);
        std::vector<int64_t> order(kTransferPoints);
        std::iota(order.begin(), order.end(), 0);
        auto phaseOf = [this](int64_t n) {
            const double cycles = double(m_Probe.SettleFrames() + n) * double(m_ToneBin) / double(kToneBlockFrames);
            return cycles - std::floor(cycles);
        };
        std::sort(order.begin(), order.end(), [&](int64_t a, int64_t b) { return phaseOf(a) < phaseOf(b); });
        Analysis::TransferTrace trace{colour.name, {}, {}};
        for (int64_t n : order) {
            trace.input.push_back(input[m_Probe.SettleFrames() + n]);
            trace.output.push_back(output[n]);
        }
        m_Report.transfers.push_back(trace);
        return true;
    }

    const AnalysisPlan& m_Plan;
    AnalysisReport& m_Report;
    EffectProbe m_Probe;
    Analysis::HarmonicAnalyzer m_Analyzer;
    int64_t m_ToneBin;
    ProgressBar m_Progress;
    int64_t m_Done = 0, m_Total = 0;
    double m_BaseHarmonic = 0.0, m_BaseDynamic = 0.0;
};

}  // namespace

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        items.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) return items;
        start = comma + 1;
    }
}

bool RunAnalysis(const ParsedOptions& options, const AnalysisPlan& plan, AnalysisReport* report, CliFailure* failure) {
    std::unique_ptr<EffectSession> session = EffectSession::Open(options, plan.sampleRate, 1, kHostBlockSize, failure);
    if (!session) return false;
    const AAX_IACFEffectParameters& model = session->Instance().Parameters();
    const AnalysisParameters parameters{QueryParameterWithRole(model, "character"),
                                        QueryParameterWithRole(model, "blend"), QueryParameterWithRole(model, "drive")};
    if (parameters.character.empty() || parameters.blend.empty() || parameters.drive.empty()) {
        *failure = CliFailure{ExitCode::kBadData, "the effect names no colour type, blend and drive parameters "
                                                  "to analyse"};
        return false;
    }
    // The blend at its top in front of the user's settings, so that the
    // colour shows unless they say otherwise.
    if (session->Instance().ApplyAutomation(parameters.blend.c_str(), 1.0) != AAX_SUCCESS ||
        !session->ApplySettings(options, failure))
        return false;
    for (const auto& option : options.options)
        if (option.first == "--set" || option.first == "--preset" || option.first == "--bypass")
            report->settings += (report->settings.empty() ? "" : " ") + option.first +
                                (option.second.empty() ? "" : " " + option.second);
    std::vector<AnalysisColour> colours;
    if (!plan.colourList.empty()) {
        if (!ReadColourList(plan.colourList, *session, parameters.character, &colours, failure)) return false;
    } else if (SettingsChooseColour(options, *session, parameters.character)) {
        colours.push_back(CurrentColour(*session, parameters.character));
    } else {
        colours = AllColours(*session, parameters.character);
    }
    report->blendParameter = parameters.blend;
    report->driveParameter = parameters.drive;
    AnalysisRunner runner(*session, plan, parameters, report);
    return runner.Run(colours, failure);
}
