// Basic types of the host-interface boundary: scalar typedefs, geometry,
// the enumerations shared by host interfaces and the plug-in, and the small
// records exchanged with the host.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AAX_Errors.h"

// ---- Scalar types ----
typedef int32_t  AAX_Result;          // 0 success, see AAX_Errors.h
typedef const char* AAX_CParamID;     // parameter identifier, zero-terminated, at most 31 bytes
typedef uint32_t AAX_CTypeID;         // four-character codes and other 32-bit type ids
typedef int32_t  AAX_CFieldIndex;     // index of a field of the algorithm context
typedef int32_t  AAX_CPropertyValue;  // value of a description property
typedef uint8_t  AAX_CBoolean;        // 0 false, anything else true
typedef uint32_t AAX_CSelector;       // selectors and returned procedure ids
typedef float    AAX_CSampleRate;     // samples per second
typedef int64_t  AAX_CTimestamp;      // sample-clock position
typedef int32_t  AAX_CProcPtrID;      // id of a procedure pointer given to the host
typedef uint32_t AAX_CTargetPlatform;

// Size of a parameter identifier buffer, terminating zero included: an
// identifier holds at most 31 bytes.
constexpr int32_t kAAX_ParameterIdentifierMaxSize = 32;

// Four-character code: the first character in the most significant byte.
constexpr AAX_CTypeID AAX_FourCC(char a, char b, char c, char d) {
    return (static_cast<AAX_CTypeID>(static_cast<uint8_t>(a)) << 24) |
           (static_cast<AAX_CTypeID>(static_cast<uint8_t>(b)) << 16) |
           (static_cast<AAX_CTypeID>(static_cast<uint8_t>(c)) << 8) |
           static_cast<AAX_CTypeID>(static_cast<uint8_t>(d));
}

// Identifiers with a fixed meaning to the parameter layer.
constexpr const char* cDefaultMasterBypassID = "MasterBypassID";
constexpr const char* cPreviewID = "PreviewID";

// ---- Geometry ----
struct AAX_Point {
    float vert = 0.0f;
    float horz = 0.0f;
    AAX_Point() = default;
    AAX_Point(float v, float h) : vert(v), horz(h) {}
};
inline bool operator==(const AAX_Point& a, const AAX_Point& b) { return a.vert == b.vert && a.horz == b.horz; }
inline bool operator!=(const AAX_Point& a, const AAX_Point& b) { return !(a == b); }

// A rectangle as the host passes it: top, left, width, height.
struct AAX_Rect {
    float top = 0.0f;
    float left = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    AAX_Rect() = default;
    AAX_Rect(float t, float l, float w, float h) : top(t), left(l), width(w), height(h) {}
};

// ---- Stem formats: stem index in the upper 16 bits, channel count in the lower ----
constexpr int32_t AAX_STEM_FORMAT(int32_t index, int32_t channels) { return (index << 16) | channels; }
constexpr int32_t AAX_STEM_FORMAT_CHANNEL_COUNT(int32_t format) { return format & 0xFFFF; }
constexpr int32_t AAX_STEM_FORMAT_INDEX(int32_t format) { return (format >> 16) & 0xFFFF; }

enum AAX_EStemFormat : int32_t {
    AAX_eStemFormat_Mono = AAX_STEM_FORMAT(0, 1),
    AAX_eStemFormat_Stereo = AAX_STEM_FORMAT(1, 2),
    AAX_eStemFormat_LCR = AAX_STEM_FORMAT(2, 3),
    AAX_eStemFormat_Quad = AAX_STEM_FORMAT(4, 4),
    AAX_eStemFormat_5_0 = AAX_STEM_FORMAT(6, 5),
    AAX_eStemFormat_5_1 = AAX_STEM_FORMAT(7, 6),
    AAX_eStemFormat_7_1_DTS = AAX_STEM_FORMAT(11, 8),
    AAX_eStemFormat_None = -100,
    AAX_eStemFormat_Any = -1,
};

// ---- Parameters ----
enum AAX_EParameterType : int32_t {
    AAX_eParameterType_Discrete = 0,
    AAX_eParameterType_Continuous = 1,
};

// Orientation flags of a parameter's control, combined by bitwise or.
enum AAX_EParameterOrientationBits : int32_t {
    AAX_eParameterOrientation_Default = 0,
    AAX_eParameterOrientation_BottomMinTopMax = 0,
    AAX_eParameterOrientation_TopMinBottomMax = 1,
    AAX_eParameterOrientation_LeftMinRightMax = 0,
    AAX_eParameterOrientation_RightMinLeftMax = 2,
    AAX_eParameterOrientation_RotarySingleDotMode = 0,
    AAX_eParameterOrientation_RotaryBoostCutMode = 4,
    AAX_eParameterOrientation_RotaryWrapMode = 8,
    AAX_eParameterOrientation_RotarySpreadMode = 12,
    AAX_eParameterOrientation_RotaryLeftMinRightMax = 0,
    AAX_eParameterOrientation_RotaryRightMinLeftMax = 16,
};
typedef int32_t AAX_EParameterOrientation;

