// The bundle's UI binary loaded as an LV2 host loads it (dlopen, descriptor,
// parent window, idle calls) under Xvfb with real X input (xdotool).
#include <dlfcn.h>

#include <lv2/ui/ui.h>

#include <memory>

#include "effect/Orvanta_Defs.h"
#include "tests/x11/X11TestSupport.h"

namespace {

using namespace x11_test;
using Rect = Orvanta::SOrvanta_EditorRect;

constexpr int kWidth = 500, kHeight = 175;
constexpr const char* kStereoURI = "https://quillfern.audio/plugins/orvanta/stereo";
enum Port : uint32_t { kHarmonic, kDynamic, kOutputTrim, kDither, kColor, kEnabled };

// What the UI told the host, in order.
struct HostRecord {
    struct Write { uint32_t port; float value; };
    std::vector<Write> writes;
    std::vector<std::string> order;  // "touch 0 on", "write 0", "touch 0 off"
};

void RecordWrite(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
    auto* record = static_cast<HostRecord*>(controller);
    ASSERT_EQ(size, sizeof(float));
    ASSERT_EQ(format, 0u);
    record->writes.push_back({port, *static_cast<const float*>(buffer)});
    record->order.push_back("write " + std::to_string(port));
}

void RecordTouch(LV2UI_Feature_Handle handle, uint32_t port, bool grabbed) {
    static_cast<HostRecord*>(handle)->order.push_back("touch " + std::to_string(port) + (grabbed ? " on" : " off"));
}

// One panel inside a parent window of the test's, offered ui:parent, ui:touch and ui:resize.
class EmbeddedPanel {
public:
    EmbeddedPanel(const LV2UI_Descriptor* ui, const Connection& connection, const char* uri = kStereoURI)
        : m_Descriptor(ui),
          m_Parent(connection.MakeWindow(0, 0, kWidth, kHeight, 0x000000)),
          m_Touch{&record, RecordTouch},
          m_Resize{this, [](LV2UI_Feature_Handle self, int width, int height) {
                       static_cast<EmbeddedPanel*>(self)->m_Size = {width, height};
                       return 0;
                   }} {
        const LV2_Feature parent{LV2_UI__parent, reinterpret_cast<void*>(m_Parent)};
        const LV2_Feature touch{LV2_UI__touch, &m_Touch};
        const LV2_Feature resize{LV2_UI__resize, &m_Resize};
        const LV2_Feature* features[] = {&parent, &touch, &resize, nullptr};
        m_Handle = m_Descriptor->instantiate(m_Descriptor, uri, ORVANTA_LV2_BUNDLE, RecordWrite, &record, &m_Widget,
                                             features);
        m_Idle = static_cast<const LV2UI_Idle_Interface*>(m_Descriptor->extension_data(LV2_UI__idleInterface));
    }
    ~EmbeddedPanel() {
        if (m_Handle) m_Descriptor->cleanup(m_Handle);
    }
    bool Made() const { return m_Handle != nullptr; }
    Window Widget() const { return Window(reinterpret_cast<uintptr_t>(m_Widget)); }
    Window Parent() const { return m_Parent; }
    std::pair<int, int> ResizedTo() const { return m_Size; }

    // Idles as a host's timer does, for a while; returns the last answer.
    int Idle(int times = 5) {
        int answer = 0;
        for (int i = 0; i < times; ++i) {
            answer = m_Idle->idle(m_Handle);
            usleep(10000);
        }
        return answer;
    }
    void PortEvent(uint32_t port, float value) { m_Descriptor->port_event(m_Handle, port, sizeof value, 0, &value); }

    HostRecord record;

private:
    const LV2UI_Descriptor* m_Descriptor;
    Window m_Parent;
    LV2UI_Touch m_Touch;
    LV2UI_Resize m_Resize;
    LV2UI_Handle m_Handle = nullptr;
    LV2UI_Widget m_Widget = nullptr;
    const LV2UI_Idle_Interface* m_Idle = nullptr;
    std::pair<int, int> m_Size{0, 0};
};

void Xdotool(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "xdotool");
    ASSERT_EQ(RunTool(arguments), 0) << "xdotool failed (setup.sh installs it)";
}

std::string Centre(int origin, int size, int offset = 0) { return std::to_string(origin + size / 2 + offset); }

