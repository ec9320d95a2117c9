// Every command whose standard output cannot be written (here /dev/full)
// exits 74 with a message instead of reporting success.
#include "CliHarness.h"

namespace {

using namespace cli_test;

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
    struct Case {
        std::vector<std::string> arguments;
        std::string err;
    };
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
