// The editor panel with a real data model under the substitute host:
// layout, the display parsing rules, buttons, the touch and release of knob
// gestures, parameter notifications moving knobs and texts, shared bitmaps,
// the bundle lookup, and snapshots of the type selector's frames.
#include <gtest/gtest.h>

#include "EditorHarness.h"
#include "toolkit/CKickButton.h"
#include "toolkit/CTextEdit.h"

using namespace Orvanta;
using VSTGUI::CPoint;
using VSTGUI::CRect;
using Kind = HostAutomationDelegate::Event::Kind;

namespace {

CPoint CentreOf(const SOrvanta_EditorRect& r) { return CPoint(r.left + r.width / 2, r.top + r.height / 2); }

// Every set-value request of the data model brackets itself with a touch and
// a release; what is left over are the editor's own (its knob gestures).
long EditorTouches(const EditorHarness& h, const char* id) {
    return long(h.Requests(Kind::Touch, id).size()) - long(h.Requests(Kind::SetValue, id).size());
}
long EditorReleases(const EditorHarness& h, const char* id) {
    return long(h.Requests(Kind::Release, id).size()) - long(h.Requests(Kind::SetValue, id).size());
}

}  // namespace

TEST(EditorView, LayoutFollowsThePanel) {
    EditorHarness h;
    Orvanta_View* view = h.View();
    ASSERT_NE(view, nullptr);
    VSTGUI::CBitmap* panel = Orvanta_View::m_hOrvantaBackground.get();
    ASSERT_TRUE(panel->isLoaded()) << "artwork in " << ArtworkFolder();
    CRect size;
    view->getSize(&size);
    EXPECT_EQ(size, CRect(0, 0, panel->getWidth(), panel->getHeight()));
    EXPECT_EQ(h.native.getWidth(), int(panel->getWidth()));
    EXPECT_EQ(view->GetInputTrimKnob()->getViewSize(), CRect(19, 41, 79, 101));
    EXPECT_EQ(view->GetTypeSelectDisplay()->getViewSize(), CRect(379, 131, 439, 151));

    const struct {
        VSTGUI::CControl* control;
        long tag;
        const char* parameterID;
    } knobs[] = {
        {view->GetInputTrimKnob(), 2, "Harmonic"},   {view->GetProcessKnob(), 4, "Dynamic"},
        {view->GetOutputTrimKnob(), 3, "OutputTrim"}, {view->GetBrightnessKnob(), 5, "Dither"},
        {view->GetTypeSelectKnob(), 6, "Color"},
    };
    for (const auto& k : knobs) {
        EXPECT_EQ(k.control->getTag(), k.tag);
        double defaultValue = -1;
        h.model->GetParameterDefaultNormalizedValue(k.parameterID, &defaultValue);
        EXPECT_FLOAT_EQ(k.control->getDefaultValue(), float(defaultValue)) << k.parameterID;
    }
    EXPECT_STREQ(view->GetInputTrimKnob()->GetParamID(), "Harmonic");
    EXPECT_EQ(view->GetBrightnessKnob()->getZoomFactor(), 25.0f);
    EXPECT_EQ(view->GetTypeSelectKnob()->getZoomFactor(), 3.5f);
    EXPECT_EQ(view->GetProcessKnob()->getZoomFactor(), VSTGUI::CKnob::kDefaultZoomFactor);
    EXPECT_EQ(view->GetInputTrimKnob()->getNumSubPixmaps(),
              int(Orvanta_View::m_hOrvantaDial->getHeight() / kEditorKnobSize));
    EXPECT_EQ(view->GetTypeSelectKnob()->getNumSubPixmaps(), 5);
    EXPECT_EQ(view->GetBrightnessKnob()->getNumSubPixmaps(), 3);
    // Knobs first, then buttons, then displays: 17 controls in all.
    EXPECT_EQ(view->getNbViews(), 17);
    EXPECT_EQ(view->getView(5)->getViewSize(), CRect(421, 39, 475, 48));
    EXPECT_EQ(view->getView(11)->getViewSize(), CRect(334, 33, 356, 55));
    // The type buttons lie over the type selector: a click there reaches the button.
    EXPECT_EQ(view->getViewAt(CPoint(430, 45)), view->getView(5));
}

