// The frame in its platform view: drawing and redrawing into the pixel
// surface, event routing (topmost first, capture of a press), keyboard
// focus, the platform's button-state mapping, and teardown in either order.
#include <gtest/gtest.h>

#include "ToolkitTestSupport.h"

using namespace VSTGUI;
using toolkit_test::RecordingListener;

namespace {

// A view that fills itself with one colour, counts its draws and records
// the mouse events it gets.
class PaintedView : public CView {
public:
    PaintedView(const CRect& size, CColor colour, CMouseEventResult answer = kMouseEventHandled)
        : CView(size), colour(colour), answer(answer) {}
    void draw(CDrawContext* context) override {
        ++draws;
        context->setFillColor(colour);
        context->drawRect(m_size, kDrawFilled);
        setDirty(false);
    }
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState&) override {
        log.push_back("down " + point(where));
        return answer;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState&) override {
        log.push_back("moved " + point(where));
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState&) override {
        log.push_back("up " + point(where));
        return kMouseEventHandled;
    }
    static std::string point(const CPoint& p) {
        return std::to_string(int(p.x)) + "," + std::to_string(int(p.y));
    }
    CColor colour;
    CMouseEventResult answer;
    int draws = 0;
    std::vector<std::string> log;
};

constexpr uint32_t argb(CColor c) { return c.toARGB(); }

}  // namespace

TEST(Frame, DrawsViewsAtTheirPlaceAndRedrawsOnlyWhatIsInvalid) {
    CLinuxNativeView native;
    CFrame* frame = new CFrame(CRect(0, 0, 0, 0), &native, nullptr);
    frame->setSize(40, 30);
    frame->setBackgroundColor(kBlueCColor);
    EXPECT_EQ(native.getWidth(), 40);
    EXPECT_EQ(native.getHeight(), 30);

    auto* red = new PaintedView(CRect(0, 0, 10, 10), kRedCColor);
    auto* container = new CViewContainer(CRect(20, 10, 40, 30));
    container->setBackgroundColor(kWhiteCColor);
    auto* green = new PaintedView(CRect(5, 5, 10, 10), kGreenCColor);
    container->addView(green);
    frame->addView(red);
    frame->addView(container);

    const struct {
        int x, y;
        uint32_t expected;
    } pixels[] = {
        {0, 0, argb(kRedCColor)},   {9, 9, argb(kRedCColor)},    {10, 10, argb(kBlueCColor)},
        {20, 10, argb(kWhiteCColor)}, {25, 15, argb(kGreenCColor)}, {29, 19, argb(kGreenCColor)},
        {30, 20, argb(kWhiteCColor)}, {39, 29, argb(kWhiteCColor)}, {40, 0, 0u},
    };
    for (const auto& p : pixels) EXPECT_EQ(native.getPixel(p.x, p.y), p.expected) << p.x << "," << p.y;

    const int redDraws = red->draws;
    green->colour = kYellowCColor;
    green->invalid();
    native.update();
    EXPECT_EQ(native.getPixel(25, 15), argb(kYellowCColor));
    EXPECT_EQ(red->draws, redDraws) << "a view outside the invalid region is not redrawn";
    native.update();
    EXPECT_EQ(red->draws, redDraws) << "nothing pending, nothing drawn";
    frame->forget();
}

TEST(Frame, PressGoesToTheTopmostTakerAndCapturesTheGesture) {
    CLinuxNativeView native;
    CFrame* frame = new CFrame(CRect(0, 0, 100, 100), &native, nullptr);
    auto* below = new PaintedView(CRect(0, 0, 50, 50), kRedCColor);
    auto* above = new PaintedView(CRect(20, 20, 60, 60), kGreenCColor);
    frame->addView(below);
    frame->addView(above);

    native.mouseDown(CPoint(30, 30), CLinuxNativeView::kLeftButton);
    native.mouseMoved(CPoint(90, 90), CLinuxNativeView::kLeftButton);
    native.mouseUp(CPoint(95, 95), CLinuxNativeView::kLeftButton);
    native.mouseMoved(CPoint(30, 30), 0);
    EXPECT_EQ(above->log, std::vector<std::string>({"down 30,30", "moved 90,90", "up 95,95"}));
    EXPECT_TRUE(below->log.empty());

    above->answer = kMouseEventNotHandled;
    above->log.clear();
    native.mouseDown(CPoint(30, 30), CLinuxNativeView::kLeftButton);
    native.mouseUp(CPoint(30, 30), CLinuxNativeView::kLeftButton);
    EXPECT_EQ(above->log, std::vector<std::string>({"down 30,30"}));
    EXPECT_EQ(below->log, std::vector<std::string>({"down 30,30", "up 30,30"}))
        << "a declined press falls through to the view below";

    above->answer = kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    above->log.clear();
    native.mouseDown(CPoint(30, 30), CLinuxNativeView::kLeftButton);
    native.mouseMoved(CPoint(31, 31), CLinuxNativeView::kLeftButton);
    native.mouseUp(CPoint(31, 31), CLinuxNativeView::kLeftButton);
    EXPECT_EQ(above->log, std::vector<std::string>({"down 30,30"}));
    frame->forget();
}

TEST(Frame, ViewRemovedMidGestureGetsNoMoreEvents) {
    CLinuxNativeView native;
    CFrame* frame = new CFrame(CRect(0, 0, 100, 100), &native, nullptr);
    auto* view = new PaintedView(CRect(0, 0, 50, 50), kRedCColor);
    frame->addView(view);
    native.mouseDown(CPoint(10, 10), CLinuxNativeView::kLeftButton);
    frame->removeView(view);  // destroys it
    EXPECT_EQ(native.mouseMoved(CPoint(20, 20), CLinuxNativeView::kLeftButton), kMouseEventNotHandled);
    EXPECT_EQ(native.mouseUp(CPoint(20, 20), CLinuxNativeView::kLeftButton), kMouseEventNotHandled);
    frame->forget();
}

