// orvanta: the substitute host's command-line program. It finds the command
// named by the first argument, parses the rest against the command's
// options and runs it.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "CliCommon.h"
#include "CommandRegistry.h"

#ifndef ORVANTA_VERSION
#define ORVANTA_VERSION "unknown"
#endif

namespace {
void PrintProgramHelp() {
    std::cout << "Usage: orvanta COMMAND [arguments] [options]\n"
                 "       orvanta COMMAND --help\n"
                 "       orvanta --version\n\n"
                 "Runs the Orvanta harmonic-colour effect under a substitute host.\n\n"
                 "Commands:\n";
    for (const Command* command : CommandRegistry::All()) {
        std::string name = "  " + command->name;
        name.resize(14, ' ');
        std::cout << name << command->summary << "\n";
    }
    std::cout << "\nExit codes:\n" << ExitCodeTable();
}

// The command's exit code, or 74 with a message when what it printed could
// not all be written (a full disk, a closed pipe, /dev/full).
int FinishStandardOutput(int exitCode) {
    const int error = std::fflush(stdout) != 0 ? errno : 0;
    std::cout.flush();
    // A command that failed has said why; its own exit code stands.
    if (exitCode != ExitCode::kOk || (!error && !std::ferror(stdout) && std::cout)) return exitCode;
    PrintError("cannot write to standard output" + (error ? std::string(": ") + std::strerror(error) : std::string()));
    return ExitCode::kIOError;
}

int RunCommandLine(const std::vector<std::string>& arguments);
}  // namespace

int main(int argc, char** argv) {
    return FinishStandardOutput(RunCommandLine(std::vector<std::string>(argv + 1, argv + argc)));
}

namespace {

int RunCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        PrintProgramHelp();
        return ExitCode::kUsage;
    }
    const std::string& first = arguments[0];
    if (first == "--help" || first == "-h" || first == "help") {
        const Command* command = arguments.size() > 1 ? CommandRegistry::Find(arguments[1]) : nullptr;
        if (command) std::cout << CommandRegistry::Help(*command);
        else PrintProgramHelp();
        return ExitCode::kOk;
    }
    if (first == "--version") {
        std::cout << "orvanta " << ORVANTA_VERSION << "\n";
        return ExitCode::kOk;
    }
    const Command* command = CommandRegistry::Find(first);
    if (!command) {
        PrintError("unknown command '" + first + "' (see orvanta --help)");
        return ExitCode::kUsage;
    }
    ParsedOptions options;
    std::string error;
    if (!ParseOptions(std::vector<std::string>(arguments.begin() + 1, arguments.end()), command->options, &options,
                      &error)) {
        PrintError(error + " (see orvanta " + command->name + " --help)");
        return ExitCode::kUsage;
    }
    if (options.Has("--help")) {
        std::cout << CommandRegistry::Help(*command);
        return ExitCode::kOk;
    }
    try {
        return command->run(options);
    } catch (const std::exception& failure) {
        // Out of memory for a huge input, above all: report it rather than abort.
        PrintError(std::string("internal error: ") + failure.what());
        return ExitCode::kInternal;
    }
}
}  // namespace
