// The runtime's editor side: opening, closing and reopening the editor of
// an instance in both forms of the module, gestures on the panel reaching
// the data model and the audio packet, and gestures the host takes. (What
// the panel shows: the snapshots of test_editor_command.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iterator>

#include "EditorCliHarness.h"
#include "host/objects/HostObject.h"

namespace {

using namespace editorcli_test;
using VSTGUI::CLinuxNativeView;
using VSTGUI::CPoint;

constexpr Form kForms[] = {Form::Linked, Form::Bundle};

// ---- life cycle ----

TEST(EditorSession, OpeningClosingAndReopeningLeavesNothingBehind) {
    for (Form form : kForms) {
        SCOPED_TRACE(FormName(form));
        std::unique_ptr<PluginModule> module = LoadModule(form);
        std::unique_ptr<EffectInstance> instance = NewInstance(*module);
        const int32_t moduleObjects = module->LiveObjects();
        const acfUInt32 hostObjects = HostObjectBase::LiveObjects();
        const acfUInt32 controllerReferences = instance->Controller().RefCount();
        {
            std::unique_ptr<EditorSession> session = NewSession(*module, *instance);
            ASSERT_TRUE(session);
            EXPECT_FALSE(session->IsOpen());
            EXPECT_GT(instance->Controller().RefCount(), controllerReferences) << "the editor holds the host object";
            for (int cycle = 0; cycle < 3; ++cycle) {
                EXPECT_EQ(session->Open(), AAX_SUCCESS);
                ASSERT_TRUE(session->IsOpen());
                const VSTGUI::CLinuxNativeView& view = *session->NativeView();
                EXPECT_EQ(session->ViewSize(), AAX_Point(float(view.getHeight()), float(view.getWidth())));
                if (cycle == 1) {
                    EXPECT_EQ(session->Open(), AAX_SUCCESS) << "reopening an open editor";
                }
                session->Close();
                EXPECT_FALSE(session->IsOpen());
                EXPECT_EQ(HostObjectBase::LiveObjects(), hostObjects) << "the container and its view are gone";
            }
            session->Open();  // left open: the session's end closes it
        }
        EXPECT_EQ(module->LiveObjects(), moduleObjects);
        EXPECT_EQ(HostObjectBase::LiveObjects(), hostObjects);
        EXPECT_EQ(instance->Controller().RefCount(), controllerReferences);
    }
}

TEST(EditorSession, RefusesWhatIsNoEditor) {
    std::unique_ptr<PluginModule> module = LoadModule(Form::Linked);
    std::unique_ptr<EffectInstance> instance = NewInstance(*module);
    const int32_t moduleObjects = module->LiveObjects();
    struct NotAnEditor : HostObject<IACFUnknown> {
        ACFRESULT FindInterface(const acfIID&, void**) override { return ACF_E_NOINTERFACE; }
    };
    IACFUnknown* foreign = (new NotAnEditor)->Identity();
    foreign->AddRef();
    // The data model is an object of the module, but no editor.
    const struct { const char* name; IACFUnknown* object; const char* message; } cases[] = {
        {"nothing", nullptr, "the module created no editor"},
        {"foreign object", foreign, "the editor does not offer the editor interface"},
        {"data model", module->CreateDataModel(), "the editor does not offer the editor interface"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(EditorSession::Create(c.object, *instance, &error)) << c.name;
        EXPECT_EQ(error, c.message) << c.name;
    }
    EXPECT_EQ(module->LiveObjects(), moduleObjects) << "refused objects are released";
}

// ---- gestures ----

using Packet = SOrvanta_Knob_Packet;

struct Gesture {
    const char* name;
    std::function<void(EditorSession&)> perform;
    const char* parameterID;
    double normalized;  // afterwards
    std::function<bool(const Packet&)> packetShows;
};

bool Near(float value, float expected) { return std::abs(value - expected) < 1e-5f; }

// Presses at from, drags by (dx, dy) and releases there.
void Drag(EditorSession& session, CPoint from, double dx, double dy, uint32_t modifiers = 0) {
    const CPoint to(from.x + dx, from.y + dy);
    session.MouseDown(from, CLinuxNativeView::kLeftButton, modifiers);
    session.MouseMoved(to, CLinuxNativeView::kLeftButton, modifiers);
    session.MouseUp(to, CLinuxNativeView::kLeftButton, modifiers);
}

void Click(EditorSession& session, CPoint at) {
    session.MouseDown(at, CLinuxNativeView::kLeftButton, 0);
    session.MouseUp(at, CLinuxNativeView::kLeftButton, 0);
}

// Clicks into a display, types text and ends with the key given.
void TypeInto(EditorSession& session, const Orvanta::SOrvanta_EditorRect& display, const std::string& text,
              VSTGUI::VirtualKey end = VSTGUI::VKEY_RETURN) {
    Click(session, Centre(display));
    session.TypeText(text);
    session.KeyDown(0, end, 0);
}

using namespace Orvanta;
const Gesture kGestures[] = {
    {"drag the Harmonic knob up 50 pixels", [](EditorSession& s) { Drag(s, Centre(kEditorRect_HarmonicKnob), 0, -50); },
     kParamID_Harmonic, 0.25, [](const Packet& p) { return Near(p.m_fHarmonic, 0.25f); }},
    {"click the Deep button", [](EditorSession& s) { Click(s, Centre(kEditorRect_ColorButtons[4])); },
     kParamID_Color, 1.0, [](const Packet& p) { return p.m_iColor == 5; }},
    {"type 40 and Enter in the Dynamic display", [](EditorSession& s) { TypeInto(s, kEditorRect_DynamicDisplay, "40"); },
     kParamID_Dynamic, 0.4, [](const Packet& p) { return Near(p.m_fDynamic, 0.4f); }},
    {"type -3 and Enter in the OutputTrim display", [](EditorSession& s) { TypeInto(s, kEditorRect_OutputTrimDisplay, "-3"); },
     kParamID_OutputTrim, 0.25, [](const Packet& p) { return Near(p.m_fOutputGain, 0.70795f); }},
    {"type on and Enter in the Dither display", [](EditorSession& s) { TypeInto(s, kEditorRect_DitherDisplay, "on"); },
     kParamID_Dither, 1.0, [](const Packet& p) { return p.m_iDither == kDitherOn; }},
    {"wheel one notch up on the Dynamic knob", [](EditorSession& s) { s.MouseWheel(Centre(kEditorRect_DynamicKnob), 1.0f, 0); },
     kParamID_Dynamic, 0.1, [](const Packet& p) { return Near(p.m_fDynamic, 0.1f); }},
    {"typing Escape instead of Enter changes nothing",
     [](EditorSession& s) { TypeInto(s, kEditorRect_HarmonicDisplay, "75", VSTGUI::VKEY_ESCAPE); },
     kParamID_Harmonic, 0.0, [](const Packet& p) { return p.m_fHarmonic == 0.0f; }},
};

TEST(EditorSession, GesturesReachTheDataModelAndTheAudioPacket) {
    for (Form form : kForms)
        for (const Gesture& gesture : kGestures) {
            SCOPED_TRACE(std::string(FormName(form)) + ": " + gesture.name);
            OpenEditor editor(form);
            gesture.perform(*editor.session);
            EXPECT_NEAR(editor.Normalized(gesture.parameterID), gesture.normalized, 1e-6);
            EXPECT_TRUE(gesture.packetShows(editor.ProcessAndReadPacket()));
            EXPECT_FALSE(editor.instance->IsTouched(gesture.parameterID)) << "every gesture ends its edit";
        }
}

TEST(EditorSession, GesturesTheHostTakesLeaveTheKnobAlone) {
    OpenEditor editor;
    const CPoint centre = Centre(Orvanta::kEditorRect_HarmonicKnob);
    editor.session->SetHostTakesMouse(true);
    Drag(*editor.session, centre, 0, -40, CLinuxNativeView::kShiftModifier);
    EXPECT_EQ(editor.Normalized(Orvanta::kParamID_Harmonic), 0.0);
    EXPECT_EQ(editor.instance->Automation().PendingSetValueRequests(), 0u);

    const std::vector<HostViewContainer::MouseEvent> events = editor.session->ViewContainer()->MouseEvents();
    // The press passes itself on as a first drag, then the move and the release.
    using Kind = HostViewContainer::MouseEvent::Kind;
    const Kind kinds[] = {Kind::Down, Kind::Drag, Kind::Drag, Kind::Up};
    ASSERT_EQ(events.size(), std::size(kinds));
    for (size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].kind, kinds[i]);
        EXPECT_EQ(events[i].parameterID, Orvanta::kParamID_Harmonic);
        EXPECT_EQ(events[i].modifiers, 1u) << "Shift in the host's modifier bits";
        EXPECT_EQ(events[i].result, AAX_SUCCESS);
    }

