// The runtime's editor side in both forms of the module. (What the panel shows: test_editor_command.)
#include <functional>
#include <iterator>

#include "EditorCliHarness.h"
#include "host/objects/HostObject.h"
#include "host/runtime/ValidationGestures.h"

namespace {

using namespace editorcli_test;
using VSTGUI::CLinuxNativeView;
using VSTGUI::CPoint;

constexpr Form kForms[] = {Form::Linked, Form::Bundle};
constexpr uint32_t kLeft = CLinuxNativeView::kLeftButton;

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
        EXPECT_FALSE(EditorSession::Create(c.object, *instance, &error));
        EXPECT_EQ(error, c.message) << c.name;
    }
    EXPECT_EQ(module->LiveObjects(), moduleObjects) << "refused objects are released";
}

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
    session.MouseDown(from, kLeft, modifiers);
    session.MouseMoved(to, kLeft, modifiers);
    session.MouseUp(to, kLeft, modifiers);
}

void Click(EditorSession& session, CPoint at) {
    session.MouseDown(at, kLeft, 0);
    session.MouseUp(at, kLeft, 0);
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
    {"click the Deep button", [](EditorSession& s) { Click(s, Centre(kEditorRect_ColorButtons[4])); },
     kParamID_Color, 1.0, [](const Packet& p) { return p.m_iColor == 5; }},
    {"type -3 and Enter in the OutputTrim display", [](EditorSession& s) { TypeInto(s, kEditorRect_OutputTrimDisplay, "-3"); },
     kParamID_OutputTrim, 0.25, [](const Packet& p) { return Near(p.m_fOutputGain, 0.70795f); }},
    {"type on and Enter in the Dither display", [](EditorSession& s) { TypeInto(s, kEditorRect_DitherDisplay, "on"); },
     kParamID_Dither, 1.0, [](const Packet& p) { return p.m_iDither == kDitherOn; }},
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
    EXPECT_EQ(editor.session->MouseDown(deep, kLeft, 0), VSTGUI::kMouseEventNotHandled);
    EXPECT_EQ(editor.session->MouseUp(deep, kLeft, 0), VSTGUI::kMouseEventNotHandled);
    EXPECT_FALSE(editor.session->TypeText("x"));
    EXPECT_FALSE(editor.session->SaveSnapshot(::testing::TempDir() + "/closed.png"));
    EXPECT_EQ(editor.Normalized(Orvanta::kParamID_Color), 0.25);
}

// While a knob is held its playback is dropped, so panel and parameter end on the gesture's
// value. Each case is one interleaving: playback arrives between two moves and is answered.
TEST(PlaybackAndTouch, TheHeldKnobWinsAndOtherParametersPlayOn) {
    // Drags are linear, 200 pixels over the range; up and right both raise.
    const struct {
        const char* name;
        Orvanta::SOrvanta_EditorRect knob;
        const char* knobID;
        double start;
        CPoint firstMove, secondMove;  // from the press point
        const char* playbackID;
        double playbackValue;
        bool afterRelease;     // the playback value arrives after the release
        size_t answered;       // by the host's answer right after it arrives
        double knobIDAtEnd, playbackIDAtEnd;
    } cases[] = {
        // The second move lands on the value last drawn, so the knob sends nothing.
        {"back to the drawn value", Orvanta::kEditorRect_DynamicKnob, Orvanta::kParamID_Dynamic, 0.5,
         CPoint(0, -40), CPoint(20, -20), Orvanta::kParamID_Dynamic, 0.9, false, 0, 0.7, 0.7},
        {"held at the top", Orvanta::kEditorRect_HarmonicKnob, Orvanta::kParamID_Harmonic, 0.9,
         CPoint(0, -60), CPoint(0, -80), Orvanta::kParamID_Harmonic, 0.2, false, 0, 1.0, 1.0},
        {"switch between positions", Orvanta::kEditorRect_ColorKnob, Orvanta::kParamID_Color, 0.0,
         CPoint(0, -60), CPoint(30, -30), Orvanta::kParamID_Color, 1.0, false, 0, 0.25, 0.25},
        {"another parameter plays on", Orvanta::kEditorRect_DynamicKnob, Orvanta::kParamID_Dynamic, 0.5,
         CPoint(0, -40), CPoint(20, -20), Orvanta::kParamID_OutputTrim, 0.25, false, 1, 0.7, 0.25},
        {"playback resumes after the release", Orvanta::kEditorRect_OutputTrimKnob,
         Orvanta::kParamID_OutputTrim, 0.5, CPoint(0, -40), CPoint(20, -20), Orvanta::kParamID_OutputTrim, 0.1,
         true, 1, 0.1, 0.1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenEditor editor;
        EffectInstance& instance = *editor.instance;
        HostAutomationDelegate& automation = instance.Automation();
        ASSERT_EQ(instance.ApplyAutomation(c.knobID, c.start), AAX_SUCCESS);
        const CPoint press = Centre(c.knob);
        auto playBack = [&] {
            ASSERT_EQ(automation.PostPlaybackValue(c.playbackID, c.playbackValue), AAX_SUCCESS);
            EXPECT_EQ(instance.AnswerRequests(), c.answered);
        };

        const CPoint release(press.x + c.secondMove.x, press.y + c.secondMove.y);
        editor.session->MouseDown(press, kLeft, 0);
        editor.session->MouseMoved(CPoint(press.x + c.firstMove.x, press.y + c.firstMove.y), kLeft, 0);
        EXPECT_TRUE(instance.IsTouched(c.knobID)) << "the value set inside the gesture keeps it held";
        if (!c.afterRelease) playBack();
        editor.session->MouseMoved(release, kLeft, 0);
        editor.session->MouseUp(release, kLeft, 0);
        EXPECT_FALSE(instance.IsTouched(c.knobID));
        if (c.afterRelease) playBack();

        EXPECT_NEAR(editor.Normalized(c.knobID), c.knobIDAtEnd, 1e-6);
        EXPECT_NEAR(editor.Normalized(c.playbackID), c.playbackIDAtEnd, 1e-6);
        EXPECT_TRUE(validation::PanelShowsCurrentState(*editor.session));
        EXPECT_EQ(automation.PendingSetValueRequests(), 0u);
    }
}

// A release without a touch leaves the parameter untouched, not owed a touch.
TEST(PlaybackAndTouch, AStrayReleaseOwesNoTouch) {
    ACFPtr<HostAutomationDelegate> automation = HostAutomationDelegate::Create();
    automation->RegisterParameter("Dynamic");
    EXPECT_EQ(automation->PostReleaseRequest("Dynamic"), AAX_SUCCESS);
    automation->PostTouchRequest("Dynamic");
    AAX_CBoolean touched = 0;
    automation->GetTouchState("Dynamic", &touched);
    EXPECT_TRUE(touched);
}

}  // namespace
