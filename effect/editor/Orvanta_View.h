// Orvanta_View: the editor panel. A fixed-size frame drawn from the panel
// bitmap that owns five filmstrip knobs, five editable value displays, five
// colour-type buttons and two dither buttons, and listens to all of them:
// control changes become parameter changes through the effect-parameters
// interface, and the update* operations bring a knob and its display up to
// date with their parameter.
//
// The bitmaps are module-wide: loaded once by LoadViewResources() and
// shared by every panel.
//
// Every entry point runs on the host's user-interface thread (the toolkit's
// event and drawing dispatch and the GUI's parameter notifications); none
// locks or blocks.
#pragma once

#include <string>

#include "COrvanta_VST_AnimKnob.h"
#include "COrvanta_VST_AnimKnob_Switch.h"
#include "COrvanta_VST_AnimKnob_Switch_Fine.h"
#include "EditorControls.h"
#include "VSTGUI_ContentView.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CControlListener.h"

class AAX_IViewContainer;
namespace Orvanta {
struct SParameterInfo;
}
namespace VSTGUI {
class CKickButton;
class CTextEdit;
}  // namespace VSTGUI

// It also tells a host its controls (IEditorControls), so that a host can
// drive the panel without knowing its layout.
class Orvanta_View : public VSTGUI_ContentView, public VSTGUI::CControlListener, public IEditorControls {
public:
    // What normalizeInputText answers for a number it refuses (the
    // single-precision -999.9, widened); accepted results are greater.
    static const double kRejectedInput;

    // Builds the panel inside window: sized to the panel bitmap, knobs bound
    // to their parameters and to viewContainer, then buttons, then displays.
    Orvanta_View(void* window, AAX_IEffectParameters* parameters, VSTGUI::VSTGUIEditorInterface* editor,
                 AAX_IViewContainer* viewContainer);
    ~Orvanta_View() override;

    // Loads every bitmap not yet loaded, from the toolkit's bundle.
    static void LoadViewResources();
    // Releases the module's bitmaps (panels still open keep their own
    // references); the next LoadViewResources loads them again.
    static void UnloadViewResources();

    // ---- CControlListener: from the controls' event handlers ----
    void valueChanged(VSTGUI::CControl* control) override;
    // Knobs touch and release their parameter; other controls do nothing.
    void controlBeginEdit(VSTGUI::CControl* control) override;
    void controlEndEdit(VSTGUI::CControl* control) override;

    // ---- parameter to control: one knob and its display each ----
    void updateInputTrim();
    void updateProcess();
    void updateOutputTrim();
    void updateBrightness();
    void updateType();

    // The Dither value a typed word names: 2 for on ("on", any case), 1 for
    // off ("of..."), 0 for anything else.
    int compareBrightness(const char* text);
    // The typed number as a normalized value of the parameter of the
    // display with that tag (its range from the parameter table), or
    // kRejectedInput when it lies outside that range or the tag is not a
    // display's.
    double normalizeInputText(const char* text, long tag);

    // ---- IEditorControls: the knobs, buttons and displays in panel order ----
    size_t EditorControlCount() const override;
    SEditorControl EditorControlAt(size_t index) const override;
    size_t EditorBitmapCount() const override;
    int32_t EditorBitmapAt(size_t index) const override;

    // ---- the controls (owned by the panel) ----
    // The members and the update* operations keep the panel's place names:
    // input trim drives "Harmonic", process "Dynamic", brightness "Dither"
    // and type select "Color". The accessors name the parameter.
    COrvanta_VST_AnimKnob* GetHarmonicKnob() const { return m_pInputTrimKnob; }
    COrvanta_VST_AnimKnob* GetDynamicKnob() const { return m_pProcessKnob; }
    COrvanta_VST_AnimKnob* GetOutputTrimKnob() const { return m_pOutputTrimKnob; }
    COrvanta_VST_AnimKnob_Switch_Fine* GetDitherKnob() const { return m_pBrightnessKnob; }
    COrvanta_VST_AnimKnob_Switch* GetColorKnob() const { return m_pTypeSelectKnob; }
    VSTGUI::CTextEdit* GetHarmonicDisplay() const { return m_pInputTrimDisplay; }
    VSTGUI::CTextEdit* GetDynamicDisplay() const { return m_pProcessDisplay; }
    VSTGUI::CTextEdit* GetOutputTrimDisplay() const { return m_pOutputTrimDisplay; }
    VSTGUI::CTextEdit* GetDitherDisplay() const { return m_pBrightnessDisplay; }
    VSTGUI::CTextEdit* GetColorDisplay() const { return m_pTypeSelectDisplay; }

