// The program as a whole: help, version, unknown commands, params, a full standard output.
#include "CliHarness.h"

namespace {

using namespace cli_test;

TEST(Program, AnswersHelpVersionUnknownCommandsAndMistakes) {
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string inOut;  // expected in standard output
        std::string err;    // standard error, exactly
    } cases[] = {
        {{"--help"}, 0, "  process     render an audio file through the effect", ""},
        {{"help", "process"}, 0, "Usage: orvanta process IN OUT", ""},
        {{"process", "--help"}, 0, "  --keep-latency", ""},
        {{"params", "-h"}, 0, "Usage: orvanta params", ""},
        {{"--version"}, 0, "orvanta 1.0.0\n", ""},
        {{}, 64, "Commands:", ""},
        {{"proces"}, 64, "", "orvanta: unknown command 'proces' (see orvanta --help)\n"},
        {{"params", "--set=Color=0"}, 64, "", "orvanta: value '0' for Color lies outside its range 1.00 to 5.00\n"},
        {{"params", "file.wav"}, 64, "", "orvanta: params takes no file arguments (see orvanta params --help)\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments[0]);
        const RunResult result = RunOrvanta(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_TRUE(Has(result.out, c.inOut)) << result.out;
        EXPECT_EQ(result.err, c.err);
    }
    // Every help documents the exit codes.
    for (const std::vector<std::string>& help : {std::vector<std::string>{"--help"}, {"process", "--help"}}) {
        const std::string out = RunOrvanta(help).out;
        for (const char* code : {"  64  ", "  65  ", "  66  ", "  70  ", "  73  ", "  74  "})
            EXPECT_TRUE(Has(out, code)) << help[0] << " lacks exit code" << code;
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
        EXPECT_TRUE(Has(set.out, row)) << row;
    EXPECT_TRUE(Has(set.out, "is the master bypass")) << "the note is printed unless quiet";
}

// A standard output that cannot be written (/dev/full) exits 74 in every command.
TEST(StandardOutput, AFailedWriteIsAnInputOutputErrorInEveryCommand) {
    // The editor leaves fontconfig's process-wide caches for the leak checker.
    setenv("LSAN_OPTIONS", "print_suppressions=0:suppressions=" ORVANTA_SOURCE_DIR "/tests/editorcli/fontconfig.supp",
           1);
    ScratchFolder scratch;
    WriteAudio(scratch.Path("in.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 4800));
    ASSERT_EQ(RunOrvanta({"preset", "save", scratch.Path("p.preset"), "--quiet"}).exitCode, 0);
    // The reason is known when the failure shows at the last flush. Without a newline: a prefix.
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
        {{"analyze", "--json", "--no-plots", "--colors", "Gold", "--levels", "-6", "--sweep-step", "20",
          "--setting-step", "50"},
         "orvanta: writing to standard output failed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments[0] + (c.arguments.size() > 1 ? " " + c.arguments[1] : ""));
        const pid_t pid = Start(c.arguments, "/dev/full", scratch.Path("err"));
        ASSERT_GT(pid, 0);
        EXPECT_EQ(Wait(pid), 74);
        const std::string err = ReadWhole(scratch.Path("err"));
        EXPECT_EQ(c.err.back() == '\n' ? err : err.substr(0, c.err.size()), c.err);
    }
}

}  // namespace
