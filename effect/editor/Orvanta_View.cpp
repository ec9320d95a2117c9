#include "Orvanta_View.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "AAX_CString.h"
#include "AAX_IEffectParameters.h"
#include "COrvanta_VST_AnimKnob.h"
#include "COrvanta_VST_AnimKnob_Switch.h"
#include "COrvanta_VST_AnimKnob_Switch_Fine.h"
#include "effect/Orvanta_Defs.h"
#include "toolkit/CKickButton.h"
#include "toolkit/CTextEdit.h"

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
const CPoint DisplaySize = SizeOf(kEditorRect_InputTrimDisplay);
const CPoint SilverButtonSize = SizeOf(kEditorRect_ColorButtons[0]);
const CPoint GoldButtonSize = SizeOf(kEditorRect_ColorButtons[1]);
const CPoint RichButtonSize = SizeOf(kEditorRect_ColorButtons[2]);
const CPoint FatButtonSize = SizeOf(kEditorRect_ColorButtons[3]);
const CPoint DeepButtonSize = SizeOf(kEditorRect_ColorButtons[4]);
const CPoint DitherOffButtonSize = SizeOf(kEditorRect_DitherOffButton);
const CPoint DitherOnButtonSize = SizeOf(kEditorRect_DitherOnButton);
// Every button draws its released image from here, the pressed one below it.
const CPoint ButtonOffset(0, 0);

const CPoint InputTrimKnobXY = OriginOf(kEditorRect_InputTrimKnob);
const CPoint ProcessKnobXY = OriginOf(kEditorRect_ProcessKnob);
const CPoint OutputTrimKnobXY = OriginOf(kEditorRect_OutputTrimKnob);
const CPoint BrightnessKnobXY = OriginOf(kEditorRect_BrightnessKnob);
const CPoint TypeSelectKnobXY = OriginOf(kEditorRect_TypeSelectKnob);
const CPoint SilverSelectButtonXY = OriginOf(kEditorRect_ColorButtons[0]);
const CPoint GoldSelectButtonXY = OriginOf(kEditorRect_ColorButtons[1]);
const CPoint RichSelectButtonXY = OriginOf(kEditorRect_ColorButtons[2]);
const CPoint FatSelectButtonXY = OriginOf(kEditorRect_ColorButtons[3]);
const CPoint DeepSelectButtonXY = OriginOf(kEditorRect_ColorButtons[4]);
const CPoint DitherOffSelectButtonXY = OriginOf(kEditorRect_DitherOffButton);
const CPoint DitherOnSelectButtonXY = OriginOf(kEditorRect_DitherOnButton);
const CPoint InputTrimDisplayXY = OriginOf(kEditorRect_InputTrimDisplay);
const CPoint ProcessDisplayXY = OriginOf(kEditorRect_ProcessDisplay);
const CPoint OutputTrimDisplayXY = OriginOf(kEditorRect_OutputTrimDisplay);
const CPoint BrightnessDisplayXY = OriginOf(kEditorRect_BrightnessDisplay);
const CPoint TypeSelectDisplayXY = OriginOf(kEditorRect_TypeSelectDisplay);

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

// ---- Control tags ----
enum ControlTag : long {
    kTagInputTrimKnob = 2,
    kTagOutputTrimKnob = 3,
    kTagProcessKnob = 4,
    kTagBrightnessKnob = 5,
    kTagTypeSelectKnob = 6,
    kTagInputTrimDisplay = 7,
    kTagOutputTrimDisplay = 8,
    kTagProcessDisplay = 9,
    kTagBrightnessDisplay = 10,
    kTagTypeSelectDisplay = 11,
    kTagSilverButton = 12,  // the colour buttons, in colour-type order
    kTagGoldButton = 13,
    kTagRichButton = 14,
    kTagFatButton = 15,
    kTagDeepButton = 16,
    kTagDitherOffButton = 17,
    kTagDitherOnButton = 18,
};

// Longest value string asked of a parameter.
constexpr int32_t kValueStringLength = 23;
constexpr const char* kErrorText = "Error!";

// The parameter a knob touches and releases, by tag; null for other controls.
const char* KnobParameter(long tag) {
    switch (tag) {
        case kTagInputTrimKnob: return kParamID_Harmonic;
        case kTagOutputTrimKnob: return kParamID_OutputTrim;
        case kTagProcessKnob: return kParamID_Dynamic;
        case kTagBrightnessKnob: return kParamID_Dither;
        case kTagTypeSelectKnob: return kParamID_Color;
        default: return nullptr;
    }
}

// The normalized value of colour type 1 .. 5.
double ColorNormalized(int colorType) { return (colorType - kColorMin) * 0.25; }

