// orvanta editor --window and the window view in this process, under a virtual X server with
// real X input (xdotool). (Open-close cycles of the view: test_lv2_ui.)
#include "effect/Orvanta_Defs.h"
#include "toolkit/CX11NativeView.h"
// Last: it brings Xlib's macros.
#include "X11TestSupport.h"

namespace {

using namespace x11_test;
using VSTGUI::CX11NativeView;
using Values = std::map<std::string, std::string>;
using Rect = Orvanta::SOrvanta_EditorRect;
using Gesture = std::vector<std::string>;  // also program arguments

const Values kDefaults = {{"\"\"", "bypass"}, {"Dynamic", "0.00"}, {"Harmonic", "0.00"},
                          {"OutputTrim", "0.00"}, {"Dither", "1.00"}, {"Color", "2.00"}};
const std::vector<int> kPanelSize = {500, 175};

// xdotool arguments; "W" stands for the window.
Gesture MoveTo(const Rect& rect, int dy = 0) {
    return {"mousemove", "--window", "W", std::to_string(rect.left + rect.width / 2),
            std::to_string(rect.top + rect.height / 2 + dy)};
}
Gesture Join(std::initializer_list<Gesture> parts) {
    Gesture all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}
Gesture Drag50Up(const Rect& knob) {
    return Join({MoveTo(knob), {"mousedown", "1"}, MoveTo(knob, -25), MoveTo(knob, -50), {"mouseup", "1"}});
}
Gesture Click(const Rect& rect, const char* button = "1") { return Join({MoveTo(rect), {"click", button}}); }
Gesture Held(const char* key, const Gesture& gesture) { return Join({{"keydown", key}, gesture, {"keyup", key}}); }

void Input(Window window, Gesture gesture) {
    for (std::string& argument : gesture)
        if (argument == "W") argument = std::to_string(window);
    gesture.insert(gesture.begin(), "xdotool");
    ASSERT_EQ(RunTool(gesture), 0) << "xdotool failed (setup.sh installs it)";
}

// The program in a window of its own, closed by the test as a window manager does.
struct WindowRun {
    explicit WindowRun(std::vector<std::string> arguments)
        : program(Join({{"--window"}, arguments})), window(connection.WaitForWindow(program.Pid())) {}
    int Close() {
        connection.RequestClose(window);
        return program.Finish();
    }
    Connection connection;
    EditorProgram program;
    Window window;
};

// A window at the panel size; each gesture, then a close as a window manager asks it, ends with
// exit 0 and the values printed (no gesture: SIGTERM). Clicks and typing: the embedding test below.
TEST(EditorWindow, GesturesSetWhatTheyNameAndTheWindowEndsCleanly) {
    ASSERT_VIRTUAL_DISPLAY();
    const Rect& harmonic = Orvanta::kEditorRect_HarmonicKnob;
    const Rect& dynamic = Orvanta::kEditorRect_DynamicKnob;
    const struct { const char* name; std::vector<std::string> settings; Gesture gesture; Values changed; }
        cases[] = {
            {"terminated", {"--set", "OutputTrim=-3"}, {}, {{"OutputTrim", "-3.00"}}},
            {"a drag 50 pixels up on Harmonic", {}, Drag50Up(harmonic), {{"Harmonic", "25.00"}}},
            {"the drag with Super is fine", {}, Held("super", Drag50Up(harmonic)), {{"Harmonic", "16.67"}}},
            {"an Alt click resets", {"--set", "Harmonic=60"}, Held("alt", Click(harmonic)), {}},
            {"wheel up (button 4)", {}, Click(dynamic, "4"), {{"Dynamic", "10.00"}}},
            {"wheel down (button 5)", {"--set", "Dynamic=50"}, Click(dynamic, "5"), {{"Dynamic", "40.00"}}},
        };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowRun run(c.settings);
        ASSERT_NE(run.window, 0u) << "no window appeared";
        EXPECT_EQ(run.connection.Size(run.window), kPanelSize);
        if (c.gesture.empty()) kill(run.program.Pid(), SIGTERM);
        else Input(run.window, c.gesture);
        ASSERT_EQ(c.gesture.empty() ? run.program.Finish() : run.Close(), 0) << run.program.Err();
        Values expected = kDefaults;
        for (const auto& value : c.changed) expected[value.first] = value.second;
        EXPECT_EQ(run.program.Values(), expected);
        EXPECT_EQ(run.program.Err(), "");
        EXPECT_FALSE(run.connection.Exists(run.window));
    }
}

