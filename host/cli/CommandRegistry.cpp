#include "CommandRegistry.h"

#include <map>

namespace {
// Filled by static registrars before main runs, hence a function-local map.
std::map<std::string, Command>& Commands() {
    static std::map<std::string, Command> commands;
    return commands;
}

constexpr size_t kHelpColumn = 24;
constexpr size_t kLineWidth = 80;

// text broken at blanks into lines that fit beside the option names.
std::string Wrapped(const std::string& text) {
    std::string wrapped, line;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        if (!line.empty() && kHelpColumn + line.size() + 1 + word.size() > kLineWidth) {
            wrapped += line + "\n" + std::string(kHelpColumn, ' ');
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        start = end + 1;
    }
    return wrapped + line;
}

std::string OptionLines(const std::vector<OptionRule>& options) {
    std::string lines;
    for (const OptionRule& option : options) {
        std::string left = "  " + option.name + (option.valueName.empty() ? "" : " " + option.valueName);
        if (left.size() < kHelpColumn) left.resize(kHelpColumn, ' ');
        else left += "\n" + std::string(kHelpColumn, ' ');
        lines += left + Wrapped(option.help) + "\n";
    }
    return lines;
}
}  // namespace

void CommandRegistry::Register(const Command& command) { Commands()[command.name] = command; }

const Command* CommandRegistry::Find(const std::string& name) {
    const auto found = Commands().find(name);
    return found == Commands().end() ? nullptr : &found->second;
}

std::vector<const Command*> CommandRegistry::All() {
    std::vector<const Command*> all;
    for (const auto& entry : Commands()) all.push_back(&entry.second);
    return all;
}

std::string CommandRegistry::Help(const Command& command) {
    return "Usage: " + command.usage + "\n\n" + command.description + "\nOptions:\n" + OptionLines(command.options) +
           OptionLines(CommonOptions()) + "\nExit codes:\n" + ExitCodeTable();
}
