// Audio checks, one line per layout and rate:
//   - the signal delay, measured in bypass (a plain delay), is the effect's
//     documented delay, and the defaults give the same identity;
//   - the latency the description declares for that rate and layout;
//   - output is finite for finite input;
//   - a fresh instance on a fresh thread gives bit-identical output at host
//     block sizes 1, 2, 7, 64, 511, 512, 4096 and in randomly varying sizes
//     (mono with any setting; stereo with dither off, since each stereo
//     channel draws a whole block's noise in turn);
//   - two runs of the same render are identical (stereo with dither on too).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "host/runtime/ModuleFacts.h"
#include "host/runtime/PluginModule.h"
#include "host/runtime/Validation.h"
#include "host/runtime/ValidationChecks.h"
#include "host/runtime/ValidationSupport.h"

using namespace validation;

namespace {

constexpr const char* kGroup = "audio";
const BlockPlan kHostBlockSizes[] = {{1}, {2}, {7}, {64}, {511}, {512}, {4096}};
// Delays beyond this are not searched for.
constexpr int32_t kLongestDelay = 1024;

// Whether output is input delayed by delay samples, bit for bit, with
// silence before.
bool IsDelayedBy(const AudioChannels& input, const AudioChannels& output, int32_t delay) {
    for (size_t channel = 0; channel < input.size(); ++channel) {
        const std::vector<float>& in = input[channel];
        const std::vector<float>& out = output[channel];
        for (size_t i = 0; i < out.size(); ++i) {
            const float expected = i < size_t(delay) ? 0.0f : in[i - size_t(delay)];
            if (std::memcmp(&expected, &out[i], sizeof(float)) != 0) return false;
        }
    }
    return true;
}

// The delay d for which output is input delayed by d samples exactly;
// -1 when there is none.
int32_t PlainDelayOf(const AudioChannels& input, const AudioChannels& output) {
    const int64_t length = int64_t(input[0].size());
    for (int32_t delay = 0; delay <= kLongestDelay && delay < length; ++delay)
        if (IsDelayedBy(input, output, delay)) return delay;
    return -1;
}

// A fresh instance with settings rendered in plan on a fresh thread.
bool FreshRender(ValidationRun& run, const PluginModule& module, float rate, AAX_EStemFormat layout,
                 const Settings& settings, const AudioChannels& input, const BlockPlan& plan, AudioChannels* output,
                 std::string* error) {
    std::unique_ptr<EffectInstance> instance = NewInstance(run, module, rate, layout, error);
    return instance && Apply(*instance, settings, error) &&
           RenderOnFreshThread(*instance, input, plan, output, error);
}

struct AudioCase {
    float rate;
    AAX_EStemFormat layout;
};

class AudioCheck {
public:
    AudioCheck(ValidationRun& run, const PluginModule& module, const AudioCase& audioCase, CheckOutcome& check)
        : m_Run(run), m_Module(module), m_Case(audioCase), m_Check(check),
          m_Channels(audioCase.layout == AAX_eStemFormat_Mono ? 1 : 2),
          m_Input(Noise(run.Random(), m_Channels, run.Budget().signalSamples, 0.9f)) {}

    void Run() {
        std::string error;
        std::unique_ptr<EffectInstance> probe = NewInstance(m_Run, m_Module, m_Case.rate, m_Case.layout, &error);
        if (!m_Check.Expect(probe != nullptr, error)) return;
        m_Bypass = MasterBypassID(probe->Parameters());
        m_HasBypass = HasParameter(probe->Parameters(), m_Bypass);
        m_Settings = RandomSettings(probe->Parameters(), m_Run.Random());
        m_Declared = probe->ReportedLatency();
        m_Reported = QuerySignalDelay(probe->Parameters(), m_Declared);
        m_Stepped = ParametersOfType(probe->Parameters(), AAX_eParameterType_Discrete, m_Bypass);
        probe.reset();

        if (!CheckDelay()) return;
        CheckBlockSizes();
        CheckDeterminism();
    }

private:
    bool Render(const Settings& settings, const BlockPlan& plan, AudioChannels* output) {
        std::string error;
        return m_Check.Expect(FreshRender(m_Run, m_Module, m_Case.rate, m_Case.layout, settings, m_Input, plan,
                                          output, &error),
                              error);
    }

