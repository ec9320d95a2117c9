// Loading checks: the module loads and registers, describes both layouts at
// every rate with their factories, leaves no object alive once the host has
// released what it made, and survives many load/unload cycles.
#include <cstdio>
#include <string>

#include "host/runtime/EditorSession.h"
#include "host/runtime/PluginModule.h"
#include "host/runtime/Validation.h"
#include "host/runtime/ValidationChecks.h"
#include "host/runtime/ValidationSupport.h"

using namespace validation;

namespace {

constexpr const char* kGroup = "loading";

std::string Hex64(uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(value));
    return text;
}

void CheckLoadAndRegister(ValidationRun& run, CheckOutcome& check) {
    std::string error;
    const double start = ValidationClockSeconds();
    std::unique_ptr<PluginModule> module = run.LoadModule(&error);
    const double seconds = ValidationClockSeconds() - start;
    if (!check.Expect(module != nullptr, error)) return;
    size_t components = 0, registrations = 0;
    for (const RecordedComponent& component : module->Effect().components) {
        ++components;
        registrations += component.processProcs.size();
    }
    check.Figure(module->Origin());
    check.Figure("version " + Hex64(module->SDKVersion()));
    check.Figure(std::to_string(module->Description().effects.size()) + " effect, " + std::to_string(components) +
                 " components, " + std::to_string(registrations) + " registrations");
    check.Figure("loaded in " + Milliseconds(seconds));
    check.Expect(module->Description().effects.size() == 1, "the module describes more than one effect");
}

void CheckDescription(ValidationRun& run, CheckOutcome& check) {
    std::string error;
    PluginModule* module = run.SharedModule(&error);
    if (!check.Expect(module != nullptr, error)) return;
    int procedures = 0;
    for (AAX_EStemFormat layout : SupportedLayouts(run)) {
        const RecordedComponent* component = module->ComponentForStemFormat(layout);
        if (!check.Expect(component != nullptr, "no component for " + LayoutText(layout))) continue;
        for (float rate : SupportedRates(run)) {
            if (!check.Expect(module->NativeProcessProc(*component, rate) != nullptr,
                              "no " + LayoutText(layout) + " procedure at " + RateText(rate)))
                continue;
            ++procedures;
            std::unique_ptr<EffectInstance> instance = NewInstance(run, *module, rate, layout, &error);
            check.Expect(instance != nullptr, "cannot instantiate " + error);
        }
    }
    check.Expect(module->ProcPtr(kAAX_ProcPtrID_Create_EffectParameters) != nullptr, "no data-model factory");
    check.Figure(std::to_string(procedures) + " native procedures, each instantiated");
    check.Figure(HasEditor(*module) ? "data-model and editor factories" : "data-model factory, no editor");
}

void CheckNothingLeftAlive(ValidationRun& run, CheckOutcome& check) {
    std::string error;
    std::unique_ptr<PluginModule> module = run.LoadModule(&error);
    if (!check.Expect(module != nullptr, error)) return;
    const int32_t atStart = module->LiveObjects();
    int32_t whileInUse = 0;
    {
        std::unique_ptr<EffectInstance> mono = NewInstance(run, *module, RateOr(run, 48000.0f), AAX_eStemFormat_Mono, &error);
        std::unique_ptr<EffectInstance> stereo = NewInstance(run, *module, RateOr(run, 48000.0f), AAX_eStemFormat_Stereo, &error);
        if (!check.Expect(mono && stereo, error)) return;
        std::unique_ptr<EditorSession> editor;
        if (HasEditor(*module)) {
            editor = EditorSession::Create(module->CreateEditor(), *stereo, &error);
            if (!check.Expect(editor != nullptr, error)) return;
            check.Expect(editor->Open() == AAX_SUCCESS, "the editor did not open");
        }
        whileInUse = module->LiveObjects();
    }
    const int32_t afterRelease = module->LiveObjects();
    check.Figure("live objects " + std::to_string(atStart) + " at start, " + std::to_string(whileInUse) +
                 (HasEditor(*module) ? " with two instances and an open editor, " : " with two instances, ") + std::to_string(afterRelease) + " after release");
    check.Expect(whileInUse > atStart, "the module does not count the objects it hands out");
    check.Expect(afterRelease == 0, std::to_string(afterRelease) + " object(s) still alive after release");
}

void CheckLoadCycles(ValidationRun& run, CheckOutcome& check) {
    const int cycles = run.Budget().loadCycles;
    const double start = ValidationClockSeconds();
    int completed = 0;
    for (int cycle = 0; cycle < cycles && !check.Failed(); ++cycle) {
        std::string error;
        std::unique_ptr<PluginModule> module = run.LoadModule(&error);
        if (!check.Expect(module != nullptr, "cycle " + std::to_string(cycle + 1) + ": " + error)) break;
        {
            // An instance made and dropped in every cycle: the data model
            // and its host objects come and go with the module.
            std::unique_ptr<EffectInstance> instance =
                NewInstance(run, *module, RateOr(run, 44100.0f), cycle % 2 ? AAX_eStemFormat_Stereo : AAX_eStemFormat_Mono, &error);
            check.Expect(instance != nullptr, "cycle " + std::to_string(cycle + 1) + ": " + error);
        }
        const int32_t alive = module->LiveObjects();
        check.Expect(alive == 0, "cycle " + std::to_string(cycle + 1) + ": " + std::to_string(alive) +
                                     " object(s) alive before unload");
        ++completed;
    }
    const double seconds = ValidationClockSeconds() - start;
    check.Figure(std::to_string(completed) + " of " + std::to_string(cycles) + " cycles");
    if (completed > 0) check.Figure(Milliseconds(seconds / completed) + " per cycle");
}

}  // namespace

void RunLoadingChecks(ValidationRun& run) {
    run.Check(kGroup, "load and register", [&](CheckOutcome& check) { CheckLoadAndRegister(run, check); });
    run.Check(kGroup, "description and instances", [&](CheckOutcome& check) { CheckDescription(run, check); });
    run.Check(kGroup, "nothing left alive", [&](CheckOutcome& check) { CheckNothingLeftAlive(run, check); });
    run.Check(kGroup, "load/unload cycles", [&](CheckOutcome& check) { CheckLoadCycles(run, check); });
}