// Who caused a parameter update (not looked at by this system).
enum AAX_EUpdateSource : int32_t {
    AAX_eUpdateSource_Unspecified = 0,
    AAX_eUpdateSource_Parameter = 1,
    AAX_eUpdateSource_Chunk = 2,
    AAX_eUpdateSource_Delay = 3,
};

// Selectors of GetParameterValueInfo.
enum AAX_EParameterValueInfoSelector : int32_t {
    AAX_ePageTable_EQ_Band_Type = 0,
    AAX_ePageTable_EQ_InCircuitPolarity = 1,
    AAX_ePageTable_UseAlternateControl = 2,
};

// ---- Description properties: 32-bit ids of the host's numbering ----
// Ids run from AAX_eProperty_MinProp up to, not including, AAX_eProperty_MaxProp.
enum AAX_EProperty : int32_t {
    AAX_eProperty_NoID = 0,
    AAX_eProperty_MinProp = 10,
    AAX_eProperty_ManufacturerID = 11,        // four-character code of the maker
    AAX_eProperty_ProductID = 12,             // four-character code of the product
    AAX_eProperty_PlugInID_Native = 13,       // four-character code of the native component
    AAX_eProperty_PlugInID_AudioSuite = 14,
    AAX_eProperty_PlugInID_TI = 15,           // four-character code of the DSP component
    AAX_eProperty_InputStemFormat = 51,
    AAX_eProperty_OutputStemFormat = 52,
    AAX_eProperty_DSP_AudioBufferLength = 54, // DSP block length as a power of two
    AAX_eProperty_LatencyContribution = 56,   // samples of delay the component adds
    AAX_eProperty_SampleRate = 58,            // mask of supported sample rates
    AAX_eProperty_CanBypass = 60,
    AAX_eProperty_TI_SharedCycleCount = 62,
    AAX_eProperty_TI_InstanceCycleCount = 63,
    AAX_eProperty_TI_MaxInstancesPerChip = 64,
    AAX_eProperty_MaxProp = 308,
};

// Sample-rate mask bits (AAX_eProperty_SampleRate).
enum AAX_ESampleRateMask : uint32_t {
    AAX_eSampleRateMask_No = 0,
    AAX_eSampleRateMask_44100 = 1u << 0,
    AAX_eSampleRateMask_48000 = 1u << 1,
    AAX_eSampleRateMask_88200 = 1u << 2,
    AAX_eSampleRateMask_96000 = 1u << 3,
    AAX_eSampleRateMask_176400 = 1u << 4,
    AAX_eSampleRateMask_192000 = 1u << 5,
    AAX_eSampleRateMask_All = 0xFFFFFFFFu,
};

// ---- Description ----
enum AAX_EResourceType : int32_t {
    AAX_eResourceType_None = 0,
    AAX_eResourceType_PageTable = 1,
    AAX_eResourceType_PageTableDir = 2,
};

enum AAX_EDataInPortType : uint32_t {
    AAX_eDataInPortType_Unbuffered = 0,
    AAX_eDataInPortType_Buffered = 1,   // every posted packet is delivered
    AAX_eDataInPortType_Incremental = 2,
};

enum AAX_EMIDINodeType : int32_t {
    AAX_eMIDINodeType_LocalInput = 0,
    AAX_eMIDINodeType_LocalOutput = 1,
    AAX_eMIDINodeType_Global = 2,
    AAX_eMIDINodeType_Transport = 3,
};

// Private-data options (AddPrivateData).
enum AAX_EPrivateDataOptions : uint32_t {
    AAX_ePrivateDataOptions_DefaultOptions = 0,
    AAX_ePrivateDataOptions_KeepOnReset = 1,
    AAX_ePrivateDataOptions_External = 2,
};

// Effect category bits (AddCategory).
enum AAX_EPlugInCategory : uint32_t {
    AAX_ePlugInCategory_None = 0x0,
    AAX_ePlugInCategory_EQ = 0x1,
    AAX_ePlugInCategory_Dynamics = 0x2,
    AAX_ePlugInCategory_PitchShift = 0x4,
    AAX_ePlugInCategory_Reverb = 0x8,
    AAX_ePlugInCategory_Delay = 0x10,
    AAX_ePlugInCategory_Modulation = 0x20,
    AAX_ePlugInCategory_Harmonic = 0x40,
    AAX_ePlugInCategory_NoiseReduction = 0x80,
    AAX_ePlugInCategory_Dither = 0x100,
    AAX_ePlugInCategory_SoundField = 0x200,
};

