// orvanta validate: runs the validation battery on a plug-in bundle and
// prints one line per check with its figures, then a summary.
#include <cstdio>
#include <iostream>
#include <random>
#include <string>

#include "CommandRegistry.h"
#include "host/runtime/PluginModule.h"
#include "host/runtime/Validation.h"
#include "host/runtime/ValidationChecks.h"

namespace {

// Exit code when a check failed (every usage and loading problem has its
// own code from ExitCode).
constexpr int kChecksFailed = 1;
constexpr int kDefaultStrictness = 5;
constexpr size_t kNameColumn = 44;

// The items between commas, empty ones included ("" and "," give one and
// two empty items).
std::vector<std::string> CommaSeparated(const std::string& text) {
    std::vector<std::string> items;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = text.find(',', start);
        const size_t end = comma == std::string::npos ? text.size() : comma;
        items.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

bool IsGroup(const std::string& name) {
    for (const ValidationGroup& group : ValidationGroups())
        if (name == group.name) return true;
    return false;
}

std::string ReportLine(const CheckReport& report) {
    std::string name = report.group + ": " + report.name;
    if (name.size() < kNameColumn) name.resize(kNameColumn, ' ');
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f s", report.seconds);
    // The text can quote the module's own strings (names, errors).
    return std::string(CheckStatusText(report.status)) + "  " + name + "  " + PrintableText(report.text) + " [" +
           seconds + "]";
}

bool ReadOptions(const ParsedOptions& options, ValidationOptions* validation, CliFailure* failure) {
    if (!options.positionals.empty()) {
        *failure = CliFailure{ExitCode::kUsage, "validate takes no file arguments (see orvanta validate --help)"};
        return false;
    }
    // The plug-in is validated as hosts load it: through its bundle.
    validation->pluginPath = options.Last("--plugin", PluginModule::DefaultBundlePath(kDefaultBundleName));
    if (validation->pluginPath.empty()) {
        *failure = CliFailure{ExitCode::kInternal,
                              "no plug-in bundle found beside the program (build the Orvanta target, "
                              "or name a bundle with --plugin PATH)"};
        return false;
    }
    int64_t strictness = kDefaultStrictness;
    if (options.Has("--strictness") &&
        !ParseInteger(options.Last("--strictness"), ValidationOptions::kMinStrictness,
                      ValidationOptions::kMaxStrictness, &strictness)) {
        *failure = CliFailure{ExitCode::kUsage, "--strictness needs a whole number from 1 to 10, not '" +
                                                    options.Last("--strictness") + "'"};
        return false;
    }
    validation->strictness = int(strictness);
    int64_t seed = int64_t(std::random_device()() & 0x7FFFFFFF);
    if (options.Has("--seed") && !ParseInteger(options.Last("--seed"), 0, INT64_C(999999999999999999), &seed)) {
        *failure = CliFailure{ExitCode::kUsage, "--seed needs a whole number from 0, not '" + options.Last("--seed") + "'"};
        return false;
    }
    validation->seed = uint64_t(seed);
    for (const std::string& only : options.All("--only"))
        for (const std::string& group : CommaSeparated(only)) {
            if (group.empty()) {
                // An empty list would otherwise run every group.
                *failure = CliFailure{ExitCode::kUsage, "--only needs check group names separated by commas, not '" +
                                                            only + "' (see orvanta validate --help)"};
                return false;
            }
            if (!IsGroup(group)) {
                *failure = CliFailure{ExitCode::kUsage, "no check group '" + group + "' (see orvanta validate --help)"};
                return false;
            }
            validation->groups.push_back(group);
        }
    return true;
}

int RunValidate(const ParsedOptions& options) {
    ValidationOptions validation;
    CliFailure failure;
    if (!ReadOptions(options, &validation, &failure)) return Report(failure);
    const bool quiet = options.Has("--quiet");
    // A bundle that cannot be loaded at all is no run of checks but a
    // loading error, as for every other command.
    std::string loadError;
    if (!PluginModule::LoadBundle(validation.pluginPath, &loadError))
        return Report(CliFailure{ExitCode::kInternal, "cannot load the plug-in: " + loadError});
    if (!quiet)
        std::cout << "Validating " << validation.pluginPath
                  << " at strictness " << validation.strictness << ", seed " << validation.seed << "\n"
                  << std::flush;

    ValidationRun run(validation, [quiet](const CheckReport& report) {
        if (!quiet || report.status == CheckStatus::Fail) std::cout << ReportLine(report) << std::endl;
    });
    std::string error;
    if (!run.RunAll(&error)) return Report(CliFailure{ExitCode::kUsage, error + " (see orvanta validate --help)"});
    if (!quiet) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.1f", run.Seconds());
        std::cout << run.Reports().size() << " checks, " << run.Failures() << " failed, " << run.Warnings()
                  << " warnings, in " << seconds << " s\n";
    }
    return run.Failures() > 0 ? kChecksFailed : ExitCode::kOk;
}

std::string GroupList() {
    std::string list;
    for (const ValidationGroup& group : ValidationGroups()) {
        std::string name = "  " + std::string(group.name);
        name.resize(14, ' ');
        list += name + group.summary + "\n";
    }
    return list;
}

const CommandRegistrar kRegistrar(Command{
    "validate",
    "run the validation battery on the plug-in",
    "orvanta validate [--plugin PATH] [--strictness 1..10] [--seed S] [--only GROUP,...]",
    "Drives the plug-in as hosts do, from loading to several threads at once, and\n"
    "prints one line per check (PASS, WARN or FAIL) with what it measured, then a\n"
    "summary. Strictness scales the work: load cycles, signal lengths, block plans,\n"
    "random states, damaged chunks, gestures and the threads' run time; 1 takes\n"
    "about a second, 10 under half a minute (longer in a sanitizer build).\n"
    "The seed (printed at the start) makes a run repeatable.\n"
    "Exits with 1 when a check failed (warnings do not fail the run), 64 for a bad\n"
    "command line and 70 when the plug-in cannot be loaded.\n\n"
    "Check groups:\n" +
        GroupList(),
    {
        {"--strictness", "N", "how hard to check, 1 to 10 (default 5)"},
        {"--seed", "S", "seed of the random choices (default: a new one each run)"},
        {"--only", "GROUP,...", "run only these check groups; may be repeated"},
    },
    RunValidate,
});

}  // namespace
