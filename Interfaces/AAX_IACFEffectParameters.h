// Host interface: the data model of one effect instance, as the host (and
// the effect's own editor) talks to it. Version 1 holds the parameter, state
// and packet operations; version 2 adds the hybrid-rendering and MIDI-node
// operations. Answered for IID_IAAXEffectParametersV1 and
// IID_IAAXEffectParametersV2 (AAX_UIDs.h).
//
// Threads: the host calls everything here on its main thread, except that an
// editor calls the parameter operations on the user-interface thread; the
// host serialises the two. The model is never entered by two threads at
// once, and never by an audio thread that could be made to wait: a host
// without a main thread for the model (the LV2 adapter) lets its audio
// thread in only when it can take the model at once, so that thread then
// stands for the main thread and none of the model's locks is contended.
// Every operation answers a result code (AAX_Errors.h) and never throws.
#pragma once

#include <cstdint>

#include "AAX.h"
#include "AAX_IString.h"
#include "AAX_SPlugInChunk.h"
#include "acfunknown.h"

class AAX_IParameter;
struct AAX_SHybridRenderInfo;

class AAX_IACFEffectParameters : public IACFUnknown {
public:
    // ---- life cycle ----
    // hostController: the host's per-instance object (controller, automation
    // delegate, transport). Creates the parameters.
    virtual AAX_Result Initialize(IACFUnknown* hostController) = 0;
    // Deletes the parameters, then the host wrappers.
    virtual AAX_Result Uninitialize() = 0;
    virtual AAX_Result NotificationReceived(AAX_CTypeID notificationType, const void* notificationData,
                                            uint32_t notificationDataSize) = 0;

    // ---- parameter enumeration and description ----
    virtual AAX_Result GetNumberOfParameters(int32_t* numParameters) const = 0;
    virtual AAX_Result GetMasterBypassParameter(AAX_IString* parameterID) const = 0;
    virtual AAX_Result GetParameterIsAutomatable(AAX_CParamID parameterID, AAX_CBoolean* automatable) const = 0;
    virtual AAX_Result GetParameterNumberOfSteps(AAX_CParamID parameterID, int32_t* numSteps) const = 0;
    virtual AAX_Result GetParameterName(AAX_CParamID parameterID, AAX_IString* name) const = 0;
    virtual AAX_Result GetParameterNameOfLength(AAX_CParamID parameterID, AAX_IString* name,
                                                int32_t nameLength) const = 0;
    virtual AAX_Result GetParameterDefaultNormalizedValue(AAX_CParamID parameterID, double* value) const = 0;
    virtual AAX_Result SetParameterDefaultNormalizedValue(AAX_CParamID parameterID, double value) = 0;
    virtual AAX_Result GetParameterType(AAX_CParamID parameterID, AAX_EParameterType* parameterType) const = 0;
    virtual AAX_Result GetParameterOrientation(AAX_CParamID parameterID,
                                               AAX_EParameterOrientation* orientation) const = 0;
    virtual AAX_Result GetParameter(AAX_CParamID parameterID, AAX_IParameter** parameter) = 0;
    virtual AAX_Result GetParameterIndex(AAX_CParamID parameterID, int32_t* controlIndex) const = 0;
    virtual AAX_Result GetParameterIDFromIndex(int32_t controlIndex, AAX_IString* parameterID) const = 0;
    virtual AAX_Result GetParameterValueInfo(AAX_CParamID parameterID, int32_t selector, int32_t* value) const = 0;

    // ---- values and strings ----
    virtual AAX_Result GetParameterValueFromString(AAX_CParamID parameterID, double* value,
                                                   const AAX_IString& valueString) const = 0;
    virtual AAX_Result GetParameterStringFromValue(AAX_CParamID parameterID, double value,
                                                   AAX_IString* valueString, int32_t maxLength) const = 0;
    virtual AAX_Result GetParameterValueString(AAX_CParamID parameterID, AAX_IString* value,
                                               int32_t maxLength) const = 0;
    virtual AAX_Result GetParameterNormalizedValue(AAX_CParamID parameterID, double* value) const = 0;
    // A local change: becomes a set-value request to the host's automation
    // delegate, answered later through UpdateParameterNormalizedValue.
    virtual AAX_Result SetParameterNormalizedValue(AAX_CParamID parameterID, double value) = 0;
    virtual AAX_Result SetParameterNormalizedRelative(AAX_CParamID parameterID, double delta) = 0;
    virtual AAX_Result TouchParameter(AAX_CParamID parameterID) = 0;
    virtual AAX_Result ReleaseParameter(AAX_CParamID parameterID) = 0;
    virtual AAX_Result UpdateParameterTouch(AAX_CParamID parameterID, AAX_CBoolean touchState) = 0;
    // The host's answer (and host automation): stores the value and marks the
    // parameter's packets for re-sending.
    virtual AAX_Result UpdateParameterNormalizedValue(AAX_CParamID parameterID, double value,
                                                      AAX_EUpdateSource source) = 0;
    virtual AAX_Result UpdateParameterNormalizedRelative(AAX_CParamID parameterID, double delta) = 0;

    // ---- packets and algorithm fields ----
    // Main thread, before a block is processed: refills and posts the packets
    // whose parameters changed.
    virtual AAX_Result GenerateCoefficients() = 0;
    // Main thread: initialises a context field's memory (the private data).
    virtual AAX_Result ResetFieldData(AAX_CFieldIndex fieldIndex, void* data, uint32_t dataSize) const = 0;

    // ---- state chunks (the effect's one chunk, 'elck') ----
    // The chunk operations rebuild or reload the instance's chunk parser, so
    // they are not const.
    virtual AAX_Result GetNumberOfChunks(int32_t* numChunks) const = 0;
    virtual AAX_Result GetChunkIDFromIndex(int32_t index, AAX_CTypeID* chunkID) const = 0;
    virtual AAX_Result GetChunkSize(AAX_CTypeID chunkID, uint32_t* size) = 0;
    // Needs a GetChunkSize just before it and a record with room for that
    // many data bytes.
    virtual AAX_Result GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) = 0;
    virtual AAX_Result SetChunk(AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk) = 0;
    virtual AAX_Result CompareActiveChunk(const AAX_SPlugInChunk* chunk, AAX_CBoolean* isEqual) = 0;
    virtual AAX_Result GetNumberOfChanges(int32_t* numChanges) const = 0;

    // ---- the rest ----
    virtual AAX_Result TimerWakeup() = 0;
    virtual AAX_Result GetCurveData(AAX_CTypeID curveType, const float* values, uint32_t numValues,
                                    float* outValues) const = 0;
    virtual AAX_Result GetCustomData(AAX_CTypeID dataBlockID, uint32_t dataSize, void* data,
                                     uint32_t* bytesWritten) const = 0;
    virtual AAX_Result SetCustomData(AAX_CTypeID dataBlockID, uint32_t dataSize, const void* data) = 0;
    virtual AAX_Result DoMIDITransfers() = 0;

protected:
    ~AAX_IACFEffectParameters() = default;
};

class AAX_IACFEffectParameters_V2 : public AAX_IACFEffectParameters {
public:
    virtual AAX_Result RenderAudio_Hybrid(AAX_SHybridRenderInfo* renderInfo) = 0;
    virtual AAX_Result UpdateMIDINodes(AAX_CFieldIndex fieldIndex, AAX_CMidiPacket& packet) = 0;
    virtual AAX_Result UpdateControlMIDINodes(AAX_CTypeID nodeID, AAX_CMidiPacket& packet) = 0;

protected:
    ~AAX_IACFEffectParameters_V2() = default;
};
