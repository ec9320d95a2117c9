// orvanta editor run as a user runs it; bad actions refused before anything runs.
#include <map>

#include "EditorCliHarness.h"
#include "tests/cli/CliHarness.h"

namespace {

using namespace editorcli_test;
using cli_test::RunOrvanta;
using cli_test::RunResult;
using cli_test::ScratchFolder;
using cli_test::WriteText;

constexpr int kUsage = 64, kNoInput = 66, kCannotCreate = 73;

// The program draws text, which leaves fontconfig's caches for the leak checker.
RunResult RunEditor(std::vector<std::string> arguments) {
    static const int once = setenv("LSAN_OPTIONS",
                                   "print_suppressions=0:suppressions=" ORVANTA_SOURCE_DIR
                                   "/tests/editorcli/fontconfig.supp",
                                   1);
    (void)once;
    arguments.insert(arguments.begin(), "editor");
    return RunOrvanta(arguments);
}

// The printed values: identifier to display string.
std::map<std::string, std::string> Values(const std::string& out) {
    std::map<std::string, std::string> values;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        const size_t gap = line.find("  ");
        if (gap != std::string::npos) values[line.substr(0, gap)] = line.substr(line.find_first_not_of(' ', gap));
    }
    return values;
}

std::string Point(const Orvanta::SOrvanta_EditorRect& rect, int dx = 0, int dy = 0) {
    return std::to_string(rect.left + rect.width / 2 + dx) + " " + std::to_string(rect.top + rect.height / 2 + dy);
}

const Orvanta::SOrvanta_EditorRect& kHarmonicKnob = Orvanta::kEditorRect_HarmonicKnob;

TEST(EditorCommand, PrintsTheValuesTheActionsLeave) {
    ScratchFolder folder;
    WriteText(folder.Path("deep.txt"),
              "# pick the deepest colour, then type a Dynamic value\n"
              "click " + Point(Orvanta::kEditorRect_ColorButtons[4]) + "\n"
              "click " + Point(Orvanta::kEditorRect_DynamicDisplay) + "\n"
              "type 40\n"
              "enter\n");
    const std::string drag[] = {"press " + Point(kHarmonicKnob), "drag " + Point(kHarmonicKnob, 0, -50),
                                "release " + Point(kHarmonicKnob, 0, -50)};
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        std::map<std::string, std::string> expected;  // values that differ from the defaults
    } cases[] = {
        {"no actions", {}, {}},
        {"settings only", {"--set", "Color=Fat", "--set", "OutputTrim=-3"}, {{"Color", "4.00"}, {"OutputTrim", "-3.00"}}},
        {"a drag on the Harmonic knob", {"--do", drag[0], "--do", drag[1], "--do", drag[2]}, {{"Harmonic", "25.00"}}},
        // 41 pixels at 1/200 (Command comes with the move), then 30 at 1/300.
        {"a fine drag", {"--do", drag[0], "--do", "drag " + Point(kHarmonicKnob, 0, -41) + " cmd", "--do",
                         "drag " + Point(kHarmonicKnob, 0, -71) + " cmd", "--do", "release " + Point(kHarmonicKnob, 0, -71)},
         {{"Harmonic", "30.50"}}},
        {"the same drag taken by the host", {"--host-takes-mouse", "--do", drag[0], "--do", drag[1], "--do", drag[2]}, {}},
        {"an actions file", {"--actions", folder.Path("deep.txt")}, {{"Color", "5.00"}, {"Dynamic", "40.00"}}},
        {"a wheel turn", {"--do", "wheel " + Point(Orvanta::kEditorRect_DynamicKnob) + " 2"}, {{"Dynamic", "20.00"}}},
    };
    const std::map<std::string, std::string> defaults = {{"\"\"", "bypass"}, {"Dynamic", "0.00"},
                                                         {"Harmonic", "0.00"}, {"OutputTrim", "0.00"},
                                                         {"Dither", "1.00"}, {"Color", "2.00"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RunResult result = RunEditor(c.arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "");
        std::map<std::string, std::string> expected = c.expected;
        expected.insert(defaults.begin(), defaults.end());
        EXPECT_EQ(Values(result.out), expected) << result.out;
    }
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"deep.txt"}) << "nothing else is written";
}

