// Whole renders: the effect's delay through the whole host at every rate,
// layout and block size; alignment; block splitting at changes; renders
// that repeat exactly; refused renders.
#include <gtest/gtest.h>

#include "RuntimeHarness.h"

namespace {

using namespace runtime_test;

TEST(AudioRenderer, DefaultSettingsDelayTheInputBy6mPlus1AndAlignmentRemovesTheDelay) {
    LinkedModule linked;
    const int32_t maxBlockSize = 1024;
    for (float rate : Orvanta::kSupportedSampleRates)
        for (int channels : {1, 2})
            for (int32_t blockSize : {1, 441, 4096}) {  // 4096 is processed in pieces of 1024
                SCOPED_TRACE(testing::Message() << rate << " Hz, " << channels << " ch, blocks of " << blockSize);
                const AudioChannels input = TestSignal(channels, 5000, rate);
                const int32_t delay = EffectDelay(rate);

                std::unique_ptr<EffectInstance> raw = linked.NewInstance(rate, channels, maxBlockSize);
                const AudioChannels delayed = Render(*raw, input, blockSize);
                for (int channel = 0; channel < channels; ++channel) {
                    ASSERT_EQ(delayed[channel].size(), input[channel].size());
                    for (size_t i = 0; i < input[channel].size(); ++i)
                        ASSERT_EQ(delayed[channel][i], i < size_t(delay) ? 0.0f : input[channel][i - delay]) << i;
                }

                std::unique_ptr<EffectInstance> aligned = linked.NewInstance(rate, channels, maxBlockSize);
                EXPECT_EQ(Render(*aligned, input, blockSize, {}, delay), input);
            }
}

TEST(AudioRenderer, AChangeSplitsTheBlockItFallsInto) {
    LinkedModule linked;
    const AudioChannels input = TestSignal(2, 2000);
    std::unique_ptr<EffectInstance> instance = linked.NewInstance(48000.0f, 2);
    AudioRenderer::Options options;
    options.blockSize = 512;
    options.recordBlocks = true;
    AudioRenderer renderer(*instance, options);
    AudioChannels changed;
    std::string error;
    ASSERT_TRUE(renderer.Render(input, {{1000, Orvanta::kParamID_Harmonic, 0.6}}, &changed, &error)) << error;

    std::vector<std::pair<int64_t, int32_t>> blocks;
    for (const AudioRenderer::Block& block : renderer.Blocks()) blocks.emplace_back(block.start, block.frames);
    const std::vector<std::pair<int64_t, int32_t>> expected = {{0, 512}, {512, 488}, {1000, 512}, {1512, 488}};
    EXPECT_EQ(blocks, expected);

    std::unique_ptr<EffectInstance> plain = linked.NewInstance(48000.0f, 2);
    const AudioChannels unchanged = Render(*plain, input, 512);
    const size_t first = FirstDifference(changed, unchanged);
    EXPECT_GE(first, 1000u);
    EXPECT_LT(first, 1000u + EffectDelay(48000.0f) + 16);
}

TEST(AudioRenderer, AppliesChangesInPositionOrderAndIgnoresThosePastTheEnd) {
    LinkedModule linked;
    const AudioChannels input = TestSignal(1, 1000);
    std::unique_ptr<EffectInstance> instance = linked.NewInstance(48000.0f, 1);
    // Given out of order; two for one position apply in the order given.
    Render(*instance, input, 256,
           {{5000, Orvanta::kParamID_Dynamic, 1.0},
            {300, Orvanta::kParamID_Harmonic, 0.25},
            {0, Orvanta::kParamID_Harmonic, 0.5},
            {300, Orvanta::kParamID_Harmonic, 0.75}});
    double harmonic = 0, dynamic = 0;
    instance->Parameters().GetParameterNormalizedValue(Orvanta::kParamID_Harmonic, &harmonic);
    instance->Parameters().GetParameterNormalizedValue(Orvanta::kParamID_Dynamic, &dynamic);
    EXPECT_EQ(harmonic, 0.75);
    EXPECT_EQ(dynamic, 0.0);
}

TEST(AudioRenderer, RendersWithNoiseRepeatExactly) {
    LinkedModule linked;
    const AudioChannels input = TestSignal(2, 4000);
    const std::vector<ParameterChange> settings = {{0, Orvanta::kParamID_Dither, 1.0},
                                                   {0, Orvanta::kParamID_Dynamic, 0.8},
                                                   {0, Orvanta::kParamID_Harmonic, 0.4}};
    std::unique_ptr<EffectInstance> first = linked.NewInstance(48000.0f, 2);
    std::unique_ptr<EffectInstance> second = linked.NewInstance(48000.0f, 2);
    const AudioChannels a = Render(*first, input, 300, settings);
    const AudioChannels b = Render(*second, input, 300, settings);
    EXPECT_EQ(a, b);
    std::unique_ptr<EffectInstance> quiet = linked.NewInstance(48000.0f, 2);
    EXPECT_NE(Render(*quiet, input, 300, {settings[1], settings[2]}), a) << "dither changes the output";
}

TEST(AudioRenderer, ReportsRendersItCannotDo) {
    LinkedModule linked;
    std::unique_ptr<EffectInstance> stereo = linked.NewInstance(48000.0f, 2);
    AudioChannels uneven = TestSignal(2, 100);
    uneven[1].pop_back();
    struct Case {
        const char* name;
        AudioChannels input;
        std::vector<ParameterChange> changes;
        int32_t blockSize;
        const char* message;
    };
    const Case cases[] = {
        {"mono into stereo", TestSignal(1, 100), {}, 64, "the input has 1 channels, the instance 2"},
        {"uneven channels", uneven, {}, 64, "the input's channels differ in length"},
        {"block of zero", TestSignal(2, 100), {}, 0, "the block size must be positive and the latency not negative"},
        {"unknown parameter", TestSignal(2, 100), {{50, "Sparkle", 0.5}}, 64,
         "cannot set parameter 'Sparkle' at sample 50 (result -20001)"},
    };
    for (const Case& c : cases) {
        AudioRenderer::Options options;
        options.blockSize = c.blockSize;
        AudioRenderer renderer(*stereo, options);
        AudioChannels output;
        std::string error;
        EXPECT_FALSE(renderer.Render(c.input, c.changes, &output, &error)) << c.name;
        EXPECT_EQ(error, c.message) << c.name;
    }
}

}  // namespace