TEST(EditorView, OpeningShowsEveryParameter) {
    EditorHarness h(false);
    h.Automate(kParamID_Harmonic, 0.25);
    h.Automate(kParamID_Color, 1.0);
    h.Automate(kParamID_Dither, 1.0);
    h.Open();
    Orvanta_View* view = h.View();
    EXPECT_STREQ(view->GetInputTrimDisplay()->getText(), "25.00");
    EXPECT_FLOAT_EQ(view->GetInputTrimKnob()->getValue(), 0.25f);
    EXPECT_STREQ(view->GetProcessDisplay()->getText(), "0.00");
    EXPECT_STREQ(view->GetOutputTrimDisplay()->getText(), "0.00");
    EXPECT_FLOAT_EQ(view->GetOutputTrimKnob()->getValue(), 0.5f);
    EXPECT_STREQ(view->GetTypeSelectDisplay()->getText(), "Deep");
    EXPECT_FLOAT_EQ(view->GetTypeSelectKnob()->getValue(), 1.0f);
    EXPECT_STREQ(view->GetBrightnessDisplay()->getText(), "On");
}

TEST(EditorView, TypedValuesAndTheirParsing) {
    const struct {
        const char* description;
        SOrvanta_EditorRect display;
        const char* parameterID;
        double before;
        const char* typed;
        double expected;
        const char* shown;
    } cases[] = {
        {"percent", kEditorRect_InputTrimDisplay, kParamID_Harmonic, 0.1, "50", 0.5, "50.00"},
        {"above the range is refused", kEditorRect_InputTrimDisplay, kParamID_Harmonic, 0.1, "150", 0.1, "150"},
        {"below the range is refused", kEditorRect_InputTrimDisplay, kParamID_Harmonic, 0.1, "-1", 0.1, "-1"},
        {"no number reads as 0", kEditorRect_InputTrimDisplay, kParamID_Harmonic, 0.1, "abc", 0.0, "0.00"},
        {"leading blanks and units", kEditorRect_ProcessDisplay, kParamID_Dynamic, 0.0, "  75 %", 0.75, "75.00"},
        {"range ends are inside", kEditorRect_ProcessDisplay, kParamID_Dynamic, 0.0, "100", 1.0, "100.00"},
        {"decibels", kEditorRect_OutputTrimDisplay, kParamID_OutputTrim, 0.5, "3", 0.75, "3.00"},
        {"top of the trim", kEditorRect_OutputTrimDisplay, kParamID_OutputTrim, 0.5, "6", 1.0, "6.00"},
        {"past the trim", kEditorRect_OutputTrimDisplay, kParamID_OutputTrim, 0.5, "6.5", 0.5, "6.5"},
        {"bottom of the trim", kEditorRect_OutputTrimDisplay, kParamID_OutputTrim, 0.5, "-6", 0.0, "-6.00"},
        {"type by name", kEditorRect_TypeSelectDisplay, kParamID_Color, 0.0, "gold", 0.25, "Gold"},
        {"type by capital letter", kEditorRect_TypeSelectDisplay, kParamID_Color, 0.0, "G", 0.25, "Gold"},
        {"type by first letter only", kEditorRect_TypeSelectDisplay, kParamID_Color, 0.0, "Gx", 0.25, "Gold"},
        {"last type", kEditorRect_TypeSelectDisplay, kParamID_Color, 0.0, "deep", 1.0, "Deep"},
        {"unknown type restores the name", kEditorRect_TypeSelectDisplay, kParamID_Color, 0.5, "x", 0.5, "Rich"},
        {"ON in capitals", kEditorRect_BrightnessDisplay, kParamID_Dither, 0.0, "ON", 1.0, "On"},
        {"off", kEditorRect_BrightnessDisplay, kParamID_Dither, 1.0, "off", 0.0, "Off"},
        {"of is enough", kEditorRect_BrightnessDisplay, kParamID_Dither, 1.0, "of", 0.0, "Off"},
        {"o alone is neither", kEditorRect_BrightnessDisplay, kParamID_Dither, 1.0, "o", 1.0, "o"},
        {"yes is neither", kEditorRect_BrightnessDisplay, kParamID_Dither, 0.0, "yes", 0.0, "yes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        EditorHarness h;
        h.Automate(c.parameterID, c.before);
        h.TypeInto(CentreOf(c.display), c.typed);
        EXPECT_DOUBLE_EQ(h.Normalized(c.parameterID), c.expected);
        auto* display = dynamic_cast<VSTGUI::CTextEdit*>(h.View()->getViewAt(CentreOf(c.display)));
        ASSERT_NE(display, nullptr);
        EXPECT_STREQ(display->getText(), c.shown);
        EXPECT_EQ(EditorTouches(h, c.parameterID), 0) << "displays touch nothing";
    }
    // Committing empty text into the type display restores the name.
    EditorHarness h;
    h.Automate(kParamID_Color, 0.75);
    const CPoint typeDisplay = CentreOf(kEditorRect_TypeSelectDisplay);
    h.native.mouseDown(typeDisplay, VSTGUI::CLinuxNativeView::kLeftButton);
    h.native.keyDown(0, VSTGUI::VKEY_BACK);
    h.native.keyDown(0, VSTGUI::VKEY_RETURN);
    EXPECT_STREQ(h.View()->GetTypeSelectDisplay()->getText(), "Fat");
}

TEST(EditorView, ParsingRules) {
    EditorHarness h;
    Orvanta_View* view = h.View();
    const struct {
        const char* text;
        int expected;
    } onOff[] = {{"On", 2}, {"ON", 2}, {"on", 2}, {"Off", 1}, {"of", 1}, {"OF", 1},
                 {"1", 0},  {"yes", 0}, {"o", 0}, {"", 0},    {"no", 0}};
    for (const auto& c : onOff) EXPECT_EQ(view->compareBrightness(c.text), c.expected) << c.text;
    EXPECT_EQ(view->compareBrightness(nullptr), 0);

    const struct {
        const char* text;
        long tag;
        double expected;
    } numbers[] = {{"50", 7, 0.5},           {"0", 9, 0.0},    {"100", 9, 1.0},  {"100.01", 7, -999.9000244140625},
                   {"-0.5", 7, -999.9000244140625}, {"3", 8, 0.75}, {"-6", 8, 0.0}, {"6.5", 8, -999.9000244140625},
                   {"nan", 7, -999.9000244140625},  {"1e1", 7, 0.1}, {"", 8, 0.5}};
    for (const auto& c : numbers) EXPECT_DOUBLE_EQ(view->normalizeInputText(c.text, c.tag), c.expected) << c.text;
    EXPECT_EQ(Orvanta_View::kRejectedInput, -999.9000244140625);
}

TEST(EditorView, ButtonsSetTheirValueTwiceWithoutTouching) {
    const struct {
        const char* description;
        SOrvanta_EditorRect button;
        const char* parameterID;
        double expected;
        const char* shown;
    } cases[] = {
        {"Silver", kEditorRect_ColorButtons[0], kParamID_Color, 0.0, "Silver"},
        {"Gold", kEditorRect_ColorButtons[1], kParamID_Color, 0.25, "Gold"},
        {"Rich", kEditorRect_ColorButtons[2], kParamID_Color, 0.5, "Rich"},
        {"Fat", kEditorRect_ColorButtons[3], kParamID_Color, 0.75, "Fat"},
        {"Deep", kEditorRect_ColorButtons[4], kParamID_Color, 1.0, "Deep"},
        {"dither on", kEditorRect_DitherOnButton, kParamID_Dither, 1.0, "On"},
        {"dither off", kEditorRect_DitherOffButton, kParamID_Dither, 0.0, "Off"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        EditorHarness h;
        h.Automate(c.parameterID, c.expected == 0.0 ? 1.0 : 0.0);
        h.Click(CentreOf(c.button));
        EXPECT_DOUBLE_EQ(h.Normalized(c.parameterID), c.expected);
        EXPECT_EQ(h.Requests(Kind::SetValue, c.parameterID).size(), 2u) << "pressed, then sprung back";
        EXPECT_EQ(EditorTouches(h, c.parameterID), 0);
        EXPECT_EQ(EditorReleases(h, c.parameterID), 0);
        auto* display = c.parameterID == kParamID_Color ? h.View()->GetTypeSelectDisplay()
                                                         : h.View()->GetBrightnessDisplay();
        EXPECT_STREQ(display->getText(), c.shown);
    }
    // Pressed, dragged off and released elsewhere: one report, same value.
    EditorHarness h;
    const CPoint rich = CentreOf(kEditorRect_ColorButtons[2]);
    h.native.mouseDown(rich, VSTGUI::CLinuxNativeView::kLeftButton);
    h.native.mouseMoved(CPoint(10, 10), VSTGUI::CLinuxNativeView::kLeftButton);
    h.native.mouseUp(CPoint(10, 10), VSTGUI::CLinuxNativeView::kLeftButton);
    h.Answer();
    EXPECT_DOUBLE_EQ(h.Normalized(kParamID_Color), 0.5);
    EXPECT_EQ(h.Requests(Kind::SetValue, kParamID_Color).size(), 1u);
}

TEST(EditorView, KnobGestureTouchesSetsAndReleases) {
    EditorHarness h;
    const CPoint knob = CentreOf(kEditorRect_ProcessKnob);
    h.native.mouseDown(knob, VSTGUI::CLinuxNativeView::kLeftButton);
    EXPECT_EQ(EditorTouches(h, kParamID_Dynamic), 1);
    EXPECT_TRUE(h.automation->IsTouched(kParamID_Dynamic));
    h.native.mouseMoved(CPoint(knob.x, knob.y - 20), VSTGUI::CLinuxNativeView::kLeftButton);
    h.Answer();
    h.native.mouseMoved(CPoint(knob.x, knob.y - 40), VSTGUI::CLinuxNativeView::kLeftButton);
    h.Answer();
    h.native.mouseMoved(CPoint(knob.x, knob.y - 40), VSTGUI::CLinuxNativeView::kLeftButton);
    h.native.mouseUp(CPoint(knob.x, knob.y - 40), VSTGUI::CLinuxNativeView::kLeftButton);
    const auto sets = h.Requests(Kind::SetValue, kParamID_Dynamic);
    ASSERT_EQ(sets.size(), 2u) << "one per move that changed the value";
    EXPECT_NEAR(sets[0].normalizedValue, 0.1, 1e-6);
    EXPECT_NEAR(sets[1].normalizedValue, 0.2, 1e-6);
    EXPECT_EQ(EditorReleases(h, kParamID_Dynamic), 1);
    EXPECT_FALSE(h.automation->IsTouched(kParamID_Dynamic));
    EXPECT_NEAR(h.Normalized(kParamID_Dynamic), 0.2, 1e-6);
    EXPECT_STREQ(h.View()->GetProcessDisplay()->getText(), "20.00");

    // Option-click resets to the default: touched and released twice
    // (the press and the reset inside it), one value set.
    h.Click(CentreOf(kEditorRect_ProcessKnob), VSTGUI::CLinuxNativeView::kOptionModifier);
    EXPECT_DOUBLE_EQ(h.Normalized(kParamID_Dynamic), 0.0);
    EXPECT_EQ(EditorTouches(h, kParamID_Dynamic), 3);
    EXPECT_EQ(EditorReleases(h, kParamID_Dynamic), 3);
    EXPECT_EQ(h.Requests(Kind::SetValue, kParamID_Dynamic).size(), 3u);

    // The host taking the gesture leaves the parameter alone.
    h.container->SetTakesMouseEvents(true);
    h.native.mouseDown(knob, VSTGUI::CLinuxNativeView::kLeftButton);
    h.native.mouseMoved(CPoint(knob.x, knob.y - 50), VSTGUI::CLinuxNativeView::kLeftButton);
    h.native.mouseUp(CPoint(knob.x, knob.y - 50), VSTGUI::CLinuxNativeView::kLeftButton);
    EXPECT_EQ(h.Answer(), 0u);
    EXPECT_EQ(h.container->MouseEvents().back().parameterID, "Dynamic");
}

TEST(EditorView, WheelAndKeysOnAFocusedKnob) {
    EditorHarness h;
    const CPoint knob = CentreOf(kEditorRect_InputTrimKnob);
    EXPECT_TRUE(h.native.mouseWheel(knob, 2));
    h.Answer();
    EXPECT_NEAR(h.Normalized(kParamID_Harmonic), 0.2, 1e-6);
    h.Click(knob);
    EXPECT_TRUE(h.native.keyDown(0, VSTGUI::VKEY_DOWN));
    h.Answer();
    EXPECT_NEAR(h.Normalized(kParamID_Harmonic), 0.1, 1e-6);
    EXPECT_STREQ(h.View()->GetInputTrimDisplay()->getText(), "10.00");
}

TEST(EditorView, NotificationsMoveKnobsAndTexts) {
    EditorHarness h;
    Orvanta_View* view = h.View();
    h.model->UpdateParameterNormalizedValue(kParamID_Color, 1.0, AAX_eUpdateSource_Parameter);
    view->GetTypeSelectKnob()->setValue(0.0f);
    EXPECT_EQ(h.gui->ParameterUpdated("Color"), AAX_SUCCESS);
    EXPECT_FLOAT_EQ(view->GetTypeSelectKnob()->getValue(), 1.0f);
    EXPECT_STREQ(view->GetTypeSelectDisplay()->getText(), "Deep");

    // The bypass, unknown and wrongly cased identifiers change nothing.
    view->GetInputTrimDisplay()->setText("marker");
    for (const char* id : {"", "harmonic", "Unknown"}) EXPECT_EQ(h.gui->ParameterUpdated(id), AAX_SUCCESS);
    EXPECT_EQ(h.gui->ParameterUpdated(nullptr), AAX_SUCCESS);
    EXPECT_STREQ(view->GetInputTrimDisplay()->getText(), "marker");

    const struct {
        const char* id;
        double normalized;
        VSTGUI::CTextEdit* display;
        const char* shown;
    } cases[] = {
        {kParamID_Harmonic, 0.5, view->GetInputTrimDisplay(), "50.00"},
        {kParamID_Dynamic, 0.25, view->GetProcessDisplay(), "25.00"},
        {kParamID_OutputTrim, 0.0, view->GetOutputTrimDisplay(), "-6.00"},
        {kParamID_Dither, 1.0, view->GetBrightnessDisplay(), "On"},
        {kParamID_Dither, 0.0, view->GetBrightnessDisplay(), "Off"},
        {kParamID_Color, 0.0, view->GetTypeSelectDisplay(), "Silver"},
        {kParamID_Color, 0.5, view->GetTypeSelectDisplay(), "Rich"},
    };
    for (const auto& c : cases) {
        h.Automate(c.id, c.normalized);
        EXPECT_STREQ(c.display->getText(), c.shown) << c.id << " " << c.normalized;
    }
}

TEST(EditorView, WithoutParametersThePanelStillShows) {
    VSTGUI::CLinuxNativeView native;
    VSTGUI::CResourceBundle artwork(ArtworkFolder());
    VSTGUI::gBundleRef = &artwork;
    Orvanta_View::LoadViewResources();
    VSTGUI::gBundleRef = nullptr;
    auto* view = new Orvanta_View(&native, nullptr, nullptr, nullptr);
    EXPECT_FLOAT_EQ(view->GetInputTrimKnob()->getDefaultValue(), 0.5f);
    view->GetInputTrimKnob()->setValue(0.7f);
    view->valueChanged(view->GetInputTrimKnob());
    view->controlBeginEdit(view->GetInputTrimKnob());
    view->updateInputTrim();
    EXPECT_FLOAT_EQ(view->GetInputTrimKnob()->getValue(), 0.7f);
    EXPECT_GT(native.getWidth(), 0);
    view->forget();
}

TEST(EditorBitmaps, SharedByEveryEditorAndLoadedOnce) {
    EditorHarness first;
    VSTGUI::CBitmap* dial = Orvanta_View::m_hOrvantaDial.get();
    ASSERT_NE(dial, nullptr);
    ASSERT_TRUE(dial->isLoaded());
    EditorHarness second;
    EXPECT_EQ(Orvanta_View::m_hOrvantaDial.get(), dial) << "the second editor loads nothing";
    EXPECT_EQ(second.View()->GetInputTrimKnob()->getBackground(), dial);
    EXPECT_EQ(first.View()->GetProcessKnob()->getBackground(), dial);
    EXPECT_EQ(Orvanta_GUI::ResourceFolderInUse(), ArtworkFolder());

    // Released module-wide, a picture stays with the panels that use it.
    Orvanta_View::UnloadViewResources();
    EXPECT_EQ(Orvanta_View::m_hOrvantaDial.get(), nullptr);
    EXPECT_TRUE(first.View()->GetProcessKnob()->getBackground()->isLoaded());
    Orvanta_View::LoadViewResources();
}

TEST(EditorBitmaps, MissingResourcesGiveAnEmptyPanel) {
    {
        EditorHarness host(false);
        toolkit_test::ScratchFolder empty;
        Orvanta_View::UnloadViewResources();
        Orvanta_GUI::SetFallbackResourceFolder(empty.path());
        auto* gui = static_cast<Orvanta_GUI*>(Orvanta_GUI::Create());
        gui->AddRef();
        gui->Initialize(host.controller->Identity());
        VSTGUI::CLinuxNativeView native;
        auto container = HostViewContainer::Create(&native);
        gui->SetViewContainer(container->Identity());
        auto* view = dynamic_cast<Orvanta_View*>(gui->getFrame());
        ASSERT_NE(view, nullptr);
        CRect size(1, 1, 1, 1);
        view->getSize(&size);
        EXPECT_TRUE(size.isEmpty());
        EXPECT_EQ(view->GetInputTrimKnob()->getNumSubPixmaps(), 0);
        EXPECT_FALSE(native.saveSnapshot(empty.file("never.png")));
        gui->SetViewContainer(nullptr);
        gui->Release();
    }
    Orvanta_View::UnloadViewResources();
    Orvanta_GUI::SetFallbackResourceFolder(ArtworkFolder());
}

TEST(EditorBitmaps, ResourceFolderOfABundle) {
    toolkit_test::ScratchFolder scratch;
    const std::string bundle = scratch.path() + "/Orvanta.aaxplugin";
    const std::string binary = bundle + "/Contents/x86_64-linux/Orvanta.so";
    ASSERT_EQ(std::system(("mkdir -p '" + bundle + "/Contents/x86_64-linux' '" + bundle +
                           "/Contents/Resources'").c_str()),
              0);
    EXPECT_EQ(Orvanta_GUI::ResourceFolderForBinary(binary), bundle + "/Contents/Resources");
    ASSERT_EQ(std::system(("mkdir -p '" + bundle + "/Contents/Resources/bitmaps'").c_str()), 0);
    EXPECT_EQ(Orvanta_GUI::ResourceFolderForBinary(binary), bundle + "/Contents/Resources/bitmaps");
    // The test program is no bundle: its own lookup names a folder that does
    // not exist, and the fallback is used instead.
    const std::string own = Orvanta_GUI::ModuleResourceFolder();
    EXPECT_NE(own.find("/Contents/Resources"), std::string::npos) << own;
}

TEST(EditorSnapshot, TypeSelectorShowsTheFrameOfEachColour) {
    EditorHarness h;
    const std::string stripPath = ArtworkFolder() + "/bmp31015.png";
    cairo_surface_t* strip = cairo_image_surface_create_from_png(stripPath.c_str());
    ASSERT_EQ(cairo_surface_status(strip), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_format(strip), CAIRO_FORMAT_ARGB32);
    const uint32_t* stripPixels = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(strip));
    const int stripStride = cairo_image_surface_get_stride(strip) / 4;
    const SOrvanta_EditorRect knob = kEditorRect_TypeSelectKnob;
    // Opaque filmstrip pixels away from the buttons that overlap the knob.
    auto sample = [&](int frame, int x, int y) { return stripPixels[(frame * 60 + y) * stripStride + x]; };
    int differingPoints = 0;
    for (int colorType = kColorMin; colorType <= kColorMax; ++colorType) {
        SCOPED_TRACE(kColorNames[colorType - 1]);
        h.Automate(kParamID_Color, (colorType - 1) * 0.25);
        const int frame = colorType - 1;
        int compared = 0;
        for (int y = 4; y < 56; y += 3) {
            for (int x = 4; x < 40; x += 3) {
                const uint32_t expected = sample(frame, x, y);
                if ((expected >> 24) != 0xFF) continue;
                ++compared;
                EXPECT_EQ(h.native.getPixel(knob.left + x, knob.top + y), expected) << x << "," << y;
                if (frame > 0 && sample(frame - 1, x, y) != expected) ++differingPoints;
            }
        }
        EXPECT_GT(compared, 50);
    }
    EXPECT_GT(differingPoints, 0) << "the frames differ where the pointer moves";
    cairo_surface_destroy(strip);

    // A snapshot file holds the same pixels.
    toolkit_test::ScratchFolder folder;
    ASSERT_TRUE(h.native.saveSnapshot(folder.file("editor.png")));
    cairo_surface_t* png = cairo_image_surface_create_from_png(folder.file("editor.png").c_str());
    EXPECT_EQ(cairo_image_surface_get_width(png), h.native.getWidth());
    EXPECT_EQ(cairo_image_surface_get_height(png), h.native.getHeight());
    cairo_surface_destroy(png);
}
