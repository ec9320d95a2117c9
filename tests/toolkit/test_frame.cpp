// The frame in its platform view: drawing, event routing, focus, button mapping and teardown.
#include <gtest/gtest.h>

#include "ToolkitTestSupport.h"

using namespace VSTGUI;
using toolkit_test::RecordingListener;
using Log = std::vector<std::string>;

namespace {

// A view that fills itself with one colour, counts its draws and records its mouse events.
class PaintedView : public CView {
public:
    PaintedView(const CRect& size, CColor fill) : CView(size), colour(fill) {}
    void draw(CDrawContext* context) override {
        ++draws;
        context->setFillColor(colour);
        context->drawRect(m_size, kDrawFilled);
        setDirty(false);
    }
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState&) override { return record("down", where, answer); }
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState&) override { return record("moved", where); }
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState&) override { return record("up", where); }
    CMouseEventResult record(const char* what, const CPoint& p, CMouseEventResult result = kMouseEventHandled) {
        log.push_back(std::string(what) + " " + std::to_string(int(p.x)) + "," + std::to_string(int(p.y)));
        return result;
    }
    CColor colour;
    CMouseEventResult answer = kMouseEventHandled;
    int draws = 0;
    Log log;
};

// A frame of the given size in a platform view.
struct Stage {
    explicit Stage(const CRect& size, VSTGUIEditorInterface* editor = nullptr)
        : frame(new CFrame(size, &native, editor)) {}
    ~Stage() { frame->forget(); }
    void Click(CPoint where) {
        native.mouseDown(where, CLinuxNativeView::kLeftButton);
        native.mouseUp(where, CLinuxNativeView::kLeftButton);
    }
    CLinuxNativeView native;
    CFrame* frame;
};

constexpr uint32_t argb(CColor c) { return c.toARGB(); }

}  // namespace

TEST(Frame, DrawsViewsAtTheirPlaceAndRedrawsOnlyWhatIsInvalid) {
    Stage stage(CRect(0, 0, 0, 0));
    stage.frame->setSize(40, 30);
    stage.frame->setBackgroundColor(kBlueCColor);
    EXPECT_EQ(stage.native.getWidth(), 40);
    EXPECT_EQ(stage.native.getHeight(), 30);
    auto* red = new PaintedView(CRect(0, 0, 10, 10), kRedCColor);
    auto* container = new CViewContainer(CRect(20, 10, 40, 30));
    container->setBackgroundColor(kWhiteCColor);
    auto* green = new PaintedView(CRect(5, 5, 10, 10), kGreenCColor);
    container->addView(green);
    stage.frame->addView(red);
    stage.frame->addView(container);
    const struct { int x, y; uint32_t expected; } pixels[] = {
        {0, 0, argb(kRedCColor)},     {9, 9, argb(kRedCColor)},      {10, 10, argb(kBlueCColor)},
        {20, 10, argb(kWhiteCColor)}, {25, 15, argb(kGreenCColor)},  {29, 19, argb(kGreenCColor)},
        {30, 20, argb(kWhiteCColor)}, {39, 29, argb(kWhiteCColor)},  {40, 0, 0u},
    };
    for (const auto& p : pixels) EXPECT_EQ(stage.native.getPixel(p.x, p.y), p.expected) << p.x << "," << p.y;

    const int redDraws = red->draws;
    green->colour = kYellowCColor;
    green->invalid();
    stage.native.update();
    EXPECT_EQ(stage.native.getPixel(25, 15), argb(kYellowCColor));
    EXPECT_EQ(red->draws, redDraws) << "a view outside the invalid region is not redrawn";
    stage.native.update();
    EXPECT_EQ(red->draws, redDraws) << "nothing pending, nothing drawn";
}

