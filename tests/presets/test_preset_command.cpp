// The orvanta program's preset commands and --preset option, run as a user
// runs them: files written, shown, refused and restored before rendering.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "AAX_SPlugInChunk.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

Bytes ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
}

bool Exists(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

// One new folder per test, removed afterwards.
class PresetCommand : public ::testing::Test {
protected:
    void SetUp() override {
        m_Folder = ::testing::TempDir() + "orvanta-presets-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" + std::to_string(getpid());
        RemoveFolder();
        ASSERT_EQ(mkdir(m_Folder.c_str(), 0755), 0) << m_Folder;
    }
    void TearDown() override { RemoveFolder(); }

    void RemoveFolder() const { std::system(("rm -rf '" + m_Folder + "'").c_str()); }

    std::string Path(const std::string& name) const { return m_Folder + "/" + name; }

    // Runs orvanta with the arguments (none of which holds a quote).
    Outcome Run(const std::vector<std::string>& arguments) const {
        std::string command = "'" + std::string(ORVANTA_PROGRAM) + "'";
        for (const std::string& argument : arguments) command += " '" + argument + "'";
        command += " >'" + Path(".out") + "' 2>'" + Path(".err") + "' </dev/null";
        const int status = std::system(command.c_str());
        Outcome outcome;
        outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        const Bytes out = ReadBytes(Path(".out")), err = ReadBytes(Path(".err"));
        outcome.out.assign(out.begin(), out.end());
        outcome.err.assign(err.begin(), err.end());
        return outcome;
    }

    // Files in the folder other than the captured output.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        DIR* folder = opendir(m_Folder.c_str());
        while (dirent* entry = readdir(folder)) {
            const std::string name = entry->d_name;
            if (name != "." && name != ".." && name != ".out" && name != ".err") names.push_back(name);
        }
        closedir(folder);
        return names;
    }

    // A quarter second of a stereo 48 kHz chord as a 16-bit WAV file.
    std::string WriteTestSignal() const {
        const uint32_t frames = 12000, rate = 48000;
        Bytes wav;
        auto put = [&wav](uint32_t value, int bytes) {
            for (int i = 0; i < bytes; ++i) wav.push_back(uint8_t(value >> (8 * i)));
        };
        auto tag = [&wav](const char* text) { wav.insert(wav.end(), text, text + 4); };
        tag("RIFF"); put(36 + frames * 4, 4); tag("WAVE");
        tag("fmt "); put(16, 4); put(1, 2); put(2, 2); put(rate, 4); put(rate * 4, 4); put(4, 2); put(16, 2);
        tag("data"); put(frames * 4, 4);
        for (uint32_t i = 0; i < frames; ++i)
            for (int channel = 0; channel < 2; ++channel) {
                const double t = double(i) / rate;
                const double sample = 0.4 * std::sin(2 * M_PI * (220.0 + 110.0 * channel) * t) +
                                      0.2 * std::sin(2 * M_PI * 663.0 * t);
                put(uint32_t(int32_t(std::lround(sample * 32767.0))) & 0xFFFF, 2);
            }
        WriteBytes(Path("in.wav"), wav);
        return Path("in.wav");
    }

    std::string m_Folder;
};