    bool CheckDelay() {
        // With a master bypass the delay is measured in bypass; without one,
        // the defaults must pass the input on delayed.
        AudioChannels bypassed, defaults;
        if (!Render({}, {512}, &defaults)) return false;
        if (m_HasBypass && !Render({{m_Bypass, 1.0}}, {512}, &bypassed)) return false;
        const int32_t delay = PlainDelayOf(m_Input, m_HasBypass ? bypassed : defaults);
        if (!m_Check.Expect(delay >= 0, m_HasBypass ? "bypass is not a plain delay" : "the defaults are not a plain delay"))
            return false;
        const int32_t expected = m_Reported;
        m_Check.Figure("delay " + std::to_string(delay) + (m_HasBypass ? " in bypass and with defaults" : " with defaults"));
        m_Check.Expect(delay == expected, "bypass delays by " + std::to_string(delay) + " samples, not " +
                                              std::to_string(expected));
        m_Check.Expect(PlainDelayOf(m_Input, defaults) == delay,
                       "the defaults do not give the input delayed as in bypass");
        if (m_Declared != delay)
            m_Check.Warn("the description declares a latency of " + std::to_string(m_Declared) +
                         " samples, the signal lags " + std::to_string(delay));
        return true;
    }

    // A module may draw noise per block and channel in turn (switched on by
    // a stepped parameter), which no block size can keep alike in stereo:
    // there the stepped parameters stay at their defaults.
    Settings BlockInvariantSettings() const {
        Settings settings;
        for (const auto& setting : m_Settings)
            if (m_Channels == 1 || std::find(m_Stepped.begin(), m_Stepped.end(), setting.id) == m_Stepped.end())
                settings.push_back(setting);
        return settings;
    }

    void CheckBlockSizes() {
        const Settings settings = BlockInvariantSettings();
        AudioChannels reference;
        if (!Render(settings, {512}, &reference)) return;
        m_Check.Expect(AllFinite(reference), "non-finite output for finite input");
        std::vector<BlockPlan> plans(std::begin(kHostBlockSizes), std::end(kHostBlockSizes));
        for (int i = 0; i < m_Run.Budget().randomBlockPlans; ++i)
            plans.push_back(RandomBlockPlan(m_Run.Random(), 4096, 17 + 13 * i));
        int identical = 0;
        for (const BlockPlan& plan : plans) {
            AudioChannels output;
            if (!Render(settings, plan, &output)) return;
            const int64_t difference = FirstDifference(reference, output);
            if (m_Check.Expect(difference < 0, "blocks of " + PlanText(plan) + " differ from blocks of 512 at sample " +
                                                   std::to_string(difference)))
                ++identical;
        }
        m_Check.Figure(std::to_string(identical) + "/" + std::to_string(plans.size()) + " block plans bit-identical");
        char peak[32];
        std::snprintf(peak, sizeof peak, "peak %.3f", double(Peak(reference)));
        m_Check.Figure(peak);
    }

    void CheckDeterminism() {
        // Every switch at its top, the dither among them.
        Settings settings = m_Settings;
        for (const std::string& id : m_Stepped) Put(&settings, id, 1.0);
        const BlockPlan plan = RandomBlockPlan(m_Run.Random(), 1024, 9);
        AudioChannels first, second;
        if (!Render(settings, plan, &first) || !Render(settings, plan, &second)) return;
        const int64_t difference = FirstDifference(first, second);
        m_Check.Expect(difference < 0, "two runs with every switch on differ at sample " + std::to_string(difference));
        m_Check.Expect(AllFinite(first), "non-finite output with every switch on");
        if (difference < 0) m_Check.Figure("runs repeat exactly");
    }

    ValidationRun& m_Run;
    const PluginModule& m_Module;
    const AudioCase m_Case;
    CheckOutcome& m_Check;
    const int32_t m_Channels;
    const AudioChannels m_Input;
    std::string m_Bypass;
    bool m_HasBypass = false;
    Settings m_Settings;
    int32_t m_Declared = 0;
    int32_t m_Reported = 0;               // the delay the module reports
    std::vector<std::string> m_Stepped;  // its stepped parameters, the bypass left out
};

}  // namespace

void RunAudioChecks(ValidationRun& run) {
    for (AAX_EStemFormat layout : SupportedLayouts(run))
        for (float rate : SupportedRates(run))
            run.CheckWithModule(kGroup, LayoutText(layout) + " " + RateText(rate),
                                [&](const PluginModule& module, CheckOutcome& check) {
                                    AudioCheck(run, module, AudioCase{rate, layout}, check).Run();
                                });
}
