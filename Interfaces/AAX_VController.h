// AAX_VController: AAX_IController over the host's controller object. Each
// operation forwards to the newest interface version offering it, or answers
// AAX_ERROR_NULL_OBJECT (version 1 missing) / AAX_ERROR_UNIMPLEMENTED
// (version 2 missing). Holds only the interface pointers, takes no lock and
// calls the host on the caller's thread (see AAX_IController).
#pragma once

#include "AAX_IACFController.h"
#include "AAX_IController.h"
#include "ACFPtr.h"

class AAX_VController : public AAX_IController {
public:
    // Queries unknown for version 1 and, independently, version 2; null
    // leaves both pointers null.
    explicit AAX_VController(IACFUnknown* unknown);
    ~AAX_VController() override;

    AAX_Result GetEffectID(AAX_IString* outEffectID) const override;
    AAX_Result GetSampleRate(AAX_CSampleRate* outSampleRate) const override;
    AAX_Result GetInputStemFormat(AAX_EStemFormat* outStemFormat) const override;
    AAX_Result GetOutputStemFormat(AAX_EStemFormat* outStemFormat) const override;
    AAX_Result GetSignalLatency(int32_t* outSamples) const override;
    AAX_Result GetCycleCount(AAX_EProperty whichCycleCount, AAX_CPropertyValue* outValue) const override;
    AAX_Result GetTODLocation(AAX_CTimestamp* outTODLocation) const override;
    AAX_Result SetSignalLatency(int32_t numSamples) override;
    AAX_Result SetCycleCount(AAX_EProperty* whichCycleCounts, AAX_CPropertyValue* values,
                             int32_t numValues) override;
    AAX_Result PostPacket(AAX_CFieldIndex fieldIndex, const void* data, uint32_t size) override;
    AAX_Result SendNotification(AAX_CTypeID notificationType, const void* data, uint32_t size) override;
    AAX_Result GetCurrentMeterValue(AAX_CTypeID meterID, float* outValue) const override;
    AAX_Result GetMeterPeakValue(AAX_CTypeID meterID, float* outValue) const override;
    AAX_Result ClearMeterPeakValue(AAX_CTypeID meterID) const override;
    AAX_Result GetMeterCount(uint32_t* outMeterCount) const override;
    AAX_Result GetMeterClipped(AAX_CTypeID meterID, AAX_CBoolean* outClipped) const override;
    AAX_Result ClearMeterClipped(AAX_CTypeID meterID) const override;
    AAX_Result GetNextMIDIPacket(int32_t* outPort, AAX_CMidiPacket* outPacket) override;
    AAX_Result GetHybridSignalLatency(int32_t* outSamples) const override;
    // Without version 2 also sets the out value to 0.
    AAX_Result GetCurrentAutomationTimestamp(AAX_CTimestamp* outTimestamp) const override;
    AAX_Result GetHostName(AAX_IString* outHostName) const override;

    AAX_IACFController* GetV1() const { return m_IController.get(); }
    AAX_IACFController_V2* GetV2() const { return m_IControllerV2.get(); }

private:
    ACFPtr<AAX_IACFController> m_IController;
    ACFPtr<AAX_IACFController_V2> m_IControllerV2;
};
