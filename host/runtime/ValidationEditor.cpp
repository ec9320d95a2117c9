// Editor checks:
//   - bitmaps: every bitmap the editor draws is in the bundle's resource
//     folder and decodes (an editor without them has no panel to show);
//   - life cycle: an editor opened, closed and reopened many times, and
//     editors created and destroyed, always show the same panel for the same
//     state and leave no object of the module behind;
//   - gestures: random drags, wheel turns, modifier clicks and arrow keys on
//     every knob, clicks on every button and text typed into every display,
//     mixed with host automation; after each, no gesture is left open, every
//     value is in range, buttons and displays set what they name, and the
//     panel shows exactly what a freshly opened editor shows for the same
//     state.
#include <sys/stat.h>

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "EditorControls.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CResourceDescription.h"

#include "host/runtime/EditorSession.h"
#include "host/runtime/PluginModule.h"
#include "host/runtime/Validation.h"
#include "host/runtime/ValidationChecks.h"
#include "host/runtime/ValidationGestures.h"
#include "host/runtime/ValidationSupport.h"

using namespace validation;

namespace {

constexpr const char* kGroup = "editor";

std::string SizeText(const AAX_Point& size) {
    return std::to_string(int(size.horz)) + " x " + std::to_string(int(size.vert));
}

void CheckLifeCycle(ValidationRun& run, const PluginModule& module, CheckOutcome& check) {
    std::string error;
    std::unique_ptr<EffectInstance> instance = NewInstance(run, module, RateOr(run, 48000.0f), AAX_eStemFormat_Stereo, &error);
    if (!check.Expect(instance != nullptr, error)) return;
    const int32_t liveBefore = module.LiveObjects();
    std::vector<uint32_t> firstPanel;
    AAX_Point size;
    int opened = 0, created = 0;
    for (int cycle = 0; cycle < run.Budget().editorCycles && !check.Failed(); ++cycle) {
        std::unique_ptr<EditorSession> session = EditorSession::Create(module.CreateEditor(), *instance, &error);
        if (!check.Expect(session != nullptr, error)) return;
        ++created;
        // Every other session lives through several openings.
        const int openings = cycle % 2 ? 3 : 1;
        for (int opening = 0; opening < openings; ++opening) {
            if (!check.Expect(session->Open() == AAX_SUCCESS, "opening " + std::to_string(opened + 1) + " failed"))
                return;
            ++opened;
            const std::vector<uint32_t> panel = PanelPixels(*session);
            if (opened == 1) {
                firstPanel = panel;
                size = session->ViewSize();
            }
            check.Expect(panel == firstPanel, "opening " + std::to_string(opened) + " shows another panel");
            if (opening + 1 < openings) session->Close();
        }
    }
    const int32_t liveAfter = module.LiveObjects();
    check.Figure(std::to_string(created) + " editors, " + std::to_string(opened) + " openings");
    check.Figure("panel " + SizeText(size));
    check.Figure("live objects " + std::to_string(liveBefore) + " before, " + std::to_string(liveAfter) + " after");
    check.Expect(liveAfter == liveBefore,
                 "the editors left " + std::to_string(liveAfter - liveBefore) + " object(s) alive");
    check.Expect(size.horz > 0 && size.vert > 0, "the editor has no size (its bitmaps were not found)");
}

// Why the bitmap with this identifier cannot be drawn, or empty when it can:
// the first file of the toolkit's extensions present must decode.
std::string BitmapProblem(const std::string& folder, int32_t id) {
    const std::string name = VSTGUI::CResourceDescription(id).getResourceName();
    for (const char* extension : VSTGUI::CBitmap::kExtensions) {
        const std::string path = folder + "/" + name + "." + extension;
        struct stat info;
        if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        cairo_surface_t* surface = VSTGUI::CBitmap::loadFile(path, extension);
        if (!surface) return std::string(name) + "." + extension + " cannot be decoded";
        cairo_surface_destroy(surface);
        return "";
    }
    return std::string(name) + " is missing";
}

void CheckBitmaps(ValidationRun& run, const PluginModule& module, CheckOutcome& check) {
    const std::string folder = module.ResourceDirectory();
    if (!check.Expect(!folder.empty(), "the module has no resource folder")) return;
    // The panel names the bitmaps it draws.
    std::string error;
    std::unique_ptr<EffectInstance> instance = NewInstance(run, module, RateOr(run, 48000.0f), AAX_eStemFormat_Stereo, &error);
    if (!check.Expect(instance != nullptr, error)) return;
    std::unique_ptr<EditorSession> session = EditorSession::Create(module.CreateEditor(), *instance, &error);
    if (!check.Expect(session != nullptr, error) ||
        !check.Expect(session->Open() == AAX_SUCCESS, "the editor did not open"))
        return;
    const IEditorControls* panel = PanelControls(*session);
    std::vector<int32_t> bitmaps;
    for (size_t i = 0; panel && i < panel->EditorBitmapCount(); ++i) bitmaps.push_back(panel->EditorBitmapAt(i));
    std::sort(bitmaps.begin(), bitmaps.end());
    int found = 0;
    for (int32_t id : bitmaps) {
        const std::string problem = BitmapProblem(folder, id);
        found += check.Expect(problem.empty(), problem) ? 1 : 0;
    }
    check.Figure(std::to_string(found) + "/" + std::to_string(bitmaps.size()) + " bitmaps decode");
}

struct GestureCounts {
    int gestures = 0, automations = 0, changing = 0;
    int expected = 0, met = 0, compared = 0, consistent = 0;
};

double SumOfValues(const AAX_IACFEffectParameters& model, const std::vector<std::string>& ids) {
    double sum = 0.0;
    for (const std::string& id : ids) sum += NormalizedValue(model, id);
    return sum;
}

// Whether the gesture set what it names.
bool MetExpectation(const AAX_IACFEffectParameters& model, const EditorGesture& gesture) {
    const double held = NormalizedValue(model, gesture.parameterID);
    switch (gesture.expectation) {
        case EditorGesture::Expectation::Value: return held == gesture.value;
        case EditorGesture::Expectation::Text: return DisplayText(model, gesture.parameterID, held) == gesture.text;
        case EditorGesture::Expectation::None: return true;
    }
    return true;
}

// No gesture left open, and every value in range.
void ExpectSettled(const EffectInstance& instance, const std::vector<std::string>& ids, const EditorGesture& gesture,
                   CheckOutcome& check) {
    for (const std::string& id : ids) {
        check.Expect(!instance.IsTouched(id.c_str()), gesture.description + " left '" + id + "' touched");
        const double value = NormalizedValue(instance.Parameters(), id);
        check.Expect(std::isfinite(value) && value >= 0.0 && value <= 1.0,
                     gesture.description + " left '" + id + "' at " + std::to_string(value));
    }
}

void CheckGestures(ValidationRun& run, const PluginModule& module, CheckOutcome& check) {
    std::string error;
    std::unique_ptr<EffectInstance> instance = NewInstance(run, module, RateOr(run, 44100.0f), AAX_eStemFormat_Mono, &error);
    if (!check.Expect(instance != nullptr, error)) return;
    std::unique_ptr<EditorSession> session = EditorSession::Create(module.CreateEditor(), *instance, &error);
    if (!check.Expect(session != nullptr, error) ||
        !check.Expect(session->Open() == AAX_SUCCESS, "the editor did not open"))
        return;
    const AAX_IACFEffectParameters& model = instance->Parameters();
    const std::vector<std::string> ids = ParameterIDs(model);
    const int total = run.Budget().gestures;
    const int compareEvery = std::max(1, total / std::max(1, run.Budget().editorCycles));
    GestureCounts counts;
    for (int i = 0; i < total && !check.Failed(); ++i) {
        const double before = SumOfValues(model, ids);
        const EditorGesture gesture = PerformRandomGesture(*session, *instance, run.Random(), true);
        (gesture.automation ? counts.automations : counts.gestures) += 1;
        if (SumOfValues(model, ids) != before) ++counts.changing;
        if (gesture.expectation != EditorGesture::Expectation::None) {
            ++counts.expected;
            if (check.Expect(MetExpectation(model, gesture), gesture.description + " left '" + gesture.parameterID +
                                                                 "' showing " + ValueString(model, gesture.parameterID)))
                ++counts.met;
        }
        ExpectSettled(*instance, ids, gesture, check);
        if ((i + 1) % compareEvery == 0 || i + 1 == total) {
            ++counts.compared;
            if (check.Expect(PanelShowsCurrentState(*session),
                             "after " + gesture.description + " the panel differs from a freshly opened one"))
                ++counts.consistent;
        }
    }
    check.Figure(std::to_string(counts.gestures) + " gestures and " + std::to_string(counts.automations) +
                 " automation moves, " + std::to_string(counts.changing) + " changing a value");
    check.Figure("buttons and displays set their value " + std::to_string(counts.met) + "/" +
                 std::to_string(counts.expected));
    check.Figure("panel consistent " + std::to_string(counts.consistent) + "/" + std::to_string(counts.compared));
}

}  // namespace

void RunEditorChecks(ValidationRun& run) {
    // A module without an editor has nothing to check here.
    const PluginModule* module = run.SharedModule(nullptr);
    if (module && !module->ProcPtr(kAAX_ProcPtrID_Create_EffectGUI)) {
        run.Check(kGroup, "no editor", [](CheckOutcome& check) { check.Figure("the module names no editor"); });
        return;
    }
    run.CheckWithModule(kGroup, "bitmaps",
                        [&](const PluginModule& loaded, CheckOutcome& check) { CheckBitmaps(run, loaded, check); });
    run.CheckWithModule(kGroup, "open, close and reopen",
                        [&](const PluginModule& loaded, CheckOutcome& check) { CheckLifeCycle(run, loaded, check); });
    run.CheckWithModule(kGroup, "gestures on every control",
                        [&](const PluginModule& loaded, CheckOutcome& check) { CheckGestures(run, loaded, check); });
}