// Display texts from value strings: the continuous parameters show their
// own string; the switches show a name for their integer value.
std::string OwnText(const char* valueString) { return valueString; }
std::string DitherText(const char* valueString) {
    switch (std::atoi(valueString)) {
        case kDitherOn: return "On";
        case kDitherOff: return "Off";
        default: return kErrorText;
    }
}
std::string ColorText(const char* valueString) {
    const int colorType = std::atoi(valueString);
    if (colorType < kColorMin || colorType > kColorMax) return kErrorText;
    return kColorNames[colorType - kColorMin];
}

// The colour type named by a text's first letter (s, g, r, f, d in any
// case), or 0.
int ColorTypeFromText(const char* text) {
    const char first = char(std::tolower(static_cast<unsigned char>(text ? text[0] : '\0')));
    for (int colorType = kColorMin; colorType <= kColorMax; ++colorType)
        if (first != '\0' && first == std::tolower(static_cast<unsigned char>(kColorNames[colorType - 1][0])))
            return colorType;
    return 0;
}

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
        InputTrimSize, this, kTagInputTrimKnob, m_hOrvantaDial.get(), m_pViewContainer, kParamID_Harmonic);
    m_pProcessKnob = NewBoundKnob<COrvanta_VST_AnimKnob>(
        ProcessSize, this, kTagProcessKnob, m_hOrvantaDial.get(), m_pViewContainer, kParamID_Dynamic);
    m_pOutputTrimKnob =
        NewBoundKnob<COrvanta_VST_AnimKnob>(OutputTrimSize, this, kTagOutputTrimKnob, m_hOrvantaDial.get(),
                                            m_pViewContainer, kParamID_OutputTrim);
    m_pBrightnessKnob = NewBoundKnob<COrvanta_VST_AnimKnob_Switch_Fine>(
        BrightnessSize, this, kTagBrightnessKnob, m_hOrvantaDial3Pos.get(), m_pViewContainer,
        kParamID_Dither);
    m_pTypeSelectKnob = NewBoundKnob<COrvanta_VST_AnimKnob_Switch>(
        TypeSelectSize, this, kTagTypeSelectKnob, m_hOrvantaDial5Pos.get(), m_pViewContainer, kParamID_Color);
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
        new CTextEdit(InputTrimDisplaySize, this, kTagInputTrimDisplay, nullptr, nullptr, 0);
    m_pProcessDisplay = new CTextEdit(ProcessDisplaySize, this, kTagProcessDisplay, nullptr, nullptr, 0);
    m_pOutputTrimDisplay =
        new CTextEdit(OutputTrimDisplaySize, this, kTagOutputTrimDisplay, nullptr, nullptr, 0);
    m_pBrightnessDisplay =
        new CTextEdit(BrightnessDisplaySize, this, kTagBrightnessDisplay, nullptr, nullptr, 0);
    m_pTypeSelectDisplay =
        new CTextEdit(TypeSelectDisplaySize, this, kTagTypeSelectDisplay, nullptr, nullptr, 0);
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

void Orvanta_View::valueChanged(CControl* control) {
    if (!getParameters() || !control) return;
    const long tag = control->getTag();
    switch (tag) {
        case kTagInputTrimKnob:
            if (m_pInputTrimKnob) setParameter(kParamID_Harmonic, m_pInputTrimKnob->getValue());
            break;
        case kTagOutputTrimKnob:
            if (m_pOutputTrimKnob) setParameter(kParamID_OutputTrim, m_pOutputTrimKnob->getValue());
            break;
        case kTagProcessKnob:
            if (m_pProcessKnob) setParameter(kParamID_Dynamic, m_pProcessKnob->getValue());
            break;
        case kTagBrightnessKnob:
            if (m_pBrightnessKnob) setParameter(kParamID_Dither, m_pBrightnessKnob->getValue());
            break;
        case kTagTypeSelectKnob:
            if (m_pTypeSelectKnob) setParameter(kParamID_Color, m_pTypeSelectKnob->getValue());
            break;
        case kTagInputTrimDisplay:
            if (setFromTypedNumber(m_pInputTrimDisplay, tag, kParamID_Harmonic)) updateInputTrim();
            break;
        case kTagOutputTrimDisplay:
            if (setFromTypedNumber(m_pOutputTrimDisplay, tag, kParamID_OutputTrim)) updateOutputTrim();
            break;
        case kTagProcessDisplay:
            if (setFromTypedNumber(m_pProcessDisplay, tag, kParamID_Dynamic)) updateProcess();
            break;
        case kTagBrightnessDisplay:
            if (m_pBrightnessKnob && m_pBrightnessDisplay) {
                const int onOff = compareBrightness(m_pBrightnessDisplay->getText());
                if (onOff != 0) {
                    setParameter(kParamID_Dither, onOff - 1);
                    updateBrightness();
                }
            }
            break;
        case kTagTypeSelectDisplay:
            if (m_pTypeSelectKnob && m_pTypeSelectDisplay) {
                const int colorType = ColorTypeFromText(m_pTypeSelectDisplay->getText());
                if (colorType != 0) setParameter(kParamID_Color, ColorNormalized(colorType));
                updateType();
            }
            break;
        case kTagDitherOffButton:
        case kTagDitherOnButton:
            setParameter(kParamID_Dither, tag == kTagDitherOnButton ? 1.0 : 0.0);
            updateBrightness();
            break;
        default:
            // The colour buttons pick their colour type whatever their value,
            // so both reports of a click set the same type.
            if (tag >= kTagSilverButton && tag <= kTagDeepButton) {
                setParameter(kParamID_Color, ColorNormalized(int(tag - kTagSilverButton) + kColorMin));
                updateType();
            }
            break;
    }
}