// The display, the UI binary opened as a host opens it, and the test's connection.
class Lv2Panel : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_VIRTUAL_DISPLAY();
        m_Library = dlopen(ORVANTA_LV2_UI, RTLD_NOW | RTLD_LOCAL);
        ASSERT_TRUE(m_Library) << dlerror();
        using Entry = const LV2UI_Descriptor* (*)(uint32_t);
        const auto entry = reinterpret_cast<Entry>(dlsym(m_Library, "lv2ui_descriptor"));
        ASSERT_TRUE(entry);
        ui = entry(0);
        ASSERT_TRUE(ui);
        connection = std::make_unique<Connection>();
    }
    void TearDown() override {
        connection.reset();
        if (m_Library) dlclose(m_Library);
    }
    const LV2UI_Descriptor* ui = nullptr;
    std::unique_ptr<Connection> connection;

private:
    void* m_Library = nullptr;
};

TEST_F(Lv2Panel, EmbedsAtThePanelSizeAndOffersTheHostInterfaces) {
    EmbeddedPanel panel(ui, *connection);
    ASSERT_TRUE(panel.Made());
    EXPECT_EQ(panel.Idle(), 0) << "an embedded panel stays open";
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(connection->Get(), panel.Widget(), &root, &parent, &children, &count);
    if (children) XFree(children);
    EXPECT_EQ(parent, panel.Parent());
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(connection->Get(), panel.Widget(), &attributes));
    EXPECT_EQ(attributes.width, kWidth);
    EXPECT_EQ(attributes.height, kHeight);
    EXPECT_EQ(attributes.map_state, IsViewable);
    EXPECT_EQ(panel.ResizedTo(), std::make_pair(kWidth, kHeight));
    EXPECT_TRUE(panel.record.writes.empty()) << "the panel wrote before anyone touched it";
    EXPECT_FALSE(EmbeddedPanel(ui, *connection, "urn:another:plugin").Made()) << "another bundle's plug-in";
}

TEST_F(Lv2Panel, WithoutAParentShowAndHideOpenAndCloseAWindowOfItsOwn) {
    const auto* show = static_cast<const LV2UI_Show_Interface*>(ui->extension_data(LV2_UI__showInterface));
    const auto* idle = static_cast<const LV2UI_Idle_Interface*>(ui->extension_data(LV2_UI__idleInterface));
    HostRecord record;
    LV2UI_Widget widget = nullptr;
    const LV2_Feature* none[] = {nullptr};
    LV2UI_Handle handle = ui->instantiate(ui, kStereoURI, ORVANTA_LV2_BUNDLE, RecordWrite, &record, &widget, none);
    ASSERT_TRUE(handle);
    const auto viewable = [&](Window window) {
        XWindowAttributes attributes;
        return connection->Exists(window) && XGetWindowAttributes(connection->Get(), window, &attributes) &&
               attributes.map_state == IsViewable;
    };
    const Window first = Window(reinterpret_cast<uintptr_t>(widget));
    EXPECT_FALSE(viewable(first)) << "shown before show()";
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(show->show(handle), 0);
        EXPECT_EQ(idle->idle(handle), 0);
        const Window shown = connection->WaitForWindow(getpid());
        EXPECT_TRUE(viewable(shown)) << "round " << round;
        ASSERT_EQ(show->hide(handle), 0);
        EXPECT_EQ(idle->idle(handle), 1) << "a hidden panel is closed";
        EXPECT_FALSE(connection->Exists(shown)) << "round " << round;
    }
    ui->cleanup(handle);
}

