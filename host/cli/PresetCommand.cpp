// orvanta preset save FILE | show FILE: preset files, each the effect's
// state chunk record exactly as the host holds it (layout in README.md).
#include <algorithm>
#include <iostream>
#include <set>

#include "AAX_CString.h"
#include "CommandRegistry.h"
#include "EffectSession.h"
#include "PresetOption.h"
#include "TextTable.h"

namespace {

// The instance presets are made and shown with; the state chunk does not
// depend on the rate or the channel layout.
constexpr int kSampleRate = 48000;
constexpr int kChannels = 2;
constexpr int32_t kBlockSize = 512;

using Row = TextTableRow;

// ---- save ----

int SavePreset(const ParsedOptions& options, const std::string& path) {
    CliFailure failure;
    std::unique_ptr<EffectSession> session = EffectSession::Open(options, kSampleRate, kChannels, kBlockSize, &failure);
    if (!session || !session->ApplySettings(options, &failure)) return Report(failure);

    PresetFile preset;
    if (!SavePresetFile(session->Module(), session->Instance(), path, &failure, &preset)) return Report(failure);

    if (!options.Has("--quiet"))
        std::cout << "Wrote " << path << ": chunk " << FourCharCodeText(preset.Header().fChunkID) << ", "
                  << preset.Entries().size() << " entries, " << preset.Bytes().size() << " bytes\n";
    return ExitCode::kOk;
}

// ---- show ----

void PrintRecord(const std::string& path, const PresetFile& preset) {
    const AAX_SPlugInChunk& header = preset.Header();
    std::cout << PrintableText(path) << ": state chunk " << FourCharCodeText(header.fChunkID) << " \""
              << PrintableText(preset.Name())
              << "\", version " << header.fVersion << ", " << header.fSize << " data bytes\n"
              << "made for manufacturer " << FourCharCodeText(header.fManID) << ", product "
              << FourCharCodeText(header.fProdID) << ", component " << FourCharCodeText(header.fPlugID) << "\n\n";
    if (preset.Entries().empty()) {
        std::cout << "Entries: none\n";
        return;
    }
    std::vector<Row> rows = {{"Offset", "Type", "Name", "Stored value"}};
    for (const PresetEntry& entry : preset.Entries())
        rows.push_back({std::to_string(entry.offset), std::string(entry.Prefix()) + " " + entry.TypeName(),
                        entry.name.empty() ? "\"\"" : entry.name, entry.ValueText()});
    std::cout << "Entries:\n";
    PrintTextTable(std::cout, rows, "  ");
}

// Restores the preset into the session's new instance, answering the
// requests as the host does and noting which parameters they set.
bool Restore(EffectSession& session, const std::string& path, const PresetFile& preset,
             std::set<std::string>* restoredIDs, CliFailure* failure) {
    EffectInstance& instance = session.Instance();
    PresetError error;
    if (!preset.RestoreInto(instance.Parameters(), PresetOwnerOf(session.Module(), instance), &error)) {
        error.message = path + ": " + error.message;
        *failure = PresetFailure(error);
        return false;
    }
    for (const auto& request : instance.Automation().TakeSetValueRequests()) {
        instance.ApplyAutomation(request.parameterID.c_str(), request.normalizedValue);
        restoredIDs->insert(request.parameterID);
    }
    return true;
}

void PrintValues(const AAX_IACFEffectParameters& model, const std::set<std::string>& restoredIDs) {
    std::vector<Row> rows = {{"ID", "Name", "Value", "From"}};
    int32_t count = 0;
    model.GetNumberOfParameters(&count);
    for (int32_t index = 0; index < count; ++index) {
        AAX_CString id, name, value;
        model.GetParameterIDFromIndex(index, &id);
        model.GetParameterName(id.Get(), &name);
        model.GetParameterValueString(id.Get(), &value, 32);
        rows.push_back({id.Length() ? id.Get() : "\"\"", name.Get(), value.Get(),
                        restoredIDs.count(id.Get()) ? "preset" : "default (not set by the preset)"});
    }
    std::cout << "\nValues it sets, as a new instance shows them after restoring it:\n";
    PrintTextTable(std::cout, rows, "  ");
}

int ShowPreset(const ParsedOptions& options, const std::string& path) {
    PresetFile preset;
    PresetError error;
    if (!PresetFile::ReadFile(path, &preset, &error)) return Report(PresetFailure(error));
    PrintRecord(path, preset);
    std::cout.flush();

    CliFailure failure;
    std::unique_ptr<EffectSession> session = EffectSession::Open(options, kSampleRate, kChannels, kBlockSize, &failure);
    std::set<std::string> restoredIDs;
    if (!session || !Restore(*session, path, preset, &restoredIDs, &failure)) return Report(failure);
    PrintValues(session->Instance().Parameters(), restoredIDs);
    return ExitCode::kOk;
}

// ---- the command ----

int RunPreset(const ParsedOptions& options) {
    const std::vector<std::string>& arguments = options.positionals;
    const std::string action = arguments.empty() ? "" : arguments[0];
    const std::string seeHelp = " (see orvanta preset --help)";
    if ((action != "save" && action != "show") || arguments.size() != 2)
        return Report(CliFailure{ExitCode::kUsage, "preset needs 'save FILE' or 'show FILE'" + seeHelp});
    const bool hasSettings = options.Has("--set") || options.Has("--preset");
    if (action == "show" && hasSettings)
        return Report(CliFailure{ExitCode::kUsage, "preset show takes no --set or --preset" + seeHelp});
    return action == "save" ? SavePreset(options, arguments[1]) : ShowPreset(options, arguments[1]);
}

std::vector<OptionRule> PresetOptions() {
    std::vector<OptionRule> options;
    for (const OptionRule& option : EffectSession::SettingOptions())
        if (option.name != "--bypass") options.push_back(option);  // the bypass is not part of a preset
    return options;
}

const CommandRegistrar kRegistrar(Command{
    "preset",
    "save the effect's settings as a preset file, or show one",
    "orvanta preset save FILE [--preset FILE] [--set ID=VALUE]... [--quiet]\n"
    "       orvanta preset show FILE",
    "save writes the state of a new instance, with the settings given applied in\n"
    "order, as a preset file: the effect's state chunk record ('elck') exactly as a\n"
    "host holds it, a 56-byte header followed by the chunk's data. FILE appears only\n"
    "when complete. The master bypass is not part of a preset.\n"
    "show checks that FILE is one whole such record, lists its entries (offset, type,\n"
    "name, stored value) and the value of every parameter after restoring it into a\n"
    "new instance. A file that is no such record, whose sizes disagree, or that\n"
    "belongs to another effect is refused with exit code 65.\n"
    "process, params and preset save take --preset FILE to start from a preset;\n"
    "--set options after it override its values.\n",
    PresetOptions(),
    RunPreset,
});

}  // namespace
