// orvanta process and every kind of OUT: each gets the bytes a plain render gives.
#include <sys/sysmacros.h>

#include <future>

#include "CliHarness.h"

namespace {

using namespace cli_test;

struct Fixture {
    ScratchFolder scratch;
    std::string input = scratch.Path("in.wav");
    std::string original;   // the input's bytes
    std::string reference;  // a plain render's bytes
    Fixture() {
        WriteAudio(input, Tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 30011));
        original = ReadWhole(input);
        EXPECT_EQ(Render(input, scratch.Path("reference.wav")).exitCode, 0);
        reference = ReadWhole(scratch.Path("reference.wav"));
        remove(scratch.Path("reference.wav").c_str());
    }
    RunResult Render(const std::string& in, const std::string& out,
                     const std::vector<std::string>& more = {}) {
        return RunOrvanta(Concat({"process", in, out, "--quiet", "--set", "Dither=On"}, more));
    }
};

struct stat StatusOf(const std::string& path, bool followLinks = true) {
    struct stat status {};
    (followLinks ? stat : lstat)(path.c_str(), &status);
    return status;
}

// IN and OUT may name one file: by path, spelt otherwise, by link or by hard link.
TEST(ProcessOutput, FilesAndLinksGetTheCompleteRenderAndKeepWhatTheyWere) {
    ASSERT_EQ(geteuid(), 0u) << "changing a file's owner needs root, as in CI";
    const mode_t mask = umask(0), created = 0666 & ~mask;
    umask(mask);
    const auto none = [](Fixture&) {};
    const struct {
        const char* name;
        std::function<void(Fixture&)> prepare;
        std::string out;      // relative to the scratch folder
        std::string written;  // the file that gets the render
        mode_t mode;          // its permission bits afterwards; 0: those in.wav had
        uid_t owner;
        gid_t group;
        std::string linkKept;  // a link that must still be one
        bool inputKept;        // in.wav still holds the input
    } cases[] = {
        {"new file", none, "new.wav", "new.wav", created, 0, 0, "", true},
        {"existing file with odd bits and another owner",
         [](Fixture& f) {
             WriteText(f.scratch.Path("odd.wav"), "old");
             ASSERT_EQ(chown(f.scratch.Path("odd.wav").c_str(), 1234, 5678), 0);
             chmod(f.scratch.Path("odd.wav").c_str(), 02751);  // after chown, which clears set-id bits
         },
         "odd.wav", "odd.wav", 02751, 1234, 5678, "", true},
        {"link to a file",
         [](Fixture& f) {
             WriteText(f.scratch.Path("target.wav"), "old");
             chmod(f.scratch.Path("target.wav").c_str(), 0640);
             symlink("target.wav", f.scratch.Path("link.wav").c_str());
         },
         "link.wav", "target.wav", 0640, 0, 0, "link.wav", true},
        {"link to a link to a new file in a folder",
         [](Fixture& f) {
             mkdir(f.scratch.Path("sub").c_str(), 0755);
             symlink("new.wav", f.scratch.Path("sub/inner.wav").c_str());
             symlink(f.scratch.Path("sub/inner.wav").c_str(), f.scratch.Path("outer.wav").c_str());
         },
         "outer.wav", "sub/new.wav", created, 0, 0, "outer.wav", true},
        {"name of 250 bytes", none, std::string(250, 'n'), std::string(250, 'n'), created, 0, 0, "", true},
        {"the input", none, "in.wav", "in.wav", 0, 0, 0, "", false},
        {"the input spelt otherwise", none, "./in.wav", "in.wav", 0, 0, 0, "", false},
        {"a link to the input", [](Fixture& f) { symlink("in.wav", f.scratch.Path("link.wav").c_str()); },
         "link.wav", "in.wav", 0, 0, 0, "link.wav", false},
        {"a hard link to the input",
         [](Fixture& f) { link(f.input.c_str(), f.scratch.Path("hard.wav").c_str()); }, "hard.wav", "hard.wav", 0,
         0, 0, "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        c.prepare(f);
        const mode_t inputMode = StatusOf(f.input).st_mode & 07777;
        const RunResult result = f.Render(f.input, f.scratch.Path(c.out));
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::string written = f.scratch.Path(c.written);
        EXPECT_TRUE(ReadWhole(written) == f.reference);
        EXPECT_TRUE(ReadWhole(f.input) == (c.inputKept ? f.original : f.reference));
        EXPECT_TRUE(S_ISREG(StatusOf(written, false).st_mode));
        EXPECT_EQ(StatusOf(written).st_mode & 07777, c.mode ? c.mode : inputMode);
        EXPECT_EQ(StatusOf(written).st_uid, c.owner);
        EXPECT_EQ(StatusOf(written).st_gid, c.group);
        if (!c.linkKept.empty()) {
            EXPECT_TRUE(S_ISLNK(StatusOf(f.scratch.Path(c.linkKept), false).st_mode));
        }
        for (const std::string& name : f.scratch.Entries()) EXPECT_NE(name.rfind(".orvanta", 0), 0u) << name;
    }
}

TEST(ProcessOutput, DevicesFifosAndStandardOutputAreWrittenInPlace) {
    Fixture f;
    const RunResult toStandardOutput =
        f.Render(f.input, "-", {"--format", "wav"});  // a file here, so any format
    ASSERT_EQ(toStandardOutput.exitCode, 0) << toStandardOutput.err;
    EXPECT_TRUE(toStandardOutput.out == f.reference);
    const RunResult noFormat = f.Render(f.input, "-");
    EXPECT_EQ(noFormat.exitCode, 64);
    EXPECT_EQ(noFormat.err, "orvanta: writing to standard output (-) needs --format\n");

    const std::string device = f.scratch.Path("null");  // the null device
    ASSERT_EQ(mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0) << std::strerror(errno);
    EXPECT_EQ(f.Render(f.input, device).exitCode, 0);
    EXPECT_TRUE(S_ISCHR(StatusOf(device).st_mode));

    // A FIFO read on another thread: a front-to-back format arrives whole, WAV is refused.
    const std::string fifo = f.scratch.Path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    ASSERT_EQ(f.Render(f.input, f.scratch.Path("reference.au"), {"--format", "au"}).exitCode, 0);
    std::future<std::string> reader = std::async(std::launch::async, [fifo] { return ReadWhole(fifo); });
    EXPECT_EQ(f.Render(f.input, fifo, {"--format", "au"}).exitCode, 0);
    WriteText(f.scratch.Path("from-fifo.au"), reader.get());
    const Audio received = ReadAudio(f.scratch.Path("from-fifo.au"));
    EXPECT_EQ(received.Frames(), 30011);
    EXPECT_EQ(received.samples, ReadAudio(f.scratch.Path("reference.au")).samples);

    std::future<std::string> refused = std::async(std::launch::async, [fifo] { return ReadWhole(fifo); });
    const RunResult wavToFifo = f.Render(f.input, fifo, {"--format", "wav"});
    EXPECT_EQ(wavToFifo.exitCode, 73);
    EXPECT_EQ(wavToFifo.err, "orvanta: cannot write output '" + fifo +
                                 "' as WAV (Microsoft), Signed 16 bit PCM: a pipe takes only formats written front to "
                                 "back (--format flac, au or raw)\n");
    EXPECT_EQ(refused.get(), "");
    EXPECT_TRUE(S_ISFIFO(StatusOf(fifo).st_mode));
}

}  // namespace