// Procedure-pointer ids given with AddProcPtr.
enum AAX_EProcPtrID : int32_t {
    kAAX_ProcPtrID_Create_EffectParameters = 0,
    kAAX_ProcPtrID_Create_EffectGUI = 1,
};

// ---- Run time ----
enum AAX_EFrameRate : int32_t {
    AAX_eFrameRate_Undeclared = 0,
    AAX_eFrameRate_24Frame = 1,
    AAX_eFrameRate_25Frame = 2,
    AAX_eFrameRate_2997NonDrop = 3,
    AAX_eFrameRate_2997DropFrame = 4,
    AAX_eFrameRate_30NonDrop = 5,
    AAX_eFrameRate_30DropFrame = 6,
    AAX_eFrameRate_23976 = 7,
};

enum AAX_EFeetFramesRate : int32_t {
    AAX_eFeetFramesRate_23976 = 0,
    AAX_eFeetFramesRate_24 = 1,
    AAX_eFeetFramesRate_25 = 2,
};

// Container types of a view container: 1 is a Cocoa view.
enum AAX_EViewContainer_Type : uint32_t {
    AAX_eViewContainer_Type_NULL = 0,
    AAX_eViewContainer_Type_NSView = 1,
    AAX_eViewContainer_Type_UIView = 2,
    AAX_eViewContainer_Type_HWND = 3,
};

// Modifier-key flags reported by a view container.
enum AAX_EModifiers : uint32_t {
    AAX_eModifiers_None = 0,
    AAX_eModifiers_Shift = 1u << 0,
    AAX_eModifiers_Control = 1u << 1,
    AAX_eModifiers_Option = 1u << 2,
    AAX_eModifiers_Command = 1u << 3,
    AAX_eModifiers_SecondaryButton = 1u << 4,
};

// Trace priorities of the host services.
enum AAX_ETracePriorityHost : int32_t {
    AAX_eTracePriorityHost_None = 0,
    AAX_eTracePriorityHost_Critical = 0x10000000,
    AAX_eTracePriorityHost_High = 0x08000000,
    AAX_eTracePriorityHost_Normal = 0x04000000,
    AAX_eTracePriorityHost_Low = 0x02000000,
    AAX_eTracePriorityHost_Lowest = 0x01000000,
};

// Strings a GUI may be asked to label itself with (GetCustomLabel).
enum AAX_EPlugInStrings : int32_t {
    AAX_ePlugInStrings_Analysis = 0,
    AAX_ePlugInStrings_MonoMode = 1,
    AAX_ePlugInStrings_MultiInputMode = 2,
    AAX_ePlugInStrings_RegionByRegionAnalysis = 3,
    AAX_ePlugInStrings_AllSelectedRegionsAnalysis = 4,
};

enum AAX_EHighlightColor : int32_t {
    AAX_eHighlightColor_Red = 0,
    AAX_eHighlightColor_Blue = 1,
    AAX_eHighlightColor_Green = 2,
    AAX_eHighlightColor_Yellow = 3,
};

// Notification types (four-character codes) the host may send.
constexpr AAX_CTypeID AAX_eNotificationEvent_ASPreviewState = AAX_FourCC('A', 'S', 'P', 'v');

// ---- Records ----
// A plug-in named by maker, product and component codes.
struct AAX_SPlugInIdentifierTriad {
    AAX_CTypeID mManufacturerID;
    AAX_CTypeID mProductID;
    AAX_CTypeID mPlugInID;
};

// One MIDI message as a controller hands it out.
struct AAX_CMidiPacket {
    uint32_t mTimestamp;
    uint32_t mLength;
    uint8_t mData[4];
    AAX_CBoolean mIsImmediate;
};

// ---- Procedures handed to the host ----
// Native process callback: called on the audio thread with an array of
// instance-context pointers [begin, end).
typedef void (*AAX_CProcessProc)(void* const inInstancesBegin[], const void* inInstancesEnd);
enum AAX_EComponentInstanceInitAction : int32_t {
    AAX_eComponentInstanceInitAction_AddingNewInstance = 0,
    AAX_eComponentInstanceInitAction_RemovingInstance = 1,
    AAX_eComponentInstanceInitAction_ResetInstance = 2,
};
typedef int32_t (*AAX_CInstanceInitProc)(const void* inInstanceContext, AAX_EComponentInstanceInitAction inAction);
typedef int32_t (*AAX_CBackgroundProc)();

class IACFUnknown;
// Factory procedures registered with AddProcPtr: each returns a new object
// with no references yet; the host takes the first one.
typedef IACFUnknown* (*AAX_CCreateObjectProc)();
