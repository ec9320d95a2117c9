// The editor panel with a real data model under the substitute host (knob gestures: tests/editorcli).
#include <gtest/gtest.h>

#include <sstream>

#include "EditorHarness.h"
#include "toolkit/CTextEdit.h"

using namespace Orvanta;
using VSTGUI::CPoint;
using VSTGUI::CRect;
using Kind = HostAutomationDelegate::Event::Kind;

namespace {

CPoint CentreOf(const SOrvanta_EditorRect& r) { return CPoint(r.left + r.width / 2, r.top + r.height / 2); }

// The control of the open panel at the centre of r.
template <class Control>
Control* At(const EditorHarness& h, const SOrvanta_EditorRect& r) {
    return dynamic_cast<Control*>(h.View()->getViewAt(CentreOf(r)));
}

// Touches and releases beyond those bracketing each set-value request: the knob gestures' own.
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
    ASSERT_TRUE(panel->isLoaded()) << "artwork in " << ArtworkFolder();  // size: EditorGlue.ViewSize...

    const int dialFrames = int(Orvanta_View::m_hOrvantaDial->getHeight() / kEditorKnobSize);
    const float plain = VSTGUI::CKnob::kDefaultZoomFactor;
    // Tags and identifiers: the listing the next test pins.
    const struct { VSTGUI::CKnob* control; const char* parameterID; float zoom; int frames; } knobs[] = {
        {view->GetHarmonicKnob(), "Harmonic", plain, dialFrames},
        {view->GetDynamicKnob(), "Dynamic", plain, dialFrames},
        {view->GetOutputTrimKnob(), "OutputTrim", plain, dialFrames},
        {view->GetDitherKnob(), "Dither", 25.0f, 3},
        {view->GetColorKnob(), "Color", 3.5f, 5},
    };
    for (const auto& k : knobs) {
        SCOPED_TRACE(k.parameterID);
        double defaultValue = -1;
        h.model->GetParameterDefaultNormalizedValue(k.parameterID, &defaultValue);
        EXPECT_FLOAT_EQ(k.control->getDefaultValue(), float(defaultValue));
        EXPECT_EQ(k.control->getZoomFactor(), k.zoom);
        EXPECT_EQ(dynamic_cast<VSTGUI::IMultiBitmapControl*>(k.control)->getNumSubPixmaps(), k.frames);
    }
    // Knobs first, then buttons, then displays: 17 controls in all.
    EXPECT_EQ(view->getNbViews(), 17);
    // The type buttons lie over the type selector: a click there reaches the button.
    EXPECT_EQ(view->getViewAt(CPoint(430, 45)), view->getView(5));
}

// What a host learns of the panel, pinned by the FNV-1a hash of its listing (printed when it differs).
TEST(EditorView, ThePanelTellsAHostItsControlsAndBitmaps) {
    EditorHarness h;
    const IEditorControls& panel = *h.View();
    std::ostringstream listing;
    for (size_t i = 0; i < panel.EditorControlCount(); ++i) {
        const SEditorControl c = panel.EditorControlAt(i);
        listing << c.tag << ' ' << int(c.kind) << ' ' << c.parameterID << ' ' << c.value << ' ' << c.left << ','
                << c.top << ',' << c.right << ',' << c.bottom << '\n';
    }
    for (size_t i = 0; i < panel.EditorBitmapCount(); ++i) listing << panel.EditorBitmapAt(i) << ' ';
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : listing.str()) hash = (hash ^ byte) * 1099511628211ull;
    EXPECT_EQ(hash, 0x5122e911858fbfc2ull) << std::hex << "0x" << hash << "\n" << listing.str();
    EXPECT_EQ(panel.EditorControlAt(panel.EditorControlCount()).tag, 0);  // past the end: nothing
}

