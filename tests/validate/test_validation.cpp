// The validation machinery: outcomes, budgets, checks that fail when they must and pass
// on the effect's own bundle, and the helpers that judge audio.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "effect/Orvanta_Defs.h"
#include "host/runtime/Validation.h"
#include "host/runtime/ValidationChecks.h"
#include "host/runtime/ValidationSupport.h"

namespace {

std::string BundlePath() { return std::string(ORVANTA_BINARY_DIR) + "/" + Orvanta::kBundleName; }

// A run of the chosen groups on a bundle; every report kept.
struct Outcome {
    bool ran = false;
    std::string error;
    std::vector<CheckReport> reports;
    int failures = 0;
};

Outcome Validate(std::vector<std::string> groups, const std::string& plugin = BundlePath(),
                 AAX_CProcessProc override = nullptr) {
    ValidationOptions options;
    options.pluginPath = plugin;
    options.strictness = 1;
    options.seed = 5;
    options.groups = std::move(groups);
    options.processProcOverride = override;
    Outcome outcome;
    ValidationRun run(options, [&](const CheckReport& report) { outcome.reports.push_back(report); });
    outcome.ran = run.RunAll(&outcome.error);
    outcome.failures = run.Failures();
    return outcome;
}

TEST(CheckOutcome, StatusIsTheWorstReasonAndTextListsFiguresThenReasons) {
    struct Case { const char* name; void (*record)(CheckOutcome&); CheckStatus status; const char* text; };
    const Case cases[] = {
        {"figures only", [](CheckOutcome& c) { c.Figure("a"); c.Figure("b"); }, CheckStatus::Pass, "a, b"},
        {"a warning", [](CheckOutcome& c) { c.Figure("a"); c.Warn("w"); }, CheckStatus::Warn, "a; warning: w"},
        {"failure outranks warning", [](CheckOutcome& c) { c.Warn("w"); c.Fail("f"); }, CheckStatus::Fail,
         "failed: f; warning: w"},
        {"expect true passes", [](CheckOutcome& c) { c.Expect(true, "never"); }, CheckStatus::Pass, ""},
        {"failures past three are counted",
         [](CheckOutcome& c) {
             for (const char* why : {"1", "2", "3", "4", "5"}) c.Expect(false, why);
         },
         CheckStatus::Fail, "failed: 1; 2; 3; and 2 more"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        CheckOutcome outcome;
        testCase.record(outcome);
        EXPECT_EQ(outcome.Status(), testCase.status);
        EXPECT_EQ(outcome.Text(), testCase.text);
    }
}

TEST(ValidationBudget, EveryCountGrowsWithStrictnessAndLevelsOutsideAreClamped) {
    auto counts = [](const ValidationBudget& b) {
        return std::vector<double>{double(b.loadCycles),    double(b.signalSamples),     double(b.randomBlockPlans),
                                   double(b.automationRenders), double(b.changesPerRender), double(b.randomStates),
                                   double(b.damagedChunks), double(b.editorCycles),      double(b.gestures),
                                   b.threadSeconds};
    };
    for (int level = ValidationOptions::kMinStrictness; level < ValidationOptions::kMaxStrictness; ++level) {
        const std::vector<double> lower = counts(ValidationBudget::ForStrictness(level));
        const std::vector<double> higher = counts(ValidationBudget::ForStrictness(level + 1));
        for (size_t i = 0; i < lower.size(); ++i) {
            EXPECT_GT(lower[i], 0.0) << "count " << i << " at level " << level;
            EXPECT_GE(higher[i], lower[i]) << "count " << i << " at level " << level;
        }
    }
    EXPECT_EQ(counts(ValidationBudget::ForStrictness(0)), counts(ValidationBudget::ForStrictness(1)));
    EXPECT_EQ(counts(ValidationBudget::ForStrictness(99)), counts(ValidationBudget::ForStrictness(10)));
    // A four-kilosample block fits in the signal at every level.
    EXPECT_GT(ValidationBudget::ForStrictness(1).signalSamples, 4096);
}

TEST(ValidationRun, AnExceptionFailsOnlyItsCheck) {
    ValidationOptions options;
    std::vector<CheckReport> reports;
    ValidationRun run(options, [&](const CheckReport& report) { reports.push_back(report); });
    run.Check("g", "throws", [](CheckOutcome& check) {
        check.Figure("before");
        throw std::runtime_error("boom");
    });
    run.Check("g", "passes", [](CheckOutcome& check) { check.Figure("fine"); });
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].status, CheckStatus::Fail);
    EXPECT_EQ(reports[0].text, "before; failed: exception: boom");
    EXPECT_EQ(reports[1].status, CheckStatus::Pass);
    EXPECT_EQ(run.Failures(), 1);
}

