#include "PresetOption.h"

OptionSpec PresetOptionSpec() {
    return {"--preset", "FILE",
            "restore a preset file (made by orvanta preset save) before the --set options that follow it"};
}

PresetOwner PresetOwnerOf(const PluginModule& module, const EffectInstance& instance) {
    const EffectInstance::Setup& setup = instance.GetSetup();
    const RecordedComponent* component = module.ComponentForStemFormat(setup.stemFormat);
    return component ? PresetOwner::Of(*component, setup.sampleRate, setup.stemFormat) : PresetOwner();
}

CliFailure PresetFailure(const PresetError& error) {
    switch (error.kind) {
        case PresetError::Kind::CannotRead: return CliFailure{ExitCode::kNoInput, error.message};
        case PresetError::Kind::Invalid:
        case PresetError::Kind::Foreign: return CliFailure{ExitCode::kBadData, error.message};
        case PresetError::Kind::Refused: break;
    }
    return CliFailure{ExitCode::kInternal, error.message};
}

bool RestorePresetFile(const PluginModule& module, EffectInstance& instance, const std::string& path,
                       CliFailure* failure) {
    PresetFile preset;
    PresetError error;
    if (!PresetFile::ReadFile(path, &preset, &error)) {
        *failure = PresetFailure(error);
        return false;
    }
    if (!preset.RestoreInto(instance.Parameters(), PresetOwnerOf(module, instance), &error)) {
        error.message = path + ": " + error.message;
        *failure = PresetFailure(error);
        return false;
    }
    instance.AnswerRequests();
    return true;
}
