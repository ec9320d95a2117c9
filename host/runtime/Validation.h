// The validation battery behind `orvanta validate`: checks that drive a
// plug-in module as hosts do (every rate, layout and block size, automation,
// damaged state, hostile audio, editor gestures, several threads) and report
// each check on one line with its figures.
//
// This file holds the machinery: the options, how strictness scales the
// work, one check's outcome, and the run that times each check, keeps its
// outcome and hands it to a reporter as soon as it is known. The checks
// themselves live in the Validation<Group>.cpp files and are listed in
// ValidationChecks.h.
//
// Everything here runs on the calling thread (the host's main thread);
// checks start threads of their own where they need them and join them
// before they end.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "AAX.h"

class PluginModule;

// What to validate and how hard.
struct ValidationOptions {
    static constexpr int kMinStrictness = 1;
    static constexpr int kMaxStrictness = 10;

    // The bundle folder (or module binary) to load; empty uses the entry
    // points linked into the program.
    std::string pluginPath;
    int strictness = 5;
    uint64_t seed = 1;
    // The check groups to run (ValidationGroupNames()); empty runs all.
    std::vector<std::string> groups;
    // When set, instances run this procedure instead of the one the module
    // registered (the validation's own tests feed it broken procedures).
    AAX_CProcessProc processProcOverride = nullptr;
};

// How much work a strictness asks for. Level 1 is a quick smoke test,
// level 10 a long soak; every count grows with the level.
struct ValidationBudget {
    int loadCycles = 0;             // load, register, unload
    int64_t signalSamples = 0;      // length of each audio render
    int randomBlockPlans = 0;       // renders in randomly varying block sizes
    int automationRenders = 0;      // renders with random automation
    int changesPerRender = 0;       // automation points per render
    int randomStates = 0;           // saved and restored states
    int damagedChunks = 0;          // damaged state chunks fed to one instance
    int editorCycles = 0;           // editor open/close cycles
    int gestures = 0;               // random editor gestures
    double threadSeconds = 0.0;     // wall time of the threads run

    static ValidationBudget ForStrictness(int strictness);
};

enum class CheckStatus { Pass, Warn, Fail };
const char* CheckStatusText(CheckStatus status);  // "PASS", "WARN", "FAIL"

// The outcome of one check: its status, the figures it measured and why it
// failed or warned. A check fails when any of its expectations fails;
// warnings never fail it.
class CheckOutcome {
public:
    // Adds a measured figure ("lag 7 samples"); figures are joined by ", ".
    void Figure(const std::string& text);
    // Records a failure; the first reasons are kept (later ones are counted).
    void Fail(const std::string& why);
    // Records a warning (a failure outranks it).
    void Warn(const std::string& why);
    // Fails with why unless condition holds; returns condition.
    bool Expect(bool condition, const std::string& why);

    CheckStatus Status() const { return m_Status; }
    bool Failed() const { return m_Status == CheckStatus::Fail; }
    // The figures, then the failures and warnings.
    std::string Text() const;

private:
    static constexpr size_t kKeptReasons = 3;
    CheckStatus m_Status = CheckStatus::Pass;
    std::vector<std::string> m_Figures;
    std::vector<std::string> m_Failures;
    std::vector<std::string> m_Warnings;
    size_t m_MoreFailures = 0;
};

// One finished check as the reporter sees it.
struct CheckReport {
    std::string group;
    std::string name;
    CheckStatus status = CheckStatus::Pass;
    std::string text;
    double seconds = 0.0;
};

class ValidationRun {
public:
    using Reporter = std::function<void(const CheckReport&)>;

    ValidationRun(ValidationOptions options, Reporter reporter);
    ~ValidationRun();
    ValidationRun(const ValidationRun&) = delete;
    ValidationRun& operator=(const ValidationRun&) = delete;

    // Runs the chosen groups in their fixed order. False when an unknown
    // group was asked for (*error says which); otherwise true, however the
    // checks came out.
    bool RunAll(std::string* error);

    // Runs body as one check named "<group>: <name>", timing it; an
    // exception that escapes body fails the check. Reports it at once.
    void Check(const std::string& group, const std::string& name, const std::function<void(CheckOutcome&)>& body);

    // The same with the shared module (SharedModule); the check fails at
    // once when the module cannot be loaded.
    void CheckWithModule(const std::string& group, const std::string& name,
                         const std::function<void(const PluginModule& module, CheckOutcome&)>& body);

    // ---- for the checks ----
    const ValidationOptions& Options() const { return m_Options; }
    const ValidationBudget& Budget() const { return m_Budget; }
    // The run's random source, seeded from the options.
    std::mt19937_64& Random() { return m_Random; }
    // A new hold on the module (each call loads it again). Null with *error.
    std::unique_ptr<PluginModule> LoadModule(std::string* error) const;
    // The module the checks share, loaded on first use; null with *error
    // when it cannot be loaded.
    PluginModule* SharedModule(std::string* error);

    // ---- results ----
    const std::vector<CheckReport>& Reports() const { return m_Reports; }
    int Failures() const;
    int Warnings() const;
    double Seconds() const;

private:
    ValidationOptions m_Options;
    ValidationBudget m_Budget;
    Reporter m_Reporter;
    std::mt19937_64 m_Random;
    std::unique_ptr<PluginModule> m_SharedModule;
    std::string m_SharedModuleError;
    bool m_SharedModuleTried = false;
    std::vector<CheckReport> m_Reports;
    double m_StartTime = 0.0;
};

// Seconds on a monotonic clock, for timing checks.
double ValidationClockSeconds();