TEST_F(PresetCommand, SaveWritesTheRecordAndShowReadsItBack) {
    const std::string preset = Path("warm.preset");
    const Outcome saved = Run({"preset", "save", preset, "--set", "Harmonic=40", "--set", "Color=Gold",
                               "--set", "OutputTrim=-3", "--set", "Dither=On"});
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_NE(saved.out.find("5 entries, 152 bytes"), std::string::npos) << saved.out;
    const Bytes bytes = ReadBytes(preset);
    ASSERT_EQ(bytes.size(), kAAX_ChunkHeaderSize + 96);
    EXPECT_EQ(Files(), std::vector<std::string>{"warm.preset"});  // no temporary file left

    const Outcome shown = Run({"preset", "show", preset});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    for (const char* expected : {
             "state chunk 'elck' \"Rizazuve Zovavode State\", version -1, 96 data bytes",
             "manufacturer 'QUIL', product 'Orvn', component 'OrvS'",
             "24      d_ double  Harmonic    40\n", "44      d_ double  OutputTrim  -3\n",
             "68      l_ int32   Dither      2\n", "84      l_ int32   Color       2\n",
             "Harmonic    Harmonic       40.00", "OutputTrim  OutputTrim     -3.00",
             "Master Bypass", "default (not set by the preset)"})
        EXPECT_NE(shown.out.find(expected), std::string::npos) << expected << "\n" << shown.out;

    // Saving from the preset gives the same bytes; a later --set changes them.
    const Outcome again = Run({"preset", "save", Path("again.preset"), "--preset", preset, "--quiet"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_TRUE(again.out.empty());
    EXPECT_EQ(ReadBytes(Path("again.preset")), bytes);
    ASSERT_EQ(Run({"preset", "save", Path("changed.preset"), "--preset", preset, "--set", "Color=Deep"}).exitCode, 0);
    EXPECT_NE(ReadBytes(Path("changed.preset")), bytes);
}

TEST_F(PresetCommand, ProcessRestoresThePresetAtItsPlaceAmongTheSettings) {
    const std::string input = WriteTestSignal();
    const std::string preset = Path("p.preset");
    ASSERT_EQ(Run({"preset", "save", preset, "--set", "Harmonic=40", "--set", "Color=Fat", "--set",
                   "OutputTrim=-3", "--set", "Dither=On", "--set", "Dynamic=25"}).exitCode, 0);
    const std::vector<std::string> asPreset = {"--set", "Harmonic=40", "--set", "Color=Fat", "--set",
                                               "OutputTrim=-3", "--set", "Dither=On", "--set", "Dynamic=25"};

    struct Case { const char* name; std::vector<std::string> settings; };
    std::vector<std::string> presetThenSet = {"--preset", preset, "--set", "Harmonic=70"};
    std::vector<std::string> setsThenSet = asPreset;
    setsThenSet.insert(setsThenSet.end(), {"--set", "Harmonic=70"});
    const Case cases[] = {
        {"preset", {"--preset", preset}},
        {"same values typed", asPreset},
        {"set then preset", {"--set", "Harmonic=70", "--preset", preset}},
        {"preset then set", presetThenSet},
        {"same values typed, then set", setsThenSet},
        {"defaults", {}},
    };
    std::vector<Bytes> rendered;
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"process", input, Path(std::string(c.name) + ".wav"), "--quiet"};
        arguments.insert(arguments.end(), c.settings.begin(), c.settings.end());
        const Outcome outcome = Run(arguments);
        ASSERT_EQ(outcome.exitCode, 0) << c.name << ": " << outcome.err;
        rendered.push_back(ReadBytes(Path(std::string(c.name) + ".wav")));
    }
    EXPECT_EQ(rendered[0], rendered[1]) << "a preset renders as its values typed";
    EXPECT_EQ(rendered[2], rendered[0]) << "a preset overrides the settings before it";
    EXPECT_EQ(rendered[3], rendered[4]) << "settings after a preset override it";
    EXPECT_NE(rendered[3], rendered[0]);
    EXPECT_NE(rendered[5], rendered[0]);
}

