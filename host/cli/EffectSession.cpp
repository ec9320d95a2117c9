#include "EffectSession.h"

#include "AAX_CString.h"
#include "PresetOption.h"
#include "host/runtime/ModuleFacts.h"

namespace {
// Words that stand for values, as the module names them.
std::vector<ParameterValueParser::Alias> ValueAliases(const AAX_IACFEffectParameters& model) {
    std::vector<ParameterValueParser::Alias> aliases;
    for (const ValueName& entry : QueryValueNames(model))
        aliases.push_back({entry.parameterID, entry.name, entry.normalized});
    return aliases;
}

AAX_EStemFormat StemFormatFor(int channels) {
    return channels == 1 ? AAX_eStemFormat_Mono : AAX_eStemFormat_Stereo;
}

// Mono and stereo only; checked before the module is loaded.
bool CheckChannels(int channels, CliFailure* failure) {
    if (channels >= 1 && channels <= 2) return true;
    *failure = CliFailure{ExitCode::kBadData, "the input has " + std::to_string(channels) +
                                                  " channels; only mono and stereo can be processed"};
    return false;
}

std::string SupportedRatesText(const PluginModule& module, int32_t stemFormat) {
    std::string text;
    for (float rate : module.SupportedSampleRates(stemFormat))
        text += (text.empty() ? "" : ", ") + std::to_string(static_cast<int>(rate));
    return text + " Hz";
}
}  // namespace

std::vector<OptionRule> EffectSession::SettingOptions() {
    return {
        {"--set", "ID=VALUE",
         "set a parameter, as its display shows it (Harmonic=40, OutputTrim=-3, Color=3 or Color=Gold, "
         "Dither=2 or Dither=On); may be repeated"},
        {"--bypass", "", "turn the master bypass on"},
        PresetOptionRule(),
    };
}

std::unique_ptr<EffectSession> EffectSession::Open(const ParsedOptions& options, int sampleRate, int channels,
                                                   int32_t maxBlockSize, CliFailure* failure) {
    if (!CheckChannels(channels, failure)) return nullptr;
    std::shared_ptr<PluginModule> module = OpenPluginModule(options, failure);
    if (!module) return nullptr;
    return OpenOn(std::move(module), sampleRate, channels, maxBlockSize, failure);
}

std::unique_ptr<EffectSession> EffectSession::OpenOn(std::shared_ptr<PluginModule> loaded, int sampleRate,
                                                     int channels, int32_t maxBlockSize, CliFailure* failure) {
    if (!CheckChannels(channels, failure)) return nullptr;
    std::unique_ptr<EffectSession> session(new EffectSession());
    session->m_Module = std::move(loaded);

    const PluginModule& module = *session->m_Module;
    EffectInstance::Parts parts;
    parts.component = module.ComponentForStemFormat(StemFormatFor(channels));
    if (parts.component)
        parts.processProc =
            reinterpret_cast<AAX_CProcessProc>(module.NativeProcessProc(*parts.component, float(sampleRate)));
    if (parts.component && !parts.processProc) {
        *failure = CliFailure{ExitCode::kBadData, "the sample rate " + std::to_string(sampleRate) +
                                                      " Hz is not supported (supported: " + SupportedRatesText(module, StemFormatFor(channels)) + ")"};
        return nullptr;
    }
    parts.dataModel = module.CreateDataModel();
    EffectInstance::Setup setup;
    setup.sampleRate = float(sampleRate);
    setup.stemFormat = StemFormatFor(channels);
    setup.maxBlockSize = maxBlockSize;
    std::string error;
    session->m_Instance = EffectInstance::Create(parts, setup, &error);
    if (!session->m_Instance) {
        *failure = CliFailure{ExitCode::kInternal, "cannot create an effect instance: " + error};
        return nullptr;
    }
    session->m_Parser.reset(new ParameterValueParser(session->m_Instance->Parameters(), ValueAliases(session->m_Instance->Parameters())));
    return session;
}

EffectSession::~EffectSession() {
    m_Parser.reset();
    m_Instance.reset();
}

bool EffectSession::ApplySettings(const ParsedOptions& options, CliFailure* failure) {
    for (const auto& option : options.options) {
        std::string parameterID;
        double normalized = 0.0;
        if (option.first == "--set") {
            const ParameterValueParser::Result parsed = m_Parser->ParseAssignment(option.second);
            if (parsed.outcome != ParameterValueParser::Outcome::Parsed) {
                *failure = CliFailure{ExitCode::kUsage, parsed.message};
                return false;
            }
            parameterID = parsed.parameterID;
            normalized = parsed.normalizedValue;
        } else if (option.first == "--preset") {
            if (!RestorePresetFile(*m_Module, *m_Instance, option.second, failure)) return false;
            continue;
        } else if (option.first == "--bypass") {
            AAX_CString bypassID;
            m_Instance->Parameters().GetMasterBypassParameter(&bypassID);
            parameterID = bypassID.Get();
            normalized = 1.0;
        } else {
            continue;
        }
        const AAX_Result result = m_Instance->ApplyAutomation(parameterID.c_str(), normalized);
        if (result != AAX_SUCCESS) {
            *failure = CliFailure{ExitCode::kInternal, "the effect refused the setting '" + option.second +
                                                           "' (result " + std::to_string(result) + ")"};
            return false;
        }
    }
    return true;
}

int32_t EffectSession::Latency() const {
    // The delay the module reports for its signal, which may differ from the
    // latency its description declares; without a report, the declared one.
    return QuerySignalDelay(m_Instance->Parameters(), m_Instance->ReportedLatency());
}
