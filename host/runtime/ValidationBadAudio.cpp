// Bad-audio checks:
//   - hostile input (NaN, infinities, denormals, +-1000 full scale, noise
//     with scattered NaN) never crashes; denormal and huge finite input
//     give finite output;
//   - recovery: after a short burst of NaN or infinity in otherwise normal
//     input, how long the output takes to be finite again for good, with
//     the defaults and with colouring settings, and whether a host reset
//     (the data model re-initialising the private data) recovers it.
//
// The process callbacks test nothing (as documented), so a burst may leave
// the filter states non-finite for good. That is no crash and no fault of
// the host, but a track that stays silent or broken until the host resets
// the plug-in is worth a warning: the check warns when the output does not
// recover within the measured span on its own.
#include <cmath>
#include <limits>
#include <string>

#include "effect/Orvanta_Defs.h"
#include "host/runtime/PluginModule.h"
#include "host/runtime/Validation.h"
#include "host/runtime/ValidationChecks.h"
#include "host/runtime/ValidationSupport.h"

using namespace validation;

namespace {

constexpr const char* kGroup = "bad-audio";
constexpr float kRate = 48000.0f;
constexpr int64_t kHostileLength = 8192;
constexpr int64_t kBurstLength = 64;
constexpr int64_t kLeadIn = 4800;        // 0.1 s of normal input before the burst
constexpr int64_t kRecoverySpan = 96000;  // 2 s of normal input after it

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInfinity = std::numeric_limits<float>::infinity();

struct HostileInput {
    const char* name;
    bool finite;  // finite input: the output must be finite too
    float (*sample)(int64_t index, float noise);
};
const HostileInput kHostileInputs[] = {
    {"NaN", false, [](int64_t, float) { return kNaN; }},
    {"+inf", false, [](int64_t, float) { return kInfinity; }},
    {"-inf", false, [](int64_t, float) { return -kInfinity; }},
    {"noise with scattered NaN", false, [](int64_t i, float noise) { return i % 97 == 13 ? kNaN : noise; }},
    {"denormals", true,
     [](int64_t i, float) { return (i % 2 ? 1.0f : -1.0f) * std::numeric_limits<float>::denorm_min() * float(1 + i % 7); }},
    {"+-1000 square", true, [](int64_t i, float) { return (i / 37) % 2 ? 1000.0f : -1000.0f; }},
    {"1000 constant", true, [](int64_t, float) { return 1000.0f; }},
    {"largest float", false, [](int64_t i, float) { return (i % 2 ? 1.0f : -1.0f) * std::numeric_limits<float>::max(); }},
};

// Colouring settings that run every stage: harmonics, dynamic steering,
// dither.
Settings Colouring() {
    return {{Orvanta::kParamID_Harmonic, 0.8},
            {Orvanta::kParamID_Dynamic, 0.7},
            {Orvanta::kParamID_OutputTrim, 0.75},
            {Orvanta::kParamID_Dither, 1.0},
            {Orvanta::kParamID_Color, 1.0}};
}

AudioChannels Hostile(const HostileInput& kind, const AudioChannels& noise) {
    AudioChannels audio = noise;
    for (std::vector<float>& channel : audio)
        for (size_t i = 0; i < channel.size(); ++i) channel[i] = kind.sample(int64_t(i), channel[i]);
    return audio;
}

void CheckHostileInput(ValidationRun& run, const PluginModule& module, CheckOutcome& check) {
    int survived = 0, finiteOut = 0, tried = 0;
    std::string nonFinite;
    for (AAX_EStemFormat layout : SupportedLayouts()) {
        const int32_t channels = layout == AAX_eStemFormat_Mono ? 1 : 2;
        const AudioChannels noise = Noise(run.Random(), channels, kHostileLength, 0.7f);
        for (const Settings& settings : {Settings{}, Colouring()}) {
            for (const HostileInput& kind : kHostileInputs) {
                ++tried;
                std::string error;
                std::unique_ptr<EffectInstance> instance = NewInstance(run, module, kRate, layout, &error);
                AudioChannels output;
                if (!check.Expect(instance && Apply(*instance, settings, &error) &&
                                      RenderOnFreshThread(*instance, Hostile(kind, noise), {512}, &output, &error),
                                  error))
                    continue;
                ++survived;
                const bool finite = AllFinite(output);
                finiteOut += finite ? 1 : 0;
                const std::string where = LayoutText(layout) + (settings.empty() ? " defaults" : " colouring");
                if (kind.finite) check.Expect(finite, std::string(kind.name) + " input gives non-finite output (" + where + ")");
                else if (!finite && nonFinite.find(kind.name) == std::string::npos)
                    nonFinite += (nonFinite.empty() ? "" : ", ") + std::string(kind.name);
            }
        }
    }
    check.Figure(std::to_string(survived) + "/" + std::to_string(tried) + " hostile renders survived");
    check.Figure(std::to_string(finiteOut) + " with finite output");
    if (!nonFinite.empty()) check.Figure("non-finite in, non-finite out: " + nonFinite);
}

// ---- recovery ----

struct Recovery {
    bool recovered = false;
    int64_t samples = 0;      // from the burst's end to the first sample after which all is finite
    bool resetRecovers = false;
};

Recovery MeasureRecovery(ValidationRun& run, const PluginModule& module, AAX_EStemFormat layout,
                         const Settings& settings, float burstValue, std::string* error) {
    const int32_t channels = layout == AAX_eStemFormat_Mono ? 1 : 2;
    AudioChannels input = Noise(run.Random(), channels, kLeadIn + kBurstLength + kRecoverySpan, 0.5f);
    for (std::vector<float>& channel : input)
        for (int64_t i = kLeadIn; i < kLeadIn + kBurstLength; ++i) channel[size_t(i)] = burstValue;
    Recovery recovery;
    std::unique_ptr<EffectInstance> instance = NewInstance(run, module, kRate, layout, error);
    AudioChannels output;
    if (!instance || !Apply(*instance, settings, error) ||
        !RenderOnFreshThread(*instance, input, {512}, &output, error))
        return recovery;
    int64_t lastBad = -1;
    for (const std::vector<float>& channel : output)
        for (size_t i = 0; i < channel.size(); ++i)
            if (!std::isfinite(channel[i])) lastBad = std::max(lastBad, int64_t(i));
    const int64_t burstEnd = kLeadIn + kBurstLength;
    const int64_t end = int64_t(output[0].size());
    // Still broken in the last tenth of the span: taken as never recovering.
    recovery.recovered = lastBad < end - kRecoverySpan / 10;
    recovery.samples = std::max<int64_t>(0, lastBad + 1 - burstEnd);
    if (!recovery.recovered) {
        instance->ResetAlgorithm();
        AudioChannels afterReset;
        const AudioChannels fresh = Noise(run.Random(), channels, 4096, 0.5f);
        recovery.resetRecovers = RenderOnFreshThread(*instance, fresh, {512}, &afterReset, error) && AllFinite(afterReset);
    }
    return recovery;
}

void CheckRecovery(ValidationRun& run, const PluginModule& module, AAX_EStemFormat layout, CheckOutcome& check) {
    struct Case {
        const char* name;
        Settings settings;
        float burst;
    };
    const Case cases[] = {{"NaN, defaults", {}, kNaN},
                          {"NaN, colouring", Colouring(), kNaN},
                          {"inf, colouring", Colouring(), kInfinity}};
    std::string stuck;
    for (const Case& recoveryCase : cases) {
        std::string error;
        const Recovery recovery = MeasureRecovery(run, module, layout, recoveryCase.settings, recoveryCase.burst, &error);
        if (!check.Expect(error.empty(), error)) continue;
        if (recovery.recovered) {
            check.Figure(std::string(recoveryCase.name) + ": finite again after " + std::to_string(recovery.samples) +
                         " samples (" + Milliseconds(double(recovery.samples) / kRate) + ")");
        } else {
            check.Figure(std::string(recoveryCase.name) + ": not finite again within " +
                         Milliseconds(double(kRecoverySpan) / kRate) +
                         (recovery.resetRecovers ? ", a host reset recovers it" : ", not even after a host reset"));
            stuck += (stuck.empty() ? "" : "; ") + std::string(recoveryCase.name);
            check.Expect(recovery.resetRecovers, std::string(recoveryCase.name) + ": a host reset does not recover the output");
        }
    }
    if (!stuck.empty())
        check.Warn("a " + std::to_string(kBurstLength) + "-sample burst leaves the output non-finite until the host resets the plug-in (" +
                   stuck + ")");
}

}  // namespace

void RunBadAudioChecks(ValidationRun& run) {
    run.CheckWithModule(kGroup, "hostile input",
                        [&](const PluginModule& module, CheckOutcome& check) { CheckHostileInput(run, module, check); });
    for (AAX_EStemFormat layout : SupportedLayouts())
        run.CheckWithModule(kGroup, "recovery after a burst, " + LayoutText(layout),
                            [&](const PluginModule& module, CheckOutcome& check) {
                                CheckRecovery(run, module, layout, check);
                            });
}
