// Host automation playback against the user's gestures: while a knob is
// held, playback values for its parameter are dropped, so the panel and
// the parameter end on the gesture's value; other parameters play on, and
// playback resumes after the release. Each case is one single-threaded
// interleaving of what the threads check drives at once: a playback value
// arrives between two moves of a drag and the host answers it before the
// next move.
#include <gtest/gtest.h>

#include "EditorCliHarness.h"
#include "host/runtime/ValidationGestures.h"

namespace {

using namespace editorcli_test;
using VSTGUI::CLinuxNativeView;
using VSTGUI::CPoint;
using Orvanta::SOrvanta_EditorRect;

constexpr uint32_t kLeft = CLinuxNativeView::kLeftButton;

CPoint Offset(const CPoint& from, const CPoint& by) { return CPoint(from.x + by.x, from.y + by.y); }

TEST(PlaybackAndTouch, TheHeldKnobWinsAndOtherParametersPlayOn) {
    // Drags are linear, 200 pixels over the range; up and right both raise.
    const struct {
        const char* name;
        SOrvanta_EditorRect knob;
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

        editor.session->MouseDown(press, kLeft, 0);
        editor.session->MouseMoved(Offset(press, c.firstMove), kLeft, 0);
        EXPECT_TRUE(instance.IsTouched(c.knobID)) << "the value set inside the gesture keeps it held";
        if (!c.afterRelease) playBack();
        editor.session->MouseMoved(Offset(press, c.secondMove), kLeft, 0);
        editor.session->MouseUp(Offset(press, c.secondMove), kLeft, 0);
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
