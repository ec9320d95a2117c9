// The effect as the orvanta commands use it: the plug-in module, one
// instance at the rate and channel layout of the audio at hand, and the
// settings typed on the command line (--preset FILE, --set ID=VALUE,
// --bypass) applied to it as host automation.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CliCommon.h"
#include "host/runtime/EffectInstance.h"
#include "host/runtime/ParameterValueParser.h"
#include "host/runtime/PluginModule.h"

class EffectSession {
public:
    // The options that choose settings, for commands that take them.
    static std::vector<OptionRule> SettingOptions();

    // Loads the module and creates an instance. Failures: an unsupported
    // channel count or sample rate (65), a module that cannot be loaded or
    // instantiated (70).
    static std::unique_ptr<EffectSession> Open(const ParsedOptions& options, int sampleRate, int channels,
                                               int32_t maxBlockSize, CliFailure* failure);
    // The same on a module already loaded, which several sessions may
    // share; the module stays loaded while any of them lives.
    static std::unique_ptr<EffectSession> OpenOn(std::shared_ptr<PluginModule> module, int sampleRate, int channels,
                                                 int32_t maxBlockSize, CliFailure* failure);
    ~EffectSession();

    EffectInstance& Instance() const { return *m_Instance; }
    // The module the instance came from (its editor factory, its description).
    const PluginModule& Module() const { return *m_Module; }
    const ParameterValueParser& Parser() const { return *m_Parser; }

    // Applies every --preset, --set and --bypass in command-line order, a
    // preset restored and answered at its place, so that later options
    // override it. Failure: an unknown parameter or a value refused by its
    // parameter (64), a preset that cannot be read (66) or is no whole state
    // chunk record of this effect (65).
    bool ApplySettings(const ParsedOptions& options, CliFailure* failure);

    // The effect's delay in samples at the instance's rate.
    int32_t Latency() const;

private:
    EffectSession() = default;

    std::shared_ptr<PluginModule> m_Module;  // outlives the instance
    std::unique_ptr<EffectInstance> m_Instance;
    std::unique_ptr<ParameterValueParser> m_Parser;
};
