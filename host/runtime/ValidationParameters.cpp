// Parameter checks:
//   - traversal: every parameter over its steps; each step's text reads back
//     to a value with the same text (discrete parameters to the same value),
//     and a value set by automation is held and shown as its text;
//   - limits: out-of-range, NaN and infinite values from automation, from
//     the editor's request road and from text are limited to 0 .. 1, and
//     the instance still renders finite audio;
//   - automation at sample positions: random automation during renders
//     gives finite output, and a change at sample p alters nothing before p.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "AAX_CString.h"
#include "host/runtime/PluginModule.h"
#include "host/runtime/Validation.h"
#include "host/runtime/ValidationChecks.h"
#include "host/runtime/ValidationSupport.h"

using namespace validation;

namespace {

constexpr const char* kGroup = "parameters";
// Steps visited per parameter at most; finer parameters are sampled evenly.
constexpr int32_t kMostStepsVisited = 1000;
// A continuous value set by automation may come back rounded to the
// precision the parameter keeps (single precision at worst).
constexpr double kHeldValueTolerance = 1e-6;

bool InUnitRange(double value) { return std::isfinite(value) && value >= 0.0 && value <= 1.0; }

std::string Quoted(const std::string& id) { return "'" + id + "'"; }

void CheckTraversal(ValidationRun& run, const PluginModule& module, CheckOutcome& check) {
    std::string error;
    std::unique_ptr<EffectInstance> instance = NewInstance(run, module, RateOr(run, 48000.0f), AAX_eStemFormat_Stereo, &error);
    if (!check.Expect(instance != nullptr, error)) return;
    AAX_IACFEffectParameters& model = instance->Parameters();
    const std::vector<std::string> ids = ParameterIDs(model);
    int values = 0, textRoundTrips = 0, held = 0;
    for (const std::string& id : ids) {
        const int32_t steps = std::max(NumberOfSteps(model, id), 2);
        const int32_t visits = std::min(steps, kMostStepsVisited);
        const bool discrete = IsDiscrete(model, id);
        for (int32_t visit = 0; visit < visits; ++visit) {
            const double value = StepValue(int32_t(int64_t(visit) * (steps - 1) / std::max(visits - 1, 1)), steps);
            ++values;
            const std::string text = StringFromValue(model, id, value);
            double parsed = -1.0;
            const AAX_Result readBack = model.GetParameterValueFromString(id.c_str(), &parsed, AAX_CString(text.c_str()));
            const bool sameText = readBack == AAX_SUCCESS && StringFromValue(model, id, parsed) == text;
            const bool sameValue = !discrete || (readBack == AAX_SUCCESS && parsed == value);
            if (check.Expect(sameText && sameValue, Quoted(id) + " value " + std::to_string(value) + " shown as '" +
                                                        text + "' does not read back"))
                ++textRoundTrips;

            instance->ApplyAutomation(id.c_str(), value);
            const double kept = NormalizedValue(model, id);
            const bool keptValue = discrete ? kept == value : std::fabs(kept - value) <= kHeldValueTolerance;
            if (check.Expect(keptValue && ValueString(model, id) == StringFromValue(model, id, kept),
                             Quoted(id) + " set to " + std::to_string(value) + " holds " + std::to_string(kept)))
                ++held;
        }
    }
    check.Figure(std::to_string(ids.size()) + " parameters, " + std::to_string(values) + " values");
    check.Figure("text round trips " + std::to_string(textRoundTrips) + "/" + std::to_string(values));
    check.Figure("held by automation " + std::to_string(held) + "/" + std::to_string(values));
    std::vector<std::string> sorted = ids;
    std::sort(sorted.begin(), sorted.end());
    check.Expect(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end(),
                 "two parameters share an identifier");
}

const double kHostileValues[] = {-1.0,
                                 -1e-300,
                                 1.5,
                                 1e300,
                                 -std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::quiet_NaN(),
                                 -std::numeric_limits<double>::quiet_NaN()};
const char* const kHostileTexts[] = {"nan", "-nan", "inf", "-inf", "1e999", "-1e999", "", "x", "  12abc"};

void CheckLimits(ValidationRun& run, const PluginModule& module, CheckOutcome& check) {
    std::string error;
    std::unique_ptr<EffectInstance> instance = NewInstance(run, module, RateOr(run, 96000.0f), AAX_eStemFormat_Stereo, &error);
    if (!check.Expect(instance != nullptr, error)) return;
    AAX_IACFEffectParameters& model = instance->Parameters();
    const AudioChannels input = Noise(run.Random(), 2, 4096, 0.5f);
    int limited = 0, tried = 0, textsRefused = 0, textsLimited = 0;
    for (const std::string& id : ParameterIDs(model)) {
        for (double hostile : kHostileValues) {
            // Host automation, then the editor's road (a set-value request
            // the host answers).
            for (int road = 0; road < 2; ++road) {
                ++tried;
                if (road == 0) instance->ApplyAutomation(id.c_str(), hostile);
                else {
                    model.SetParameterNormalizedValue(id.c_str(), hostile);
                    instance->AnswerRequests();
                }
                const double kept = NormalizedValue(model, id);
                if (check.Expect(InUnitRange(kept), Quoted(id) + " holds " + std::to_string(kept) + " after " +
                                                        std::to_string(hostile)))
                    ++limited;
                StringFromValue(model, id, hostile);  // must not crash
            }
        }
        for (const char* text : kHostileTexts) {
            double parsed = 0.5;
            if (model.GetParameterValueFromString(id.c_str(), &parsed, AAX_CString(text)) != AAX_SUCCESS) ++textsRefused;
            else if (check.Expect(InUnitRange(parsed), Quoted(id) + " reads '" + text + "' as " + std::to_string(parsed)))
                ++textsLimited;
        }
        AudioChannels output;
        if (check.Expect(RenderHere(*instance, input, {512}, &output, &error), error))
            check.Expect(AllFinite(output), "non-finite output after hostile values for " + Quoted(id));
    }
    check.Figure(std::to_string(limited) + "/" + std::to_string(tried) + " hostile values limited");
    check.Figure("hostile texts " + std::to_string(textsRefused) + " refused, " + std::to_string(textsLimited) +
                 " read within range");
    check.Figure("output finite");
}

struct AutomationStats {
    int renders = 0;
    int changes = 0;
    int causal = 0;
    int causalRenders = 0;
};

std::vector<ParameterChange> RandomChanges(const AAX_IACFEffectParameters& model, std::mt19937_64& random,
                                           int count, int64_t length, const std::vector<std::string>& excluded) {
    std::vector<std::string> ids;
    for (const std::string& id : ParameterIDs(model))
        if (std::find(excluded.begin(), excluded.end(), id) == excluded.end()) ids.push_back(id);
    std::uniform_int_distribution<size_t> pickID(0, ids.size() - 1);
    std::uniform_int_distribution<int64_t> pickPosition(0, length - 1);
    std::uniform_real_distribution<double> pickValue(0.0, 1.0);
    std::vector<ParameterChange> changes;
    for (int i = 0; i < count && !ids.empty(); ++i)
        changes.push_back({pickPosition(random), ids[pickID(random)], pickValue(random)});
    return changes;
}

bool RenderWithChanges(ValidationRun& run, const PluginModule& module, float rate, AAX_EStemFormat layout,
                       int32_t blockSize, const AudioChannels& input, const std::vector<ParameterChange>& changes,
                       AudioChannels* output, std::string* error) {
    std::unique_ptr<EffectInstance> instance = NewInstance(run, module, rate, layout, error);
    if (!instance) return false;
    AudioRenderer::Options options;
    options.blockSize = blockSize;
    return AudioRenderer(*instance, options).Render(input, changes, output, error);
}

void CheckAutomation(ValidationRun& run, const PluginModule& module, CheckOutcome& check) {
    std::mt19937_64& random = run.Random();
    const std::vector<float> rates = SupportedRates(run);
    const int64_t length = run.Budget().signalSamples;
    AutomationStats stats;
    std::string error;
    std::unique_ptr<EffectInstance> probe = NewInstance(run, module, rates.front(), AAX_eStemFormat_Mono, &error);
    if (!check.Expect(probe != nullptr, error)) return;
    const AAX_IACFEffectParameters& model = probe->Parameters();
    const std::string bypass = MasterBypassID(model);
    const std::vector<std::string> continuous = ParametersOfType(model, AAX_eParameterType_Continuous, bypass);

    for (int render = 0; render < run.Budget().automationRenders && !check.Failed(); ++render) {
        const AAX_EStemFormat layout = render % 2 ? AAX_eStemFormat_Stereo : AAX_eStemFormat_Mono;
        const float rate = rates[size_t(render) % rates.size()];
        const int32_t blockSize = std::uniform_int_distribution<int32_t>(1, 4096)(random);
        const AudioChannels input = Noise(random, layout == AAX_eStemFormat_Mono ? 1 : 2, length, 0.8f);
        const std::string where = LayoutText(layout) + " " + RateText(rate) + " blocks of " + std::to_string(blockSize);

        // Anything may change, the bypass included.
        std::vector<ParameterChange> changes = RandomChanges(model, random, run.Budget().changesPerRender, length, {});
        AudioChannels output;
        if (!check.Expect(RenderWithChanges(run, module, rate, layout, blockSize, input, changes, &output, &error),
                          where + ": " + error))
            continue;
        ++stats.renders;
        stats.changes += int(changes.size());
        check.Expect(AllFinite(output), where + ": non-finite output under automation");

        // One more change of a continuous parameter at sample p, to the end
        // of its range away from where it rests: nothing before p may
        // differ, and the output must change from p on. In mono (no stereo
        // noise split) and without the bypass, which skips the effect.
        if (layout != AAX_eStemFormat_Mono || continuous.empty()) continue;
        const std::string& moved = continuous[std::uniform_int_distribution<size_t>(0, continuous.size() - 1)(random)];
        const int64_t p = std::uniform_int_distribution<int64_t>(length / 4, length - 64)(random);
        changes = RandomChanges(model, random, run.Budget().changesPerRender, length, {bypass, moved});
        std::vector<ParameterChange> withGain = changes;
        withGain.push_back({p, moved, NormalizedValue(model, moved) < 0.5 ? 1.0 : 0.0});
        AudioChannels without, with;
        if (!RenderWithChanges(run, module, rate, layout, blockSize, input, changes, &without, &error) ||
            !RenderWithChanges(run, module, rate, layout, blockSize, input, withGain, &with, &error)) {
            check.Fail(where + ": " + error);
            continue;
        }
        ++stats.causalRenders;
        const int64_t first = FirstDifference(without, with);
        if (check.Expect(first >= p && first < p + 64, where + ": a change at sample " + std::to_string(p) +
                                                            " first shows at sample " + std::to_string(first) + " (" + moved + ")"))
            ++stats.causal;
    }
    check.Figure(std::to_string(stats.renders) + " renders, " + std::to_string(stats.changes) + " changes, output finite");
    check.Figure("changes take effect at their sample " + std::to_string(stats.causal) + "/" +
                 std::to_string(stats.causalRenders));
}

}  // namespace

void RunParameterChecks(ValidationRun& run) {
    const struct {
        const char* name;
        void (*body)(ValidationRun&, const PluginModule&, CheckOutcome&);
    } checks[] = {
        {"traversal of every step", CheckTraversal},
        {"out-of-range, NaN and infinite values", CheckLimits},
        {"automation at sample positions", CheckAutomation},
    };
    for (const auto& entry : checks)
        run.CheckWithModule(kGroup, entry.name,
                            [&](const PluginModule& module, CheckOutcome& check) { entry.body(run, module, check); });
}
