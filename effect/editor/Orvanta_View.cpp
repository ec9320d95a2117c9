#include "Orvanta_View.h"

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "AAX_CString.h"
#include "AAX_IEffectParameters.h"
#include "COrvanta_VST_AnimKnob.h"
#include "COrvanta_VST_AnimKnob_Switch.h"
#include "COrvanta_VST_AnimKnob_Switch_Fine.h"
#include "EditorControls.h"
#include "effect/Orvanta_Defs.h"
#include "effect/model/Orvanta_ParameterTable.h"
#include "toolkit/CKickButton.h"
#include "toolkit/CTextEdit.h"
#include "toolkit/TypedText.h"

using namespace Orvanta;
using VSTGUI::CBitmap;
using VSTGUI::CControl;
using VSTGUI::CKickButton;
using VSTGUI::CPoint;
using VSTGUI::CRect;
using VSTGUI::CTextEdit;

namespace {

// ---- Layout: points and sizes (x, y or width, height) set at load time ----
CPoint OriginOf(const SOrvanta_EditorRect& r) { return CPoint(r.left, r.top); }
CPoint SizeOf(const SOrvanta_EditorRect& r) { return CPoint(r.width, r.height); }

const CPoint KnobSize(kEditorKnobSize, kEditorKnobSize);
const CPoint DisplaySize = SizeOf(kEditorRect_HarmonicDisplay);
const CPoint SilverButtonSize = SizeOf(kEditorRect_ColorButtons[0]);
const CPoint GoldButtonSize = SizeOf(kEditorRect_ColorButtons[1]);
const CPoint RichButtonSize = SizeOf(kEditorRect_ColorButtons[2]);
const CPoint FatButtonSize = SizeOf(kEditorRect_ColorButtons[3]);
const CPoint DeepButtonSize = SizeOf(kEditorRect_ColorButtons[4]);
const CPoint DitherOffButtonSize = SizeOf(kEditorRect_DitherOffButton);
const CPoint DitherOnButtonSize = SizeOf(kEditorRect_DitherOnButton);
// Every button draws its released image from here, the pressed one below it.
const CPoint ButtonOffset(0, 0);

const CPoint InputTrimKnobXY = OriginOf(kEditorRect_HarmonicKnob);
const CPoint ProcessKnobXY = OriginOf(kEditorRect_DynamicKnob);
const CPoint OutputTrimKnobXY = OriginOf(kEditorRect_OutputTrimKnob);
const CPoint BrightnessKnobXY = OriginOf(kEditorRect_DitherKnob);
const CPoint TypeSelectKnobXY = OriginOf(kEditorRect_ColorKnob);
const CPoint SilverSelectButtonXY = OriginOf(kEditorRect_ColorButtons[0]);
const CPoint GoldSelectButtonXY = OriginOf(kEditorRect_ColorButtons[1]);
const CPoint RichSelectButtonXY = OriginOf(kEditorRect_ColorButtons[2]);
const CPoint FatSelectButtonXY = OriginOf(kEditorRect_ColorButtons[3]);
const CPoint DeepSelectButtonXY = OriginOf(kEditorRect_ColorButtons[4]);
const CPoint DitherOffSelectButtonXY = OriginOf(kEditorRect_DitherOffButton);
const CPoint DitherOnSelectButtonXY = OriginOf(kEditorRect_DitherOnButton);
const CPoint InputTrimDisplayXY = OriginOf(kEditorRect_HarmonicDisplay);
const CPoint ProcessDisplayXY = OriginOf(kEditorRect_DynamicDisplay);
const CPoint OutputTrimDisplayXY = OriginOf(kEditorRect_OutputTrimDisplay);
const CPoint BrightnessDisplayXY = OriginOf(kEditorRect_DitherDisplay);
const CPoint TypeSelectDisplayXY = OriginOf(kEditorRect_ColorDisplay);

// ---- Layout: control rectangles ----
const CRect InputTrimSize(InputTrimKnobXY, KnobSize);
const CRect ProcessSize(ProcessKnobXY, KnobSize);
const CRect OutputTrimSize(OutputTrimKnobXY, KnobSize);
const CRect BrightnessSize(BrightnessKnobXY, KnobSize);
const CRect TypeSelectSize(TypeSelectKnobXY, KnobSize);
const CRect InputTrimDisplaySize(InputTrimDisplayXY, DisplaySize);
const CRect ProcessDisplaySize(ProcessDisplayXY, DisplaySize);
const CRect OutputTrimDisplaySize(OutputTrimDisplayXY, DisplaySize);
const CRect BrightnessDisplaySize(BrightnessDisplayXY, DisplaySize);
const CRect TypeSelectDisplaySize(TypeSelectDisplayXY, DisplaySize);
const CRect SilverSelectButtonSize(SilverSelectButtonXY, SilverButtonSize);
const CRect GoldSelectButtonSize(GoldSelectButtonXY, GoldButtonSize);
const CRect RichSelectButtonSize(RichSelectButtonXY, RichButtonSize);
const CRect FatSelectButtonSize(FatSelectButtonXY, FatButtonSize);
const CRect DeepSelectButtonSize(DeepSelectButtonXY, DeepButtonSize);
const CRect DitherOffSelectButtonSize(DitherOffSelectButtonXY, DitherOffButtonSize);
const CRect DitherOnSelectButtonSize(DitherOnSelectButtonXY, DitherOnButtonSize);

// ---- Control tags: the knobs 2 to 6, displays 7 to 11, buttons 12 to 18 ----
enum ControlTag : long {
    kTagHarmonicKnob = 2,
    kTagOutputTrimKnob = 3,
    kTagDynamicKnob = 4,
    kTagDitherKnob = 5,
    kTagColorKnob = 6,
    kTagHarmonicDisplay = 7,
    kTagOutputTrimDisplay = 8,
    kTagDynamicDisplay = 9,
    kTagDitherDisplay = 10,
    kTagColorDisplay = 11,
    kTagSilverButton = 12,  // the colour buttons, in colour-type order
    kTagGoldButton = 13,
    kTagRichButton = 14,
    kTagFatButton = 15,
    kTagDeepButton = 16,
    kTagDitherOffButton = 17,
    kTagDitherOnButton = 18,
};

// What each control does: its kind, its parameter and, for a button, the
// value (in the parameter's own units) a click sets.
using EKind = SEditorControl::EKind;
struct ControlBinding {
    long tag;
    EKind kind;
    const char* parameterID;
    int32_t buttonValue;
};
const ControlBinding kBindings[] = {
    {kTagHarmonicKnob, EKind::Knob, kParamID_Harmonic, 0},
    {kTagOutputTrimKnob, EKind::Knob, kParamID_OutputTrim, 0},
    {kTagDynamicKnob, EKind::Knob, kParamID_Dynamic, 0},
    {kTagDitherKnob, EKind::Knob, kParamID_Dither, 0},
    {kTagColorKnob, EKind::Knob, kParamID_Color, 0},
    {kTagHarmonicDisplay, EKind::Display, kParamID_Harmonic, 0},
    {kTagOutputTrimDisplay, EKind::Display, kParamID_OutputTrim, 0},
    {kTagDynamicDisplay, EKind::Display, kParamID_Dynamic, 0},
    {kTagDitherDisplay, EKind::Display, kParamID_Dither, 0},
    {kTagColorDisplay, EKind::Display, kParamID_Color, 0},
    {kTagSilverButton, EKind::Button, kParamID_Color, 1},
    {kTagGoldButton, EKind::Button, kParamID_Color, 2},
    {kTagRichButton, EKind::Button, kParamID_Color, 3},
    {kTagFatButton, EKind::Button, kParamID_Color, 4},
    {kTagDeepButton, EKind::Button, kParamID_Color, 5},
    {kTagDitherOffButton, EKind::Button, kParamID_Dither, kDitherOff},
    {kTagDitherOnButton, EKind::Button, kParamID_Dither, kDitherOn},
};

const ControlBinding* BindingOf(long tag) {
    for (const ControlBinding& binding : kBindings)
        if (binding.tag == tag) return &binding;
    return nullptr;
}

// The value a word typed into a switch's display names: its first letters
// against the switch's value words (TypedText::WordMatch::Prefix).
bool ValueFromTypedWord(const SParameterInfo& parameter, const char* text, int32_t* value) {
    std::vector<std::string> names;
    for (size_t i = 0; i < parameter.valueNameCount; ++i) names.push_back(parameter.valueNames[i].name);
    const int found = TypedText::FindWord(text, names, TypedText::WordMatch::Prefix);
    if (found < 0) return false;
    *value = parameter.valueNames[found].value;
    return true;
}

// The normalized value a button sets.
double ButtonNormalized(const ControlBinding& binding) {
    return NormalizedOf(*FindParameter(binding.parameterID), binding.buttonValue);
}

// Longest value string asked of a parameter.
constexpr int32_t kValueStringLength = 23;
constexpr const char* kErrorText = "Error!";

template <class Knob>
Knob* NewBoundKnob(const CRect& size, VSTGUI::CControlListener* listener, long tag, CBitmap* strip,
                   AAX_IViewContainer* viewContainer, const char* parameterID) {
    Knob* knob = new Knob(size, listener, VSTGUI::int32(tag), strip);
    knob->setMin(0.0f);
    knob->setMax(1.0f);
    knob->SetViewContainer(viewContainer);
    knob->SetParamID(parameterID);
    return knob;
}

VSTGUI::OwnedPointer<CBitmap> LoadedBitmap(int32_t resourceID) {
    return VSTGUI::OwnedPointer<CBitmap>(new CBitmap(VSTGUI::CResourceDescription(resourceID)));
}

}  // namespace