TEST(EditorCommand, SnapshotsAndPresetsHoldTheStateAtTheirPlace) {
    ScratchFolder folder;
    const std::string preset = folder.Path("p.preset");
    const RunResult saved = RunEditor({"--set", "Color=Deep", "--set", "Dither=On", "--do",
                                       "snapshot " + folder.Path("before.png"), "--do",
                                       "click " + Point(Orvanta::kEditorRect_ColorButtons[2]), "--snapshot",
                                       folder.Path("after.png"), "--save-preset", preset});
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    const Picture panel(Orvanta::kBitmapID_Background), before(folder.Path("before.png")),
        after(folder.Path("after.png"));
    ASSERT_TRUE(before.Loaded() && after.Loaded());
    EXPECT_EQ(ShownColourFrame(before), 4);
    EXPECT_EQ(ShownColourFrame(after), 2);
    EXPECT_EQ(after.Width(), panel.Width());
    EXPECT_EQ(after.Height(), panel.Height());
    const RunResult restored = RunEditor({"--preset", preset});
    ASSERT_EQ(restored.exitCode, 0) << restored.err;
    EXPECT_EQ(Values(restored.out), Values(saved.out));
    EXPECT_EQ(Values(restored.out)["Color"], "3.00");
    EXPECT_EQ(Values(restored.out)["Dither"], "2.00");
}

TEST(EditorCommand, RefusesBadActionsBeforeAnythingRuns) {
    ScratchFolder folder;
    const std::string bad = folder.Path("bad.txt"), open = folder.Path("open.txt");
    WriteText(bad, "click 10 10\n\nprss 49 71\n");
    WriteText(open, "press 49 71\ndrag 49 21\n");
    const struct { const char* name; std::vector<std::string> arguments; int exitCode; std::string message; }
        cases[] = {
        {"a bad line in a file", {"--actions", bad}, kUsage,
         bad + " line 3: unknown action \"prss\" (press, drag, release, click, wheel, key, type, enter, escape, snapshot)"},
        {"a bad --do", {"--do", "click 1 1", "--do", "click 1 up"}, kUsage,
         "--do option 2: \"up\" is not a coordinate: click X Y [MODIFIER...]"},
        {"a press never released", {"--actions", open}, kUsage, open + " line 1: the press is never released"},
        {"a missing actions file", {"--actions", "missing.txt"}, kNoInput, "cannot read actions file 'missing.txt'"},
        {"a folder as actions file", {"--actions", folder.Root()}, kNoInput,
         "cannot read actions file '" + folder.Root() + "'"},
        {"a file argument", {"state.png"}, kUsage, "editor takes no file arguments (see orvanta editor --help)"},
        {"a snapshot into a missing folder", {"--do", "snapshot " + folder.Path("no/such.png")}, kCannotCreate,
         "--do option 1: cannot create output '" + folder.Path("no/such.png") + "': No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RunResult result = RunEditor(cli_test::Concat(
            {"--snapshot", folder.Path("never.png"), "--save-preset", folder.Path("never.preset")},
            c.arguments));
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_EQ(result.err, "orvanta: " + c.message + "\n");
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"bad.txt", "open.txt"})) << "nothing written, no temporary files";
}

TEST(EditorCommand, WarnsOfKeysThatWentNowhere) {
    const RunResult result = RunEditor({"--do", "type 50"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "orvanta: warning: --do option 1: no control has the keyboard focus; the keys went nowhere\n");
    const RunResult quiet = RunEditor({"--do", "type 50", "--quiet"});
    EXPECT_EQ(quiet.err, "") << "--quiet keeps warnings back";
    EXPECT_EQ(quiet.out, "") << "--quiet prints no values";
}

}  // namespace
