// orvanta process and its input: bounded memory, damaged files, a WAV of unknown size.
#include <sys/resource.h>

#include "CliHarness.h"

namespace {

using namespace cli_test;

// Writes seconds of a stereo 16-bit 48 kHz tone a second at a time.
void WriteLongTone(const std::string& path, int seconds) {
    const Audio second = Tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 48000);
    SF_INFO info{};
    info.format = second.format;
    info.samplerate = 48000;
    info.channels = 2;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_TRUE(file) << sf_strerror(nullptr);
    for (int i = 0; i < seconds; ++i) ASSERT_EQ(sf_writef_double(file, second.samples.data(), 48000), 48000);
    sf_close(file);
}

// Renders name with busy settings; the program's peak resident memory in KiB.
long PeakMemoryOf(const ScratchFolder& scratch, const std::string& name) {
    const pid_t pid = Start({"process", scratch.Path(name), scratch.Path("out-" + name), "--set", "Dither=On",
                             "--set", "Dynamic=70", "--quiet"},
                            "/dev/null", "/dev/null");
    int status = 0;
    rusage usage{};
    EXPECT_EQ(wait4(pid, &status, 0, &usage), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    return usage.ru_maxrss;
}

TEST(ProcessInput, MemoryDoesNotGrowWithTheLengthOfTheFile) {
    ScratchFolder scratch;
    WriteLongTone(scratch.Path("short.wav"), 1);
    WriteLongTone(scratch.Path("long.wav"), 300);  // 55 MiB of audio, 220 MiB as floats
    const long shortPeak = PeakMemoryOf(scratch, "short.wav"), longPeak = PeakMemoryOf(scratch, "long.wav");
    EXPECT_EQ(ReadAudio(scratch.Path("out-long.wav")).Frames(), 300 * 48000);
    EXPECT_LT(longPeak - shortPeak, 8 * 1024) << "short " << shortPeak << " KiB, long " << longPeak << " KiB";
}

TEST(ProcessInput, DamagedInputIsAnErrorAndLeavesNoOutput) {
    const auto cut = [](size_t size) { return [size](std::string& bytes) { bytes.resize(size); }; };
    const auto scramble = [](std::string& bytes) {
        for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 2000; ++i)
            bytes[i] = char((i * 2654435761u) >> 13);
    };
    const auto zero = [](std::string& bytes) {
        std::fill(bytes.begin() + long(bytes.size() / 4),
                  bytes.begin() + long(bytes.size() / 4 + bytes.size() / 2), '\0');
    };
    const struct {
        const char* name;
        int format, channels;
        sf_count_t frames;
        std::function<void(std::string&)> damage;
        std::string message;  // after "orvanta: input '<path>' "; "" for the layout refused from the header
    } cases[] = {
        // 44 header bytes and 24,989 frames of 2 bytes; 54 header bytes and 10,000 frames of 6 bytes.
        {"short.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 48000, cut(44 + 2 * 24989),
         "ends early: 24,989 of 48,000 frames"},
        {"short.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 2, 30000, cut(54 + 6 * 10000),
         "ends early: 10,000 of 30,000 frames"},
        {"short.w64", SF_FORMAT_W64 | SF_FORMAT_PCM_16, 1, 30000, cut(40000), "ends early: "},
        {"short.au", SF_FORMAT_AU | SF_FORMAT_PCM_16, 1, 30000, cut(40000), "ends early: "},
        {"short.rf64", SF_FORMAT_RF64 | SF_FORMAT_PCM_16, 1, 30000, cut(40000), "ends early: "},
        {"scrambled.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2, 240000, scramble, "is damaged after "},
        {"zeroed.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2, 240000, zero, "is damaged after "},
        // A layout the effect cannot take, and no audio behind the header.
        {"three-cut.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 3, 48000, cut(50), ""},
    };
    ScratchFolder scratch;
    for (const auto& c : cases) {
        WriteAudio(scratch.Path("whole"), Tone(c.format, 48000, c.channels, c.frames));
        std::string bytes = ReadWhole(scratch.Path("whole"));
        c.damage(bytes);
        WriteText(scratch.Path(c.name), bytes);
    }
    remove(scratch.Path("whole").c_str());
    const std::vector<std::string> inputs = scratch.Entries();
    for (const auto& c : cases)
        for (const char* block : {"512", "1"}) {
            SCOPED_TRACE(std::string(c.name) + ", block " + block);
            const std::string in = scratch.Path(c.name);
            const RunResult result =
                RunOrvanta({"process", in, scratch.Path("out.wav"), "--block", block, "--format", "wav"});
            EXPECT_EQ(result.exitCode, 65) << result.err;
            const std::string prefix =
                c.message.empty()
                    ? "orvanta: the input has 3 channels; only mono and stereo can be processed\n"
                    : "orvanta: input '" + in + "' " + c.message;
            EXPECT_EQ(result.err.rfind(prefix, 0), 0u) << result.err;
            EXPECT_TRUE(c.message != "ends early: " || Has(result.err, " of 30,000 frames\n")) << result.err;
            EXPECT_EQ(result.out, "");
            EXPECT_EQ(scratch.Entries(), inputs) << "a damaged input leaves no output";
        }
}

// A WAV written to a pipe keeps placeholder sizes: read to its end, not refused as cut short.
TEST(ProcessInput, AWavOfUnknownSizeIsReadToItsEnd) {
    ScratchFolder scratch;
    WriteAudio(scratch.Path("in.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 1, 3000));
    std::string bytes = ReadWhole(scratch.Path("in.wav"));
    for (size_t at : {size_t(4), size_t(40)}) bytes.replace(at, 4, "\xff\xff\xff\xff");  // 44 header bytes
    WriteText(scratch.Path("piped.wav"), bytes);
    const RunResult run = RunOrvanta({"process", scratch.Path("piped.wav"), scratch.Path("out.wav"), "--quiet"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadAudio(scratch.Path("out.wav")).samples, ReadAudio(scratch.Path("in.wav")).samples);
}

}  // namespace