TEST(ValidationRun, ABundleThatDoesNotExistFailsEveryCheckOfTheGroup) {
    for (const char* group : {"loading", "state"}) {
        SCOPED_TRACE(group);
        const Outcome outcome = Validate({group}, "/nonexistent/Orvanta.aaxplugin");
        ASSERT_TRUE(outcome.ran);
        ASSERT_FALSE(outcome.reports.empty());
        EXPECT_EQ(outcome.failures, int(outcome.reports.size()));
        for (const CheckReport& report : outcome.reports)
            EXPECT_NE(report.text.find("no such plug-in: /nonexistent/Orvanta.aaxplugin"), std::string::npos)
                << report.name << ": " << report.text;
    }
}

TEST(ValidationRun, TheEffectsOwnBundlePassesTheQuickGroups) {
    const Outcome outcome = Validate({"loading", "parameters", "state", "editor"});
    ASSERT_TRUE(outcome.ran) << outcome.error;
    EXPECT_EQ(outcome.failures, 0);
    for (const CheckReport& report : outcome.reports)
        EXPECT_EQ(report.status, CheckStatus::Pass) << report.group << ": " << report.name << ": " << report.text;
    // Groups run in their order, each check reported once.
    ASSERT_EQ(outcome.reports.size(), 4u + 3u + 2u + 3u);
    EXPECT_EQ(outcome.reports.front().group, "loading");
    EXPECT_EQ(outcome.reports.back().group, "editor");
}

// The context as the host lays it out: one pointer per field.
struct Context {
    explicit Context(void* record) : fields(static_cast<void**>(record)) {}
    float* In(int channel) const { return static_cast<float**>(fields[Orvanta::kField_AudioIn])[channel]; }
    float* Out(int channel) const { return static_cast<float**>(fields[Orvanta::kField_AudioOut])[channel]; }
    int32_t Frames() const { return *static_cast<int32_t*>(fields[Orvanta::kField_BufferLength]); }
    void** fields;
};

// A process procedure that runs Body on each instance of the batch.
template <void (*Body)(const Context&)>
void Proc(void* const begin[], const void* end) {
    for (void* const* instance = begin; instance != static_cast<void* const*>(end); ++instance)
        Body(Context(*instance));
}

// Output is the input, with no delay.
void NoDelay(const Context& c) { std::memmove(c.Out(0), c.In(0), sizeof(float) * size_t(c.Frames())); }
// Output is NaN.
void WritesNaN(const Context& c) {
    for (int32_t i = 0; i < c.Frames(); ++i) c.Out(0)[i] = std::numeric_limits<float>::quiet_NaN();
}
// Mutes for good once it has seen a sample that is not finite, as a
// callback whose states stay broken would.
void StaysSilentAfterNaN(const Context& c) {
    static thread_local bool broken = false;
    for (int32_t i = 0; i < c.Frames(); ++i) {
        broken = broken || !std::isfinite(c.In(0)[i]);
        c.Out(0)[i] = broken ? 0.0f : c.In(0)[i];
    }
}
// Passes huge finite input through a gain that overflows.
void OverflowsLargeInput(const Context& c) {
    for (int32_t i = 0; i < c.Frames(); ++i)
        c.Out(0)[i] = std::isfinite(c.In(0)[i]) ? c.In(0)[i] * 1e10f : 0.0f;
}
// Output depends on where blocks begin: a delay line that forgets its
// content at every block.
void ForgetsBetweenBlocks(const Context& c) {
    for (int32_t i = c.Frames() - 1; i >= 0; --i) c.Out(0)[i] = i >= 7 ? c.In(0)[i - 7] : 0.0f;
}

