// The orvanta program's commands. Each command lives in its own file and
// registers itself with a static CommandRegistrar, so adding a command
// touches no other file.
#pragma once

#include <string>
#include <vector>

#include "CliCommon.h"

struct Command {
    std::string name;                // "process"
    std::string summary;             // one line for the program's help
    std::string usage;               // "orvanta process IN OUT [options]"
    std::string description;         // what it does, for the command's help
    std::vector<OptionRule> options; // besides CommonOptions()
    // Runs the command with its parsed command line; returns the exit code.
    int (*run)(const ParsedOptions& options) = nullptr;
};

class CommandRegistry {
public:
    static void Register(const Command& command);
    // Null for an unknown name.
    static const Command* Find(const std::string& name);
    // Every command, by name.
    static std::vector<const Command*> All();
    // The command's help: usage, description, options, exit codes.
    static std::string Help(const Command& command);
};

struct CommandRegistrar {
    explicit CommandRegistrar(const Command& command) { CommandRegistry::Register(command); }
};