const double Orvanta_View::kRejectedInput = double(-999.9f);

VSTGUI::OwnedPointer<CBitmap> Orvanta_View::m_hOrvantaBackground;
VSTGUI::OwnedPointer<CBitmap> Orvanta_View::m_hOrvantaDial;
VSTGUI::OwnedPointer<CBitmap> Orvanta_View::m_hOrvantaDial3Pos;
VSTGUI::OwnedPointer<CBitmap> Orvanta_View::m_hOrvantaDial5Pos;
VSTGUI::OwnedPointer<CBitmap> Orvanta_View::m_hOrvantaSilverSelectButtonBackground;
VSTGUI::OwnedPointer<CBitmap> Orvanta_View::m_hOrvantaGoldSelectButtonBackground;
VSTGUI::OwnedPointer<CBitmap> Orvanta_View::m_hOrvantaRichSelectButtonBackground;
VSTGUI::OwnedPointer<CBitmap> Orvanta_View::m_hOrvantaFatSelectButtonBackground;
VSTGUI::OwnedPointer<CBitmap> Orvanta_View::m_hOrvantaDeepSelectButtonBackground;
VSTGUI::OwnedPointer<CBitmap> Orvanta_View::m_hOrvantaDitherOffButtonBackground;
VSTGUI::OwnedPointer<CBitmap> Orvanta_View::m_hOrvantaDitherOnButtonBackground;

