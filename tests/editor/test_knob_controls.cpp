// The filmstrip knobs on their own (the knob modes themselves: tests/toolkit).
#include <gtest/gtest.h>

#include <memory>

#include "AAX_VViewContainer.h"
#include "EditorHarness.h"

using namespace VSTGUI;
using toolkit_test::RecordingListener;

namespace {

// Colour of filmstrip frame k.
uint32_t FrameColour(int k) { return 0xFF000000u | uint32_t(0x30 * (k + 1)) << 16 | uint32_t(0x10 * k); }

// A filmstrip of `frames` frames of 60 x 60, frame k filled with FrameColour(k).
CBitmap* NewFilmstrip(int frames, int frameHeight = 60) {
    auto* strip = new CBitmap(60, frameHeight * frames);
    cairo_t* cr = cairo_create(strip->getSurface());
    for (int k = 0; k < frames; ++k) {
        const uint32_t c = FrameColour(k);
        cairo_set_source_rgb(cr, ((c >> 16) & 255) / 255.0, ((c >> 8) & 255) / 255.0, (c & 255) / 255.0);
        cairo_rectangle(cr, 0, k * frameHeight, 60, frameHeight);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    cairo_surface_mark_dirty(strip->getSurface());
    return strip;
}

// A frame in a platform view, run by an editor with the editor's knob mode.
struct KnobStage {
    explicit KnobStage(int32 knobMode = kLinearMode) : editor(knobMode) {
        frame = new CFrame(CRect(0, 0, 100, 100), &native, &editor);
    }
    ~KnobStage() { frame->forget(); }
    template <class Knob>
    Knob* Add(CBitmap* strip, float zoom = CKnob::kDefaultZoomFactor) {
        auto* knob = new Knob(CRect(20, 20, 80, 80), &listener, 4, strip);
        knob->setZoomFactor(zoom);
        frame->addView(knob);
        return knob;
    }
    static constexpr uint32 kLeft = CLinuxNativeView::kLeftButton;
    void Press(CPoint where, uint32 keys = 0) { native.mouseDown(where, kLeft, keys); }
    void Move(CPoint where, uint32 keys = 0) { native.mouseMoved(where, kLeft, keys); }
    void Release(CPoint where, uint32 keys = 0) { native.mouseUp(where, kLeft, keys); }

    toolkit_test::TestEditor editor;
    CLinuxNativeView native;
    CFrame* frame;
    RecordingListener listener;
};

}  // namespace

TEST(AnimKnob, ShowsTheFrameOfItsValue) {
    const struct { float value; int frameShown; } cases[] = {
        {0.0f, 0}, {0.25f, 1}, {0.5f, 2}, {0.75f, 3}, {1.0f, 4}, {0.49f, 1}, {0.999f, 3}, {0.26f, 1}};
    KnobStage stage;
    CBitmap* strip = NewFilmstrip(5);
    auto* knob = stage.Add<COrvanta_VST_AnimKnob>(strip);
    strip->forget();
    EXPECT_EQ(knob->getNumSubPixmaps(), 5);
    EXPECT_EQ(knob->getHeightOfOneImage(), 60);
    EXPECT_EQ(knob->getInsetValue(), 0);
    for (const auto& c : cases) {
        knob->setValue(c.value);
        knob->invalid();
        EXPECT_EQ(stage.native.getPixel(50, 50), FrameColour(c.frameShown)) << "value " << c.value;
        EXPECT_FALSE(knob->isDirty()) << "drawing marks the knob clean";
        EXPECT_EQ(knob->getOldValue(), c.value);
    }
}

TEST(AnimKnob, FrameGeometryFollowsTheBitmap) {
    CBitmap* three = NewFilmstrip(3);
    const CRect size(0, 0, 60, 60);
    {
        COrvanta_VST_AnimKnob knobWithout(size, nullptr, 2, nullptr);
        EXPECT_EQ(knobWithout.getNumSubPixmaps(), 0);
        EXPECT_FALSE(knobWithout.sizeToFit());
        knobWithout.setBackground(three);
        EXPECT_EQ(knobWithout.getNumSubPixmaps(), 3);
        knobWithout.setHeightOfOneImage(30);
        EXPECT_EQ(knobWithout.getNumSubPixmaps(), 6);
        EXPECT_TRUE(knobWithout.sizeToFit());
        EXPECT_EQ(knobWithout.getViewSize(), CRect(0, 0, 60, 30));
        EXPECT_EQ(knobWithout.getMouseableArea(), CRect(0, 0, 60, 30));
        knobWithout.setBackground(nullptr);
    }
    three->forget();

    // No bitmap: nothing drawn, still marked clean.
    KnobStage stage;
    stage.frame->setBackgroundColor(kRedCColor);
    auto* empty = stage.Add<COrvanta_VST_AnimKnob_Switch_Fine>(nullptr);
    empty->setValue(0.7f);
    empty->invalid();
    EXPECT_EQ(stage.native.getPixel(50, 50), kRedCColor.toARGB());
    EXPECT_FALSE(empty->isDirty());
}

TEST(AnimKnob, LinearDragArithmetic) {
    enum Variant { kContinuous, kSwitch, kFine };
    const uint32 command = CLinuxNativeView::kCommandModifier;
    const float zoom = CKnob::kDefaultZoomFactor;
    const struct { const char* description; Variant variant; float zoom; uint32 modifiers; CPoint to;
        float start, expected; } cases[] = {
        {"up and right add up", kContinuous, zoom, 0, CPoint(70, 30), 0.0f, 0.2f},
        {"down lowers", kContinuous, zoom, 0, CPoint(50, 90), 0.5f, 0.3f},
        {"past the bottom stops at 0", kContinuous, zoom, 0, CPoint(50, 400), 0.5f, 0.0f},
        {"type selector: 200 pixels", kSwitch, zoom, 0, CPoint(50, 0), 0.0f, 0.25f},
        {"brightness switch: 100 pixels", kFine, zoom, 0, CPoint(50, 0), 0.0f, 0.5f},
        // The brightness switch's zoom factor: a fine drag covers 1/(100 x 25) per pixel.
        {"brightness switch, fine, zoom 25", kFine, 25.0f, command, CPoint(50, 0), 0.0f, 50.0f / 2500},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        KnobStage stage;
        CControl* knob = nullptr;
        if (c.variant == kContinuous) knob = stage.Add<COrvanta_VST_AnimKnob>(nullptr, c.zoom);
        if (c.variant == kSwitch) knob = stage.Add<COrvanta_VST_AnimKnob_Switch>(nullptr, c.zoom);
        if (c.variant == kFine) knob = stage.Add<COrvanta_VST_AnimKnob_Switch_Fine>(nullptr, c.zoom);
        knob->setValue(c.start);
        knob->setDirty(false);
        stage.Press(CPoint(50, 50), c.modifiers);
        EXPECT_FLOAT_EQ(knob->getValue(), c.start) << "the press itself moves nothing";
        stage.Move(c.to, c.modifiers);
        stage.Release(c.to, c.modifiers);
        EXPECT_NEAR(knob->getValue(), c.expected, 1e-6);
        ASSERT_EQ(stage.listener.events.size(), 3u) << "one change reported";
        EXPECT_EQ(stage.listener.events[0] + " " + stage.listener.events[2], "begin:4 end:4");
    }
}

TEST(AnimKnob, FineKeyMidDragRebasesWithoutAJump) {
    using N = CLinuxNativeView;
    const struct { int y; uint32 modifiers; float expected; } path[] = {
        {30, 0, 20.0f / 200},                                   // plain: 1/200 per pixel
        {29, N::kCommandModifier, 21.0f / 200},                 // Command pressed: no jump
        {-1, N::kCommandModifier, 21.0f / 200 + 30.0f / 300},   // then 1/(200 x 1.5) per pixel
        {-2, 0, 21.0f / 200 + 31.0f / 300},                     // Command let go: no jump
        {-2, 0, 21.0f / 200 + 31.0f / 300},                     // the same point changes nothing
        {-22, 0, 21.0f / 200 + 31.0f / 300 + 20.0f / 200},      // then 1/200 per pixel again
    };
    KnobStage stage;
    auto* knob = stage.Add<COrvanta_VST_AnimKnob>(nullptr);
    stage.Press(CPoint(50, 50));
    for (const auto& step : path) {
        stage.Move(CPoint(50, step.y), step.modifiers);
        EXPECT_NEAR(knob->getValue(), step.expected, 1e-5) << "at y " << step.y;
    }
    EXPECT_EQ(stage.listener.events.size(), 1u + 5u) << "begin, a report per move that changed the value";
}

TEST(AnimKnob, ModifierWordForTheHost) {
    using N = CLinuxNativeView;
    const struct { uint32 buttons, modifiers; uint32_t expected; } cases[] = {
        {N::kLeftButton, 0, 0},
        {N::kLeftButton, N::kShiftModifier, AAX_eModifiers_Shift},
        {N::kLeftButton, N::kCommandModifier, AAX_eModifiers_Command},
        {N::kLeftButton, N::kOptionModifier | N::kShiftModifier,
         AAX_eModifiers_Option | AAX_eModifiers_Shift},
        {N::kRightButton, 0, AAX_eModifiers_SecondaryButton},
        {N::kLeftButton, N::kControlModifier, AAX_eModifiers_Control | AAX_eModifiers_SecondaryButton},
    };
    for (const auto& c : cases) {
        auto container = HostViewContainer::Create(nullptr);
        AAX_VViewContainer wrapper(container->Identity());
        KnobStage stage;
        auto* knob = stage.Add<COrvanta_VST_AnimKnob>(nullptr);
        container->SetTakesMouseEvents(true);
        knob->SetViewContainer(&wrapper);
        knob->SetParamID(Orvanta::kParamID_Color);
        stage.native.mouseDown(CPoint(50, 50), c.buttons, c.modifiers);
        stage.native.mouseUp(CPoint(50, 50), c.buttons, c.modifiers);
        ASSERT_FALSE(container->MouseEvents().empty());
        EXPECT_EQ(container->MouseEvents()[0].modifiers, c.expected) << c.buttons << "/" << c.modifiers;
    }
}

TEST(AnimKnob, TypeTestsAndCopies) {
    CBitmap* strip = NewFilmstrip(5);
    RecordingListener listener;
    AAX_VViewContainer wrapper(nullptr);
    const CRect size(10, 10, 70, 70);
    COrvanta_VST_AnimKnob continuous(size, &listener, 2, strip);
    COrvanta_VST_AnimKnob_Switch selector(size, &listener, 6, strip);
    COrvanta_VST_AnimKnob_Switch_Fine brightness(size, &listener, 5, strip);
    strip->forget();  // the knobs hold it
    const struct { CControl* knob; const char* name; bool is; } types[] = {
        {&continuous, "CKnob", true}, {&continuous, "CControl", true},
        {&continuous, "COrvanta_VST_AnimKnob", true}, {&continuous, "COrvanta_VST_AnimKnob_Switch", false},
        {&selector, "CKnob", true}, {&selector, "CControl", true},
        {&selector, "COrvanta_VST_AnimKnob_Switch", true}, {&selector, "COrvanta_VST_AnimKnob", false},
        {&brightness, "CKnob", true}, {&brightness, "CControl", true},
        {&brightness, "COrvanta_VST_AnimKnob_Switch_Fine", false},  // keeps the toolkit knob's test
    };
    for (const auto& t : types) EXPECT_EQ(t.knob->isTypeOf(t.name), t.is) << t.knob->getTag() << t.name;

    continuous.SetViewContainer(&wrapper);
    continuous.SetParamID("Harmonic");
    continuous.setHeightOfOneImage(30);
    std::unique_ptr<CView, CBaseObjectForgetter> copy(continuous.newCopy());
    auto* knobCopy = dynamic_cast<COrvanta_VST_AnimKnob*>(copy.get());
    ASSERT_NE(knobCopy, nullptr);
    EXPECT_EQ(knobCopy->getViewSize(), size);
    EXPECT_EQ(knobCopy->getTag(), 2);
    EXPECT_EQ(knobCopy->getListener(), &listener);
    EXPECT_EQ(knobCopy->getBackground(), strip);
    EXPECT_EQ(knobCopy->getHeightOfOneImage(), 30);
    EXPECT_EQ(knobCopy->getNumSubPixmaps(), 10);
    EXPECT_EQ(knobCopy->GetParamID(), nullptr) << "a copy starts unbound";
    EXPECT_EQ(knobCopy->GetViewContainer(), nullptr);

    std::unique_ptr<CView, CBaseObjectForgetter> selectorCopy(selector.newCopy());
    EXPECT_NE(dynamic_cast<COrvanta_VST_AnimKnob_Switch*>(selectorCopy.get()), nullptr);
    std::unique_ptr<CView, CBaseObjectForgetter> plainCopy(brightness.newCopy());
    EXPECT_EQ(dynamic_cast<COrvanta_VST_AnimKnob_Switch_Fine*>(plainCopy.get()), nullptr);
    EXPECT_NE(dynamic_cast<CKnob*>(plainCopy.get()), nullptr) << "copied as a toolkit knob";
}