// A window put over the panel and taken away leaves its colour behind unless the panel repaints.
TEST(EditorWindow, ShowsWhatTheSnapshotShowsAndRepaintsDamage) {
    ASSERT_VIRTUAL_DISPLAY();
    cli_test::ScratchFolder folder;
    EditorProgram offscreen({"--set", "Color=5", "--snapshot", folder.Path("deep.png"), "--quiet"});
    ASSERT_EQ(offscreen.Finish(), 0) << offscreen.Err();
    const std::vector<uint32_t> expected = PngPixels(folder.Path("deep.png"));
    ASSERT_EQ(expected.size(), size_t(kPanelSize[0] * kPanelSize[1]));

    WindowRun run({});
    ASSERT_NE(run.window, 0u);
    Input(run.window, Click(Orvanta::kEditorRect_ColorButtons[4]));
    const auto showsIt = [&] {
        return run.connection.Pixels(run.window, kPanelSize[0], kPanelSize[1]) == expected;
    };
    EXPECT_TRUE(WaitFor(showsIt, 5)) << "the window does not show the clicked colour";
    XDestroyWindow(run.connection.Get(), run.connection.MakeWindow(100, 20, 200, 120, 0xFF00FF));
    XSync(run.connection.Get(), False);
    EXPECT_TRUE(WaitFor(showsIt, 5)) << "the uncovered part was not repainted";
    EXPECT_EQ(run.Close(), 0);
    EXPECT_EQ(run.program.Err(), "");
}

TEST(EditorWindow, EmbedsInAParentWindowAndEndsWithIt) {
    ASSERT_VIRTUAL_DISPLAY();
    Connection host;
    const Window parent = host.MakeWindow(0, 0, 640, 300, 0x202020);
    EditorProgram program({"--parent", std::to_string(parent)});
    const Window child = host.WaitForWindow(program.Pid(), parent);
    ASSERT_NE(child, 0u) << "no window appeared inside the parent";
    EXPECT_EQ(host.Size(child), kPanelSize);
    Input(child, Click(Orvanta::kEditorRect_ColorButtons[0]));
    // xdotool's type takes every word after it as text: a call of its own.
    Input(child, Click(Orvanta::kEditorRect_HarmonicDisplay));
    Input(child, {"type", "12.5"});
    Input(child, {"key", "Return"});
    // The server delivers the input before the parent's end.
    XDestroyWindow(host.Get(), parent);
    XSync(host.Get(), False);
    EXPECT_EQ(program.Finish(), 0);
    EXPECT_EQ(program.Err(), "");
    Values expected = kDefaults;
    expected["Color"] = "1.00";
    expected["Harmonic"] = "12.50";
    EXPECT_EQ(program.Values(), expected);
}

TEST(EditorWindow, RefusesPlacementsItCannotMake) {
    ASSERT_VIRTUAL_DISPLAY();
    const std::string display = VirtualDisplay::Instance().Name();
    // A null display: DISPLAY unset.
    const struct { Gesture arguments; const char* display; int exitCode; const char* message; } cases[] = {
        {{"--parent", "panel"}, display.c_str(), 64, "--parent: 'panel' is no window id"},
        {{"--parent", "0"}, display.c_str(), 64, "'0' is no window id"},
        {{"--parent", "0x20000000"}, display.c_str(), 64, "'0x20000000' is no window id"},
        {{"--parent", "0x1fffff0"}, display.c_str(), 64, "there is no window 0x1fffff0"},
        {{"--window"}, nullptr, 73, "cannot open an X display: DISPLAY is not set"},
        {{"--window"}, ":4999", 73, "cannot open the X display ':4999'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        c.display ? setenv("DISPLAY", c.display, 1) : unsetenv("DISPLAY");
        EditorProgram program(c.arguments);
        EXPECT_EQ(program.Finish(), c.exitCode);
        EXPECT_NE(program.Err().find(c.message), std::string::npos) << program.Err();
        EXPECT_EQ(program.Out(), "");
    }
    setenv("DISPLAY", display.c_str(), 1);
}

std::unique_ptr<CX11NativeView> NewWindow() {
    CX11NativeView::Placement placement;
    CX11NativeView::Failure why;
    std::unique_ptr<CX11NativeView> view = CX11NativeView::create(placement, &why);
    EXPECT_TRUE(view) << why.message;
    return view;
}

TEST(X11NativeView, RecordsProtocolErrorsOfItsConnection) {
    ASSERT_VIRTUAL_DISPLAY();
    Connection observer;
    {
        std::unique_ptr<CX11NativeView> view = NewWindow();
        ASSERT_TRUE(view);
        XDestroyWindow(view->getDisplay(), view->getWindow() + 0x1000);
    }
    const std::vector<std::string> errors = CX11NativeView::takeErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].find("BadWindow"), 0u) << errors[0];
    EXPECT_TRUE(CX11NativeView::takeErrors().empty());
    // The observer's own handler is back for its connection: the process lives on.
    EXPECT_FALSE(observer.Exists(0x1234));
}

}  // namespace
