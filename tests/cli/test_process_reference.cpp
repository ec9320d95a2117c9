// orvanta process against the bytes it wrote before rendering was streamed:
// layouts, rates, block sizes down to 1 and odd sizes, raw latency, busy
// settings with dither, integer and float outputs, and lengths shorter than
// the effect's delay, shorter than a block and past several read chunks.
// The expected values are 64-bit FNV-1a hashes of whole output files.
#include "CliHarness.h"

namespace {

using namespace cli_test;

uint64_t HashOf(const std::string& bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

const std::vector<std::string> kBusy = {"--set", "Harmonic=60", "--set", "Dynamic=70", "--set", "Dither=On",
                                        "--set", "Color=Rich"};

TEST(ProcessReference, RendersKeepTheirBytes) {
    struct Case {
        int format;
        int rate;
        int channels;
        sf_count_t frames;
        std::vector<std::string> options;
        uint64_t hash;
    };
    const int wav16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16, wav24 = SF_FORMAT_WAV | SF_FORMAT_PCM_24,
              wavFloat = SF_FORMAT_WAV | SF_FORMAT_FLOAT, flac16 = SF_FORMAT_FLAC | SF_FORMAT_PCM_16,
              aiff24 = SF_FORMAT_AIFF | SF_FORMAT_PCM_24;
    auto with = [](std::vector<std::string> options, const std::vector<std::string>& more) {
        options.insert(options.end(), more.begin(), more.end());
        return options;
    };
    const Case cases[] = {
        {wav16, 44100, 1, 5, {"--block", "1"}, 0xd10f6d3fe790a143ull},
        {wav16, 44100, 1, 5, with(kBusy, {"--block", "1", "--keep-latency"}), 0x2cb8164af65a3861ull},
        {wavFloat, 48000, 2, 10, with(kBusy, {"--block", "3"}), 0xcaeabe900c0e9882ull},
        {wav24, 48000, 2, 30011, with(kBusy, {"--block", "512"}), 0x81ec955d0c71abedull},
        {wavFloat, 48000, 2, 30011, with(kBusy, {"--block", "1"}), 0x476f8acde5caf0a7ull},
        {wavFloat, 48000, 2, 30011, with(kBusy, {"--block", "4097", "--keep-latency"}), 0x13d7cce0a0286ea5ull},
        {wavFloat, 96000, 2, 20000, with(kBusy, {"--block", "777"}), 0xfdbc80ad760621dcull},
        {aiff24, 88200, 1, 9999, with(kBusy, {"--block", "8192", "--set", "Color=Gold"}), 0x36bed424547d25e0ull},
        {flac16, 192000, 2, 24, with(kBusy, {"--block", "64"}), 0x78b2f985b212542cull},
        {flac16, 176400, 1, 17001, with(kBusy, {"--block", "1000", "--keep-latency"}), 0x61b35d42b4634f93ull},
        {wavFloat, 44100, 2, 12345, with(kBusy, {"--set", "OutputTrim=6", "--subtype", "pcm16"}), 0xd2c7b125cbb55809ull},
        {wav16, 48000, 2, 12345, with(kBusy, {"--subtype", "float", "--format", "aiff"}), 0xb3eccef381d95dcull},
        {wav24, 48000, 1, 70000, with(kBusy, {"--block", "1048576"}), 0x2bbd0f0eaf304722ull},
        {wav16, 48000, 2, 3000, {"--set", "Harmonic=30", "--bypass", "--block", "100"}, 0xe4492004180feb90ull},
    };
    ScratchFolder scratch;
    int index = 0;
    for (const Case& c : cases) {
        const std::string name = "case" + std::to_string(index++);
        SCOPED_TRACE(name);
        const std::string in = scratch.Path(name + ".in"), out = scratch.Path(name + ".out");
        WriteAudio(in, Tone(c.format, c.rate, c.channels, c.frames, 0.9));
        std::vector<std::string> arguments = {"process", in, out, "--quiet"};
        if (std::find(c.options.begin(), c.options.end(), "--format") == c.options.end())
            arguments.insert(arguments.end(), {"--format", (c.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV    ? "wav"
                                                           : (c.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_FLAC ? "flac"
                                                                                                               : "aiff"});
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const RunResult result = RunOrvanta(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(ReadAudio(out).Frames(), c.frames);
        EXPECT_EQ(HashOf(ReadWhole(out)), c.hash) << std::hex << "0x" << HashOf(ReadWhole(out));
    }
}

}  // namespace
