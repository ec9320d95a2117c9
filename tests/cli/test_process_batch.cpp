// orvanta process IN... --output-dir DIR: batch renders, their failures and refusals.
#include "CliHarness.h"

namespace {

using namespace cli_test;

const std::vector<std::string> kBusy = {"--set", "Harmonic=60", "--set", "Dynamic=70", "--set", "Dither=On"};

TEST(ProcessBatch, RendersEachFileAsASingleRenderWouldAndReportsTheFirstFailure) {
    ScratchFolder scratch;
    mkdir(scratch.Path("in").c_str(), 0755);
    WriteAudio(scratch.Path("in/a.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_PCM_24, 48000, 2, 20000));
    WriteAudio(scratch.Path("in/b.flac"), Tone(SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 96000, 1, 30000));
    WriteAudio(scratch.Path("in/c.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 2, 5000));
    WriteText(scratch.Path("in/notes.txt"), "not audio\n");
    const std::vector<std::string> good = {"a.wav", "b.flac", "c.wav"};
    std::vector<std::string> singles;
    for (const std::string& name : good) {
        const std::string single = scratch.Path("single-" + name);
        ASSERT_EQ(RunOrvanta(Concat({"process", scratch.Path("in/" + name), single}, kBusy)).exitCode, 0);
        singles.push_back(ReadWhole(single));
    }
    for (const char* jobs : {"1", "2", "4"}) {
        SCOPED_TRACE(std::string("jobs ") + jobs);
        const std::string folder = scratch.Path(std::string("out") + jobs);
        mkdir(folder.c_str(), 0755);
        const RunResult result =
            RunOrvanta(Concat({"process", scratch.Path("in/a.wav"), scratch.Path("in/notes.txt"),
                               scratch.Path("in/b.flac"), scratch.Path("in/missing.wav"),
                               scratch.Path("in/c.wav"), "--output-dir", folder, "--jobs", jobs},
                              kBusy));
        EXPECT_EQ(result.exitCode, 65) << "the first failure in the order given";
        EXPECT_TRUE(Has(result.err, "orvanta: input '" + scratch.Path("in/notes.txt") + "' is not audio"))
            << result.err;
        EXPECT_TRUE(
            Has(result.err, "orvanta: input '" + scratch.Path("in/missing.wav") + "' does not exist"));
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 2)
            << "nothing but the two failures";
        EXPECT_TRUE(Has(result.out, "Rendered 3 of 5 files to " + folder + "; 2 failed\n")) << result.out;
        for (size_t i = 0; i < good.size(); ++i)
            EXPECT_TRUE(ReadWhole(folder + "/" + good[i]) == singles[i]) << good[i];
        EXPECT_EQ(EntriesOf(folder), good) << "no temporary file left";
    }
}

TEST(ProcessBatch, RefusesWhatCannotWorkBeforeRendering) {
    ScratchFolder scratch;
    for (const char* folder : {"one", "two", "out"}) mkdir(scratch.Path(folder).c_str(), 0755);
    const std::string x1 = scratch.Path("one/x.wav"), x2 = scratch.Path("two/x.wav"), y = scratch.Path("two/y.wav");
    for (const std::string& path : {x1, x2, y})
        WriteAudio(path, Tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 1, 1000));
    const std::string out = scratch.Path("out");
    struct Case { std::vector<std::string> arguments; int exitCode; std::string err; };
    const Case cases[] = {
        {{"process", x1, x2, "--output-dir", out}, 64,
         "orvanta: two inputs would both be written to '" + out + "/x.wav'\n"},
        {{"process", x1, y, "--output-dir", out, "--format", "flac", "--jobs", "0"}, 64,
         "orvanta: --jobs needs a whole number from 1 to 256, not '0'\n"},
        {{"process", "--output-dir", out}, 64, "orvanta: process --output-dir needs at least one input file\n"},
        {{"process", x1, "--output-dir", scratch.Path("nowhere")}, 73,
         "orvanta: --output-dir '" + scratch.Path("nowhere") + "' is not a folder\n"},
    };
    for (const Case& c : cases) {
        const RunResult result = RunOrvanta(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_EQ(result.err, c.err);
    }
    EXPECT_TRUE(EntriesOf(out).empty());
    // The format's extension names the outputs.
    const RunResult flac = RunOrvanta({"process", x1, y, "--output-dir", out, "--format", "flac", "--quiet"});
    EXPECT_EQ(flac.exitCode, 0) << flac.err;
    for (const char* name : {"/x.flac", "/y.flac"})
        EXPECT_EQ(ReadAudio(out + name).format, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
}

}  // namespace