namespace {
// Every bitmap handle with its resource identifier, in loading order.
const struct {
    VSTGUI::OwnedPointer<CBitmap>* handle;
    int32_t resourceID;
} kViewBitmaps[] = {
    {&Orvanta_View::m_hOrvantaBackground, kBitmapID_Background},
    {&Orvanta_View::m_hOrvantaDial, kBitmapID_Dial},
    {&Orvanta_View::m_hOrvantaDial3Pos, kBitmapID_Dial3Pos},
    {&Orvanta_View::m_hOrvantaDial5Pos, kBitmapID_Dial5Pos},
    {&Orvanta_View::m_hOrvantaSilverSelectButtonBackground, kBitmapID_SilverButton},
    {&Orvanta_View::m_hOrvantaGoldSelectButtonBackground, kBitmapID_GoldButton},
    {&Orvanta_View::m_hOrvantaRichSelectButtonBackground, kBitmapID_RichButton},
    {&Orvanta_View::m_hOrvantaFatSelectButtonBackground, kBitmapID_FatButton},
    {&Orvanta_View::m_hOrvantaDeepSelectButtonBackground, kBitmapID_DeepButton},
    {&Orvanta_View::m_hOrvantaDitherOffButtonBackground, kBitmapID_DitherOffButton},
    {&Orvanta_View::m_hOrvantaDitherOnButtonBackground, kBitmapID_DitherOnButton},
};
}  // namespace

size_t Orvanta_View::EditorBitmapCount() const { return sizeof kViewBitmaps / sizeof kViewBitmaps[0]; }

int32_t Orvanta_View::EditorBitmapAt(size_t index) const {
    return index < EditorBitmapCount() ? kViewBitmaps[index].resourceID : 0;
}

void Orvanta_View::LoadViewResources() {
    for (const auto& bitmap : kViewBitmaps)
        if (!*bitmap.handle) *bitmap.handle = LoadedBitmap(bitmap.resourceID);
}

