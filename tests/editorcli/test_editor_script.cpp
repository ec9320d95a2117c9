// The action language. (Running scripts: test_editor_command.)
#include <tuple>

#include "EditorCliHarness.h"
#include "host/runtime/EditorScript.h"

namespace {

using namespace editorcli_test;
using Kind = EditorAction::Kind;
using VSTGUI::CLinuxNativeView;

TEST(EditorScript, ReadsEveryActionWithItsArguments) {
    const uint32_t shift = CLinuxNativeView::kShiftModifier, ctrl = CLinuxNativeView::kControlModifier,
                   alt = CLinuxNativeView::kOptionModifier, cmd = CLinuxNativeView::kCommandModifier;
    const struct { const char* line; Kind kind; double x, y; uint32_t modifiers; float distance; int32_t character;
        VSTGUI::VirtualKey key; const char* text; } cases[] = {
        {"press 49 71", Kind::Press, 49, 71, 0, 0, 0, VSTGUI::VKEY_NONE, ""},
        {"  PRESS 49.5 -3 shift Cmd  ", Kind::Press, 49.5, -3, shift | cmd, 0, 0, VSTGUI::VKEY_NONE, ""},
        {"drag 49 21 command", Kind::Drag, 49, 21, cmd, 0, 0, VSTGUI::VKEY_NONE, ""},
        {"release 49 21", Kind::Release, 49, 21, 0, 0, 0, VSTGUI::VKEY_NONE, ""},
        {"click 447 98 alt ctrl", Kind::Click, 447, 98, alt | ctrl, 0, 0, VSTGUI::VKEY_NONE, ""},
        {"click 1 2 option opt control", Kind::Click, 1, 2, alt | ctrl, 0, 0, VSTGUI::VKEY_NONE, ""},
        {"wheel 139 71 -2.5 cmd", Kind::Wheel, 139, 71, cmd, -2.5f, 0, VSTGUI::VKEY_NONE, ""},
        {"key up", Kind::Key, 0, 0, 0, 0, 0, VSTGUI::VKEY_UP, ""},
        {"key Backspace", Kind::Key, 0, 0, 0, 0, 0, VSTGUI::VKEY_BACK, ""},
        {"key a cmd", Kind::Key, 0, 0, cmd, 0, 'a', VSTGUI::VKEY_NONE, ""},
        {"key \"#\"", Kind::Key, 0, 0, 0, 0, '#', VSTGUI::VKEY_NONE, ""},
        {"type 40", Kind::Type, 0, 0, 0, 0, 0, VSTGUI::VKEY_NONE, "40"},
        {"type  Gold   x", Kind::Type, 0, 0, 0, 0, 0, VSTGUI::VKEY_NONE, "Gold x"},
        {"type \"a  # \\\"b\\\\\"", Kind::Type, 0, 0, 0, 0, 0, VSTGUI::VKEY_NONE, "a  # \"b\\"},
        {"type 5 # a comment", Kind::Type, 0, 0, 0, 0, 0, VSTGUI::VKEY_NONE, "5"},
        {"enter", Kind::Enter, 0, 0, 0, 0, 0, VSTGUI::VKEY_NONE, ""},
        {"Escape", Kind::Escape, 0, 0, 0, 0, 0, VSTGUI::VKEY_NONE, ""},
        {"snapshot \"out dir/a.png\"", Kind::Snapshot, 0, 0, 0, 0, 0, VSTGUI::VKEY_NONE, "out dir/a.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EditorScript script;
        std::string error;
        ASSERT_TRUE(script.AddLine(c.line, "--do", &error)) << error;
        ASSERT_EQ(script.Actions().size(), 1u);
        const EditorAction& a = script.Actions()[0];
        EXPECT_EQ(std::tie(a.kind, a.where.x, a.where.y, a.modifiers, a.distance, a.character, a.virtualKey),
                  std::make_tuple(c.kind, c.x, c.y, c.modifiers, c.distance, c.character, c.key));
        EXPECT_EQ(a.text, c.text);
        EXPECT_EQ(a.origin, "--do");
    }
}

TEST(EditorScript, RefusesBadLinesSayingWhere) {
    const struct { const char* text; const char* message; } cases[] = {
        {"prss 1 2", "s.txt line 1: unknown action \"prss\" (press, drag, release, click, wheel, key, type, enter, "
                     "escape, snapshot)"},
        {"# setup\n\npress 1", "s.txt line 3: press needs a point: press X Y [MODIFIER...]"},
        {"click 1 y", "s.txt line 1: \"y\" is not a coordinate: click X Y [MODIFIER...]"},
        {"click nan 2", "s.txt line 1: \"nan\" is not a coordinate: click X Y [MODIFIER...]"},
        {"click 1e999 2", "s.txt line 1: \"1e999\" is not a coordinate: click X Y [MODIFIER...]"},
        {"click 1 2 hyper", "s.txt line 1: unknown modifier \"hyper\" (shift, ctrl, alt or cmd)"},
        {"wheel 1 2", "s.txt line 1: wheel needs a number of notches: wheel X Y DELTA [MODIFIER...]"},
        {"wheel 1 2 up", "s.txt line 1: wheel needs a number of notches: wheel X Y DELTA [MODIFIER...]"},
        {"key", "s.txt line 1: key needs a key: key NAME|CHAR [MODIFIER...]"},
        {"key ab",
         "s.txt line 1: unknown key \"ab\" (one character, or one of return, enter, tab, escape, backspace, delete, "
         "left, right, up, down, home, end, pageup, pagedown, space)"},
        {"type", "s.txt line 1: type needs text: type TEXT"},
        {"type # nothing", "s.txt line 1: type needs text: type TEXT"},
        {"enter now", "s.txt line 1: enter takes nothing after it"},
        {"snapshot", "s.txt line 1: snapshot needs one file name: snapshot FILE"},
        {"snapshot a.png b.png", "s.txt line 1: snapshot needs one file name: snapshot FILE"},
        {"click 1 2\ntype \"open", "s.txt line 2: a quoted word has no closing quote"},
        {"", "s.txt: no action"},  // a blank --do option
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EditorScript script;
        std::string error;
        EXPECT_FALSE(*c.text ? script.AddLines(c.text, "s.txt", &error)
                             : script.AddLine("   ", "s.txt", &error));
        EXPECT_EQ(error, c.message);
        EXPECT_TRUE(script.Actions().empty()) << "nothing of a bad script is kept";
    }
}

TEST(EditorScript, ChecksThatPressesAndReleasesPairUp) {
    const struct { const char* text; const char* message; /* empty: sound */ } cases[] = {
        {"press 1 1\ndrag 2 2\ndrag 3 3 cmd\nrelease 3 3\nclick 4 4\npress 5 5\nrelease 6 6", ""},
        {"press 1 1\nwheel 1 1 1\ntype x\nrelease 1 1", ""},
        {"drag 2 2", "s line 1: drag without a press before it"},
        {"click 1 1\nrelease 1 1", "s line 2: release without a press before it"},
        {"press 1 1\n# still held\npress 2 2", "s line 3: the button is still pressed (since s line 1); release it first"},
        {"press 1 1\nclick 2 2", "s line 2: the button is still pressed (since s line 1); release it first"},
        {"click 1 1\npress 2 2\ndrag 3 3", "s line 2: the press is never released"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EditorScript script;
        std::string error;
        ASSERT_TRUE(script.AddLines(c.text, "s", &error)) << error;
        EXPECT_EQ(script.Check(&error), !*c.message);
        if (*c.message) {
            EXPECT_EQ(error, c.message);
        }
    }
}

}  // namespace