    // ---- the module's bitmaps ----
    static VSTGUI::OwnedPointer<VSTGUI::CBitmap> m_hOrvantaBackground;
    static VSTGUI::OwnedPointer<VSTGUI::CBitmap> m_hOrvantaDial;
    static VSTGUI::OwnedPointer<VSTGUI::CBitmap> m_hOrvantaDial3Pos;
    static VSTGUI::OwnedPointer<VSTGUI::CBitmap> m_hOrvantaDial5Pos;
    static VSTGUI::OwnedPointer<VSTGUI::CBitmap> m_hOrvantaSilverSelectButtonBackground;
    static VSTGUI::OwnedPointer<VSTGUI::CBitmap> m_hOrvantaGoldSelectButtonBackground;
    static VSTGUI::OwnedPointer<VSTGUI::CBitmap> m_hOrvantaRichSelectButtonBackground;
    static VSTGUI::OwnedPointer<VSTGUI::CBitmap> m_hOrvantaFatSelectButtonBackground;
    static VSTGUI::OwnedPointer<VSTGUI::CBitmap> m_hOrvantaDeepSelectButtonBackground;
    static VSTGUI::OwnedPointer<VSTGUI::CBitmap> m_hOrvantaDitherOffButtonBackground;
    static VSTGUI::OwnedPointer<VSTGUI::CBitmap> m_hOrvantaDitherOnButtonBackground;

private:
    // Reads the parameter into its knob and display: the display shows the
    // parameter's value string, or the switches' word for the value.
    void updateParameter(const char* parameterID);
    // The knob and the display bound to a parameter; null for none.
    VSTGUI::CControl* knobOf(const char* parameterID) const;
    VSTGUI::CTextEdit* displayOf(const char* parameterID) const;
    // Sets a switch from the word typed into its display.
    void typedWord(const Orvanta::SParameterInfo& parameter);
    // Sets a parameter from a typed number; true when the number was accepted.
    bool setFromTypedNumber(VSTGUI::CTextEdit* display, long tag, const char* parameterID);
    void setParameter(const char* parameterID, double normalizedValue);

    COrvanta_VST_AnimKnob* m_pInputTrimKnob = nullptr;
    COrvanta_VST_AnimKnob* m_pProcessKnob = nullptr;
    COrvanta_VST_AnimKnob* m_pOutputTrimKnob = nullptr;
    COrvanta_VST_AnimKnob_Switch_Fine* m_pBrightnessKnob = nullptr;
    COrvanta_VST_AnimKnob_Switch* m_pTypeSelectKnob = nullptr;
    VSTGUI::CTextEdit* m_pInputTrimDisplay = nullptr;
    VSTGUI::CTextEdit* m_pProcessDisplay = nullptr;
    VSTGUI::CTextEdit* m_pOutputTrimDisplay = nullptr;
    VSTGUI::CTextEdit* m_pBrightnessDisplay = nullptr;
    VSTGUI::CTextEdit* m_pTypeSelectDisplay = nullptr;
    VSTGUI::CKickButton* m_pSilverButton = nullptr;
    VSTGUI::CKickButton* m_pGoldButton = nullptr;
    VSTGUI::CKickButton* m_pRichButton = nullptr;
    VSTGUI::CKickButton* m_pFatButton = nullptr;
    VSTGUI::CKickButton* m_pDeepButton = nullptr;
    VSTGUI::CKickButton* m_pDitherOffButton = nullptr;
    VSTGUI::CKickButton* m_pDitherOnButton = nullptr;
    AAX_IViewContainer* m_pViewContainer = nullptr;
};
