// Constants the effect shares between its parts: knob-packet values,
// algorithm-context layout, component formats and rates, state chunk
// identity, editor bitmaps and layout. The parameters are described in
// model/Orvanta_ParameterTable.h.
#pragma once

#include <cstdint>

namespace Orvanta {

// ---- Knob-packet values of the switches (the parameters hold the same) ----
// The parameters themselves are described in model/Orvanta_ParameterTable.
constexpr int32_t kDitherOff = 1;
constexpr int32_t kDitherOn  = 2;
// Colour types 1..5.
constexpr int32_t kColorMin = 1;
constexpr int32_t kColorMax = 5;

// ---- Algorithm context fields, in record order ----
enum EContextField : int32_t {
    kField_KnobPacket   = 0,
    kField_PrivateData  = 1,
    kField_AudioIn      = 2,
    kField_AudioOut     = 3,
    kField_BufferLength = 4,
};
constexpr int32_t kKnobPacketSize   = 20;
constexpr int32_t kChannelStateSize = 284;
constexpr int32_t kPrivateDataSize  = 568;
constexpr int32_t kDelayLineSlots   = 49;

// ---- Signal path ----
// Transfer-curve entries: x = k / 4096 - 1 for k = 0 .. 8192.
constexpr int32_t kTransferCurveEntries = 8193;
// Channel-state records in the private-data block (mono uses the first).
constexpr int32_t kChannelStatesPerBlock = kPrivateDataSize / kChannelStateSize;

// ---- Stem formats and sample rates ----
constexpr int32_t kStemFormat_Mono   = 1;
constexpr int32_t kStemFormat_Stereo = 0x10002;

constexpr int kNumSampleRates = 6;
constexpr float kSupportedSampleRates[kNumSampleRates] = {
    44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f};
// The processed signal lags the input by kDelayPerRateMultiple times the
// rate multiple (rate / 44100, truncated) plus one sample: 7, 13 or 25
// samples. The effect does not report this delay to the host.
constexpr int32_t kDelayPerRateMultiple = 6;
constexpr int32_t SignalDelaySamples(float sampleRate) {
    return kDelayPerRateMultiple * static_cast<int32_t>(sampleRate / 44100.0f) + 1;
}
// Sample-rate mask bits, one per entry of kSupportedSampleRates.
constexpr uint32_t kSampleRateMask_44_48   = 3;
constexpr uint32_t kSampleRateMask_88_96   = 12;
constexpr uint32_t kSampleRateMask_176_192 = 48;

// ---- State chunk ----
constexpr uint32_t kChunkID = 0x656C636B;  // 'elck'
constexpr const char* kChunkName = "Rizazuve Zovavode State";

// ---- Identity ----
constexpr const char* kProductName      = "Orvanta";
constexpr const char* kManufacturerName = "Quillfern";
constexpr const char* kPageTableFile    = "ZirorovAruva_d5.xml";
constexpr const char* kBundleName       = "Orvanta.aaxplugin";


// ---- Editor bitmaps: resource identifiers, looked up as "bmp%05d" + ".png" ----
constexpr int32_t kBitmapID_Dial            = 31010;  // continuous knobs, 60 x 60 frames
constexpr int32_t kBitmapID_Background      = 31011;  // the panel; its size is the editor's
constexpr int32_t kBitmapID_Dial3Pos        = 31013;  // dither switch, three frames
constexpr int32_t kBitmapID_Dial5Pos        = 31015;  // colour selector, five frames
constexpr int32_t kBitmapID_SilverButton    = 31021;  // colour buttons: released image on
constexpr int32_t kBitmapID_GoldButton      = 31022;  // top, pressed image below it
constexpr int32_t kBitmapID_RichButton      = 31023;
constexpr int32_t kBitmapID_FatButton       = 31024;
constexpr int32_t kBitmapID_DeepButton      = 31025;
constexpr int32_t kBitmapID_DitherOffButton = 31026;
constexpr int32_t kBitmapID_DitherOnButton  = 31027;
// Every bitmap the editor draws.
constexpr int32_t kEditorBitmapIDs[] = {kBitmapID_Dial,          kBitmapID_Background,    kBitmapID_Dial3Pos,
                                        kBitmapID_Dial5Pos,      kBitmapID_SilverButton,  kBitmapID_GoldButton,
                                        kBitmapID_RichButton,    kBitmapID_FatButton,     kBitmapID_DeepButton,
                                        kBitmapID_DitherOffButton, kBitmapID_DitherOnButton};
constexpr const char* kBitmapNameFormat = "bmp%05d";
constexpr int32_t kButtonImages = 2;  // released, pressed

// ---- Editor layout: control rectangles in panel pixels ----
struct SOrvanta_EditorRect {
    int32_t left, top, width, height;
    constexpr int32_t right() const { return left + width; }
    constexpr int32_t bottom() const { return top + height; }
};
constexpr int32_t kEditorKnobSize = 60;
constexpr int32_t kEditorDialPositions3 = 3;
constexpr int32_t kEditorDialPositions5 = 5;
constexpr SOrvanta_EditorRect kEditorRect_HarmonicKnob     = {19, 41, 60, 60};   // "Harmonic"
constexpr SOrvanta_EditorRect kEditorRect_DynamicKnob       = {109, 41, 60, 60};  // "Dynamic"
constexpr SOrvanta_EditorRect kEditorRect_OutputTrimKnob    = {199, 41, 60, 60};  // "OutputTrim"
constexpr SOrvanta_EditorRect kEditorRect_DitherKnob    = {289, 41, 60, 60};  // "Dither"
constexpr SOrvanta_EditorRect kEditorRect_ColorKnob    = {379, 41, 60, 60};  // "Color"
constexpr SOrvanta_EditorRect kEditorRect_HarmonicDisplay  = {19, 131, 60, 20};
constexpr SOrvanta_EditorRect kEditorRect_DynamicDisplay    = {109, 131, 60, 20};
constexpr SOrvanta_EditorRect kEditorRect_OutputTrimDisplay = {199, 131, 60, 20};
constexpr SOrvanta_EditorRect kEditorRect_DitherDisplay = {289, 131, 60, 20};
constexpr SOrvanta_EditorRect kEditorRect_ColorDisplay = {379, 131, 60, 20};
// Colour-type buttons in colour-type order (Silver .. Deep).
constexpr SOrvanta_EditorRect kEditorRect_ColorButtons[kColorMax] = {
    {421, 39, 54, 9}, {430, 52, 48, 9}, {433, 66, 41, 9}, {431, 80, 36, 9}, {421, 94, 53, 9}};
constexpr SOrvanta_EditorRect kEditorRect_DitherOffButton = {311, 23, 18, 27};
constexpr SOrvanta_EditorRect kEditorRect_DitherOnButton  = {334, 33, 22, 22};

// ---- Module bundle (laid out as ModuleBundle.h says) ----
// The editor loads its bitmaps from the resource folder, or from a
// "bitmaps" folder inside it.
constexpr const char* kBundleBitmapFolder   = "bitmaps";

}  // namespace Orvanta