TEST(ValidationRun, ChecksFailForBrokenProcessProcedures) {
    struct Case { const char* group; AAX_CProcessProc procedure; const char* check; const char* reason; };
    const Case cases[] = {
        {"audio", Proc<NoDelay>, "mono 48000 Hz", "bypass delays by 0 samples, not 7"},
        {"audio", Proc<WritesNaN>, "mono 48000 Hz", "bypass is not a plain delay"},
        {"audio", Proc<ForgetsBetweenBlocks>, "mono 48000 Hz", "bypass is not a plain delay"},
        {"bad-audio", Proc<WritesNaN>, "hostile input", "NaN input gives non-finite output (mono defaults)"},
        {"bad-audio", Proc<OverflowsLargeInput>, "hostile input", "+-1e30 square input gives non-finite output"},
        {"bad-audio", Proc<WritesNaN>, "recovery after a burst, mono", "NaN, defaults: the output is not finite"},
        {"bad-audio", Proc<StaysSilentAfterNaN>, "recovery after a burst, mono",
         "silent blocks after the second block past the burst"},
        {"threads", Proc<WritesNaN>, "audio, automation and editor at once", "block(s) of non-finite output"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testing::Message() << testCase.group << ": " << testCase.reason);
        const Outcome outcome = Validate({testCase.group}, BundlePath(), testCase.procedure);
        ASSERT_TRUE(outcome.ran);
        if (std::string(testCase.group) == "audio") {
            EXPECT_EQ(outcome.failures, int(outcome.reports.size()));
        }
        const auto report = std::find_if(outcome.reports.begin(), outcome.reports.end(),
                                         [&](const CheckReport& r) { return r.name == testCase.check; });
        ASSERT_NE(report, outcome.reports.end());
        EXPECT_EQ(report->status, CheckStatus::Fail);
        EXPECT_NE(report->text.find(testCase.reason), std::string::npos) << report->text;
    }
}

using namespace validation;

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

TEST(ValidationSupport, FirstDifferenceComparesBitForBit) {
    struct Case { const char* name; AudioChannels a, b; int64_t first; };
    const Case cases[] = {
        {"identical", {{1, 2, 3}}, {{1, 2, 3}}, -1},
        {"one sample off", {{1, 2, 3}}, {{1, 2.0000002f, 3}}, 1},
        {"earliest of both channels", {{1, 2, 3}, {4, 5, 6}}, {{1, 2, 9}, {9, 5, 6}}, 0},
        {"the same NaN is no difference", {{kNaN, 1}}, {{kNaN, 1}}, -1},
        {"signed zeros differ", {{0.0f}}, {{-0.0f}}, 0},
        {"channel counts differ", {{1}}, {{1}, {1}}, 0},
        {"lengths differ", {{1, 2}}, {{1}}, 0},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        EXPECT_EQ(FirstDifference(testCase.a, testCase.b), testCase.first);
    }
}

TEST(ValidationSupport, FinitenessPeaksPlansAndNoise) {
    const AudioChannels audio = {{kNaN, 1, 2}, {kInf, 0, -1}};
    EXPECT_FALSE(AllFinite(audio));
    EXPECT_TRUE(AllFinite(audio, 1));  // from the given sample on
    EXPECT_FLOAT_EQ(Peak(audio), 2.0f);  // non-finite samples are left out

    std::mt19937_64 random(3);
    for (int32_t largest : {1, 7, 4096}) {
        const BlockPlan plan = RandomBlockPlan(random, largest, 200);
        ASSERT_EQ(plan.size(), 200u);
        EXPECT_GE(*std::min_element(plan.begin(), plan.end()), 1) << largest;
        EXPECT_LE(*std::max_element(plan.begin(), plan.end()), largest);
    }
    EXPECT_EQ(PlanText({511}), "511");
    EXPECT_EQ(PlanText({3, 9, 1}), "random (3 sizes)");

    std::mt19937_64 first(9), second(9);  // noise is repeatable and within its amplitude
    const AudioChannels a = Noise(first, 2, 1000, 0.5f), b = Noise(second, 2, 1000, 0.5f);
    EXPECT_EQ(FirstDifference(a, b), -1);
    EXPECT_LE(Peak(a), 0.5f);
    EXPECT_NE(FirstDifference({a[0]}, {a[1]}), -1);  // channels independent
}

}  // namespace
