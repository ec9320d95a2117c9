#include "AAX_CEffectParameters.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "AAX_CString.h"
#include "AAX_IParameter.h"
#include "AAX_VAutomationDelegate.h"
#include "AAX_VController.h"
#include "AAX_VTransport.h"
#include "effect/Orvanta_Defs.h"

namespace {

// The kind of value a parameter holds, found by trying its typed getters in
// a fixed order: the first that answers names the kind.
enum class ValueKind { Float, Int32, Bool, Double, Text, None };

struct ParameterValue {
    ValueKind kind = ValueKind::None;
    float floatValue = 0.0f;
    int32_t int32Value = 0;
    bool boolValue = false;
    double doubleValue = 0.0;
    AAX_CString textValue;
};

ParameterValue ReadValue(const AAX_IParameter& parameter) {
    ParameterValue value;
    if (parameter.GetValueAsFloat(&value.floatValue))
        value.kind = ValueKind::Float;
    else if (parameter.GetValueAsInt32(&value.int32Value))
        value.kind = ValueKind::Int32;
    else if (parameter.GetValueAsBool(&value.boolValue))
        value.kind = ValueKind::Bool;
    else if (parameter.GetValueAsDouble(&value.doubleValue))
        value.kind = ValueKind::Double;
    else if (parameter.GetValueAsString(&value.textValue))
        value.kind = ValueKind::Text;
    return value;
}

// A stored double narrowed to float. Finite values beyond the float range
// become infinities (converting them directly would be undefined); the
// parameter's taper then limits them like any other value.
float NarrowToFloat(double value) {
    constexpr double largest = double(std::numeric_limits<float>::max());
    if (value > largest) return std::numeric_limits<float>::infinity();
    if (value < -largest) return -std::numeric_limits<float>::infinity();
    return float(value);  // NaN stays NaN
}

bool EqualAsFloats(double a, double b) { return NarrowToFloat(a) == NarrowToFloat(b); }

void CopyChunkName(AAX_SPlugInChunk* chunk, const char* name) {
    std::memset(chunk->fName, 0, sizeof chunk->fName);
    std::strncpy(chunk->fName, name, sizeof chunk->fName - 1);
}

}  // namespace

AAX_CEffectParameters::AAX_CEffectParameters() = default;

AAX_CEffectParameters::~AAX_CEffectParameters() {
    // A host that releases the object without Uninitialize still gets its
    // wrappers back.
    ReleaseHostObjects();
}

// ---------------------------------------------------------------- life cycle

