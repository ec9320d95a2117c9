// Host interface: the controller of one effect instance (sample rate, stem
// formats, latency, packet posting, meters, MIDI), versions 1 and 2.
// Slots are in the order below; version 2 extends version 1. The module calls
// it on the main thread (data model) and the user-interface thread (editor),
// never on the audio thread.
#pragma once

#include "AAX.h"
#include "AAX_IString.h"
#include "acfunknown.h"

class AAX_IACFController : public IACFUnknown {
public:
    virtual AAX_Result GetEffectID(AAX_IString* outEffectID) const = 0;
    virtual AAX_Result GetSampleRate(AAX_CSampleRate* outSampleRate) const = 0;
    virtual AAX_Result GetInputStemFormat(AAX_EStemFormat* outStemFormat) const = 0;
    virtual AAX_Result GetOutputStemFormat(AAX_EStemFormat* outStemFormat) const = 0;
    virtual AAX_Result GetSignalLatency(int32_t* outSamples) const = 0;
    virtual AAX_Result GetCycleCount(AAX_EProperty whichCycleCount, AAX_CPropertyValue* outValue) const = 0;
    virtual AAX_Result GetTODLocation(AAX_CTimestamp* outTODLocation) const = 0;
    virtual AAX_Result SetSignalLatency(int32_t numSamples) = 0;
    virtual AAX_Result SetCycleCount(AAX_EProperty* whichCycleCounts, AAX_CPropertyValue* values,
                                     int32_t numValues) = 0;
    // Queues a copy of size bytes at data for the context field fieldIndex.
    virtual AAX_Result PostPacket(AAX_CFieldIndex fieldIndex, const void* data, uint32_t size) = 0;
    virtual AAX_Result GetCurrentMeterValue(AAX_CTypeID meterID, float* outValue) const = 0;
    virtual AAX_Result GetMeterPeakValue(AAX_CTypeID meterID, float* outValue) const = 0;
    virtual AAX_Result ClearMeterPeakValue(AAX_CTypeID meterID) const = 0;
    virtual AAX_Result GetMeterCount(uint32_t* outMeterCount) const = 0;
    virtual AAX_Result GetMeterClipped(AAX_CTypeID meterID, AAX_CBoolean* outClipped) const = 0;
    virtual AAX_Result ClearMeterClipped(AAX_CTypeID meterID) const = 0;
    virtual AAX_Result GetNextMIDIPacket(int32_t* outPort, AAX_CMidiPacket* outPacket) = 0;

protected:
    ~AAX_IACFController() = default;
};

class AAX_IACFController_V2 : public AAX_IACFController {
public:
    virtual AAX_Result SendNotification(AAX_CTypeID notificationType, const void* data, uint32_t size) = 0;
    virtual AAX_Result GetHybridSignalLatency(int32_t* outSamples) const = 0;
    virtual AAX_Result GetCurrentAutomationTimestamp(AAX_CTimestamp* outTimestamp) const = 0;
    virtual AAX_Result GetHostName(AAX_IString* outHostName) const = 0;

protected:
    ~AAX_IACFController_V2() = default;
};
