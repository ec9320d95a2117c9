// The program as a whole: help, version, unknown commands, and the params
// command's table; a standard output that cannot be written.
#include "CliHarness.h"

namespace {

using namespace cli_test;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(Program, AnswersHelpVersionAndUnknownCommands) {
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string inOut;  // expected in standard output
        std::string err;    // standard error, exactly
    };
    const Case cases[] = {
        {{"--help"}, 0, "  process     render an audio file through the effect", ""},
        {{"help", "process"}, 0, "Usage: orvanta process IN OUT", ""},
        {{"process", "--help"}, 0, "  --keep-latency", ""},
        {{"params", "-h"}, 0, "Usage: orvanta params", ""},
        {{"--version"}, 0, "orvanta 1.0.0\n", ""},
        {{}, 64, "Commands:", ""},
        {{"proces"}, 64, "", "orvanta: unknown command 'proces' (see orvanta --help)\n"},
    };
    for (const Case& c : cases) {
        const RunResult result = RunOrvanta(c.arguments);
        const std::string label = c.arguments.empty() ? "(none)" : c.arguments[0];
        EXPECT_EQ(result.exitCode, c.exitCode) << label;
        EXPECT_TRUE(Contains(result.out, c.inOut)) << label << ": " << result.out;
        EXPECT_EQ(result.err, c.err) << label;
    }
    // Every help documents the exit codes.
    for (const std::vector<std::string>& help : {std::vector<std::string>{"--help"}, {"process", "--help"}}) {
        const std::string out = RunOrvanta(help).out;
        for (const char* code : {"  64  ", "  65  ", "  66  ", "  70  ", "  73  ", "  74  "})
            EXPECT_TRUE(Contains(out, code)) << help[0] << " lacks exit code" << code;
    }
}

TEST(Program, ParamsListsEveryParameterWithTheSettingsApplied) {
    const RunResult plain = RunOrvanta({"params", "--quiet"});
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    const std::string expected =
        "ID          Name           Range           Default  Steps  Type        Current\n"
        "\"\"          Master Bypass  bypass to on    bypass   2      discrete    bypass\n"
        "Dynamic     Dynamic        0.00 to 100.00  0.00     400    continuous  0.00\n"
        "Harmonic    Harmonic       0.00 to 100.00  0.00     400    continuous  0.00\n"
        "OutputTrim  OutputTrim     -6.00 to 6.00   0.00     60     continuous  0.00\n"
        "Dither      Dither         1.00 to 2.00    1.00     2      discrete    1.00\n"
        "Color       Color          1.00 to 5.00    2.00     5      discrete    2.00\n";
    EXPECT_EQ(plain.out, expected);

    const RunResult set = RunOrvanta({"params", "--set", "Harmonic=40", "--set", "Color=Deep", "--set", "OutputTrim=-2.5",
                               "--set", "Dither=On", "--bypass"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    for (const char* row : {"discrete    on\n", "continuous  40.00\n", "continuous  -2.50\n", "discrete    2.00\n",
                            "discrete    5.00\n"})
        EXPECT_TRUE(Contains(set.out, row)) << row;
    EXPECT_TRUE(Contains(set.out, "is the master bypass")) << "the note is printed unless quiet";

    const RunResult refused = RunOrvanta({"params", "--set", "Color=0"});
    EXPECT_EQ(refused.exitCode, 64);
    EXPECT_EQ(refused.err, "orvanta: value '0' for Color lies outside its range 1.00 to 5.00\n");
    const RunResult stray = RunOrvanta({"params", "file.wav"});
    EXPECT_EQ(stray.exitCode, 64);
    EXPECT_EQ(stray.err, "orvanta: params takes no file arguments (see orvanta params --help)\n");
}

// Every command whose standard output cannot be written (here /dev/full)
// exits 74 with a message instead of reporting success.
TEST(StandardOutput, AFailedWriteIsAnInputOutputErrorInEveryCommand) {
    // The editor draws text, which leaves fontconfig's process-wide caches
    // behind; the sanitizer build's leak checker must not count them.
    setenv("LSAN_OPTIONS", "print_suppressions=0:suppressions=" ORVANTA_SOURCE_DIR "/tests/editorcli/fontconfig.supp",
           1);
    ScratchFolder scratch;
    WriteAudio(scratch.Path("in.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 4800));
    ASSERT_EQ(RunOrvanta({"preset", "save", scratch.Path("p.preset"), "--quiet"}).exitCode, 0);
    // The reason is known when the failure shows at the last flush.
    const std::string noRoom = "orvanta: cannot write to standard output: No space left on device\n";
    const std::string failed = "orvanta: cannot write to standard output";
    struct Case { std::vector<std::string> arguments; std::string err; };
    const Case cases[] = {
        {{"--help"}, noRoom},
        {{"--version"}, noRoom},
        {{"process", "--help"}, noRoom},
        {{"params"}, noRoom},
        {{"preset", "show", scratch.Path("p.preset")}, failed},
        {{"editor"}, noRoom},
        {{"validate", "--only", "loading"}, failed},
        {{"describe"}, "orvanta: cannot write the description\n"},
        {{"process", scratch.Path("in.wav"), scratch.Path("out.wav")}, noRoom},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments[0] + (c.arguments.size() > 1 ? " " + c.arguments[1] : ""));
        const pid_t pid = Start(c.arguments, "/dev/full", scratch.Path("err"));
        ASSERT_GT(pid, 0);
        EXPECT_EQ(Wait(pid), 74);
        const std::string err = ReadWhole(scratch.Path("err"));
        if (c.err == failed)
            EXPECT_EQ(err.rfind(failed, 0), 0u) << err;
        else
            EXPECT_EQ(err, c.err);
    }
}

}  // namespace