    // The setting outlives a reopened editor; declining hands the knob back.
    editor.session->Close();
    editor.session->Open();
    EXPECT_TRUE(editor.session->HostTakesMouse());
    Drag(*editor.session, centre, 0, -40);
    EXPECT_EQ(editor.Normalized(Orvanta::kParamID_Harmonic), 0.0);
    editor.session->SetHostTakesMouse(false);
    Drag(*editor.session, centre, 0, -40);
    EXPECT_NEAR(editor.Normalized(Orvanta::kParamID_Harmonic), 0.2, 1e-6);
}

TEST(EditorSession, InputWhileClosedGoesNowhere) {
    OpenEditor editor;
    editor.session->Close();
    const CPoint deep = Centre(Orvanta::kEditorRect_ColorButtons[4]);
    EXPECT_EQ(editor.session->MouseDown(deep, CLinuxNativeView::kLeftButton, 0), VSTGUI::kMouseEventNotHandled);
    EXPECT_EQ(editor.session->MouseUp(deep, CLinuxNativeView::kLeftButton, 0), VSTGUI::kMouseEventNotHandled);
    EXPECT_FALSE(editor.session->TypeText("x"));
    EXPECT_FALSE(editor.session->SaveSnapshot(::testing::TempDir() + "/closed.png"));
    EXPECT_EQ(editor.Normalized(Orvanta::kParamID_Color), 0.25);
}

}  // namespace
