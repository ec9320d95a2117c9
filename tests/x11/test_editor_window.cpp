// orvanta editor --window under a virtual X server, driven with real X
// input (xdotool): the window's size, gestures and their values, what the
// window shows against the offscreen snapshot, repainting after damage,
// embedding in a parent window, closing, and refused placements.
#include "X11TestSupport.h"

#include "effect/Orvanta_Defs.h"

namespace {

using namespace x11_test;
using Values = std::map<std::string, std::string>;

const Values kDefaults = {{"\"\"", "bypass"}, {"Dynamic", "0.00"}, {"Harmonic", "0.00"},
                          {"OutputTrim", "0.00"}, {"Dither", "1.00"}, {"Color", "2.00"}};
constexpr int kPanelWidth = 500, kPanelHeight = 175;

std::string X(const Orvanta::SOrvanta_EditorRect& rect) { return std::to_string(rect.left + rect.width / 2); }
std::string Y(const Orvanta::SOrvanta_EditorRect& rect, int dy = 0) {
    return std::to_string(rect.top + rect.height / 2 + dy);
}

const Orvanta::SOrvanta_EditorRect& kHarmonicKnob = Orvanta::kEditorRect_InputTrimKnob;
const Orvanta::SOrvanta_EditorRect& kDynamicKnob = Orvanta::kEditorRect_ProcessKnob;

// xdotool arguments for one gesture; "W" stands for the window.
std::vector<std::string> Drag50Up(const Orvanta::SOrvanta_EditorRect& knob) {
    return {"mousemove", "--window", "W", X(knob), Y(knob), "mousedown", "1", "mousemove", "--window", "W", X(knob),
            Y(knob, -25), "mousemove", "--window", "W", X(knob), Y(knob, -50), "mouseup", "1"};
}
std::vector<std::string> ClickAt(const Orvanta::SOrvanta_EditorRect& rect, const std::string& button = "1") {
    return {"mousemove", "--window", "W", X(rect), Y(rect), "click", button};
}
std::vector<std::string> Held(const std::string& key, std::vector<std::string> gesture) {
    gesture.insert(gesture.begin(), {"keydown", key});
    gesture.insert(gesture.end(), {"keyup", key});
    return gesture;
}

void RunGesture(Window window, std::vector<std::string> gesture) {
    for (std::string& argument : gesture)
        if (argument == "W") argument = std::to_string(window);
    Xdotool(gesture);
}

// The program in a window until the test closes it as a window manager does.
struct WindowRun {
    explicit WindowRun(std::vector<std::string> arguments) : program((arguments.push_back("--window"), arguments)) {
        window = connection.WaitForWindow(program.Pid());
    }
    int Close() {
        connection.RequestClose(window);
        return program.Finish();
    }
    Connection connection;
    EditorProgram program;
    Window window = 0;
};

TEST(EditorWindow, OpensAtThePanelSizeAndClosesCleanly) {
    ASSERT_VIRTUAL_DISPLAY();
    WindowRun run({});
    ASSERT_NE(run.window, 0u) << "no window appeared";
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(run.connection.Get(), run.window, &attributes));
    EXPECT_EQ(attributes.width, kPanelWidth);
    EXPECT_EQ(attributes.height, kPanelHeight);
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(run.connection.Get(), run.window, &hints, &supplied));
    EXPECT_EQ(hints.min_width, kPanelWidth);
    EXPECT_EQ(hints.max_height, kPanelHeight);

    EXPECT_EQ(run.Close(), 0) << run.program.Err();
    EXPECT_EQ(run.program.Err(), "");
    EXPECT_EQ(run.program.Values(), kDefaults);
    EXPECT_FALSE(run.connection.Exists(run.window));
}

