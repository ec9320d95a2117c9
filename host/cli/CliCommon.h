// What every command of the orvanta program shares: exit codes, error
// printing, option parsing, the module the program drives, output written
// to a temporary file and renamed into place, and a progress bar.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The bundle the program loads when no --plugin is given, named by the
// build (the product the program ships with), found beside the program.
extern const char* const kDefaultBundleName;

class PluginModule;

// Exit codes, one per kind of failure (the values of BSD's sysexits).
namespace ExitCode {
constexpr int kOk = 0;
constexpr int kUsage = 64;         // bad command line: command, option, parameter or value
constexpr int kBadData = 65;       // input is no readable audio, or has a layout or rate not supported
constexpr int kNoInput = 66;       // input missing or unreadable
constexpr int kInternal = 70;      // the module cannot be loaded, instantiated or run
constexpr int kCannotCreate = 73;  // output cannot be created
constexpr int kIOError = 74;       // reading or writing failed part-way, standard output included
}  // namespace ExitCode

// The exit codes with their meaning, for --help and the documentation.
std::string ExitCodeTable();

// Why a command stops: its exit code and a message for standard error.
struct CliFailure {
    int exitCode = ExitCode::kInternal;
    std::string message;
};

// Text read from a file (names and values of a preset, a module's
// description), made safe for a terminal: control characters, the C1
// controls and bytes that are not UTF-8 are written as \x1b-style escapes,
// so a crafted file cannot move the cursor, set the window title or clear
// the screen. Printable ASCII and other UTF-8 stay.
std::string PrintableText(const std::string& text);

// Prints "orvanta: <message>" to standard error.
void PrintError(const std::string& message);
// Prints the failure and returns its exit code.
int Report(const CliFailure& failure);

// ---- options ----
struct OptionRule {
    std::string name;       // "--block"
    std::string valueName;  // "N"; empty for a flag
    std::string help;
};
// The command line after parsing: options in the order given.
class ParsedOptions {
public:
    std::vector<std::string> positionals;
    std::vector<std::pair<std::string, std::string>> options;

    bool Has(const std::string& name) const;
    // The last value given for name, or fallback.
    std::string Last(const std::string& name, const std::string& fallback = "") const;
    std::vector<std::string> All(const std::string& name) const;
};
// Options every command takes (--quiet, --help and the module's location).
const std::vector<OptionRule>& CommonOptions();
// Parses arguments against rules and CommonOptions(). "--name value" and
// "--name=value" are both accepted; "--" ends the options. False with a
// message for an unknown option or a missing value.
bool ParseOptions(const std::vector<std::string>& arguments, const std::vector<OptionRule>& rules,
                  ParsedOptions* parsed, std::string* error);
// A whole decimal integer within [minimum, maximum]; false otherwise.
bool ParseInteger(const std::string& text, int64_t minimum, int64_t maximum, int64_t* value);

// ---- the module ----
// The module the program drives, as the options choose.
std::unique_ptr<PluginModule> OpenPluginModule(const ParsedOptions& options, CliFailure* failure);

// ---- output ----
// A new file written under a temporary name beside its final path and
// renamed onto it only when complete, so a failed or interrupted command
// leaves nothing behind. One at a time per process.
class TemporaryOutput {
public:
    TemporaryOutput() = default;
    // Removes the temporary file unless committed.
    ~TemporaryOutput();
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;

    // Creates the temporary file; false with a message (exit code 73).
    bool Create(const std::string& finalPath, CliFailure* failure);
    // Hands the open file to the writer, who closes it.
    int ReleaseDescriptor();
    // Renames the temporary file onto the final path; false with a message.
    bool Commit(CliFailure* failure);

private:
    std::string m_FinalPath;
    std::string m_TemporaryPath;
    int m_Descriptor = -1;
    bool m_Committed = false;
};

// ---- progress ----
// A one-line progress bar on standard error, drawn only when standard
// error is a terminal and the command is not quiet; erased when done.
class ProgressBar {
public:
    ProgressBar(const std::string& label, bool quiet);
    ~ProgressBar();
    // Any one thread at a time. Redraws when the shown percentage changes.
    void Update(int64_t done, int64_t total);

private:
    bool m_Enabled;
    std::string m_Label;
    int m_ShownPercent = -1;
};
