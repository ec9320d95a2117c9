// orvanta process on generated files: formats, refusals, stop signals and render bytes.
#include "CliHarness.h"

namespace {

using namespace cli_test;

TEST(ProcessCommand, WritesTheChosenFormatAndClipsIntegerOvers) {
    ScratchFolder scratch;
    // Near full scale, then 6 dB of output gain: many samples go over.
    WriteAudio(scratch.Path("loud.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 1, 8000, 0.95));
    const struct {
        const char* output;
        std::vector<std::string> options;
        int format;
        bool clipped;
    } cases[] = {
        {"float.wav", {}, SF_FORMAT_WAV | SF_FORMAT_FLOAT, false},
        {"pcm16.aiff", {"--format", "aiff", "--subtype", "pcm16"}, SF_FORMAT_AIFF | SF_FORMAT_PCM_16, true},
    };
    for (const auto& c : cases) {
        const RunResult run = RunOrvanta(
            Concat({"process", scratch.Path("loud.wav"), scratch.Path(c.output), "--set", "OutputTrim=6"},
                   c.options));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_TRUE(Has(run.out, "Wrote ")) << run.out;
        EXPECT_EQ(Has(run.out, "samples beyond full scale were clipped"), c.clipped) << run.out;
        EXPECT_EQ(ReadAudio(scratch.Path(c.output)).format, c.format);
    }
    const Audio floats = ReadAudio(scratch.Path("float.wav")), ints = ReadAudio(scratch.Path("pcm16.aiff"));
    ASSERT_EQ(ints.samples.size(), floats.samples.size());
    const double top = 32767.0 / 32768.0;  // an over clips to full scale instead of wrapping
    for (size_t i = 0; i < floats.samples.size(); ++i)
        ASSERT_NEAR(ints.samples[i], std::clamp(floats.samples[i], -1.0, top), 1.0 / 32768) << i;
}

TEST(ProcessCommand, RefusesBadInputWithItsExitCodeAndLeavesNothingBehind) {
    ScratchFolder scratch;
    WriteAudio(scratch.Path("good.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 2000));
    WriteAudio(scratch.Path("good.flac"), Tone(SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 48000, 2, 2000));
    WriteAudio(scratch.Path("22k.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 2000));
    WriteText(scratch.Path("notes.txt"), "not audio at all\n");
    mkdir(scratch.Path("folder").c_str(), 0755);
    const std::vector<std::string> inputs = scratch.Entries();
    const std::string good = scratch.Path("good.wav");
    const std::string out = scratch.Path("out.wav");

    // One of the parser's refusals of each kind stands for all (tests/runtime holds every reason).
    struct Case { std::vector<std::string> arguments; int exitCode; std::string message; };
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
        {{"process", scratch.Path("22k.wav"), out}, 65,
         "the sample rate 22050 Hz is not supported (supported: 44100, 48000, 88200, 96000, 176400, 192000 Hz)"},
        {{"process", good, scratch.Path("no/such/folder/out.wav")}, 73,
         "cannot create output '" + scratch.Path("no/such/folder/out.wav") + "': No such file or directory"},
        {{"process", good, scratch.Path("folder")}, 73, "cannot create output '" + scratch.Path("folder") + "': it is a folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const RunResult result = RunOrvanta(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_EQ(result.err.rfind("orvanta: " + c.message, 0), 0u) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(scratch.Entries(), inputs) << "a failure leaves no file behind";
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

// SIGKILL too leaves no file: the output has no name until complete.
TEST(ProcessSignals, EachStopSignalEndsTheRenderWithNothingLeft) {
    ScratchFolder scratch;
    static ScratchFolder streams;
    // Several seconds of rendering, at 192 kHz with --block 1.
    WriteAudio(scratch.Path("long.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 192000, 2, 192000 * 10));
    const std::vector<std::string> inputs = scratch.Entries();
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ, SIGALRM, SIGUSR1, SIGUSR2, SIGKILL}) {
        SCOPED_TRACE(strsignal(signalNumber));
        const pid_t pid =
            Start({"process", scratch.Path("long.wav"), scratch.Path("out.wav"), "--block", "1"}, "/dev/null",
                  streams.Path("err"));
        ASSERT_GT(pid, 0);
        ASSERT_TRUE(WaitUntilCaught(pid, signalNumber == SIGKILL ? SIGINT : signalNumber));
        for (int look = 0; signalNumber == SIGKILL && look < 200; ++look) {
            ASSERT_EQ(scratch.Entries(), inputs) << "look " << look;
            usleep(1000);
        }
        kill(pid, signalNumber);
        if (signalNumber == SIGKILL) {
            EXPECT_EQ(Wait(pid), -SIGKILL);
        } else {
            EXPECT_EQ(Wait(pid), 128 + signalNumber);
            EXPECT_EQ(ReadWhole(streams.Path("err")), std::string("orvanta: stopped by SIG") +
                                                          sigabbrev_np(signalNumber) + " before the output was complete\n");
        }
        EXPECT_EQ(scratch.Entries(), inputs);
    }
}

TEST(ProcessSignals, SignalsIgnoredAtTheStartStayIgnored) {
    ScratchFolder scratch;
    WriteAudio(scratch.Path("in.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 192000, 2, 192000 * 2));
    // As nohup starts it: hang-up ignored.
    const pid_t pid = Start({"process", scratch.Path("in.wav"), scratch.Path("out.wav"), "--block", "16"},
                            "/dev/null", scratch.Path("err"), 0, [] { signal(SIGHUP, SIG_IGN); });
    ASSERT_TRUE(WaitUntilCaught(pid, SIGINT));
    kill(pid, SIGHUP);
    EXPECT_EQ(Wait(pid), 0) << ReadWhole(scratch.Path("err"));
    EXPECT_EQ(ReadAudio(scratch.Path("out.wav")).Frames(), 192000 * 2);
}

// The bytes written before rendering was streamed, as 64-bit FNV-1a hashes of whole files.
uint64_t HashOf(const std::string& bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

TEST(ProcessReference, RendersKeepTheirBytes) {
    const std::vector<std::string> kBusy = {"--set", "Harmonic=60", "--set", "Dynamic=70",
                                            "--set", "Dither=On",   "--set", "Color=Rich"};
    struct Case {
        int format, rate, channels;
        sf_count_t frames;
        std::vector<std::string> options;
        uint64_t hash;
    };
    const int wav16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16, wav24 = SF_FORMAT_WAV | SF_FORMAT_PCM_24,
              wavFloat = SF_FORMAT_WAV | SF_FORMAT_FLOAT, flac16 = SF_FORMAT_FLAC | SF_FORMAT_PCM_16,
              aiff24 = SF_FORMAT_AIFF | SF_FORMAT_PCM_24;
    auto with = [&](const std::vector<std::string>& more) { return Concat(kBusy, more); };
    const Case cases[] = {
        {wav16, 44100, 1, 5, {"--block", "1"}, 0xd10f6d3fe790a143ull},
        {wav16, 44100, 1, 5, with({"--block", "1", "--keep-latency"}), 0x2cb8164af65a3861ull},
        {wavFloat, 48000, 2, 10, with({"--block", "3"}), 0xcaeabe900c0e9882ull},
        {wav24, 48000, 2, 30011, with({"--block", "512"}), 0x81ec955d0c71abedull},
        {wavFloat, 48000, 2, 30011, with({"--block", "1"}), 0x476f8acde5caf0a7ull},
        {wavFloat, 48000, 2, 30011, with({"--block", "4097", "--keep-latency"}), 0x13d7cce0a0286ea5ull},
        {wavFloat, 96000, 2, 20000, with({"--block", "777"}), 0xfdbc80ad760621dcull},
        {aiff24, 88200, 1, 9999, with({"--block", "8192", "--set", "Color=Gold"}), 0x36bed424547d25e0ull},
        {flac16, 192000, 2, 24, with({"--block", "64"}), 0x78b2f985b212542cull},
        {flac16, 176400, 1, 17001, with({"--block", "1000", "--keep-latency"}), 0x61b35d42b4634f93ull},
        {wavFloat, 44100, 2, 12345, with({"--set", "OutputTrim=6", "--subtype", "pcm16"}),
         0xd2c7b125cbb55809ull},
        {wav16, 48000, 2, 12345, with({"--subtype", "float", "--format", "aiff"}), 0xb3eccef381d95dcull},
        {wav24, 48000, 1, 70000, with({"--block", "1048576"}), 0x2bbd0f0eaf304722ull},
        {wav16, 48000, 2, 3000, {"--set", "Harmonic=30", "--bypass", "--block", "100"}, 0xe4492004180feb90ull},
    };
    ScratchFolder scratch;
    int index = 0;
    for (const Case& c : cases) {
        const std::string name = "case" + std::to_string(index++);
        SCOPED_TRACE(name);
        const std::string in = scratch.Path(name + ".in"), out = scratch.Path(name + ".out");
        WriteAudio(in, Tone(c.format, c.rate, c.channels, c.frames, 0.9));
        const int type = c.format & SF_FORMAT_TYPEMASK;
        // A later --format wins.
        const RunResult result = RunOrvanta(Concat(
            {"process", in, out, "--quiet", "--format",
             type == SF_FORMAT_WAV ? "wav" : type == SF_FORMAT_FLAC ? "flac" : "aiff"},
            c.options));
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(ReadAudio(out).Frames(), c.frames);
        EXPECT_EQ(HashOf(ReadWhole(out)), c.hash) << std::hex << "0x" << HashOf(ReadWhole(out));
    }
}

}  // namespace
