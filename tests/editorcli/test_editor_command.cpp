// orvanta editor, run as a user runs it: the state it starts in, actions
// from options and files, the values it prints, snapshots and presets it
// writes, gestures the host takes, and bad actions refused before anything
// runs or is written.
#include <gtest/gtest.h>

#include <map>

#include "PanelPictures.h"
#include "ProgramRun.h"

namespace {

using namespace editorcli_test;

constexpr int kUsage = 64, kNoInput = 66, kCannotCreate = 73;

// The printed values: identifier to display string.
std::map<std::string, std::string> Values(const std::string& out) {
    std::map<std::string, std::string> values;
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find('\n', start);
        if (end == std::string::npos) end = out.size();
        const std::string line = out.substr(start, end - start);
        const size_t gap = line.find("  ");
        if (gap != std::string::npos) values[line.substr(0, gap)] = line.substr(line.find_first_not_of(' ', gap));
        start = end + 1;
    }
    return values;
}

std::string Point(const Orvanta::SOrvanta_EditorRect& rect, int dx = 0, int dy = 0) {
    return std::to_string(rect.left + rect.width / 2 + dx) + " " + std::to_string(rect.top + rect.height / 2 + dy);
}

const Orvanta::SOrvanta_EditorRect& kHarmonicKnob = Orvanta::kEditorRect_InputTrimKnob;

TEST(EditorCommand, PrintsTheValuesTheActionsLeave) {
    ProgramFolder folder;
    folder.Write("deep.txt",
                 "# pick the deepest colour, then type a Dynamic value\n"
                 "click " + Point(Orvanta::kEditorRect_ColorButtons[4]) + "\n"
                 "click " + Point(Orvanta::kEditorRect_ProcessDisplay) + "\n"
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
        {"the same drag taken by the host",
         {"--host-takes-mouse", "--do", drag[0], "--do", drag[1], "--do", drag[2]},
         {}},
        {"an actions file", {"--actions", "deep.txt"}, {{"Color", "5.00"}, {"Dynamic", "40.00"}}},
        {"the Option click resets to the default",
         {"--set", "Harmonic=80", "--do", "click " + Point(kHarmonicKnob) + " alt"},
         {}},
        {"a wheel turn", {"--do", "wheel " + Point(Orvanta::kEditorRect_ProcessKnob) + " 2"}, {{"Dynamic", "20.00"}}},
    };
    const std::map<std::string, std::string> defaults = {{"\"\"", "bypass"}, {"Dynamic", "0.00"},
                                                         {"Harmonic", "0.00"}, {"OutputTrim", "0.00"},
                                                         {"Dither", "1.00"}, {"Color", "2.00"}};
    for (const auto& c : cases) {
        const ProgramResult result = folder.Run([&] {
            std::vector<std::string> arguments = {"editor"};
            arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
            return arguments;
        }());
        EXPECT_EQ(result.exitCode, 0) << c.name << "\n" << result.err;
        EXPECT_EQ(result.err, "") << c.name;
        std::map<std::string, std::string> expected = defaults;
        for (const auto& value : c.expected) expected[value.first] = value.second;
        EXPECT_EQ(Values(result.out), expected) << c.name << "\n" << result.out;
    }
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"deep.txt"}) << "nothing else is written";
}