TEST(EditorWindow, GesturesSetWhatTheyName) {
    ASSERT_VIRTUAL_DISPLAY();
    const struct {
        const char* name;
        std::vector<std::string> settings;
        std::vector<std::vector<std::string>> gestures;
        Values changed;
    } cases[] = {
        {"a drag 50 pixels up on Harmonic", {}, {Drag50Up(kHarmonicKnob)}, {{"Harmonic", "25.00"}}},
        {"the same drag with Super, finely", {}, {Held("super", Drag50Up(kHarmonicKnob))}, {{"Harmonic", "16.67"}}},
        {"an Alt click resets", {"--set", "Harmonic=60"}, {Held("alt", ClickAt(kHarmonicKnob))}, {}},
        {"a wheel notch up (button 4)", {}, {ClickAt(kDynamicKnob, "4")}, {{"Dynamic", "10.00"}}},
        {"a wheel notch down (button 5)", {"--set", "Dynamic=50"}, {ClickAt(kDynamicKnob, "5")}, {{"Dynamic", "40.00"}}},
        {"a click on the fifth colour button", {}, {ClickAt(Orvanta::kEditorRect_ColorButtons[4])}, {{"Color", "5.00"}}},
        {"a value typed into the Dynamic display",
         {},
         {ClickAt(Orvanta::kEditorRect_ProcessDisplay), {"type", "40"}, {"key", "Return"}},
         {{"Dynamic", "40.00"}}},
        {"a typed value cancelled with Escape",
         {},
         {ClickAt(Orvanta::kEditorRect_ProcessDisplay), {"type", "40"}, {"key", "Escape"}},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowRun run(c.settings);
        ASSERT_TRUE(run.connection.Get());
        ASSERT_NE(run.window, 0u) << "no window appeared";
        for (const auto& gesture : c.gestures) RunGesture(run.window, gesture);
        ASSERT_EQ(run.Close(), 0) << run.program.Err();
        EXPECT_EQ(run.program.Err(), "");
        Values expected = kDefaults;
        for (const auto& value : c.changed) expected[value.first] = value.second;
        EXPECT_EQ(run.program.Values(), expected);
    }
}

// What the window shows equals the offscreen snapshot of the same state,
// after a click and again after another window covered part of it.
TEST(EditorWindow, ShowsWhatTheSnapshotShowsAndRepaintsDamage) {
    ASSERT_VIRTUAL_DISPLAY();
    cli_test::ScratchFolder folder;
    EditorProgram offscreen({"--set", "Color=5", "--snapshot", folder.Path("deep.png"), "--quiet"});
    ASSERT_EQ(offscreen.Finish(), 0) << offscreen.Err();
    int width = 0, height = 0;
    const std::vector<uint32_t> expected = PngPixels(folder.Path("deep.png"), &width, &height);
    ASSERT_EQ(width, kPanelWidth);

    WindowRun run({});
    ASSERT_NE(run.window, 0u);
    RunGesture(run.window, ClickAt(Orvanta::kEditorRect_ColorButtons[4]));
    auto shows = [&] { return run.connection.Pixels(run.window, width, height) == expected; };
    EXPECT_TRUE(WaitFor(shows, 5)) << "the window does not show the clicked colour";

    const unsigned long magenta = 0xFF00FF;
    const Window cover = run.connection.MakeWindow(100, 20, 200, 120, magenta);
    run.connection.Destroy(cover);
    EXPECT_TRUE(WaitFor(shows, 5)) << "the uncovered part was not repainted";
    EXPECT_EQ(run.Close(), 0) << run.program.Err();
    EXPECT_EQ(run.program.Err(), "");
}

TEST(EditorWindow, EmbedsInAParentWindowAndEndsWithIt) {
    ASSERT_VIRTUAL_DISPLAY();
    Connection host;
    const Window parent = host.MakeWindow(0, 0, 640, 300, 0x202020);
    EditorProgram program({"--parent", std::to_string(parent)});
    const Window child = host.WaitForWindow(program.Pid(), parent);
    ASSERT_NE(child, 0u) << "no window appeared inside the parent";
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(host.Get(), child, &attributes));
    EXPECT_EQ(attributes.width, kPanelWidth);
    EXPECT_EQ(attributes.height, kPanelHeight);

    RunGesture(child, ClickAt(Orvanta::kEditorRect_ColorButtons[0]));
    RunGesture(child, ClickAt(Orvanta::kEditorRect_InputTrimDisplay));
    RunGesture(child, {"type", "12.5"});
    RunGesture(child, {"key", "Return"});
    // Input reaches the program before the parent goes (one server, in order).
    XSync(host.Get(), False);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    host.Destroy(parent);
    EXPECT_EQ(program.Finish(), 0) << program.Err();
    EXPECT_EQ(program.Err(), "");
    Values expected = kDefaults;
    expected["Color"] = "1.00";
    expected["Harmonic"] = "12.50";
    EXPECT_EQ(program.Values(), expected);
}

TEST(EditorWindow, EndsCleanlyOnTerminate) {
    ASSERT_VIRTUAL_DISPLAY();
    WindowRun run({"--set", "OutputTrim=-3"});
    ASSERT_NE(run.window, 0u);
    kill(run.program.Pid(), SIGTERM);
    EXPECT_EQ(run.program.Finish(), 0) << run.program.Err();
    EXPECT_EQ(run.program.Values().at("OutputTrim"), "-3.00");
    EXPECT_FALSE(run.connection.Exists(run.window));
}

TEST(EditorWindow, RefusesPlacementsItCannotMake) {
    ASSERT_VIRTUAL_DISPLAY();
    const std::string display = VirtualDisplay::Instance().Name();
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        const char* displayName;  // null: DISPLAY unset
        int exitCode;
        const char* message;
    } cases[] = {
        {"a parent id that is no number", {"--parent", "panel"}, display.c_str(), 64, "'panel' is no window id"},
        {"a parent id of 0", {"--parent", "0"}, display.c_str(), 64, "is no window id"},
        {"a parent id beyond 29 bits", {"--parent", "0x20000000"}, display.c_str(), 64, "is no window id"},
        {"a parent that does not exist", {"--parent", "0x1fffff0"}, display.c_str(), 64, "there is no window 0x1fffff0"},
        {"no DISPLAY", {"--window"}, nullptr, 73, "DISPLAY is not set"},
        {"a display nobody serves", {"--window"}, ":4999", 73, "cannot open the X display ':4999'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.displayName)
            setenv("DISPLAY", c.displayName, 1);
        else
            unsetenv("DISPLAY");
        EditorProgram program(c.arguments);
        EXPECT_EQ(program.Finish(), c.exitCode);
        EXPECT_NE(program.Err().find(c.message), std::string::npos) << program.Err();
        EXPECT_EQ(program.Out(), "");
    }
    setenv("DISPLAY", display.c_str(), 1);
}

}  // namespace