TEST(Frame, PressGoesToTheTopmostTakerAndCapturesTheGesture) {
    // Press on both views, drag outside them, release, then hover without a button.
    const struct { const char* description; CMouseEventResult aboveAnswers; Log above, below; } cases[] = {
        {"taken: the gesture stays with the view", kMouseEventHandled, {"down 30,30", "moved 90,90", "up 95,95"}, {}},
        {"declined: falls through to the view below", kMouseEventNotHandled, {"down 30,30"},
         {"down 30,30", "moved 90,90", "up 95,95"}},
        {"taken without moves or release", kMouseDownEventHandledButDontNeedMovedOrUpEvents, {"down 30,30"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        Stage stage(CRect(0, 0, 100, 100));
        auto* below = new PaintedView(CRect(0, 0, 50, 50), kRedCColor);
        auto* above = new PaintedView(CRect(20, 20, 60, 60), kGreenCColor);
        above->answer = c.aboveAnswers;
        stage.frame->addView(below);
        stage.frame->addView(above);
        stage.native.mouseDown(CPoint(30, 30), CLinuxNativeView::kLeftButton);
        stage.native.mouseMoved(CPoint(90, 90), CLinuxNativeView::kLeftButton);
        stage.native.mouseUp(CPoint(95, 95), CLinuxNativeView::kLeftButton);
        stage.native.mouseMoved(CPoint(30, 30), 0);
        EXPECT_EQ(above->log, c.above);
        EXPECT_EQ(below->log, c.below);
    }
}

TEST(Frame, FocusFollowsClicksAndCarriesKeysWheelGoesUnderThePointer) {
    Stage stage(CRect(0, 0, 200, 100));
    CLinuxNativeView& native = stage.native;
    RecordingListener listener;
    auto* edit = new CTextEdit(CRect(0, 0, 60, 20), &listener, 7, "0");
    auto* knob = new CKnob(CRect(100, 0, 160, 60), &listener, 2, nullptr, nullptr);
    stage.frame->addView(edit);
    stage.frame->addView(knob);
    stage.frame->addView(new PaintedView(CRect(0, 50, 50, 100), kRedCColor));

    knob->setValue(0.5f);
    EXPECT_FALSE(native.mouseWheel(CPoint(10, 60), 1)) << "the plain view takes no wheel";
    EXPECT_TRUE(native.mouseWheel(CPoint(110, 10), 1, CLinuxNativeView::kCommandModifier));
    EXPECT_NEAR(knob->getValue(), 0.51f, 1e-6);

    EXPECT_FALSE(native.keyDown('1')) << "no focus, nobody takes keys";
    native.mouseDown(CPoint(10, 10), CLinuxNativeView::kLeftButton);
    EXPECT_EQ(stage.frame->getFocusView(), edit);
    EXPECT_TRUE(native.typeText("42"));
    // A click on the knob moves the focus there, which commits the typing.
    stage.Click(CPoint(130, 5));
    EXPECT_STREQ(edit->getText(), "42");
    EXPECT_EQ(stage.frame->getFocusView(), knob);
    const float before = knob->getValue();
    EXPECT_TRUE(native.keyDown(0, VKEY_UP));
    EXPECT_NEAR(knob->getValue(), before + 0.1f, 1e-6);
    // A click on a view that takes no focus clears it.
    stage.Click(CPoint(10, 60));
    EXPECT_EQ(stage.frame->getFocusView(), nullptr);
    EXPECT_FALSE(native.keyDown(0, VKEY_UP));

    // Removing the focus view clears the focus without a report.
    native.mouseDown(CPoint(10, 10), CLinuxNativeView::kLeftButton);
    native.typeText("7");
    listener.events.clear();
    stage.frame->removeView(edit);
    EXPECT_EQ(stage.frame->getFocusView(), nullptr);
    EXPECT_TRUE(listener.events.empty());
}

TEST(NativeView, ButtonStateMapping) {
    using N = CLinuxNativeView;
    const struct { uint32 buttons, modifiers; int32 expected; } cases[] = {
        {N::kMiddleButton, 0, kMButton}, {N::kFourthButton | N::kFifthButton, 0, kButton4 | kButton5},
        {N::kLeftButton | N::kMiddleButton, N::kControlModifier, kLButton | kMButton | kControlKey},
        {0, N::kShiftModifier | N::kCommandModifier | N::kOptionModifier | N::kControlModifier,
         kShift | kCommand | kOption | kControlKey},
    };
    for (const auto& c : cases)
        EXPECT_EQ(N::toButtonState(c.buttons, c.modifiers).getButtonState(), c.expected)
            << c.buttons << "/" << c.modifiers;
    EXPECT_EQ(N::toKeyModifiers(N::kShiftModifier | N::kOptionModifier | N::kCommandModifier | N::kControlModifier),
              MODIFIER_SHIFT | MODIFIER_ALTERNATE | MODIFIER_COMMAND | MODIFIER_CONTROL);
}

TEST(Frame, SizeAndPositionAskTheEditor) {
    struct RefusingEditor : VSTGUIEditorInterface {
        bool refuse = false;
        bool beforeSizeChange(const CRect&, const CRect&) override { return !refuse; }
    } editor;
    Stage stage(CRect(0, 0, 0, 0), &editor);
    EXPECT_TRUE(stage.frame->setSize(30, 20));
    editor.refuse = true;
    EXPECT_FALSE(stage.frame->setSize(50, 50));
    CRect size;
    stage.frame->getSize(&size);
    EXPECT_EQ(size, CRect(0, 0, 30, 20));
    EXPECT_EQ(stage.native.getWidth(), 30);
}

TEST(Lifetime, FramePlatformViewAndViewsMayGoInAnyOrder) {
    {
        auto* native = new CLinuxNativeView;
        CFrame* frame = new CFrame(CRect(0, 0, 10, 10), native, nullptr);
        delete native;
        EXPECT_EQ(frame->getPlatformView(), nullptr);
        frame->invalid();
        frame->idle();
        frame->forget();
    }
    {
        CLinuxNativeView native;
        (new CFrame(CRect(0, 0, 10, 10), &native, nullptr))->forget();
        EXPECT_EQ(native.getFrame(), nullptr);
        EXPECT_EQ(native.mouseDown(CPoint(1, 1), CLinuxNativeView::kLeftButton), kMouseEventNotHandled);
        EXPECT_FALSE(native.keyDown('a'));
    }
    {
        // A view removed mid-gesture gets no more events.
        Stage stage(CRect(0, 0, 100, 100));
        auto* view = new PaintedView(CRect(0, 0, 50, 50), kRedCColor);
        stage.frame->addView(view);
        stage.native.mouseDown(CPoint(10, 10), CLinuxNativeView::kLeftButton);
        stage.frame->removeView(view);  // destroys it
        const uint32 left = CLinuxNativeView::kLeftButton;
        EXPECT_EQ(stage.native.mouseMoved(CPoint(20, 20), left), kMouseEventNotHandled);
        EXPECT_EQ(stage.native.mouseUp(CPoint(20, 20), left), kMouseEventNotHandled);
    }
    {
        // A second frame in the same platform view replaces the first.
        CLinuxNativeView native;
        CFrame* first = new CFrame(CRect(0, 0, 10, 10), &native, nullptr);
        CFrame* second = new CFrame(CRect(0, 0, 20, 20), &native, nullptr);
        EXPECT_EQ(native.getFrame(), second);
        EXPECT_EQ(first->getPlatformView(), nullptr);
        first->forget();
        EXPECT_EQ(native.getFrame(), second);
        second->forget();
    }
}