TEST(EditorView, TypedValuesAndTheirParsing) {
    const struct { const char* description; SOrvanta_EditorRect display; const char* parameterID; double before;
        const char* typed; double expected; const char* shown; } cases[] = {
        {"above the range is refused", kEditorRect_HarmonicDisplay, kParamID_Harmonic, 0.1, "150", 0.1, "150"},
        {"no number reads as 0", kEditorRect_HarmonicDisplay, kParamID_Harmonic, 0.1, "abc", 0.0, "0.00"},
        {"leading blanks and units", kEditorRect_DynamicDisplay, kParamID_Dynamic, 0.0, "  75 %", 0.75, "75.00"},
        {"type by first letter only", kEditorRect_ColorDisplay, kParamID_Color, 0.0, "Gx", 0.25, "Gold"},
        {"unknown type restores the name", kEditorRect_ColorDisplay, kParamID_Color, 0.5, "x", 0.5, "Rich"},
        {"ON in capitals", kEditorRect_DitherDisplay, kParamID_Dither, 0.0, "ON", 1.0, "On"},
        {"off", kEditorRect_DitherDisplay, kParamID_Dither, 1.0, "off", 0.0, "Off"},
        {"o alone is neither", kEditorRect_DitherDisplay, kParamID_Dither, 1.0, "o", 1.0, "o"},
        {"of is off", kEditorRect_DitherDisplay, kParamID_Dither, 1.0, "of", 0.0, "Off"},
        {"top of the range", kEditorRect_DynamicDisplay, kParamID_Dynamic, 0.0, "100", 1.0, "100.00"},
        {"just above the top", kEditorRect_HarmonicDisplay, kParamID_Harmonic, 0.1, "100.01", 0.1, "100.01"},
        {"bottom of a signed range", kEditorRect_OutputTrimDisplay, kParamID_OutputTrim, 0.5, "-6", 0.0, "-6.00"},
        {"just below the bottom", kEditorRect_HarmonicDisplay, kParamID_Harmonic, 0.1, "-0.5", 0.1, "-0.5"},
        {"nan is refused", kEditorRect_HarmonicDisplay, kParamID_Harmonic, 0.1, "nan", 0.1, "nan"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        EditorHarness h;
        h.Automate(c.parameterID, c.before);
        h.TypeInto(CentreOf(c.display), c.typed);
        EXPECT_DOUBLE_EQ(h.Normalized(c.parameterID), c.expected);
        ASSERT_NE(At<VSTGUI::CTextEdit>(h, c.display), nullptr);
        EXPECT_STREQ(At<VSTGUI::CTextEdit>(h, c.display)->getText(), c.shown);
        EXPECT_EQ(EditorTouches(h, c.parameterID), 0) << "displays touch nothing";
    }
    // The word test the panel offers: 2 for on, 1 for off, 0 for anything else.
    for (auto [text, value] : {std::pair{"On", 2}, {"of", 1}, {"o", 0}, {"yes", 0}})
        EXPECT_EQ(EditorHarness().View()->compareBrightness(text), value) << text;
}

TEST(EditorView, ButtonsSetTheirValueTwiceWithoutTouching) {
    const struct { const char* description; SOrvanta_EditorRect button; const char* parameterID; double expected;
        const char* shown; } cases[] = {
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
        auto* display = c.parameterID == kParamID_Color ? h.View()->GetColorDisplay()
                                                         : h.View()->GetDitherDisplay();
        EXPECT_STREQ(display->getText(), c.shown);
    }
    // (Dragged off before the release: one report, tests/toolkit; each report sets the value.)
}

// Host changes moving knobs and texts: the snapshot, LV2 and window tests; here, those that must not.
TEST(EditorView, OtherIdentifiersChangeNothing) {
    EditorHarness h;
    h.View()->GetHarmonicDisplay()->setText("marker");
    for (const char* id : {"", "harmonic", "Unknown", static_cast<const char*>(nullptr)})
        EXPECT_EQ(h.gui->ParameterUpdated(id), AAX_SUCCESS);
    EXPECT_STREQ(h.View()->GetHarmonicDisplay()->getText(), "marker");
}

TEST(EditorView, WithoutParametersThePanelStillShows) {
    VSTGUI::CLinuxNativeView native;
    VSTGUI::CResourceBundle artwork(ArtworkFolder());
    VSTGUI::gBundleRef = &artwork;
    Orvanta_View::LoadViewResources();
    VSTGUI::gBundleRef = nullptr;
    auto* view = new Orvanta_View(&native, nullptr, nullptr, nullptr);
    EXPECT_FLOAT_EQ(view->GetHarmonicKnob()->getDefaultValue(), 0.5f);
    view->GetHarmonicKnob()->setValue(0.7f);
    view->valueChanged(view->GetHarmonicKnob());
    view->controlBeginEdit(view->GetHarmonicKnob());
    view->updateInputTrim();
    EXPECT_FLOAT_EQ(view->GetHarmonicKnob()->getValue(), 0.7f);
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
    EXPECT_EQ(second.View()->GetHarmonicKnob()->getBackground(), dial);
    EXPECT_EQ(first.View()->GetDynamicKnob()->getBackground(), dial);
    EXPECT_EQ(Orvanta_GUI::ResourceFolderInUse(), ArtworkFolder());

    // Released module-wide, a picture stays with the panels that use it.
    Orvanta_View::UnloadViewResources();
    EXPECT_EQ(Orvanta_View::m_hOrvantaDial.get(), nullptr);
    EXPECT_TRUE(first.View()->GetDynamicKnob()->getBackground()->isLoaded());
    Orvanta_View::LoadViewResources();
}

TEST(EditorBitmaps, MissingResourcesGiveAnEmptyPanel) {
    toolkit_test::ScratchFolder empty;
    Orvanta_View::UnloadViewResources();
    {
        EditorHarness h(true, empty.path());
        CRect size(1, 1, 1, 1);
        h.View()->getSize(&size);
        EXPECT_TRUE(size.isEmpty());
        EXPECT_EQ(h.View()->GetHarmonicKnob()->getNumSubPixmaps(), 0);
        EXPECT_FALSE(h.native.saveSnapshot(empty.file("never.png")));
    }
    Orvanta_View::UnloadViewResources();
    Orvanta_GUI::SetFallbackResourceFolder(ArtworkFolder());
}

TEST(EditorBitmaps, ResourceFolderOfABundle) {
    toolkit_test::ScratchFolder scratch;
    const auto made = [](const std::string& path) {
        return std::system(("mkdir -p '" + path + "'").c_str()) == 0;
    };
    const std::string bundle = scratch.path() + "/Orvanta.aaxplugin";
    const std::string binary = bundle + "/Contents/x86_64-linux/Orvanta.so";
    // Without a bitmaps folder: Contents/Resources (the built bundle, tests/module).
    ASSERT_TRUE(made(bundle + "/Contents/x86_64-linux") && made(bundle + "/Contents/Resources/bitmaps"));
    EXPECT_EQ(Orvanta_GUI::ResourceFolderForBinary(binary), bundle + "/Contents/Resources/bitmaps");
    // The LV2 bundle is flat: the bitmaps folder beside the binary, not its grandparent's Contents.
    const std::string lv2Bundle = scratch.path() + "/orvanta.lv2";
    ASSERT_TRUE(made(lv2Bundle + "/bitmaps"));
    EXPECT_EQ(Orvanta_GUI::ResourceFolderForBinary(lv2Bundle + "/orvanta_lv2_ui.so"), lv2Bundle + "/bitmaps");
    // The test program is no bundle: its own lookup names a folder that does not exist.
    const std::string own = Orvanta_GUI::ModuleResourceFolder();
    EXPECT_NE(own.find("/Contents/Resources"), std::string::npos) << own;
}
