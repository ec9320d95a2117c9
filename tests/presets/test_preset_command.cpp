// The preset commands and --preset as a user runs them: written, shown, refused, restored.
#include <cstddef>

#include "AAX_SPlugInChunk.h"
#include "tests/cli/CliHarness.h"

namespace {

using namespace cli_test;

std::string WriteTestSignal(const ScratchFolder& scratch) {
    WriteAudio(scratch.Path("in.wav"), Tone(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 12000));
    return scratch.Path("in.wav");
}

TEST(PresetCommand, SaveWritesTheRecordAndShowReadsItBack) {
    ScratchFolder scratch;
    const std::string preset = scratch.Path("warm.preset");
    const RunResult saved = RunOrvanta({"preset", "save", preset, "--set", "Harmonic=40", "--set", "Color=Gold",
                                        "--set", "OutputTrim=-3", "--set", "Dither=On"});
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_TRUE(Has(saved.out, "5 entries, 152 bytes")) << saved.out;
    const std::string bytes = ReadWhole(preset);
    ASSERT_EQ(bytes.size(), kAAX_ChunkHeaderSize + 96);
    EXPECT_EQ(scratch.Entries(), std::vector<std::string>{"warm.preset"});  // no temporary file left

    const RunResult shown = RunOrvanta({"preset", "show", preset});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    for (const char* expected : {
             "state chunk 'elck' \"Rizazuve Zovavode State\", version -1, 96 data bytes",
             "manufacturer 'QUIL', product 'Orvn', component 'OrvS'",
             "4       d_ double  Dynamic     0\n", "24      d_ double  Harmonic    40\n", "44      d_ double  OutputTrim  -3\n",
             "68      l_ int32   Dither      2\n", "84      l_ int32   Color       2\n",
             "Harmonic    Harmonic       40.00", "OutputTrim  OutputTrim     -3.00",
             "Master Bypass", "default (not set by the preset)"})
        EXPECT_TRUE(Has(shown.out, expected)) << expected << "\n" << shown.out;

    // Saving from the preset gives the same bytes; a later --set changes them.
    const RunResult again = RunOrvanta({"preset", "save", scratch.Path("again.preset"), "--preset", preset, "--quiet"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, "");
    EXPECT_EQ(ReadWhole(scratch.Path("again.preset")), bytes);
    ASSERT_EQ(RunOrvanta({"preset", "save", scratch.Path("changed.preset"), "--preset", preset, "--set", "Color=Deep"})
                  .exitCode, 0);
    EXPECT_NE(ReadWhole(scratch.Path("changed.preset")), bytes);
}

TEST(PresetCommand, ProcessRestoresThePresetAtItsPlaceAmongTheSettings) {
    ScratchFolder scratch;
    const std::string input = WriteTestSignal(scratch);
    const std::string preset = scratch.Path("p.preset");
    const std::vector<std::string> typed = {"--set", "Harmonic=40", "--set", "Color=Fat", "--set", "OutputTrim=-3",
                                            "--set", "Dither=On", "--set", "Dynamic=25"};
    ASSERT_EQ(RunOrvanta(Concat({"preset", "save", preset}, typed)).exitCode, 0);
    const std::vector<std::string> settings[] = {
        {"--preset", preset},                          // 0: the preset
        typed,                                         // 1: its values typed
        {"--set", "Harmonic=70", "--preset", preset},  // 2: a setting before the preset
        {"--preset", preset, "--set", "Harmonic=70"},  // 3: a setting after it
        Concat(typed, {"--set", "Harmonic=70"}),       // 4: the values typed, then the setting
        {},                                            // 5: defaults
    };
    std::vector<std::string> rendered;
    for (const std::vector<std::string>& setting : settings) {
        const std::string output = scratch.Path(std::to_string(rendered.size()) + ".wav");
        const RunResult run = RunOrvanta(Concat({"process", input, output, "--quiet"}, setting));
        ASSERT_EQ(run.exitCode, 0) << output << ": " << run.err;
        rendered.push_back(ReadWhole(output));
    }
    EXPECT_TRUE(rendered[1] == rendered[0]) << "a preset renders as its values typed";
    EXPECT_TRUE(rendered[2] == rendered[0]) << "a preset overrides the settings before it";
    EXPECT_TRUE(rendered[3] == rendered[4]) << "settings after a preset override it";
    EXPECT_FALSE(rendered[3] == rendered[0]);
    EXPECT_FALSE(rendered[5] == rendered[0]);
}

// Damaged and foreign records are refused by show and by process alike,
// named by their path. (Every reason: test_preset_file.cpp.)
TEST(PresetCommand, RefusesFilesThatAreNoWholeRecordOfThisEffect) {
    ScratchFolder scratch;
    const std::string good = scratch.Path("good.preset");
    ASSERT_EQ(RunOrvanta({"preset", "save", good, "--set", "Harmonic=60"}).exitCode, 0);
    std::string foreign = ReadWhole(good);
    foreign[offsetof(AAX_SPlugInChunk, fProdID) + 3] ^= 0x20;
    const std::string input = WriteTestSignal(scratch);

    struct Case { const char* name; std::string contents; int exitCode; const char* message; };
    const Case cases[] = {
        {"another product", foreign, 65,
         "the preset belongs to manufacturer 'QUIL', product 'orvn'; this effect is manufacturer 'QUIL', "
         "product 'Orvn'"},
        {"missing", "", 66, "missing.preset: cannot open the preset"},
    };
    for (const Case& c : cases) {
        const std::string path = scratch.Path(std::string(c.name) + ".preset");
        if (c.exitCode != 66) WriteText(path, c.contents);  // 66: no file at all
        const RunResult shown = RunOrvanta({"preset", "show", path});
        EXPECT_EQ(shown.exitCode, c.exitCode) << c.name;
        EXPECT_EQ(shown.err.rfind("orvanta: " + path + ": ", 0), 0u) << c.name << ": " << shown.err;
        EXPECT_TRUE(Has(shown.err, c.message)) << c.name << ": " << shown.err;

        const std::string output = scratch.Path(std::string(c.name) + ".wav");
        const RunResult processed = RunOrvanta({"process", input, output, "--preset", path});
        EXPECT_EQ(processed.exitCode, c.exitCode) << c.name;
        EXPECT_TRUE(Has(processed.err, c.message)) << c.name << ": " << processed.err;
        EXPECT_NE(access(output.c_str(), F_OK), 0) << c.name << ": no output";
    }
}

// A crafted name can hold terminal escape sequences (set the window
// title, clear the screen); show prints them as escapes instead.
TEST(PresetCommand, ShowEscapesControlCharactersOfTheFile) {
    ScratchFolder scratch;
    const std::string good = scratch.Path("good.preset");
    ASSERT_EQ(RunOrvanta({"preset", "save", good}).exitCode, 0);
    struct Case { std::string name, printed; };  // written into the header's name field; as show prints it
    const Case cases[] = {
        {"\x1b]0;owned\x07\x1b[2J", "\\x1b]0;owned\\x07\\x1b[2J"},
        {"tab\there\nnew\x7f", "tab\\x09here\\x0anew\\x7f"},
        {"C1 \xc2\x9b" " and bare \x9b", "C1 \\xc2\\x9b and bare \\x9b"},
        {"caf\xc3\xa9 \xe2\x99\xab", "caf\xc3\xa9 \xe2\x99\xab"},  // UTF-8 stays
    };
    for (const Case& c : cases) {
        std::string bytes = ReadWhole(good);
        const std::string field = c.name + std::string(kAAX_ChunkNameSize, '\0');
        bytes.replace(offsetof(AAX_SPlugInChunk, fName), kAAX_ChunkNameSize, field, 0, kAAX_ChunkNameSize);
        const std::string crafted = scratch.Path("crafted.preset");
        WriteText(crafted, bytes);
        const RunResult shown = RunOrvanta({"preset", "show", crafted});
        EXPECT_EQ(shown.exitCode, 0) << shown.err;
        EXPECT_TRUE(Has(shown.out, "state chunk 'elck' \"" + c.printed + "\", version")) << shown.out;
        for (char control : {'\x1b', '\x07', '\x7f', '\t'}) EXPECT_FALSE(Has(shown.out, std::string(1, control)));
    }
}

TEST(PresetCommand, CommandLineMistakes) {
    ScratchFolder scratch;
    const std::string good = scratch.Path("good.preset");
    ASSERT_EQ(RunOrvanta({"preset", "save", good}).exitCode, 0);
    struct Case { std::vector<std::string> arguments; int exitCode; const char* message; };
    const Case cases[] = {
        {{"preset"}, 64, "preset needs 'save FILE' or 'show FILE'"},
        {{"preset", "load", good}, 64, "preset needs 'save FILE' or 'show FILE'"},
        {{"preset", "show"}, 64, "preset needs"},
        {{"preset", "show", good, good}, 64, "preset needs"},
        {{"preset", "show", good, "--set", "Harmonic=3"}, 64, "preset show takes no --set or --preset"},
        {{"preset", "save", scratch.Path("b.preset"), "--bypass"}, 64, "unknown option '--bypass'"},
        {{"preset", "save", scratch.Path("b.preset"), "--set", "Volume=3"}, 64, "Volume"},
        {{"preset", "save", scratch.Root()}, 73, "it is a folder"},
        {{"preset", "save", scratch.Path("no-such-folder/b.preset")}, 73, "cannot create output"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.back());
        const RunResult run = RunOrvanta(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(Has(run.err, c.message)) << run.err;
    }
    EXPECT_EQ(scratch.Entries(), std::vector<std::string>{"good.preset"});  // nothing half-written
}

}  // namespace
