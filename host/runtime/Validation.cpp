#include "Validation.h"

#include <algorithm>
#include <chrono>
#include <exception>

#include "host/runtime/PluginModule.h"
#include "host/runtime/ValidationChecks.h"

double ValidationClockSeconds() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

// ---- budget ----

ValidationBudget ValidationBudget::ForStrictness(int strictness) {
    const int s = std::clamp(strictness, ValidationOptions::kMinStrictness, ValidationOptions::kMaxStrictness);
    ValidationBudget budget;
    budget.loadCycles = 2 * s * s;                  // 2 .. 200
    budget.signalSamples = 6000 * (1 + int64_t(s));  // longer than the largest block from level 1 on
    budget.randomBlockPlans = 1 + s / 2;
    budget.automationRenders = 2 * s;
    budget.changesPerRender = 8 * s;
    budget.randomStates = 10 * s;
    budget.damagedChunks = 100 * s;
    budget.editorCycles = 4 * s;
    budget.gestures = 60 * s;
    budget.threadSeconds = 0.5 * s;
    return budget;
}

// ---- one check ----

const char* CheckStatusText(CheckStatus status) {
    switch (status) {
        case CheckStatus::Pass: return "PASS";
        case CheckStatus::Warn: return "WARN";
        case CheckStatus::Fail: return "FAIL";
    }
    return "FAIL";
}

void CheckOutcome::Figure(const std::string& text) { m_Figures.push_back(text); }

void CheckOutcome::Fail(const std::string& why) {
    m_Status = CheckStatus::Fail;
    if (m_Failures.size() < kKeptReasons) m_Failures.push_back(why);
    else ++m_MoreFailures;
}

void CheckOutcome::Warn(const std::string& why) {
    if (m_Status == CheckStatus::Pass) m_Status = CheckStatus::Warn;
    if (m_Warnings.size() < kKeptReasons) m_Warnings.push_back(why);
}

bool CheckOutcome::Expect(bool condition, const std::string& why) {
    if (!condition) Fail(why);
    return condition;
}

std::string CheckOutcome::Text() const {
    auto join = [](const std::vector<std::string>& parts, const char* separator) {
        std::string text;
        for (const std::string& part : parts) text += (text.empty() ? "" : separator) + part;
        return text;
    };
    std::string text = join(m_Figures, ", ");
    if (!m_Failures.empty()) {
        text += (text.empty() ? "" : "; ") + std::string("failed: ") + join(m_Failures, "; ");
        if (m_MoreFailures > 0) text += "; and " + std::to_string(m_MoreFailures) + " more";
    }
    if (!m_Warnings.empty()) text += (text.empty() ? "" : "; ") + std::string("warning: ") + join(m_Warnings, "; ");
    return text;
}

// ---- the run ----

ValidationRun::ValidationRun(ValidationOptions options, Reporter reporter)
    : m_Options(std::move(options)),
      m_Budget(ValidationBudget::ForStrictness(m_Options.strictness)),
      m_Reporter(std::move(reporter)),
      m_Random(m_Options.seed),
      m_StartTime(ValidationClockSeconds()) {}

// The shared module goes last, after every check's objects.
ValidationRun::~ValidationRun() = default;

bool ValidationRun::RunAll(std::string* error) {
    const std::vector<ValidationGroup>& groups = ValidationGroups();
    for (const std::string& wanted : m_Options.groups) {
        const bool known = std::any_of(groups.begin(), groups.end(),
                                       [&](const ValidationGroup& group) { return wanted == group.name; });
        if (!known) {
            if (error) *error = "no check group '" + wanted + "'";
            return false;
        }
    }
    m_StartTime = ValidationClockSeconds();
    for (const ValidationGroup& group : groups) {
        const bool chosen = m_Options.groups.empty() ||
                            std::find(m_Options.groups.begin(), m_Options.groups.end(), group.name) !=
                                m_Options.groups.end();
        if (chosen) group.run(*this);
    }
    return true;
}

void ValidationRun::Check(const std::string& group, const std::string& name,
                          const std::function<void(CheckOutcome&)>& body) {
    CheckOutcome outcome;
    const double start = ValidationClockSeconds();
    try {
        body(outcome);
    } catch (const std::exception& exception) {
        outcome.Fail(std::string("exception: ") + exception.what());
    } catch (...) {
        outcome.Fail("an exception of unknown type");
    }
    CheckReport report;
    report.group = group;
    report.name = name;
    report.status = outcome.Status();
    report.text = outcome.Text();
    report.seconds = ValidationClockSeconds() - start;
    m_Reports.push_back(report);
    if (m_Reporter) m_Reporter(report);
}

void ValidationRun::CheckWithModule(const std::string& group, const std::string& name,
                                    const std::function<void(const PluginModule& module, CheckOutcome&)>& body) {
    Check(group, name, [&](CheckOutcome& check) {
        std::string error;
        const PluginModule* module = SharedModule(&error);
        if (check.Expect(module != nullptr, error)) body(*module, check);
    });
}

std::unique_ptr<PluginModule> ValidationRun::LoadModule(std::string* error) const {
    if (m_Options.pluginPath.empty()) {
        if (error) *error = "no plug-in bundle named";
        return nullptr;
    }
    return PluginModule::LoadBundle(m_Options.pluginPath, error);
}

PluginModule* ValidationRun::SharedModule(std::string* error) {
    if (!m_SharedModuleTried) {
        m_SharedModuleTried = true;
        m_SharedModule = LoadModule(&m_SharedModuleError);
    }
    if (!m_SharedModule && error) *error = "cannot load the plug-in: " + m_SharedModuleError;
    return m_SharedModule.get();
}

int ValidationRun::Failures() const {
    return int(std::count_if(m_Reports.begin(), m_Reports.end(),
                             [](const CheckReport& report) { return report.status == CheckStatus::Fail; }));
}

int ValidationRun::Warnings() const {
    return int(std::count_if(m_Reports.begin(), m_Reports.end(),
                             [](const CheckReport& report) { return report.status == CheckStatus::Warn; }));
}

double ValidationRun::Seconds() const { return ValidationClockSeconds() - m_StartTime; }

// ---- the groups ----

const std::vector<ValidationGroup>& ValidationGroups() {
    static const std::vector<ValidationGroup> groups = {
        {"loading", "the bundle loads, registers, describes itself and unloads cleanly", RunLoadingChecks},
        {"audio", "every rate and layout at every host block size", RunAudioChecks},
        {"parameters", "traversal, limits, automation at sample positions", RunParameterChecks},
        {"state", "state round trips and damaged chunks", RunStateChecks},
        {"editor", "editor life cycle and gestures on every control", RunEditorChecks},
        {"bad-audio", "non-finite, denormal and huge input; recovery after NaN", RunBadAudioChecks},
        {"threads", "audio, automation and editor on three threads at once", RunThreadChecks},
    };
    return groups;
}