AAX_Result AAX_CEffectParameters::Initialize(IACFUnknown* hostController) {
    if (m_Controller || m_AutomationDelegate || m_Transport) ReleaseHostObjects();  // initialised again

    m_Controller = new AAX_VController(hostController);
    m_AutomationDelegate = new AAX_VAutomationDelegate(hostController);
    m_Transport = new AAX_VTransport(hostController);
    m_ParameterManager.Initialize(m_AutomationDelegate);
    m_PacketDispatcher.Initialize(m_Controller, this);

    const AAX_Result result = EffectInit();
    if (result != AAX_SUCCESS) return result;

    AAX_CString bypassID;
    GetMasterBypassParameter(&bypassID);
    FilterParameterIDOnSave(bypassID.Get());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::Uninitialize() {
    ReleaseHostObjects();
    return AAX_SUCCESS;
}

void AAX_CEffectParameters::ReleaseHostObjects() {
    // The parameters go first, while the automation delegate they unregister
    // from still exists.
    m_ParameterManager.RemoveAllParameters();
    delete m_Controller;
    m_Controller = nullptr;
    delete m_AutomationDelegate;
    m_AutomationDelegate = nullptr;
    delete m_Transport;
    m_Transport = nullptr;
    m_ParameterManager.Initialize(nullptr);
    m_PacketDispatcher.Initialize(nullptr, this);
}

AAX_Result AAX_CEffectParameters::EffectInit() { return AAX_SUCCESS; }

AAX_Result AAX_CEffectParameters::NotificationReceived(AAX_CTypeID notificationType, const void* notificationData,
                                                       uint32_t notificationDataSize) {
    if (notificationType != AAX_eNotificationEvent_ASPreviewState) return AAX_SUCCESS;
    AAX_IParameter* preview = m_ParameterManager.GetParameterByID(cPreviewID);
    if (!preview || !notificationData || notificationDataSize < sizeof(int32_t)) return AAX_SUCCESS;
    int32_t state;
    std::memcpy(&state, notificationData, sizeof state);
    preview->SetValueWithBool(state != 0);
    return AAX_SUCCESS;
}

// --------------------------------------------- enumeration and description

AAX_Result AAX_CEffectParameters::GetNumberOfParameters(int32_t* numParameters) const {
    *numParameters = m_ParameterManager.NumParameters();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetMasterBypassParameter(AAX_IString* parameterID) const {
    parameterID->Set(m_ParameterManager.GetParameterByID(cDefaultMasterBypassID) ? cDefaultMasterBypassID : "");
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterIsAutomatable(AAX_CParamID parameterID,
                                                            AAX_CBoolean* automatable) const {
    *automatable = false;
    const AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    *automatable = parameter->Automatable();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterNumberOfSteps(AAX_CParamID parameterID, int32_t* numSteps) const {
    const AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    *numSteps = int32_t(parameter->GetNumberOfSteps());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterName(AAX_CParamID parameterID, AAX_IString* name) const {
    const AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    name->Set(parameter ? parameter->Name().Get() : "");
    return AAX_SUCCESS;
}

// The shortened name may hold several variants separated by newlines; the
// longest one that fits wins, and when none fits the whole text is given.
AAX_Result AAX_CEffectParameters::GetParameterNameOfLength(AAX_CParamID parameterID, AAX_IString* name,
                                                           int32_t nameLength) const {
    const AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    if (!parameter) {
        name->Set("");
        return AAX_SUCCESS;
    }
    std::string shortened = parameter->ShortenedName(nameLength).Get();
    if (shortened.size() > 255) shortened.resize(255);
    if (shortened.empty()) return AAX_SUCCESS;

    std::string best;
    size_t start = 0;
    while (start <= shortened.size()) {
        size_t end = shortened.find('\n', start);
        if (end == std::string::npos) end = shortened.size();
        const size_t length = end - start;
        if (length >= 1 && int64_t(length) <= int64_t(nameLength) && length > best.size())
            best = shortened.substr(start, length);
        if (end == shortened.size()) break;
        start = end + 1;
    }
    name->Set(best.empty() ? shortened.c_str() : best.c_str());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterDefaultNormalizedValue(AAX_CParamID parameterID,
                                                                     double* value) const {
    const AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    *value = parameter->GetNormalizedDefaultValue();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetParameterDefaultNormalizedValue(AAX_CParamID parameterID, double value) {
    AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    parameter->SetNormalizedDefaultValue(value);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterType(AAX_CParamID parameterID,
                                                   AAX_EParameterType* parameterType) const {
    const AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    *parameterType = parameter->GetType();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterOrientation(AAX_CParamID parameterID,
                                                          AAX_EParameterOrientation* orientation) const {
    const AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    *orientation = parameter->GetOrientation();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameter(AAX_CParamID parameterID, AAX_IParameter** parameter) {
    *parameter = m_ParameterManager.GetParameterByID(parameterID);
    return *parameter ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterIndex(AAX_CParamID parameterID, int32_t* controlIndex) const {
    *controlIndex = m_ParameterManager.ControlIndexFromID(parameterID);
    return *controlIndex == -1 ? AAX_ERROR_INVALID_PARAMETER_ID : AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterIDFromIndex(int32_t controlIndex, AAX_IString* parameterID) const {
    const AAX_IParameter* parameter = m_ParameterManager.GetParameter(controlIndex);
    parameterID->Set(parameter ? parameter->Identifier() : "");
    return parameter ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterValueInfo(AAX_CParamID, int32_t, int32_t* value) const {
    *value = 0;
    return AAX_ERROR_UNIMPLEMENTED;
}

// --------------------------------------------------------- values, strings

AAX_Result AAX_CEffectParameters::GetParameterValueFromString(AAX_CParamID parameterID, double* value,
                                                              const AAX_IString& valueString) const {
    const AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    double normalizedValue = 0.0;
    if (!parameter->GetNormalizedValueFromString(AAX_CString(valueString), &normalizedValue))
        return AAX_ERROR_INVALID_STRING_CONVERSION;
    *value = normalizedValue;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterStringFromValue(AAX_CParamID parameterID, double value,
                                                              AAX_IString* valueString, int32_t maxLength) const {
    const AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    AAX_CString text;
    if (!parameter->GetStringFromNormalizedValue(value, maxLength, text)) return AAX_ERROR_INVALID_STRING_CONVERSION;
    *valueString = text;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterValueString(AAX_CParamID parameterID, AAX_IString* value,
                                                          int32_t maxLength) const {
    const AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    AAX_CString text;
    parameter->GetValueString(maxLength, &text);
    *value = text;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterNormalizedValue(AAX_CParamID parameterID, double* value) const {
    const AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    *value = parameter->GetNormalizedValue();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedValue(AAX_CParamID parameterID, double value) {
    AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    parameter->SetNormalizedValue(value);
    return AAX_SUCCESS;
}

namespace {
double LimitToUnitRange(double value) {
    if (value > 1.0) return 1.0;
    if (value < 0.0) return 0.0;
    return value;
}
}  // namespace

AAX_Result AAX_CEffectParameters::SetParameterNormalizedRelative(AAX_CParamID parameterID, double delta) {
    double value = 0.0;
    const AAX_Result result = GetParameterNormalizedValue(parameterID, &value);
    if (result != AAX_SUCCESS) return result;
    return SetParameterNormalizedValue(parameterID, LimitToUnitRange(value + delta));
}

AAX_Result AAX_CEffectParameters::TouchParameter(AAX_CParamID parameterID) {
    AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    parameter->Touch();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::ReleaseParameter(AAX_CParamID parameterID) {
    AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    parameter->Release();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdateParameterTouch(AAX_CParamID, AAX_CBoolean) { return AAX_SUCCESS; }

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedValue(AAX_CParamID parameterID, double value,
                                                                 AAX_EUpdateSource) {
    AAX_IParameter* parameter = m_ParameterManager.GetParameterByID(parameterID);
    if (!parameter) return AAX_ERROR_INVALID_PARAMETER_ID;
    parameter->UpdateNormalizedValue(value);
    const AAX_Result result = m_PacketDispatcher.SetDirty(parameterID, true);
    // The counter only grows; it wraps instead of overflowing.
    m_NumChanges = int32_t(uint32_t(m_NumChanges) + 1u);
    return result;
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedRelative(AAX_CParamID parameterID, double delta) {
    double value = 0.0;
    const AAX_Result result = GetParameterNormalizedValue(parameterID, &value);
    if (result != AAX_SUCCESS) return result;
    return UpdateParameterNormalizedValue(parameterID, LimitToUnitRange(value + delta),
                                          AAX_eUpdateSource_Unspecified);
}

// --------------------------------------------------- packets and fields

AAX_Result AAX_CEffectParameters::GenerateCoefficients() { return m_PacketDispatcher.Dispatch(); }

AAX_Result AAX_CEffectParameters::ResetFieldData(AAX_CFieldIndex, void* data, uint32_t dataSize) const {
    if (data && dataSize > 0) std::memset(data, 0, dataSize);
    return AAX_SUCCESS;
}

// ------------------------------------------------------------ state chunk

void AAX_CEffectParameters::FilterParameterIDOnSave(AAX_CParamID parameterID) {
    if (parameterID) m_FilteredParameterIDs.insert(parameterID);
}

bool AAX_CEffectParameters::IsFilteredOnSave(AAX_CParamID parameterID) const {
    return m_FilteredParameterIDs.count(parameterID) != 0;
}

void AAX_CEffectParameters::BuildChunkData() {
    m_ChunkParser.Clear();
    for (int32_t index = 0; index < m_ParameterManager.NumParameters(); ++index) {
        const AAX_IParameter* parameter = m_ParameterManager.GetParameter(index);
        if (!parameter || IsFilteredOnSave(parameter->Identifier())) continue;
        const ParameterValue value = ReadValue(*parameter);
        const char* name = parameter->Identifier();
        switch (value.kind) {
            case ValueKind::Float: m_ChunkParser.AddDouble(name, double(value.floatValue)); break;
            case ValueKind::Int32: m_ChunkParser.AddInt32(name, value.int32Value); break;
            case ValueKind::Bool: m_ChunkParser.AddInt32(name, value.boolValue ? 1 : 0); break;
            case ValueKind::Double: m_ChunkParser.AddDouble(name, value.doubleValue); break;
            case ValueKind::Text: m_ChunkParser.AddString(name, value.textValue); break;
            case ValueKind::None: break;
        }
    }
}

AAX_Result AAX_CEffectParameters::GetNumberOfChunks(int32_t* numChunks) const {
    *numChunks = 1;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunkIDFromIndex(int32_t index, AAX_CTypeID* chunkID) const {
    if (index != 0) {
        *chunkID = 0;
        return AAX_ERROR_INVALID_CHUNK_INDEX;
    }
    *chunkID = Orvanta::kChunkID;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunkSize(AAX_CTypeID chunkID, uint32_t* size) {
    if (chunkID != Orvanta::kChunkID) {
        *size = 0;
        return AAX_ERROR_INVALID_CHUNK_ID;
    }
    BuildChunkData();
    m_LastChunkSize = uint32_t(m_ChunkParser.GetChunkDataSize());
    *size = m_LastChunkSize;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) {
    if (chunkID != Orvanta::kChunkID) return AAX_ERROR_INVALID_CHUNK_ID;
    if (!chunk) return AAX_ERROR_NULL_OBJECT;
    BuildChunkData();
    const uint32_t size = uint32_t(m_ChunkParser.GetChunkDataSize());
    // The host sized the record from the last GetChunkSize: anything else
    // could overrun it.
    if (size != m_LastChunkSize || size == 0) return AAX_ERROR_INCORRECT_CHUNK_SIZE;
    chunk->fVersion = AAX_ChunkDataParserDefs::NO_VERSION;
    CopyChunkName(chunk, Orvanta::kChunkName);
    return m_ChunkParser.GetChunkData(chunk);
}

// Sets every saved parameter found in the chunk through its typed setter,
// which with the host attached becomes a touch, set-value request and
// release; a missing entry, or one of another type, leaves the value alone.
AAX_Result AAX_CEffectParameters::SetChunk(AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk) {
    if (chunkID != Orvanta::kChunkID) return AAX_ERROR_INVALID_CHUNK_ID;
    if (!chunk) return AAX_ERROR_NULL_OBJECT;
    m_ChunkParser.LoadChunk(chunk);
    for (int32_t index = 0; index < m_ParameterManager.NumParameters(); ++index) {
        AAX_IParameter* parameter = m_ParameterManager.GetParameter(index);
        if (!parameter || IsFilteredOnSave(parameter->Identifier())) continue;
        const char* name = parameter->Identifier();
        double storedDouble = 0.0;
        int32_t storedInt = 0;
        AAX_CString storedText;
        switch (ReadValue(*parameter).kind) {
            case ValueKind::Float:
                if (m_ChunkParser.FindDouble(name, &storedDouble)) parameter->SetValueWithFloat(NarrowToFloat(storedDouble));
                break;
            case ValueKind::Int32:
                if (m_ChunkParser.FindInt32(name, &storedInt)) parameter->SetValueWithInt32(storedInt);
                break;
            case ValueKind::Bool:
                if (m_ChunkParser.FindInt32(name, &storedInt)) parameter->SetValueWithBool(storedInt != 0);
                break;
            case ValueKind::Double:
                if (m_ChunkParser.FindDouble(name, &storedDouble)) parameter->SetValueWithDouble(storedDouble);
                break;
            case ValueKind::Text:
                if (m_ChunkParser.FindString(name, &storedText)) parameter->SetValueWithString(storedText);
                break;
            case ValueKind::None: break;
        }
    }
    return AAX_SUCCESS;
}

// Equal when every saved parameter has an entry of its type holding its
// current value. A chunk of another identifier is not ours to judge: equal.
AAX_Result AAX_CEffectParameters::CompareActiveChunk(const AAX_SPlugInChunk* chunk, AAX_CBoolean* isEqual) {
    if (!chunk) return AAX_ERROR_NULL_OBJECT;
    if (chunk->fChunkID != Orvanta::kChunkID) {
        *isEqual = true;
        return AAX_SUCCESS;
    }
    *isEqual = false;
    m_ChunkParser.LoadChunk(chunk);
    for (int32_t index = 0; index < m_ParameterManager.NumParameters(); ++index) {
        const AAX_IParameter* parameter = m_ParameterManager.GetParameter(index);
        if (!parameter || IsFilteredOnSave(parameter->Identifier())) continue;
        const char* name = parameter->Identifier();
        const ParameterValue current = ReadValue(*parameter);
        double storedDouble = 0.0;
        int32_t storedInt = 0;
        AAX_CString storedText;
        bool same = true;
        switch (current.kind) {
            case ValueKind::Float:
                same = m_ChunkParser.FindDouble(name, &storedDouble) &&
                       NarrowToFloat(storedDouble) == current.floatValue;
                break;
            case ValueKind::Int32:
                same = m_ChunkParser.FindInt32(name, &storedInt) && storedInt == current.int32Value;
                break;
            case ValueKind::Bool:
                same = m_ChunkParser.FindInt32(name, &storedInt) && (storedInt != 0) == current.boolValue;
                break;
            case ValueKind::Double:
                same = m_ChunkParser.FindDouble(name, &storedDouble) &&
                       EqualAsFloats(storedDouble, current.doubleValue);
                break;
            case ValueKind::Text:
                same = m_ChunkParser.FindString(name, &storedText) && storedText == current.textValue;
                break;
            case ValueKind::None: break;
        }
        if (!same) return AAX_SUCCESS;
    }
    *isEqual = true;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfChanges(int32_t* numChanges) const {
    if (m_NumChanges >= 0) *numChanges = m_NumChanges;
    return AAX_SUCCESS;
}

// ------------------------------------------------------------------ the rest

AAX_Result AAX_CEffectParameters::TimerWakeup() { return AAX_SUCCESS; }

AAX_Result AAX_CEffectParameters::GetCurveData(AAX_CTypeID, const float*, uint32_t, float*) const {
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::GetCustomData(AAX_CTypeID, uint32_t, void*, uint32_t* bytesWritten) const {
    if (bytesWritten) *bytesWritten = 0;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetCustomData(AAX_CTypeID, uint32_t, const void*) { return AAX_SUCCESS; }

AAX_Result AAX_CEffectParameters::DoMIDITransfers() { return AAX_SUCCESS; }

AAX_Result AAX_CEffectParameters::RenderAudio_Hybrid(AAX_SHybridRenderInfo*) { return AAX_ERROR_UNIMPLEMENTED; }

AAX_Result AAX_CEffectParameters::UpdateMIDINodes(AAX_CFieldIndex, AAX_CMidiPacket&) { return AAX_SUCCESS; }

AAX_Result AAX_CEffectParameters::UpdateControlMIDINodes(AAX_CTypeID, AAX_CMidiPacket&) { return AAX_SUCCESS; }
