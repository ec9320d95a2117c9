#include "CliCommon.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "host/runtime/PluginModule.h"

std::string ExitCodeTable() {
    return "  0   success\n"
           "  64  usage: unknown command or option, missing or bad argument, unknown parameter,\n"
           "      a value that does not parse or lies outside its parameter's range\n"
           "  65  bad input data: not audio that can be read, damaged or cut short, more\n"
           "      than two channels, an unsupported sample rate\n"
           "  66  the input is missing or cannot be read\n"
           "  70  internal error: the plug-in module cannot be loaded, instantiated or run\n"
           "  73  the output cannot be created\n"
           "  74  reading or writing failed part-way, standard output included\n"
           "  128+N  stopped by signal N (SIGINT 130, SIGTERM 143, ...)\n";
}

namespace {

// The length of the UTF-8 sequence at text[i] when it is a well-formed
// character other than a C1 control (U+0080 .. U+009F); 0 otherwise.
size_t PrintableSequenceLength(const std::string& text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        if (lead == 0xC2) low = 0xA0;  // U+0080 .. U+009F are the C1 controls
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    }
    if (length == 0 || i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return length;
}

}  // namespace

std::string PrintableText(const std::string& text) {
    std::string printable;
    printable.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F) {
            printable += char(c);
            ++i;
            continue;
        }
        if (const size_t length = c >= 0x80 ? PrintableSequenceLength(text, i) : 0) {
            printable.append(text, i, length);
            i += length;
            continue;
        }
        static const char kHex[] = "0123456789abcdef";
        printable += "\\x";
        printable += kHex[c >> 4];
        printable += kHex[c & 0xF];
        ++i;
    }
    return printable;
}

void PrintError(const std::string& message) { std::cerr << "orvanta: " << PrintableText(message) << std::endl; }

int Report(const CliFailure& failure) {
    PrintError(failure.message);
    return failure.exitCode;
}

// ---- options ----

bool ParsedOptions::Has(const std::string& name) const {
    for (const auto& option : options)
        if (option.first == name) return true;
    return false;
}

std::string ParsedOptions::Last(const std::string& name, const std::string& fallback) const {
    std::string value = fallback;
    for (const auto& option : options)
        if (option.first == name) value = option.second;
    return value;
}

std::vector<std::string> ParsedOptions::All(const std::string& name) const {
    std::vector<std::string> values;
    for (const auto& option : options)
        if (option.first == name) values.push_back(option.second);
    return values;
}

const std::vector<OptionRule>& CommonOptions() {
    static const std::vector<OptionRule> common = {
        {"--quiet", "", "print nothing but errors"},
        {"--help", "", "show this help"},
        {"--plugin", "PATH",
         "the plug-in bundle to load (a .aaxplugin folder or the .so inside one); default: the bundle of "
         "the build tree, or the installed one in <prefix>/lib/aax"},
    };
    return common;
}

namespace {
const OptionRule* FindRule(const std::string& name, const std::vector<OptionRule>& rules) {
    for (const std::vector<OptionRule>* list : {&rules, &CommonOptions()})
        for (const OptionRule& rule : *list)
            if (rule.name == name) return &rule;
    return nullptr;
}
}  // namespace

bool ParseOptions(const std::vector<std::string>& arguments, const std::vector<OptionRule>& rules,
                  ParsedOptions* parsed, std::string* error) {
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            parsed->positionals.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = argument.find('=');
        const std::string name = argument == "-h" ? "--help" : argument.substr(0, equals);
        const OptionRule* rule = FindRule(name, rules);
        if (!rule) {
            *error = "unknown option '" + name + "'";
            return false;
        }
        if (rule->valueName.empty()) {
            if (equals != std::string::npos) {
                *error = "option " + name + " takes no value";
                return false;
            }
            parsed->options.emplace_back(name, "");
        } else if (equals != std::string::npos) {
            parsed->options.emplace_back(name, argument.substr(equals + 1));
        } else if (i + 1 < arguments.size()) {
            parsed->options.emplace_back(name, arguments[++i]);
        } else {
            *error = "option " + name + " needs a value (" + rule->valueName + ")";
            return false;
        }
    }
    return true;
}

bool ParseInteger(const std::string& text, int64_t minimum, int64_t maximum, int64_t* value) {
    if (text.empty() || text.size() > 18) return false;
    size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (i == text.size()) return false;
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        magnitude = magnitude * 10 + (text[i] - '0');
    }
    const int64_t parsed = text[0] == '-' ? -magnitude : magnitude;
    if (parsed < minimum || parsed > maximum) return false;
    *value = parsed;
    return true;
}

