// orvanta process and every kind of OUT: new and existing files (their
// permission bits and owner kept), symbolic links written through, names
// as long as the file system allows, standard output, a character device
// and a FIFO written in place, and IN and OUT naming one file by path, by
// link and by hard link. Each gives the bytes a plain render gives.
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
        const RunResult plain = RunOrvanta({"process", input, scratch.Path("reference.wav"), "--quiet", "--set",
                                            "Dither=On"});
        EXPECT_EQ(plain.exitCode, 0) << plain.err;
        reference = ReadWhole(scratch.Path("reference.wav"));
        remove(scratch.Path("reference.wav").c_str());
    }
    RunResult Render(const std::string& in, const std::string& out, std::vector<std::string> more = {}) {
        std::vector<std::string> arguments = {"process", in, out, "--quiet", "--set", "Dither=On"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return RunOrvanta(arguments);
    }
};

mode_t ModeOf(const std::string& path, bool followLinks = true) {
    struct stat status {};
    (followLinks ? stat : lstat)(path.c_str(), &status);
    return status.st_mode;
}

TEST(ProcessOutput, FilesAndLinksGetTheCompleteRenderAndKeepWhatTheyWere) {
    const mode_t mask = umask(0);
    umask(mask);
    struct Case {
        const char* name;
        std::function<void(Fixture&)> prepare;
        std::string out;          // relative to the scratch folder
        std::string written;      // the file that gets the render
        mode_t mode;              // its permission bits afterwards
        std::string linkKept;     // a link that must still be one
    };
    const std::string longName(250, 'n');
    const Case cases[] = {
        {"new file", [](Fixture&) {}, "new.wav", "new.wav", 0666 & ~mask, ""},
        {"existing file with odd bits",
         [](Fixture& f) {
             WriteText(f.scratch.Path("odd.wav"), "old");
             chmod(f.scratch.Path("odd.wav").c_str(), 0751);
         },
         "odd.wav", "odd.wav", 0751, ""},
        {"link to a file",
         [](Fixture& f) {
             WriteText(f.scratch.Path("target.wav"), "old");
             chmod(f.scratch.Path("target.wav").c_str(), 0640);
             symlink("target.wav", f.scratch.Path("link.wav").c_str());
         },
         "link.wav", "target.wav", 0640, "link.wav"},
        {"link to a link to a new file in a folder",
         [](Fixture& f) {
             mkdir(f.scratch.Path("sub").c_str(), 0755);
             symlink("new.wav", f.scratch.Path("sub/inner.wav").c_str());
             symlink(f.scratch.Path("sub/inner.wav").c_str(), f.scratch.Path("outer.wav").c_str());
         },
         "outer.wav", "sub/new.wav", 0666 & ~mask, "outer.wav"},
        {"name of 250 bytes", [](Fixture&) {}, longName, longName, 0666 & ~mask, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        c.prepare(f);
        const RunResult result = f.Render(f.input, f.scratch.Path(c.out));
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_TRUE(ReadWhole(f.scratch.Path(c.written)) == f.reference);
        EXPECT_TRUE(S_ISREG(ModeOf(f.scratch.Path(c.written), false)));
        EXPECT_EQ(ModeOf(f.scratch.Path(c.written)) & 07777, c.mode);
        if (!c.linkKept.empty()) {
            EXPECT_TRUE(S_ISLNK(ModeOf(f.scratch.Path(c.linkKept), false)));
        }
        for (const std::string& name : f.scratch.Entries()) EXPECT_NE(name.rfind(".orvanta", 0), 0u) << name;
    }
}

TEST(ProcessOutput, AnExistingFileKeepsItsOwner) {
    ASSERT_EQ(geteuid(), 0u) << "changing a file's owner needs root, as in CI";
    Fixture f;
    const std::string out = f.scratch.Path("owned.wav");
    WriteText(out, "old");
    ASSERT_EQ(chown(out.c_str(), 1234, 5678), 0);
    chmod(out.c_str(), 02640);
    ASSERT_EQ(f.Render(f.input, out).exitCode, 0);
    struct stat status {};
    stat(out.c_str(), &status);
    EXPECT_EQ(status.st_uid, 1234u);
    EXPECT_EQ(status.st_gid, 5678u);
    EXPECT_EQ(status.st_mode & 07777, 02640u);
    EXPECT_TRUE(ReadWhole(out) == f.reference);
}

TEST(ProcessOutput, InputAndOutputMayBeOneFile) {
    struct Case {
        const char* name;
        std::function<std::string(Fixture&)> output;  // makes OUT, returns it
        bool inputKept;                                // IN's name still holds the original
    };
    const Case cases[] = {
        {"same path", [](Fixture& f) { return f.input; }, false},
        {"same path spelt otherwise", [](Fixture& f) { return f.scratch.Root() + "/./in.wav"; }, false},
        {"link to the input",
         [](Fixture& f) {
             symlink("in.wav", f.scratch.Path("link.wav").c_str());
             return f.scratch.Path("link.wav");
         },
         false},
        {"hard link to the input",
         [](Fixture& f) {
             link(f.input.c_str(), f.scratch.Path("hard.wav").c_str());
             return f.scratch.Path("hard.wav");
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        const std::string out = c.output(f);
        const RunResult result = f.Render(f.input, out);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_TRUE(ReadWhole(out) == f.reference);
        EXPECT_TRUE(ReadWhole(f.input) == (c.inputKept ? f.original : f.reference));
    }
}

// Reads everything from a FIFO on another thread, as a consumer on the
// other end does.
std::future<std::string> ReadOnAnotherThread(const std::string& fifo) {
    return std::async(std::launch::async, [fifo] { return ReadWhole(fifo); });
}

TEST(ProcessOutput, DevicesFifosAndStandardOutputAreWrittenInPlace) {
    Fixture f;
    // Standard output (a file here, so any format).
    const RunResult toStandardOutput = f.Render(f.input, "-", {"--format", "wav"});
    ASSERT_EQ(toStandardOutput.exitCode, 0) << toStandardOutput.err;
    EXPECT_TRUE(toStandardOutput.out == f.reference);
    const RunResult noFormat = f.Render(f.input, "-");
    EXPECT_EQ(noFormat.exitCode, 64);
    EXPECT_EQ(noFormat.err, "orvanta: writing to standard output (-) needs --format\n");

    // A character device: the null device, made in the scratch folder.
    const std::string device = f.scratch.Path("null");
    ASSERT_EQ(mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0) << "cannot make a device node: "
                                                                         << std::strerror(errno);
    const RunResult toDevice = f.Render(f.input, device);
    EXPECT_EQ(toDevice.exitCode, 0) << toDevice.err;
    EXPECT_TRUE(S_ISCHR(ModeOf(device)));

    // A FIFO: a format written front to back arrives whole; one whose header
    // comes last is refused before any audio is written.
    const std::string fifo = f.scratch.Path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    const RunResult au = f.Render(f.input, f.scratch.Path("reference.au"), {"--format", "au"});
    ASSERT_EQ(au.exitCode, 0) << au.err;
    const Audio expected = ReadAudio(f.scratch.Path("reference.au"));
    std::future<std::string> reader = ReadOnAnotherThread(fifo);
    const RunResult toFifo = f.Render(f.input, fifo, {"--format", "au"});
    EXPECT_EQ(toFifo.exitCode, 0) << toFifo.err;
    std::ofstream(f.scratch.Path("from-fifo.au"), std::ios::binary) << reader.get();
    const Audio received = ReadAudio(f.scratch.Path("from-fifo.au"));
    EXPECT_EQ(received.Frames(), 30011);
    EXPECT_EQ(received.samples, expected.samples);
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));

    std::future<std::string> refused = ReadOnAnotherThread(fifo);
    const RunResult wavToFifo = f.Render(f.input, fifo, {"--format", "wav"});
    EXPECT_EQ(wavToFifo.exitCode, 73);
    EXPECT_EQ(wavToFifo.err, "orvanta: cannot write output '" + fifo +
                                 "' as WAV (Microsoft), Signed 16 bit PCM: a pipe takes only formats written front to "
                                 "back (--format flac, au or raw)\n");
    EXPECT_EQ(refused.get(), "");
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
}

}  // namespace