TEST_F(Lv2Panel, ADragIsWrittenInThePortsUnitsInsideATouch) {
    EmbeddedPanel panel(ui, *connection);
    ASSERT_TRUE(panel.Made());
    panel.Idle();
    const Rect& knob = Orvanta::kEditorRect_HarmonicKnob;
    const std::string x = Centre(knob.left, knob.width);
    // 200 pixels cover the range: 50 pixels up is a quarter, 25 %. While
    // the knob is held, a value from the host does not pull it away.
    Xdotool({"mousemove", x, Centre(knob.top, knob.height), "mousedown", "1", "mousemove", x,
             Centre(knob.top, knob.height, -25)});
    panel.Idle(10);
    const std::vector<uint32_t> held = connection->Pixels(panel.Widget(), kWidth, kHeight);
    panel.PortEvent(kHarmonic, 80.0f);
    panel.Idle(2);
    EXPECT_TRUE(connection->Pixels(panel.Widget(), kWidth, kHeight) == held) << "the host's value moved a held knob";
    Xdotool({"mousemove", x, Centre(knob.top, knob.height, -50), "mouseup", "1"});
    panel.Idle(20);
    ASSERT_FALSE(panel.record.writes.empty());
    EXPECT_FLOAT_EQ(panel.record.writes.back().value, 25.0f);
    for (const HostRecord::Write& write : panel.record.writes) EXPECT_EQ(write.port, kHarmonic);
    ASSERT_GE(panel.record.order.size(), 3u);
    EXPECT_EQ(panel.record.order.front(), "touch 0 on");
    EXPECT_EQ(panel.record.order.back(), "touch 0 off");

    // A colour button: Deep is the fifth, written as the colour's number.
    panel.record = HostRecord();
    const Rect& deep = Orvanta::kEditorRect_ColorButtons[4];
    Xdotool({"mousemove", Centre(deep.left, deep.width), Centre(deep.top, deep.height), "click", "1"});
    panel.Idle(20);
    ASSERT_FALSE(panel.record.writes.empty());
    EXPECT_EQ(panel.record.writes.back().port, kColor);
    EXPECT_FLOAT_EQ(panel.record.writes.back().value, 5.0f);
}

TEST_F(Lv2Panel, APresetsPortEventsMoveEveryControlAndAreNotSentBack) {
    cli_test::ScratchFolder folder;
    EditorProgram editor({"--set", "Harmonic=45", "--set", "Dynamic=30", "--set", "OutputTrim=-1.5", "--set",
                          "Dither=On", "--set", "Color=Deep", "--snapshot", folder.Path("preset.png"), "--quiet"});
    ASSERT_EQ(editor.Finish(), 0) << editor.Err();
    EmbeddedPanel panel(ui, *connection);
    ASSERT_TRUE(panel.Made());
    const std::vector<uint32_t> before = connection->Pixels(panel.Widget(), kWidth, kHeight);
    // As a host restores a preset: one event per control port, in port units.
    const std::pair<Port, float> preset[] = {{kHarmonic, 45.0f}, {kDynamic, 30.0f}, {kOutputTrim, -1.5f},
                                             {kDither, 1.0f},    {kColor, 5.0f},    {kEnabled, 1.0f}};
    for (const auto& [port, value] : preset) panel.PortEvent(port, value);
    // Not a control: the latency output and an audio port change nothing.
    panel.PortEvent(6, 13.0f);
    panel.PortEvent(7, 0.5f);
    panel.Idle();
    const std::vector<uint32_t> shown = connection->Pixels(panel.Widget(), kWidth, kHeight);
    EXPECT_NE(shown, before);
    EXPECT_TRUE(shown == PngPixels(folder.Path("preset.png"))) << "the panel does not show the preset's values";
    EXPECT_TRUE(panel.record.writes.empty()) << "the panel sent the host's own values back";
}

// After the first (fonts loaded, caches filled), every cycle closes its X connection and window.
TEST_F(Lv2Panel, TwentyOpenCloseCyclesLeaveNoWindowBehind) {
    size_t descriptors = 0;
    for (int cycle = 0; cycle < 20; ++cycle) {
        Window widget = 0, parent = 0;
        {
            EmbeddedPanel panel(ui, *connection);
            ASSERT_TRUE(panel.Made()) << "cycle " << cycle;
            panel.PortEvent(kHarmonic, float(cycle));
            panel.Idle(2);
            widget = panel.Widget();
            parent = panel.Parent();
        }
        EXPECT_FALSE(connection->Exists(widget)) << "cycle " << cycle;
        XDestroyWindow(connection->Get(), parent);
        if (cycle == 0) descriptors = cli_test::EntriesOf("/proc/self/fd").size();
    }
    EXPECT_EQ(cli_test::EntriesOf("/proc/self/fd").size(), descriptors) << "X connections left open";
    XSync(connection->Get(), False);
    EXPECT_EQ(Connection::Errors(), 0);
}

}  // namespace
