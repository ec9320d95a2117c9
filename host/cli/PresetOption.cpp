#include "PresetOption.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

OptionRule PresetOptionRule() {
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

bool SavePresetFile(const PluginModule& module, EffectInstance& instance, const std::string& path,
                    CliFailure* failure, PresetFile* saved) {
    PresetFile preset;
    PresetError error;
    if (!PresetFile::Capture(instance.Parameters(), PresetOwnerOf(module, instance), &preset, &error)) {
        *failure = PresetFailure(error);
        return false;
    }
    TemporaryOutput output;
    if (!output.Create(path, failure)) return false;
    const int descriptor = output.ReleaseDescriptor();
    const std::vector<uint8_t>& bytes = preset.Bytes();
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = write(descriptor, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) break;
        written += size_t(count);
    }
    const int writeError = errno;
    if (close(descriptor) != 0 || written != bytes.size()) {
        *failure = CliFailure{ExitCode::kIOError, "cannot write '" + path + "': " + std::strerror(writeError)};
        return false;
    }
    if (!output.Commit(failure)) return false;
    if (saved) *saved = std::move(preset);
    return true;
}
