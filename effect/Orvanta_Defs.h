// Constants the whole system shares: parameter identifiers, algorithm-context
// layout, component formats and rates, colour-type labels, state chunk
// identity. Every other file takes these values from here.
#pragma once

#include <cstdint>

namespace Orvanta {

// ---- Parameter identifiers (the keys used by host, packets, chunk, editor) ----
// The master-bypass parameter is registered under the empty identifier.
constexpr const char* kParamID_Bypass     = "";
constexpr const char* kParamID_Dynamic    = "Dynamic";
constexpr const char* kParamID_Harmonic   = "Harmonic";
constexpr const char* kParamID_OutputTrim = "OutputTrim";
constexpr const char* kParamID_Dither     = "Dither";
constexpr const char* kParamID_Color      = "Color";
constexpr int kNumParameters = 6;

// Dither parameter values as carried in the knob packet.
constexpr int32_t kDitherOff = 1;
constexpr int32_t kDitherOn  = 2;

// Colour types 1..5 and their editor labels (index 0 is colour type 1).
constexpr int32_t kColorMin = 1;
constexpr int32_t kColorMax = 5;
constexpr const char* kColorNames[kColorMax] = {"Silver", "Gold", "Rich", "Fat", "Deep"};

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

// ---- Stem formats and sample rates ----
constexpr int32_t kStemFormat_Mono   = 1;
constexpr int32_t kStemFormat_Stereo = 0x10002;

constexpr int kNumSampleRates = 6;
constexpr float kSupportedSampleRates[kNumSampleRates] = {
    44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f};
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

}  // namespace Orvanta