TEST(EditorCommand, SnapshotsShowTheTypeSelectorAtEachColour) {
    ProgramFolder folder;
    const Orvanta::SOrvanta_EditorRect& selector = Orvanta::kEditorRect_TypeSelectKnob;
    const int uncovered = Orvanta::kEditorRect_ColorButtons[0].left;
    for (int color = Orvanta::kColorMin; color <= Orvanta::kColorMax; ++color) {
        const std::string name = Orvanta::kColorNames[color - 1];
        const ProgramResult result =
            folder.Run({"editor", "--set", "Color=" + name, "--snapshot", name + ".png", "--quiet"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const Picture snapshot(folder.Path(name + ".png"));
        ASSERT_TRUE(snapshot.Loaded()) << name;
        const Picture panel(Orvanta::kBitmapID_Background);
        EXPECT_EQ(snapshot.Width(), panel.Width());
        EXPECT_EQ(snapshot.Height(), panel.Height());
        const std::pair<int, int> match = BestMatchingFrame(PicturePixels(snapshot), selector, Orvanta::kBitmapID_Dial5Pos,
                                                            Orvanta::kEditorDialPositions5, uncovered);
        EXPECT_EQ(match.first, color - 1) << name;
        EXPECT_LE(match.second, 1) << name;
    }
}

TEST(EditorCommand, SnapshotActionsShowTheStateAtTheirLine) {
    ProgramFolder folder;
    const ProgramResult result = folder.Run({"editor", "--do", "snapshot before.png", "--do",
                                             "click " + Point(Orvanta::kEditorRect_ColorButtons[2]), "--do",
                                             "snapshot after.png", "--quiet"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "") << "--quiet prints no values";
    const Picture before(folder.Path("before.png")), after(folder.Path("after.png"));
    const int uncovered = Orvanta::kEditorRect_ColorButtons[0].left;
    const Orvanta::SOrvanta_EditorRect& selector = Orvanta::kEditorRect_TypeSelectKnob;
    EXPECT_EQ(BestMatchingFrame(PicturePixels(before), selector, Orvanta::kBitmapID_Dial5Pos, 5, uncovered).first, 1);
    EXPECT_EQ(BestMatchingFrame(PicturePixels(after), selector, Orvanta::kBitmapID_Dial5Pos, 5, uncovered).first, 2);
}

TEST(EditorCommand, SavesTheStateTheActionsLeaveAsAPreset) {
    ProgramFolder folder;
    const ProgramResult saved = folder.Run({"editor", "--set", "Dither=On", "--do",
                                            "click " + Point(Orvanta::kEditorRect_ColorButtons[0]), "--save-preset",
                                            "silver.preset"});
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    const ProgramResult restored = folder.Run({"editor", "--preset", "silver.preset"});
    ASSERT_EQ(restored.exitCode, 0) << restored.err;
    EXPECT_EQ(Values(restored.out), Values(saved.out));
    EXPECT_EQ(Values(restored.out)["Color"], "1.00");
    EXPECT_EQ(Values(restored.out)["Dither"], "2.00");
}

TEST(EditorCommand, RefusesBadActionsBeforeAnythingRuns) {
    ProgramFolder folder;
    folder.Write("bad.txt", "click 10 10\n\nprss 49 71\n");
    folder.Write("open.txt", "press 49 71\ndrag 49 21\n");
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        int exitCode;
        std::string message;
    } cases[] = {
        {"a bad line in a file", {"--actions", "bad.txt"}, kUsage,
         "orvanta: bad.txt line 3: unknown action \"prss\" (press, drag, release, click, wheel, key, type, enter, "
         "escape, snapshot)\n"},
        {"a bad --do", {"--do", "click 1 1", "--do", "click 1 up"}, kUsage,
         "orvanta: --do option 2: \"up\" is not a coordinate: click X Y [MODIFIER...]\n"},
        {"a press never released", {"--actions", "open.txt"}, kUsage,
         "orvanta: open.txt line 1: the press is never released\n"},
        {"a release without a press", {"--do", "release 1 1"}, kUsage,
         "orvanta: --do option 1: release without a press before it\n"},
        {"a missing actions file", {"--actions", "missing.txt"}, kNoInput,
         "orvanta: cannot read actions file 'missing.txt'\n"},
        {"a folder as actions file", {"--actions", "."}, kNoInput, "orvanta: cannot read actions file '.'\n"},
        {"a file argument", {"state.png"}, kUsage,
         "orvanta: editor takes no file arguments (see orvanta editor --help)\n"},
        {"a snapshot into a missing folder", {"--do", "snapshot no/such/folder.png"}, kCannotCreate, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = {"editor", "--snapshot", "never.png", "--save-preset", "never.preset"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const ProgramResult result = folder.Run(arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.name << "\n" << result.err;
        if (!c.message.empty()) {
            EXPECT_EQ(result.err, c.message) << c.name;
        } else {
            EXPECT_NE(result.err.find("--do option 1: cannot create output 'no/such/folder.png'"), std::string::npos)
                << result.err;
        }
        EXPECT_EQ(result.out, "") << c.name;
    }
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"bad.txt", "open.txt"})) << "nothing written, no temporary files";
}

TEST(EditorCommand, WarnsOfKeysThatWentNowhere) {
    ProgramFolder folder;
    const ProgramResult result = folder.Run({"editor", "--do", "type 50", "--quiet"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "orvanta: warning: --do option 1: no control has the keyboard focus; the keys went nowhere\n");
}

}  // namespace