TEST_F(PresetCommand, RefusesFilesThatAreNoWholeRecordOfThisEffect) {
    const std::string good = Path("good.preset");
    ASSERT_EQ(Run({"preset", "save", good, "--set", "Harmonic=60"}).exitCode, 0);
    const Bytes bytes = ReadBytes(good);
    const std::string input = WriteTestSignal();
    auto edited = [&bytes](const std::function<void(Bytes&)>& edit) {
        Bytes copy = bytes;
        edit(copy);
        return copy;
    };
    auto setSize = [](Bytes& b, int32_t size) { std::memcpy(b.data(), &size, sizeof size); };

    struct Case { const char* name; Bytes contents; int exitCode; const char* message; };
    const Case cases[] = {
        {"empty", {}, 65, "not a state chunk record: 0 bytes, fewer than its 56-byte header"},
        {"cut in the header", Bytes(bytes.begin(), bytes.begin() + 40), 65, "40 bytes, fewer than"},
        {"cut in the data", Bytes(bytes.begin(), bytes.end() - 2), 65,
         "sizes disagree: the header gives 96 data bytes, 94 follow its 56-byte header"},
        {"one byte more", edited([](Bytes& b) { b.push_back(0); }), 65, "the header gives 96 data bytes, 97 follow"},
        {"negative size", edited([&](Bytes& b) { setSize(b, -1); }), 65, "the header gives -1 data bytes"},
        {"size and data cut alike", edited([&](Bytes& b) { b.resize(b.size() - 4); setSize(b, 92); }), 65,
         "entry 5 at data offset 84: the value of \"Color\" runs past the end of the data (92 bytes)"},
        {"no marker", edited([](Bytes& b) { b[kAAX_ChunkHeaderSize] = 0; }), 65, "marker 01 01 01 01"},
        {"another chunk", edited([](Bytes& b) { b[offsetof(AAX_SPlugInChunk, fChunkID)] ^= 0x20; }), 65,
         "the preset holds chunk 'elcK', which this effect does not have (its chunks: 'elck')"},
        {"another product", edited([](Bytes& b) { b[offsetof(AAX_SPlugInChunk, fProdID) + 3] ^= 0x20; }), 65,
         "the preset belongs to manufacturer 'QUIL', product 'orvn'; this effect is manufacturer 'QUIL', "
         "product 'Orvn'"},
        {"an audio file", ReadBytes(input), 65, "sizes disagree"},
    };
    for (const Case& c : cases) {
        const std::string path = Path(std::string(c.name) + ".preset");
        WriteBytes(path, c.contents);
        const Outcome shown = Run({"preset", "show", path});
        EXPECT_EQ(shown.exitCode, c.exitCode) << c.name;
        EXPECT_EQ(shown.err.rfind("orvanta: " + path + ": ", 0), 0u) << c.name << ": " << shown.err;
        EXPECT_NE(shown.err.find(c.message), std::string::npos) << c.name << ": " << shown.err;

        const std::string output = Path(std::string(c.name) + ".wav");
        const Outcome processed = Run({"process", input, output, "--preset", path});
        EXPECT_EQ(processed.exitCode, c.exitCode) << c.name;
        EXPECT_NE(processed.err.find(c.message), std::string::npos) << c.name << ": " << processed.err;
        EXPECT_FALSE(Exists(output)) << c.name;
    }

    const Outcome missing = Run({"preset", "show", Path("missing.preset")});
    EXPECT_EQ(missing.exitCode, 66);
    EXPECT_NE(missing.err.find("missing.preset: cannot open the preset"), std::string::npos) << missing.err;
    EXPECT_EQ(Run({"process", input, Path("out.wav"), "--preset", Path("missing.preset")}).exitCode, 66);
}

TEST_F(PresetCommand, CommandLineMistakes) {
    const std::string good = Path("good.preset");
    ASSERT_EQ(Run({"preset", "save", good}).exitCode, 0);
    struct Case { std::vector<std::string> arguments; int exitCode; const char* message; };
    const Case cases[] = {
        {{"preset"}, 64, "preset needs 'save FILE' or 'show FILE'"},
        {{"preset", "load", good}, 64, "preset needs 'save FILE' or 'show FILE'"},
        {{"preset", "show"}, 64, "preset needs"},
        {{"preset", "show", good, good}, 64, "preset needs"},
        {{"preset", "show", good, "--set", "Harmonic=3"}, 64, "preset show takes no --set or --preset"},
        {{"preset", "save", Path("b.preset"), "--bypass"}, 64, "unknown option '--bypass'"},
        {{"preset", "save", Path("b.preset"), "--set", "Volume=3"}, 64, "Volume"},
        {{"preset", "save", m_Folder}, 73, "it is a folder"},
        {{"preset", "save", Path("no-such-folder/b.preset")}, 73, "cannot create output"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = Run(c.arguments);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.arguments.back();
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << c.arguments.back() << ": " << outcome.err;
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"good.preset"});  // nothing half-written
}

}  // namespace
