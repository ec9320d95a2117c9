// Whole renders: changes splitting blocks, render bytes, refusals. (Delay: test_effect_instance.)
#include "RuntimeHarness.h"

namespace {

using namespace runtime_test;

TEST(AudioRenderer, ChangesSplitTheirBlockAndApplyInPositionOrderUpToTheEnd) {
    LinkedModule linked;
    const AudioChannels input = TestSignal(2, 2000);
    std::unique_ptr<EffectInstance> instance = linked.NewInstance(48000.0f, 2);
    AudioRenderer::Options options;
    options.blockSize = 512;
    options.recordBlocks = true;
    AudioRenderer renderer(*instance, options);
    AudioChannels changed;
    std::string error;
    // Out of order: one past the end (ignored), two for one position (applied
    // in the order given), then one at the start setting the default again.
    ASSERT_TRUE(renderer.Render(input,
                                {{5000, Orvanta::kParamID_Dynamic, 1.0},
                                 {1000, Orvanta::kParamID_Harmonic, 0.25},
                                 {1000, Orvanta::kParamID_Harmonic, 0.6},
                                 {0, Orvanta::kParamID_Harmonic, 0.0}},
                                &changed, &error))
        << error;

    std::vector<std::pair<int64_t, int32_t>> blocks;
    for (const AudioRenderer::Block& block : renderer.Blocks()) blocks.emplace_back(block.start, block.frames);
    const std::vector<std::pair<int64_t, int32_t>> expected = {{0, 512}, {512, 488}, {1000, 512}, {1512, 488}};
    EXPECT_EQ(blocks, expected);
    double harmonic = 0, dynamic = 0;
    instance->Parameters().GetParameterNormalizedValue(Orvanta::kParamID_Harmonic, &harmonic);
    instance->Parameters().GetParameterNormalizedValue(Orvanta::kParamID_Dynamic, &dynamic);
    EXPECT_EQ(harmonic, 0.6);
    EXPECT_EQ(dynamic, 0.0);

    const size_t first = FirstDifference(changed, Render(*linked.NewInstance(48000.0f, 2), input, 512));
    EXPECT_GE(first, 1000u);
    EXPECT_LT(first, 1000u + EffectDelay(48000.0f) + 16);
}

// The bytes renders gave before the renderer streamed, as FNV-1a hashes of the planar
// output; dither is on, so a noise start that differed between renders shows too.
TEST(AudioRenderer, RendersKeepTheirBytes) {
    LinkedModule linked;
    const std::vector<ParameterChange> busy = {{0, Orvanta::kParamID_Dither, 1.0},
                                               {0, Orvanta::kParamID_Dynamic, 0.7},
                                               {0, Orvanta::kParamID_Harmonic, 0.6},
                                               {4999, Orvanta::kParamID_Harmonic, 0.2},
                                               {8192, Orvanta::kParamID_Dynamic, 0.1},
                                               {8195, Orvanta::kParamID_Color, 0.75},
                                               {16385, Orvanta::kParamID_Dynamic, 0.9},
                                               {20000, Orvanta::kParamID_Dither, 0.0}};
    struct Case { float rate; int channels; size_t length; int32_t block; bool aligned; uint64_t hash; };
    const Case cases[] = {
        {48000.0f, 2, 20011, 512, true, 0x8c3ce37ef84038a4ull},  {48000.0f, 2, 20011, 1, true, 0x7e31892caecfa7c2ull},
        {44100.0f, 1, 20011, 333, false, 0x934deccbb1839e26ull}, {96000.0f, 2, 17000, 8193, true, 0xc8291801aaa83756ull},
        {192000.0f, 2, 20, 7, true, 0xa6a06e18ea34a77full},      {88200.0f, 1, 9, 100000, true, 0xa5de16e655094911ull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.channels << " ch, " << c.length << " samples, block "
                                        << c.block);
        const AudioChannels output = Render(*linked.NewInstance(c.rate, c.channels), TestSignal(c.channels, c.length, c.rate),
                                            c.block, busy, c.aligned ? EffectDelay(c.rate) : 0);
        uint64_t hash = 14695981039346656037ull;
        for (const std::vector<float>& channel : output) {
            ASSERT_EQ(channel.size(), c.length);
            const unsigned char* bytes = reinterpret_cast<const unsigned char*>(channel.data());
            for (size_t i = 0; i < channel.size() * sizeof(float); ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
        }
        EXPECT_EQ(hash, c.hash) << std::hex << "0x" << hash;
    }
}

TEST(AudioRenderer, ReportsRendersItCannotDo) {
    LinkedModule linked;
    std::unique_ptr<EffectInstance> stereo = linked.NewInstance(48000.0f, 2);
    AudioChannels uneven = TestSignal(2, 100);
    uneven[1].pop_back();
    struct Case { const char* name; AudioChannels input; std::vector<ParameterChange> changes; int32_t block;
                  const char* message; };
    const Case cases[] = {
        {"mono into stereo", TestSignal(1, 100), {}, 64, "the input has 1 channels, the instance 2"},
        {"uneven channels", uneven, {}, 64, "the input's channels differ in length"},
        {"block of zero", TestSignal(2, 100), {}, 0, "the block size must be positive and the latency not negative"},
        {"unknown parameter", TestSignal(2, 100), {{50, "Sparkle", 0.5}}, 64,
         "cannot set parameter 'Sparkle' at sample 50 (result -20001)"},
    };
    for (const Case& c : cases) {
        AudioRenderer::Options options;
        options.blockSize = c.block;
        AudioRenderer renderer(*stereo, options);
        AudioChannels output;
        std::string error;
        EXPECT_FALSE(renderer.Render(c.input, c.changes, &output, &error)) << c.name;
        EXPECT_EQ(error, c.message) << c.name;
    }
}

}  // namespace
