// orvanta params: the effect's parameters as the host sees them.
#include <algorithm>
#include <iostream>

#include <cmath>
#include <cstdlib>

#include "AAX_CString.h"
#include "CommandRegistry.h"
#include "EffectSession.h"
#include "TextTable.h"
#include "host/runtime/ModuleFacts.h"

namespace {

// The instance the table is read from; the parameters do not depend on it.
constexpr int kSampleRate = 48000;
constexpr int kChannels = 2;

using Row = TextTableRow;

Row DescribeParameter(const AAX_IACFEffectParameters& model, const ParameterValueParser& parser, int32_t index) {
    AAX_CString identifier, name, defaultText, current;
    model.GetParameterIDFromIndex(index, &identifier);
    const char* id = identifier.Get();
    model.GetParameterName(id, &name);
    double defaultValue = 0.0;
    model.GetParameterDefaultNormalizedValue(id, &defaultValue);
    model.GetParameterStringFromValue(id, defaultValue, &defaultText, 32);
    int32_t steps = 0;
    model.GetParameterNumberOfSteps(id, &steps);
    AAX_EParameterType type = AAX_eParameterType_Continuous;
    model.GetParameterType(id, &type);
    model.GetParameterValueString(id, &current, 32);
    return {identifier.Length() ? id : "\"\"", name.Get(), parser.RangeText(id), defaultText.Get(),
            std::to_string(steps), type == AAX_eParameterType_Discrete ? "discrete" : "continuous", current.Get()};
}

// The bypass, and the words the effect names for values with the values
// they stand for: "Color: Silver, Gold, Rich, Fat, Deep (1 to 5)".
std::string WordsNote(const AAX_IACFEffectParameters& model) {
    std::string note;
    int32_t index = -1;
    if (model.GetParameterIndex("", &index) == AAX_SUCCESS && index >= 0)
        note += "\"\" is the master bypass (turn it on with --bypass).";
    const auto valueOf = [&](const ValueName& entry) {
        AAX_CString text;
        model.GetParameterStringFromValue(entry.parameterID.c_str(), entry.normalized, &text, 32);
        return std::to_string(std::lround(std::atof(text.Get())));
    };
    const std::vector<ValueName> all = QueryValueNames(model);
    std::string words;
    for (size_t first = 0; first < all.size();) {
        size_t last = first;
        std::string names = all[first].name;
        while (last + 1 < all.size() && all[last + 1].parameterID == all[first].parameterID)
            names += ", " + all[++last].name;
        words += (words.empty() ? "" : "; ") + all[first].parameterID + ": " + names + " (" + valueOf(all[first]) +
                 " to " + valueOf(all[last]) + ")";
        first = last + 1;
    }
    if (!words.empty()) note += std::string(note.empty() ? "" : " ") + "Words for values: " + words + ".";
    return note.empty() ? note : "\n" + note + "\n";
}

int RunParams(const ParsedOptions& options) {
    CliFailure failure;
    if (!options.positionals.empty())
        return Report(CliFailure{ExitCode::kUsage, "params takes no file arguments (see orvanta params --help)"});
    std::unique_ptr<EffectSession> session = EffectSession::Open(options, kSampleRate, kChannels, 512, &failure);
    if (!session || !session->ApplySettings(options, &failure)) return Report(failure);

    const AAX_IACFEffectParameters& model = session->Instance().Parameters();
    int32_t count = 0;
    model.GetNumberOfParameters(&count);
    std::vector<Row> rows = {{"ID", "Name", "Range", "Default", "Steps", "Type", "Current"}};
    for (int32_t index = 0; index < count; ++index) rows.push_back(DescribeParameter(model, session->Parser(), index));
    PrintTextTable(std::cout, rows);
    if (!options.Has("--quiet")) std::cout << WordsNote(model);
    return ExitCode::kOk;
}

const CommandRegistrar kRegistrar(Command{
    "params",
    "list the effect's parameters",
    "orvanta params [--set ID=VALUE]... [--bypass] [--quiet]",
    "Lists every parameter of the effect: identifier, name, range, default, number\n"
    "of steps, type and current value, each as the effect displays it. Settings\n"
    "given with --set and --bypass are applied first, so the Current column shows\n"
    "how the effect reads them.\n",
    EffectSession::SettingOptions(),
    RunParams,
});

}  // namespace