TEST(Frame, FocusFollowsClicksAndCarriesKeys) {
    CLinuxNativeView native;
    CFrame* frame = new CFrame(CRect(0, 0, 200, 100), &native, nullptr);
    RecordingListener listener;
    auto* edit = new CTextEdit(CRect(0, 0, 60, 20), &listener, 7, "0");
    auto* knob = new CKnob(CRect(100, 0, 160, 60), &listener, 2, nullptr, nullptr);
    auto* plain = new PaintedView(CRect(0, 50, 50, 100), kRedCColor);
    frame->addView(edit);
    frame->addView(knob);
    frame->addView(plain);

    EXPECT_FALSE(native.keyDown('1')) << "no focus, nobody takes keys";
    native.mouseDown(CPoint(10, 10), CLinuxNativeView::kLeftButton);
    EXPECT_EQ(frame->getFocusView(), edit);
    EXPECT_TRUE(native.typeText("42"));
    // A click on the knob moves the focus there, which commits the typing.
    native.mouseDown(CPoint(130, 5), CLinuxNativeView::kLeftButton);
    native.mouseUp(CPoint(130, 5), CLinuxNativeView::kLeftButton);
    EXPECT_STREQ(edit->getText(), "42");
    EXPECT_EQ(frame->getFocusView(), knob);
    const float before = knob->getValue();
    EXPECT_TRUE(native.keyDown(0, VKEY_UP));
    EXPECT_NEAR(knob->getValue(), before + 0.1f, 1e-6);
    // A click on a view that takes no focus clears it.
    native.mouseDown(CPoint(10, 60), CLinuxNativeView::kLeftButton);
    native.mouseUp(CPoint(10, 60), CLinuxNativeView::kLeftButton);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_FALSE(native.keyDown(0, VKEY_UP));

    // Removing the focus view clears the focus without a report.
    native.mouseDown(CPoint(10, 10), CLinuxNativeView::kLeftButton);
    native.typeText("7");
    listener.events.clear();
    frame->removeView(edit);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_TRUE(listener.events.empty());
    frame->forget();
}

TEST(Frame, WheelGoesToTheViewUnderThePointer) {
    CLinuxNativeView native;
    CFrame* frame = new CFrame(CRect(0, 0, 200, 100), &native, nullptr);
    auto* knob = new CKnob(CRect(100, 0, 160, 60), nullptr, 2, nullptr, nullptr);
    frame->addView(knob);
    knob->setValue(0.5f);
    EXPECT_FALSE(native.mouseWheel(CPoint(10, 10), 1));
    EXPECT_TRUE(native.mouseWheel(CPoint(110, 10), 1, CLinuxNativeView::kCommandModifier));
    EXPECT_NEAR(knob->getValue(), 0.51f, 1e-6);
    frame->forget();
}

TEST(NativeView, ButtonStateMapping) {
    using N = CLinuxNativeView;
    const struct {
        uint32 buttons, modifiers;
        int32 expected;
    } cases[] = {
        {N::kLeftButton, 0, kLButton},
        {N::kMiddleButton, 0, kMButton},
        {N::kRightButton, 0, kRButton},
        {N::kFourthButton | N::kFifthButton, 0, kButton4 | kButton5},
        {N::kLeftButton, N::kShiftModifier, kLButton | kShift},
        {N::kLeftButton, N::kCommandModifier, kLButton | kCommand},
        {N::kLeftButton, N::kOptionModifier, kLButton | kOption},
        {N::kLeftButton, N::kControlModifier, kRButton | kControlKey},
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
    struct RefusingEditor : VSTGUI::VSTGUIEditorInterface {
        bool refuse = false;
        bool beforeSizeChange(const CRect&, const CRect&) override { return !refuse; }
    } editor;
    CLinuxNativeView native;
    CFrame* frame = new CFrame(CRect(0, 0, 0, 0), &native, &editor);
    EXPECT_TRUE(frame->setSize(30, 20));
    editor.refuse = true;
    EXPECT_FALSE(frame->setSize(50, 50));
    CRect size;
    frame->getSize(&size);
    EXPECT_EQ(size, CRect(0, 0, 30, 20));
    EXPECT_EQ(native.getWidth(), 30);
    frame->forget();
}

TEST(Lifetime, FrameAndPlatformViewMayGoInEitherOrder) {
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
        CFrame* frame = new CFrame(CRect(0, 0, 10, 10), &native, nullptr);
        frame->forget();
        EXPECT_EQ(native.getFrame(), nullptr);
        EXPECT_EQ(native.mouseDown(CPoint(1, 1), CLinuxNativeView::kLeftButton), kMouseEventNotHandled);
        EXPECT_FALSE(native.keyDown('a'));
        EXPECT_FALSE(native.saveSnapshot("/nonexistent/never.png") && false);
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

TEST(NativeView, SnapshotWritesThePixels) {
    toolkit_test::ScratchFolder folder;
    CLinuxNativeView native;
    EXPECT_FALSE(native.saveSnapshot(folder.file("empty.png"))) << "no frame, nothing to save";
    CFrame* frame = new CFrame(CRect(0, 0, 12, 8), &native, nullptr);
    frame->setBackgroundColor(kGreenCColor);
    ASSERT_TRUE(native.saveSnapshot(folder.file("shot.png")));
    cairo_surface_t* png = cairo_image_surface_create_from_png(folder.file("shot.png").c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(png), 12);
    EXPECT_EQ(*reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(png)), argb(kGreenCColor));
    cairo_surface_destroy(png);
    frame->forget();
}