// ---- the module ----

const char* const kDefaultBundleName = ORVANTA_DEFAULT_BUNDLE;

std::unique_ptr<PluginModule> OpenPluginModule(const ParsedOptions& options, CliFailure* failure) {
    // The program uses the plug-in as a host does: through its bundle.
    std::string path = options.Last("--plugin");
    if (path.empty()) path = PluginModule::DefaultBundlePath(kDefaultBundleName);
    if (path.empty()) {
        *failure = CliFailure{ExitCode::kInternal,
                              "no plug-in bundle found beside the program (build the Orvanta target, "
                              "or name a bundle with --plugin PATH)"};
        return nullptr;
    }
    std::string error;
    std::unique_ptr<PluginModule> module = PluginModule::LoadBundle(path, &error);
    if (!module) *failure = CliFailure{ExitCode::kInternal, "cannot load the plug-in module: " + error};
    return module;
}

// ---- output ----

namespace {
// The temporary file in progress, for the signal handler to remove.
char g_PendingPath[4096];
volatile sig_atomic_t g_HasPendingPath = 0;

extern "C" void RemovePendingOutputAndDie(int signalNumber) {
    if (g_HasPendingPath) unlink(g_PendingPath);
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

void InstallInterruptCleanup() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        // A signal ignored from the start (nohup) stays ignored.
        struct sigaction current;
        if (sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
        signal(signalNumber, RemovePendingOutputAndDie);
    }
}

void SetPendingPath(const std::string& path) {
    g_HasPendingPath = 0;
    if (path.empty() || path.size() >= sizeof g_PendingPath) return;
    std::memcpy(g_PendingPath, path.c_str(), path.size() + 1);
    g_HasPendingPath = 1;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

TemporaryOutput::~TemporaryOutput() {
    if (m_Descriptor >= 0) close(m_Descriptor);
    if (!m_TemporaryPath.empty() && !m_Committed) {
        unlink(m_TemporaryPath.c_str());
        SetPendingPath("");
    }
}

bool TemporaryOutput::Create(const std::string& finalPath, CliFailure* failure) {
    struct stat existing;
    if (finalPath.empty() || finalPath.back() == '/' ||
        (stat(finalPath.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode))) {
        *failure = CliFailure{ExitCode::kCannotCreate, "cannot create output '" + finalPath + "': it is a folder"};
        return false;
    }
    InstallInterruptCleanup();
    std::string pattern = FolderOf(finalPath) + "/." + NameOf(finalPath) + ".orvanta-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int descriptor = mkstemp(buffer.data());
    if (descriptor < 0) {
        *failure = CliFailure{ExitCode::kCannotCreate,
                              "cannot create output '" + finalPath + "': " + std::strerror(errno)};
        return false;
    }
    m_Descriptor = descriptor;
    m_FinalPath = finalPath;
    m_TemporaryPath = buffer.data();
    SetPendingPath(m_TemporaryPath);
    // mkstemp makes the file private; give it the permissions a new file gets.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
    return true;
}

int TemporaryOutput::ReleaseDescriptor() {
    const int descriptor = m_Descriptor;
    m_Descriptor = -1;
    return descriptor;
}

bool TemporaryOutput::Commit(CliFailure* failure) {
    if (m_Descriptor >= 0) close(m_Descriptor);
    m_Descriptor = -1;
    if (rename(m_TemporaryPath.c_str(), m_FinalPath.c_str()) != 0) {
        *failure = CliFailure{ExitCode::kCannotCreate,
                              "cannot create output '" + m_FinalPath + "': " + std::strerror(errno)};
        return false;
    }
    m_Committed = true;
    SetPendingPath("");
    return true;
}

// ---- progress ----

ProgressBar::ProgressBar(const std::string& label, bool quiet)
    : m_Enabled(!quiet && isatty(STDERR_FILENO)), m_Label(label) {}

ProgressBar::~ProgressBar() {
    if (m_Enabled && m_ShownPercent >= 0) std::fprintf(stderr, "\r\033[K");
}

void ProgressBar::Update(int64_t done, int64_t total) {
    if (!m_Enabled || total <= 0) return;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == m_ShownPercent) return;
    m_ShownPercent = percent;
    constexpr int kWidth = 40;
    const int filled = percent * kWidth / 100;
    std::fprintf(stderr, "\r%s [%.*s%*s] %3d%%", m_Label.c_str(), filled, "########################################",
                 kWidth - filled, "", percent);
    std::fflush(stderr);
}
