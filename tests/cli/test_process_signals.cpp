// orvanta process and signals sent part-way through a render: each stop
// signal ends it with 128 + its number and no file left; a signal ignored
// when the program started stays ignored; SIGKILL leaves nothing either,
// since the output has no name until it is complete.
#include <functional>

#include "CliHarness.h"

namespace {

using namespace cli_test;

// The program with stdout to /dev/null and stderr to a file; inChild runs
// in the child before the program starts.
pid_t Spawn(const std::vector<std::string>& arguments, const std::string& errPath,
            const std::function<void()>& inChild = {}) {
    return Start(arguments, "/dev/null", errPath, 0, inChild);
}

// Well into the render the output exists only as an unnamed file, so no
// part of it is ever visible, even after SIGKILL.
TEST(ProcessSignals, EachStopSignalEndsTheRenderWithNothingLeft) {
    ScratchFolder scratch;
    // Several seconds of rendering, at 192 kHz with --block 1.
    WriteAudio(scratch.Path("long.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 192000, 2, 192000 * 10));
    const std::vector<std::string> inputs = scratch.Entries();
    static ScratchFolder streams;
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ, SIGALRM, SIGUSR1, SIGUSR2, SIGKILL}) {
        SCOPED_TRACE(strsignal(signalNumber));
        const pid_t pid = Spawn({"process", scratch.Path("long.wav"), scratch.Path("out.wav"), "--block", "1"},
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
    static ScratchFolder streams;
    WriteAudio(scratch.Path("in.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 192000, 2, 192000 * 2));
    // As nohup starts it: hang-up ignored.
    const pid_t pid = Spawn({"process", scratch.Path("in.wav"), scratch.Path("out.wav"), "--block", "16"},
                            streams.Path("err"), [] { signal(SIGHUP, SIG_IGN); });
    ASSERT_TRUE(WaitUntilCaught(pid, SIGINT));
    kill(pid, SIGHUP);
    EXPECT_EQ(Wait(pid), 0) << ReadWhole(streams.Path("err"));
    EXPECT_EQ(ReadAudio(scratch.Path("out.wav")).Frames(), 192000 * 2);
}

}  // namespace
