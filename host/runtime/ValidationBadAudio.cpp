// Bad-audio checks:
//   - hostile input (NaN, infinities, denormals, finite amplitudes up to
//     1e30 and the largest float, noise with scattered NaN) never crashes
//     and always gives finite output;
//   - recovery: after a short burst of NaN, infinity or a huge finite value
//     in otherwise normal input, the output is finite everywhere and sounds
//     again from the second block after the one the burst ended in.
//
// The process callbacks restore a channel whose state stopped being finite
// at the end of the block and write 0 for non-finite output samples, so a
// bad sample costs at most the rest of its block and the next one.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

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
    float (*sample)(int64_t index, float noise);
};
const HostileInput kHostileInputs[] = {
    {"NaN", [](int64_t, float) { return kNaN; }},
    {"+inf", [](int64_t, float) { return kInfinity; }},
    {"-inf", [](int64_t, float) { return -kInfinity; }},
    {"noise with scattered NaN", [](int64_t i, float noise) { return i % 97 == 13 ? kNaN : noise; }},
    {"noise with scattered infinities", [](int64_t i, float noise) { return i % 89 == 7 ? -kInfinity : noise; }},
    {"denormals",
     [](int64_t i, float) { return (i % 2 ? 1.0f : -1.0f) * std::numeric_limits<float>::denorm_min() * float(1 + i % 7); }},
    {"+-1000 square", [](int64_t i, float) { return (i / 37) % 2 ? 1000.0f : -1000.0f; }},
    {"1000 constant", [](int64_t, float) { return 1000.0f; }},
    {"+-1e7 square", [](int64_t i, float) { return (i / 37) % 2 ? 1e7f : -1e7f; }},
    {"noise with scattered 1e13", [](int64_t i, float noise) { return i % 101 == 50 ? 1e13f : noise; }},
    {"+-1e13 square", [](int64_t i, float) { return (i / 37) % 2 ? 1e13f : -1e13f; }},
    {"+-1e30 square", [](int64_t i, float) { return (i / 37) % 2 ? 1e30f : -1e30f; }},
    {"1e30 constant", [](int64_t, float) { return 1e30f; }},
    {"largest float", [](int64_t i, float) { return (i % 2 ? 1.0f : -1.0f) * std::numeric_limits<float>::max(); }},
};

// Settings that run every stage a module has: every parameter but the
// bypass well away from rest, the switches at their top.
Settings Colouring(ValidationRun& run, const PluginModule& module) {
    std::string error;
    const std::unique_ptr<EffectInstance> probe =
        NewInstance(run, module, SupportedRates(run).front(), SupportedLayouts(run).front(), &error);
    if (!probe) return {};
    const AAX_IACFEffectParameters& model = probe->Parameters();
    const std::string bypass = MasterBypassID(model);
    const std::vector<std::string> stepped = ParametersOfType(model, AAX_eParameterType_Discrete, bypass);
    Settings settings;
    for (const std::string& id : ParameterIDs(model)) {
        if (id == bypass) continue;
        const bool isStepped = std::find(stepped.begin(), stepped.end(), id) != stepped.end();
        settings.push_back({id, isStepped ? 1.0 : 0.75});
    }
    return settings;
}

AudioChannels Hostile(const HostileInput& kind, const AudioChannels& noise) {
    AudioChannels audio = noise;
    for (std::vector<float>& channel : audio)
        for (size_t i = 0; i < channel.size(); ++i) channel[i] = kind.sample(int64_t(i), channel[i]);
    return audio;
}

void CheckHostileInput(ValidationRun& run, const PluginModule& module, CheckOutcome& check) {
    int survived = 0, finiteOut = 0, tried = 0;
    for (AAX_EStemFormat layout : SupportedLayouts(run)) {
        const int32_t channels = layout == AAX_eStemFormat_Mono ? 1 : 2;
        const AudioChannels noise = Noise(run.Random(), channels, kHostileLength, 0.7f);
        for (const Settings& settings : {Settings{}, Colouring(run, module)}) {
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
                check.Expect(finite, std::string(kind.name) + " input gives non-finite output (" + where + ")");
            }
        }
    }
    check.Figure(std::to_string(survived) + "/" + std::to_string(tried) + " hostile renders survived");
    check.Figure(std::to_string(finiteOut) + " with finite output");
}

// ---- recovery ----

constexpr int32_t kRecoveryBlock = 512;

struct Recovery {
    bool finite = false;        // the whole output
    int64_t silentBlocks = 0;   // blocks from the second after the burst on without a sound
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
        !RenderOnFreshThread(*instance, input, {kRecoveryBlock}, &output, error))
        return recovery;
    recovery.finite = AllFinite(output);
    // The block the burst ends in, and the next, may be silenced.
    const int64_t lastBurstBlock = (kLeadIn + kBurstLength - 1) / kRecoveryBlock;
    for (const std::vector<float>& channel : output)
        for (int64_t start = (lastBurstBlock + 2) * kRecoveryBlock; start < int64_t(channel.size());
             start += kRecoveryBlock) {
            const int64_t end = std::min<int64_t>(start + kRecoveryBlock, int64_t(channel.size()));
            bool sounds = false;
            for (int64_t i = start; i < end && !sounds; ++i) sounds = std::isfinite(channel[size_t(i)]) && channel[size_t(i)] != 0.0f;
            recovery.silentBlocks += sounds ? 0 : 1;
        }
    return recovery;
}

void CheckRecovery(ValidationRun& run, const PluginModule& module, AAX_EStemFormat layout, CheckOutcome& check) {
    struct Case {
        const char* name;
        Settings settings;
        float burst;
    };
    const Settings colouring = Colouring(run, module);
    const Case cases[] = {{"NaN, defaults", {}, kNaN},
                          {"NaN, colouring", colouring, kNaN},
                          {"inf, colouring", colouring, kInfinity},
                          {"-inf, defaults", {}, -kInfinity},
                          {"1e13, colouring", colouring, 1e13f},
                          {"1e30, defaults", {}, 1e30f}};
    int recovered = 0;
    for (const Case& recoveryCase : cases) {
        std::string error;
        const Recovery recovery = MeasureRecovery(run, module, layout, recoveryCase.settings, recoveryCase.burst, &error);
        if (!check.Expect(error.empty(), error)) continue;
        const bool ok = check.Expect(recovery.finite, std::string(recoveryCase.name) + ": the output is not finite") &&
                        check.Expect(recovery.silentBlocks == 0,
                                     std::string(recoveryCase.name) + ": " + std::to_string(recovery.silentBlocks) +
                                         " silent blocks after the second block past the burst");
        recovered += ok ? 1 : 0;
    }
    check.Figure(std::to_string(recovered) + "/" + std::to_string(sizeof cases / sizeof cases[0]) +
                 " bursts of " + std::to_string(kBurstLength) + " samples recovered by the second block after them");
}

}  // namespace

void RunBadAudioChecks(ValidationRun& run) {
    run.CheckWithModule(kGroup, "hostile input",
                        [&](const PluginModule& module, CheckOutcome& check) { CheckHostileInput(run, module, check); });
    for (AAX_EStemFormat layout : SupportedLayouts(run))
        run.CheckWithModule(kGroup, "recovery after a burst, " + LayoutText(layout),
                            [&](const PluginModule& module, CheckOutcome& check) {
                                CheckRecovery(run, module, layout, check);
                            });
}