void Orvanta_View::UnloadViewResources() {
    for (const auto& bitmap : kViewBitmaps) bitmap.handle->reset();
}

Orvanta_View::Orvanta_View(void* window, AAX_IEffectParameters* parameters,
                           VSTGUI::VSTGUIEditorInterface* editor, AAX_IViewContainer* viewContainer)
    : VSTGUI_ContentView(window, parameters, editor), m_pViewContainer(viewContainer) {
    // Without loaded bitmaps (no CreateViewContents before) the panel is
    // empty and every control draws nothing.
    CBitmap* panel = m_hOrvantaBackground.get();
    setSize(panel ? panel->getWidth() : 0, panel ? panel->getHeight() : 0);
    setBackground(panel);

    m_pInputTrimKnob = NewBoundKnob<COrvanta_VST_AnimKnob>(
        InputTrimSize, this, kTagHarmonicKnob, m_hOrvantaDial.get(), m_pViewContainer, kParamID_Harmonic);
    m_pProcessKnob = NewBoundKnob<COrvanta_VST_AnimKnob>(
        ProcessSize, this, kTagDynamicKnob, m_hOrvantaDial.get(), m_pViewContainer, kParamID_Dynamic);
    m_pOutputTrimKnob =
        NewBoundKnob<COrvanta_VST_AnimKnob>(OutputTrimSize, this, kTagOutputTrimKnob, m_hOrvantaDial.get(),
                                            m_pViewContainer, kParamID_OutputTrim);
    m_pBrightnessKnob = NewBoundKnob<COrvanta_VST_AnimKnob_Switch_Fine>(
        BrightnessSize, this, kTagDitherKnob, m_hOrvantaDial3Pos.get(), m_pViewContainer,
        kParamID_Dither);
    m_pTypeSelectKnob = NewBoundKnob<COrvanta_VST_AnimKnob_Switch>(
        TypeSelectSize, this, kTagColorKnob, m_hOrvantaDial5Pos.get(), m_pViewContainer, kParamID_Color);
    m_pBrightnessKnob->setZoomFactor(25.0f);
    m_pTypeSelectKnob->setZoomFactor(3.5f);

    m_pSilverButton = new CKickButton(SilverSelectButtonSize, this, kTagSilverButton,
                                      m_hOrvantaSilverSelectButtonBackground.get(), ButtonOffset);
    m_pGoldButton = new CKickButton(GoldSelectButtonSize, this, kTagGoldButton,
                                    m_hOrvantaGoldSelectButtonBackground.get(), ButtonOffset);
    m_pRichButton = new CKickButton(RichSelectButtonSize, this, kTagRichButton,
                                    m_hOrvantaRichSelectButtonBackground.get(), ButtonOffset);
    m_pFatButton = new CKickButton(FatSelectButtonSize, this, kTagFatButton,
                                   m_hOrvantaFatSelectButtonBackground.get(), ButtonOffset);
    m_pDeepButton = new CKickButton(DeepSelectButtonSize, this, kTagDeepButton,
                                    m_hOrvantaDeepSelectButtonBackground.get(), ButtonOffset);
    m_pDitherOffButton = new CKickButton(DitherOffSelectButtonSize, this, kTagDitherOffButton,
                                         m_hOrvantaDitherOffButtonBackground.get(), ButtonOffset);
    m_pDitherOnButton = new CKickButton(DitherOnSelectButtonSize, this, kTagDitherOnButton,
                                        m_hOrvantaDitherOnButtonBackground.get(), ButtonOffset);

    // Buttons after knobs: they lie above them and get the clicks where they overlap.
    const std::initializer_list<VSTGUI::CView*> panelOrder = {
        m_pInputTrimKnob, m_pProcessKnob, m_pOutputTrimKnob, m_pBrightnessKnob, m_pTypeSelectKnob,
        m_pSilverButton,  m_pGoldButton,  m_pRichButton,     m_pFatButton,      m_pDeepButton,
        m_pDitherOffButton, m_pDitherOnButton};
    for (VSTGUI::CView* control : panelOrder) addView(control);

    m_pInputTrimDisplay =
        new CTextEdit(InputTrimDisplaySize, this, kTagHarmonicDisplay, nullptr, nullptr, 0);
    m_pProcessDisplay = new CTextEdit(ProcessDisplaySize, this, kTagDynamicDisplay, nullptr, nullptr, 0);
    m_pOutputTrimDisplay =
        new CTextEdit(OutputTrimDisplaySize, this, kTagOutputTrimDisplay, nullptr, nullptr, 0);
    m_pBrightnessDisplay =
        new CTextEdit(BrightnessDisplaySize, this, kTagDitherDisplay, nullptr, nullptr, 0);
    m_pTypeSelectDisplay =
        new CTextEdit(TypeSelectDisplaySize, this, kTagColorDisplay, nullptr, nullptr, 0);
    for (CTextEdit* display : {m_pInputTrimDisplay, m_pProcessDisplay, m_pOutputTrimDisplay,
                               m_pBrightnessDisplay, m_pTypeSelectDisplay})
        addView(display);

    // Each knob's reset-to-default target is its parameter's default.
    if (AAX_IEffectParameters* model = getParameters()) {
        const struct {
            const char* parameterID;
            CControl* knob;
        } defaults[] = {{kParamID_Harmonic, m_pInputTrimKnob},
                        {kParamID_OutputTrim, m_pOutputTrimKnob},
                        {kParamID_Dynamic, m_pProcessKnob},
                        {kParamID_Dither, m_pBrightnessKnob},
                        {kParamID_Color, m_pTypeSelectKnob}};
        double value = 0.0;
        for (const auto& entry : defaults) {
            model->GetParameterDefaultNormalizedValue(entry.parameterID, &value);
            entry.knob->setDefaultValue(float(value));
        }
    }
}

