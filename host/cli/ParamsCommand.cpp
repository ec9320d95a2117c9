// orvanta params: the effect's parameters as the host sees them.
#include <algorithm>
#include <iostream>

#include "AAX_CString.h"
#include "CommandRegistry.h"
#include "EffectSession.h"
#include "TextTable.h"

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
    if (!options.Has("--quiet"))
        std::cout << "\n\"\" is the master bypass (turn it on with --bypass). Colour types for Color: "
                     "Silver, Gold, Rich, Fat, Deep (1 to 5); Dither: Off or On (1 or 2).\n";
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
