// orvanta process on generated files: output formats and clipping;
// settings by number and by name; reproducibility; every refusal with its
// exit code and message, and no output or temporary file left behind by a
// failure; the bytes renders keep, aligned and with the raw latency, across
// formats, rates and layouts. (That default settings give the input back
// at every rate and layout: the runtime's instance tests.)
#include "CliHarness.h"

namespace {

using namespace cli_test;

// Names as the parser's aliases give them; the same render later gives the
// same bytes (no time stamps in the file).
TEST(ProcessCommand, SettingsByNumberAndByNameGiveTheSameRepeatableOutput) {
    ScratchFolder scratch;
    WriteAudio(scratch.Path("in.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 48000, 2, 24000));
    const std::vector<std::string> numbers = {"--set", "Harmonic=60", "--set", "Dynamic=40",
                                              "--set", "Color=2",     "--set", "Dither=2"};
    auto render = [&](const std::string& output, const std::vector<std::string>& settings) {
        std::vector<std::string> arguments = {"process", scratch.Path("in.wav"), scratch.Path(output), "--quiet"};
        arguments.insert(arguments.end(), settings.begin(), settings.end());
        const RunResult result = RunOrvanta(arguments);
        EXPECT_EQ(result.exitCode, 0) << output << ": " << result.err;
        return ReadWhole(scratch.Path(output));
    };
    const std::string byNumber = render("numbers.wav", numbers);
    EXPECT_TRUE(render("names.wav", {"--set=Dither=On", "--set", "Color=gold", "--set=Dynamic=40", "--set",
                                     "Harmonic=60"}) == byNumber);
    EXPECT_FALSE(render("plain.wav", {}) == byNumber) << "the settings change the sound";
    sleep(1);
    EXPECT_TRUE(render("later.wav", numbers) == byNumber);
}

TEST(ProcessCommand, WritesTheChosenFormatAndClipsIntegerOvers) {
    ScratchFolder scratch;
    // Near full scale, then 6 dB of output gain: many samples go over.
    WriteAudio(scratch.Path("loud.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 1, 8000, 0.95));
    const std::vector<std::string> loud = {"process", scratch.Path("loud.wav")};
    auto run = [&](const std::string& output, std::vector<std::string> options) {
        std::vector<std::string> arguments = loud;
        arguments.push_back(scratch.Path(output));
        arguments.insert(arguments.end(), {"--set", "OutputTrim=6"});
        arguments.insert(arguments.end(), options.begin(), options.end());
        return RunOrvanta(arguments);
    };
    const RunResult asFloat = run("float.wav", {});
    ASSERT_EQ(asFloat.exitCode, 0) << asFloat.err;
    EXPECT_NE(asFloat.out.find("Wrote "), std::string::npos);
    EXPECT_EQ(asFloat.out.find("clipped"), std::string::npos);
    const RunResult as16 = run("pcm16.aiff", {"--format", "aiff", "--subtype", "pcm16"});
    ASSERT_EQ(as16.exitCode, 0) << as16.err;
    EXPECT_NE(as16.out.find("samples beyond full scale were clipped"), std::string::npos) << as16.out;

    const Audio floats = ReadAudio(scratch.Path("float.wav"));
    const Audio ints = ReadAudio(scratch.Path("pcm16.aiff"));
    EXPECT_EQ(floats.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(ints.format, SF_FORMAT_AIFF | SF_FORMAT_PCM_16);
    ASSERT_EQ(ints.samples.size(), floats.samples.size());
    size_t overs = 0;
    for (size_t i = 0; i < floats.samples.size(); ++i) {
        if (floats.samples[i] >= 1.0) {
            ++overs;
            ASSERT_EQ(ints.samples[i], 32767.0 / 32768.0) << "an over clips instead of wrapping, sample " << i;
        } else if (floats.samples[i] <= -1.0) {
            ++overs;
            ASSERT_EQ(ints.samples[i], -1.0) << i;
        } else {
            ASSERT_NEAR(ints.samples[i], floats.samples[i], 1.0 / 32768) << i;
        }
    }
    EXPECT_GT(overs, 100u);
}

TEST(ProcessCommand, RefusesBadInputWithItsExitCodeAndLeavesNothingBehind) {
    ScratchFolder scratch;
    WriteAudio(scratch.Path("good.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 2000));
    WriteAudio(scratch.Path("good.flac"), Tone(SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 48000, 2, 2000));
    WriteAudio(scratch.Path("three.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 3, 2000));
    WriteAudio(scratch.Path("22k.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 2000));
    WriteText(scratch.Path("notes.txt"), "not audio at all\n");
    mkdir(scratch.Path("folder").c_str(), 0755);
    const std::vector<std::string> inputs = scratch.Entries();
    const std::string good = scratch.Path("good.wav");
    const std::string out = scratch.Path("out.wav");

    struct Case { std::vector<std::string> arguments; int exitCode; std::string message; };
    // One of the parser's refusals of each kind stands for all of them (the
    // runtime tests hold every reason).
    const Case cases[] = {
        {{"process"}, 64, "process needs an input and an output file (see orvanta process --help)"},
        {{"process", good, out, "extra"}, 64, "process needs an input and an output file"},
        {{"process", good, out, "--frobnicate"}, 64, "unknown option '--frobnicate' (see orvanta process --help)"},
        {{"process", good, out, "--set"}, 64, "option --set needs a value (ID=VALUE)"},
        {{"process", good, out, "--quiet=yes"}, 64, "option --quiet takes no value"},
        {{"process", good, out, "--block", "0"}, 64, "--block needs a whole number of samples from 1 to 1048576, not '0'"},
        {{"process", good, out, "--block", "12x"}, 64, "--block needs a whole number of samples from 1 to 1048576, not '12x'"},
        {{"process", good, out, "--set", "Sparkle=3"}, 64,
         "unknown parameter 'Sparkle' (parameters: Dynamic, Harmonic, OutputTrim, Dither, Color)"},
        {{"process", good, out, "--set", "OutputTrim=-7"}, 64,
         "value '-7' for OutputTrim lies outside its range -6.00 to 6.00"},
        {{"process", good, out, "--set", "Harmonic=40abc"}, 64, "'40abc' is not a value of Harmonic (expected a plain"},
        {{"process", good, out, "--subtype", "pcm12"}, 64, "unknown sample type 'pcm12'"},
        {{"process", good, out, "--format", "mp9"}, 64, "unknown output format 'mp9' (formats: "},
        {{"process", scratch.Path("good.flac"), out, "--subtype", "float"}, 64,
         "FLAC (Free Lossless Audio Codec) cannot hold 32 bit float samples"},
        {{"process", good, out, "--plugin", scratch.Path("Nothing.aaxplugin")}, 70,
         "cannot load the plug-in module: "},
        {{"process", scratch.Path("missing.wav"), out}, 66, "input '" + scratch.Path("missing.wav") + "' does not exist"},
        {{"process", scratch.Path("folder"), out}, 66, "input '" + scratch.Path("folder") + "' is a folder"},
        {{"process", scratch.Path("notes.txt"), out}, 65,
         "input '" + scratch.Path("notes.txt") + "' is not audio this program can read"},
        {{"process", scratch.Path("three.wav"), out}, 65, "the input has 3 channels; only mono and stereo can be processed"},
        {{"process", scratch.Path("22k.wav"), out}, 65,
         "the sample rate 22050 Hz is not supported (supported: 44100, 48000, 88200, 96000, 176400, 192000 Hz)"},
        {{"process", good, scratch.Path("no/such/folder/out.wav")}, 73,
         "cannot create output '" + scratch.Path("no/such/folder/out.wav") + "': No such file or directory"},
        {{"process", good, scratch.Path("folder")}, 73, "cannot create output '" + scratch.Path("folder") + "': it is a folder"},
    };
    for (const Case& c : cases) {
        const RunResult result = RunOrvanta(c.arguments);
        const std::string label = c.arguments.size() > 3 ? c.arguments[3] : c.arguments.back();
        EXPECT_EQ(result.exitCode, c.exitCode) << label << ": " << result.err;
        EXPECT_EQ(result.err.rfind("orvanta: " + c.message, 0), 0u) << label << ": " << result.err;
        EXPECT_EQ(result.out, "") << label;
        EXPECT_EQ(scratch.Entries(), inputs) << label << ": a failure leaves no file behind";
    }
}

TEST(ProcessCommand, AWriteErrorPartWayIsAnInputOutputError) {
    ScratchFolder scratch;
    WriteAudio(scratch.Path("in.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_PCM_24, 48000, 2, 48000));
    // Room for the header and a little audio, as on a nearly full disk.
    const RunResult result = RunOrvanta({"process", scratch.Path("in.wav"), scratch.Path("out.wav")}, 20000);
    EXPECT_EQ(result.exitCode, 74) << result.err;
    EXPECT_EQ(result.err.rfind("orvanta: writing output '" + scratch.Path("out.wav") + "' failed: ", 0), 0u)
        << result.err;
    EXPECT_EQ(scratch.Entries(), std::vector<std::string>{"in.wav"});
}

// orvanta process against the bytes it wrote before rendering was streamed:
// layouts, rates, block sizes down to 1 and odd sizes, raw latency, busy
// settings with dither, integer and float outputs, and lengths shorter than
// the effect's delay, shorter than a block and past several read chunks.
// The expected values are 64-bit FNV-1a hashes of whole output files.
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