Orvanta_View::~Orvanta_View() = default;

void Orvanta_View::setParameter(const char* parameterID, double normalizedValue) {
    getParameters()->SetParameterNormalizedValue(parameterID, normalizedValue);
}

bool Orvanta_View::setFromTypedNumber(CTextEdit* display, long tag, const char* parameterID) {
    if (!display) return false;
    const double value = normalizeInputText(display->getText(), tag);
    if (!(value > kRejectedInput)) return false;
    setParameter(parameterID, value);
    return true;
}

CControl* Orvanta_View::knobOf(const char* parameterID) const {
    const std::string id = parameterID;
    if (id == kParamID_Harmonic) return m_pInputTrimKnob;
    if (id == kParamID_Dynamic) return m_pProcessKnob;
    if (id == kParamID_OutputTrim) return m_pOutputTrimKnob;
    if (id == kParamID_Dither) return m_pBrightnessKnob;
    if (id == kParamID_Color) return m_pTypeSelectKnob;
    return nullptr;
}

CTextEdit* Orvanta_View::displayOf(const char* parameterID) const {
    const std::string id = parameterID;
    if (id == kParamID_Harmonic) return m_pInputTrimDisplay;
    if (id == kParamID_Dynamic) return m_pProcessDisplay;
    if (id == kParamID_OutputTrim) return m_pOutputTrimDisplay;
    if (id == kParamID_Dither) return m_pBrightnessDisplay;
    if (id == kParamID_Color) return m_pTypeSelectDisplay;
    return nullptr;
}

void Orvanta_View::valueChanged(CControl* control) {
    if (!getParameters() || !control) return;
    const long tag = control->getTag();
    const ControlBinding* binding = BindingOf(tag);
    if (!binding) return;
    const char* parameterID = binding->parameterID;
    const SParameterInfo& parameter = *FindParameter(parameterID);
    switch (binding->kind) {
        case EKind::Knob:
            if (CControl* knob = knobOf(parameterID)) setParameter(parameterID, knob->getValue());
            break;
        case EKind::Display:
            if (parameter.valueNameCount == 0) {
                if (setFromTypedNumber(displayOf(parameterID), tag, parameterID)) updateParameter(parameterID);
            } else {
                typedWord(parameter);
            }
            break;
        case EKind::Button:
            // A button sets its value whatever its own value, so both reports
            // of a click set the same.
            setParameter(parameterID, ButtonNormalized(*binding));
            updateParameter(parameterID);
            break;
    }
}

