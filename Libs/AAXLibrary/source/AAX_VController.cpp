#include "AAX_VController.h"

#include "AAX_UIDs.h"

namespace {
// Version 1 missing: the controller itself is missing.
constexpr AAX_Result kMissingV1 = AAX_ERROR_NULL_OBJECT;
// Version 2 missing: the operation is not offered by this host.
constexpr AAX_Result kMissingV2 = AAX_ERROR_UNIMPLEMENTED;
}  // namespace

AAX_VController::AAX_VController(IACFUnknown* unknown)
    : m_IController(IID_IAAXControllerV1, unknown), m_IControllerV2(IID_IAAXControllerV2, unknown) {}

AAX_VController::~AAX_VController() = default;

AAX_Result AAX_VController::GetEffectID(AAX_IString* outEffectID) const {
    return m_IController ? m_IController->GetEffectID(outEffectID) : kMissingV1;
}

AAX_Result AAX_VController::GetSampleRate(AAX_CSampleRate* outSampleRate) const {
    return m_IController ? m_IController->GetSampleRate(outSampleRate) : kMissingV1;
}

AAX_Result AAX_VController::GetInputStemFormat(AAX_EStemFormat* outStemFormat) const {
    return m_IController ? m_IController->GetInputStemFormat(outStemFormat) : kMissingV1;
}

AAX_Result AAX_VController::GetOutputStemFormat(AAX_EStemFormat* outStemFormat) const {
    return m_IController ? m_IController->GetOutputStemFormat(outStemFormat) : kMissingV1;
}

AAX_Result AAX_VController::GetSignalLatency(int32_t* outSamples) const {
    return m_IController ? m_IController->GetSignalLatency(outSamples) : kMissingV1;
}

AAX_Result AAX_VController::GetCycleCount(AAX_EProperty whichCycleCount, AAX_CPropertyValue* outValue) const {
    return m_IController ? m_IController->GetCycleCount(whichCycleCount, outValue) : kMissingV1;
}

AAX_Result AAX_VController::GetTODLocation(AAX_CTimestamp* outTODLocation) const {
    return m_IController ? m_IController->GetTODLocation(outTODLocation) : kMissingV1;
}

AAX_Result AAX_VController::SetSignalLatency(int32_t numSamples) {
    return m_IController ? m_IController->SetSignalLatency(numSamples) : kMissingV1;
}

AAX_Result AAX_VController::SetCycleCount(AAX_EProperty* whichCycleCounts, AAX_CPropertyValue* values,
                                          int32_t numValues) {
    return m_IController ? m_IController->SetCycleCount(whichCycleCounts, values, numValues) : kMissingV1;
}

AAX_Result AAX_VController::PostPacket(AAX_CFieldIndex fieldIndex, const void* data, uint32_t size) {
    return m_IController ? m_IController->PostPacket(fieldIndex, data, size) : kMissingV1;
}

AAX_Result AAX_VController::SendNotification(AAX_CTypeID notificationType, const void* data, uint32_t size) {
    return m_IControllerV2 ? m_IControllerV2->SendNotification(notificationType, data, size) : kMissingV2;
}

AAX_Result AAX_VController::GetCurrentMeterValue(AAX_CTypeID meterID, float* outValue) const {
    return m_IController ? m_IController->GetCurrentMeterValue(meterID, outValue) : kMissingV1;
}

AAX_Result AAX_VController::GetMeterPeakValue(AAX_CTypeID meterID, float* outValue) const {
    return m_IController ? m_IController->GetMeterPeakValue(meterID, outValue) : kMissingV1;
}

AAX_Result AAX_VController::ClearMeterPeakValue(AAX_CTypeID meterID) const {
    return m_IController ? m_IController->ClearMeterPeakValue(meterID) : kMissingV1;
}

AAX_Result AAX_VController::GetMeterCount(uint32_t* outMeterCount) const {
    return m_IController ? m_IController->GetMeterCount(outMeterCount) : kMissingV1;
}

AAX_Result AAX_VController::GetMeterClipped(AAX_CTypeID meterID, AAX_CBoolean* outClipped) const {
    return m_IController ? m_IController->GetMeterClipped(meterID, outClipped) : kMissingV1;
}

AAX_Result AAX_VController::ClearMeterClipped(AAX_CTypeID meterID) const {
    return m_IController ? m_IController->ClearMeterClipped(meterID) : kMissingV1;
}

AAX_Result AAX_VController::GetNextMIDIPacket(int32_t* outPort, AAX_CMidiPacket* outPacket) {
    return m_IController ? m_IController->GetNextMIDIPacket(outPort, outPacket) : kMissingV1;
}

AAX_Result AAX_VController::GetHybridSignalLatency(int32_t* outSamples) const {
    return m_IControllerV2 ? m_IControllerV2->GetHybridSignalLatency(outSamples) : kMissingV2;
}

AAX_Result AAX_VController::GetCurrentAutomationTimestamp(AAX_CTimestamp* outTimestamp) const {
    if (m_IControllerV2) return m_IControllerV2->GetCurrentAutomationTimestamp(outTimestamp);
    if (outTimestamp) *outTimestamp = 0;
    return kMissingV2;
}

AAX_Result AAX_VController::GetHostName(AAX_IString* outHostName) const {
    return m_IControllerV2 ? m_IControllerV2->GetHostName(outHostName) : kMissingV2;
}
