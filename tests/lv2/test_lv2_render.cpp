// An LV2 host's run (in place or not, ports changed at a block boundary)
// equals the runtime's render of the same settings as `orvanta process`
// parses them, bit for bit, at every rate.
#include <cstring>
#include <thread>

#include "AAX_CString.h"
#include "host/lv2/SharedPluginModule.h"
#include "host/runtime/ParameterValueParser.h"
#include "tests/lv2/Lv2TestHost.h"
#include "tests/runtime/RuntimeHarness.h"

namespace {

using lv2_test::Lv2TestInstance;
using namespace Lv2Ports;

// A port value and the same setting as the command line gives it (null: the bypass).
struct Setting { uint32_t port; float portValue; const char* assignment; };

struct Case {
    double rate;
    int channels;
    int32_t block;
    bool inPlace;
    std::vector<Setting> initial;
    std::vector<Setting> later;  // from the start of the fourth block
};

// The render as `orvanta process` does it, the later settings at changeAt.
AudioChannels RenderWithRuntime(const Case& c, const AudioChannels& input, int64_t changeAt) {
    std::string error;
    SharedPluginModule module = SharedPluginModule::Acquire(&error);
    EXPECT_TRUE(module) << error;
    const std::unique_ptr<EffectInstance> instance =
        runtime_test::NewInstance(*module.Get(), float(c.rate), c.channels);
    ParameterValueParser parser(instance->Parameters());
    AAX_CString bypassID;
    instance->Parameters().GetMasterBypassParameter(&bypassID);
    std::vector<ParameterChange> changes;
    auto add = [&](const std::vector<Setting>& settings, int64_t position) {
        for (const Setting& setting : settings) {
            if (!setting.assignment) {
                changes.push_back({position, bypassID.Get(), setting.portValue > 0.0f ? 0.0 : 1.0});
                continue;
            }
            const ParameterValueParser::Result parsed = parser.ParseAssignment(setting.assignment);
            EXPECT_EQ(parsed.outcome, ParameterValueParser::Outcome::Parsed) << parsed.message;
            changes.push_back({position, parsed.parameterID, parsed.normalizedValue});
        }
    };
    add(c.initial, 0);
    add(c.later, changeAt);
    return runtime_test::Render(*instance, input, c.block, changes);
}

// The same through the LV2 descriptor, on a fresh thread as the renderer uses
// (the effect's noise source is per thread).
AudioChannels RenderWithLv2(const Case& c, const AudioChannels& input, int64_t changeAt) {
    AudioChannels output(input.size(), std::vector<float>(input[0].size()));
    const int channels = c.channels;
    const size_t block = size_t(c.block);
    const auto outputPort = [&](int channel) { return AudioOutputPort(channels, channel); };
    std::thread host([&] {
        Lv2TestInstance lv2(channels, c.rate, {}, block);
        ASSERT_TRUE(lv2.Valid());
        if (c.inPlace)  // hosts may hand the same buffer for input and output
            for (int ch = 0; ch < channels; ++ch) lv2.Connect(outputPort(ch), lv2.Input(ch).data());
        for (const Setting& setting : c.initial) lv2.Control(setting.port) = setting.portValue;
        const size_t length = input[0].size();
        for (size_t start = 0; start < length; start += block) {
            if (int64_t(start) == changeAt)
                for (const Setting& setting : c.later) lv2.Control(setting.port) = setting.portValue;
            const size_t frames = std::min(block, length - start);
            for (int ch = 0; ch < channels; ++ch)
                std::copy_n(input[size_t(ch)].begin() + std::ptrdiff_t(start), frames, lv2.Input(ch).begin());
            lv2.Run(uint32_t(frames));
            for (int ch = 0; ch < channels; ++ch)
                std::copy_n((c.inPlace ? lv2.Input(ch) : lv2.Output(ch)).begin(), frames,
                            output[size_t(ch)].begin() + std::ptrdiff_t(start));
        }
    });
    host.join();
    return output;
}

TEST(Lv2Render, EqualsTheRuntimeBitForBit) {
    const Case cases[] = {
        {48000, 1, 64, false, {{kHarmonic, 40, "Harmonic=40"}, {kColor, 3, "Color=3"}},
         {{kDynamic, 55, "Dynamic=55"}}},
        {44100, 2, 1, false,
         {{kDynamic, 70, "Dynamic=70"}, {kDither, 1, "Dither=2"}, {kOutputTrim, -2.5f, "OutputTrim=-2.5"}},
         {{kHarmonic, 100, "Harmonic=100"}}},
        {96000, 2, 1000, true,
         {{kHarmonic, 100, "Harmonic=100"}, {kDynamic, 100, "Dynamic=100"}, {kColor, 5, "Color=5"},
          {kDither, 1, "Dither=2"}},
         {{kColor, 1, "Color=1"}, {kDither, 0, "Dither=1"}}},
        {192000, 1, 4096, true, {{kOutputTrim, 6, "OutputTrim=6"}, {kColor, 1, "Color=1"}}, {}},
        {88200, 2, 333, false, {{kHarmonic, 80, "Harmonic=80"}, {kEnabled, 0, nullptr}}, {{kEnabled, 1, nullptr}}},
        {176400, 2, 512, false, {}, {{kDither, 1, "Dither=2"}, {kDynamic, 30, "Dynamic=30"}}},
    };
    for (const Case& c : cases) {
        const AudioChannels input = runtime_test::TestSignal(c.channels, 6000, float(c.rate));
        const int64_t changeAt = 3 * int64_t(c.block) < 6000 ? 3 * int64_t(c.block) : -1;
        const AudioChannels expected = RenderWithRuntime(c, input, changeAt);
        const AudioChannels rendered = RenderWithLv2(c, input, changeAt);
        ASSERT_EQ(rendered.size(), expected.size());
        for (size_t channel = 0; channel < expected.size(); ++channel)
            EXPECT_EQ(0, std::memcmp(rendered[channel].data(), expected[channel].data(),
                                     expected[channel].size() * sizeof(float)))
                << c.rate << " Hz, " << c.channels << " channel(s), block " << c.block << (c.inPlace ? " in place" : "")
                << ", channel " << channel;
    }
}

TEST(Lv2Render, UnconnectedAudioIsSkippedAndTheLatencyStillReported) {
    Lv2TestInstance lv2(2, 48000);
    ASSERT_TRUE(lv2.Valid());
    lv2.Connect(AudioOutputPort(2, 1), nullptr);
    lv2.Output(0).assign(lv2.Output(0).size(), 0.5f);
    lv2.Run(128);
    EXPECT_EQ(lv2.Latency(), 7.0f);
    EXPECT_EQ(lv2.Output(0)[0], 0.5f);  // nothing processed
}

}  // namespace