void Orvanta_View::controlBeginEdit(CControl* control) {
    if (!getParameters() || !control) return;
    if (const char* parameterID = KnobParameter(control->getTag()))
        getParameters()->TouchParameter(parameterID);
}

void Orvanta_View::controlEndEdit(CControl* control) {
    if (!getParameters() || !control) return;
    if (const char* parameterID = KnobParameter(control->getTag()))
        getParameters()->ReleaseParameter(parameterID);
}

void Orvanta_View::updateControl(const char* parameterID, CControl* knob, CTextEdit* display,
                                 std::string (*displayText)(const char* valueString)) {
    AAX_IEffectParameters* model = getParameters();
    if (!model || !knob) return;
    double value = 0.0;
    if (model->GetParameterNormalizedValue(parameterID, &value) != AAX_SUCCESS) return;
    knob->setValue(float(value));
    knob->invalid();
    if (!display) return;
    AAX_CString valueString;
    if (model->GetParameterValueString(parameterID, &valueString, kValueStringLength) != AAX_SUCCESS) return;
    display->setText(displayText(valueString.Get()).c_str());
    display->invalid();
}

void Orvanta_View::updateInputTrim() {
    updateControl(kParamID_Harmonic, m_pInputTrimKnob, m_pInputTrimDisplay, OwnText);
}

void Orvanta_View::updateProcess() {
    updateControl(kParamID_Dynamic, m_pProcessKnob, m_pProcessDisplay, OwnText);
}

void Orvanta_View::updateOutputTrim() {
    updateControl(kParamID_OutputTrim, m_pOutputTrimKnob, m_pOutputTrimDisplay, OwnText);
}

void Orvanta_View::updateBrightness() {
    updateControl(kParamID_Dither, m_pBrightnessKnob, m_pBrightnessDisplay, DitherText);
}

void Orvanta_View::updateType() {
    updateControl(kParamID_Color, m_pTypeSelectKnob, m_pTypeSelectDisplay, ColorText);
}

int Orvanta_View::compareBrightness(const char* text) {
    if (!text) return 0;
    const char first = char(std::tolower(static_cast<unsigned char>(text[0])));
    const char second = first ? char(std::tolower(static_cast<unsigned char>(text[1]))) : '\0';
    if (first != 'o') return 0;
    if (second == 'n') return 2;
    if (second == 'f') return 1;
    return 0;
}

namespace {

// The number a typed text starts with, read as atof reads it in the C
// locale whatever locale the host has set (blanks skipped, an optional
// sign, "nan" and "inf" included, too large a magnitude infinite), or 0
// when it starts with none.
double LeadingNumber(const char* text) {
    if (!text) return 0.0;
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    if (*text == '+' && text[1] != '-') ++text;
    const char* const end = text + std::strlen(text);
    double number = 0.0;
    const auto parsed = std::from_chars(text, end, number);
    if (parsed.ec == std::errc()) return number;
    if (parsed.ec != std::errc::result_out_of_range) return 0.0;
    // Out of range: too small (a negative exponent) reads as 0, too large
    // as an infinity of its sign.
    for (const char* c = text; c + 1 < parsed.ptr; ++c)
        if ((*c == 'e' || *c == 'E') && c[1] == '-') return 0.0;
    return *text == '-' ? -HUGE_VAL : HUGE_VAL;
}

}  // namespace

double Orvanta_View::normalizeInputText(const char* text, long tag) {
    const bool trim = tag == kTagOutputTrimDisplay;
    const double minimum = trim ? kOutputTrimMinDB : kPercentParamMin;
    const double maximum = trim ? kOutputTrimMaxDB : kPercentParamMax;
    const double number = LeadingNumber(text);
    // NaN fails both tests below and is refused with the rest.
    if (!(number >= minimum && number <= maximum)) return kRejectedInput;
    return (number - minimum) / (maximum - minimum);
}