// A word typed into a switch's display. An unknown word stays in the
// brightness display, while the type display puts the current name back.
void Orvanta_View::typedWord(const SParameterInfo& parameter) {
    CTextEdit* display = displayOf(parameter.identifier);
    if (!knobOf(parameter.identifier) || !display) return;
    const bool restoresUnknownWord = std::strcmp(parameter.identifier, kParamID_Color) == 0;
    int32_t value = 0;
    const bool named = ValueFromTypedWord(parameter, display->getText(), &value);
    if (named) setParameter(parameter.identifier, NormalizedOf(parameter, value));
    if (named || restoresUnknownWord) updateParameter(parameter.identifier);
}

void Orvanta_View::controlBeginEdit(CControl* control) {
    if (!getParameters() || !control) return;
    const ControlBinding* binding = BindingOf(control->getTag());
    if (binding && binding->kind == EKind::Knob) getParameters()->TouchParameter(binding->parameterID);
}

void Orvanta_View::controlEndEdit(CControl* control) {
    if (!getParameters() || !control) return;
    const ControlBinding* binding = BindingOf(control->getTag());
    if (binding && binding->kind == EKind::Knob) getParameters()->ReleaseParameter(binding->parameterID);
}

void Orvanta_View::updateParameter(const char* parameterID) {
    AAX_IEffectParameters* model = getParameters();
    CControl* knob = knobOf(parameterID);
    if (!model || !knob) return;
    double value = 0.0;
    if (model->GetParameterNormalizedValue(parameterID, &value) != AAX_SUCCESS) return;
    knob->setValue(float(value));
    knob->invalid();
    CTextEdit* display = displayOf(parameterID);
    if (!display) return;
    AAX_CString valueString;
    if (model->GetParameterValueString(parameterID, &valueString, kValueStringLength) != AAX_SUCCESS) return;
    // The switches show the word for their value, the others their own text.
    const SParameterInfo& parameter = *FindParameter(parameterID);
    const char* shown = valueString.Get();
    if (parameter.valueNameCount > 0) {
        const char* name = ValueName(parameter, int32_t(RealOf(parameter, value)));
        shown = name ? name : kErrorText;
    }
    display->setText(shown);
    display->invalid();
}

void Orvanta_View::updateInputTrim() { updateParameter(kParamID_Harmonic); }

void Orvanta_View::updateProcess() { updateParameter(kParamID_Dynamic); }

void Orvanta_View::updateOutputTrim() { updateParameter(kParamID_OutputTrim); }

void Orvanta_View::updateBrightness() { updateParameter(kParamID_Dither); }

void Orvanta_View::updateType() { updateParameter(kParamID_Color); }

size_t Orvanta_View::EditorControlCount() const {
    size_t count = 0;
    for (VSTGUI::int32 i = 0; i < getNbViews(); ++i) {
        const CControl* control = dynamic_cast<const CControl*>(getView(i));
        if (control && BindingOf(control->getTag())) ++count;
    }
    return count;
}

SEditorControl Orvanta_View::EditorControlAt(size_t index) const {
    SEditorControl described;
    for (VSTGUI::int32 i = 0; i < getNbViews(); ++i) {
        const CControl* control = dynamic_cast<const CControl*>(getView(i));
        const ControlBinding* binding = control ? BindingOf(control->getTag()) : nullptr;
        if (!binding || index-- > 0) continue;
        const CRect& rect = control->getViewSize();
        described.tag = int32_t(binding->tag);
        described.left = rect.left;
        described.top = rect.top;
        described.right = rect.right;
        described.bottom = rect.bottom;
        described.kind = binding->kind;
        described.parameterID = binding->parameterID;
        if (binding->kind == EKind::Button) described.value = ButtonNormalized(*binding);
        break;
    }
    return described;
}

int Orvanta_View::compareBrightness(const char* text) {
    // The Dither value the word names (2 on, 1 off), 0 for none.
    int32_t value = 0;
    return ValueFromTypedWord(*FindParameter(kParamID_Dither), text, &value) ? int(value) : 0;
}

double Orvanta_View::normalizeInputText(const char* text, long tag) {
    const ControlBinding* binding = BindingOf(tag);
    const SParameterInfo* parameter = binding ? FindParameter(binding->parameterID) : nullptr;
    if (!parameter || binding->kind != EKind::Display) return kRejectedInput;
    const double number = TypedText::LeadingNumber(text);
    // NaN fails both tests below and is refused with the rest.
    if (!(number >= parameter->minimum && number <= parameter->maximum)) return kRejectedInput;
    return (number - parameter->minimum) / (parameter->maximum - parameter->minimum);
}
