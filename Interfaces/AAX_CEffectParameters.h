// AAX_CEffectParameters: the base of an effect's data model and the object
// through which the host does everything it does with parameters and state.
// Each operation finds the parameter by identifier in the parameter manager
// and forwards to it, to the chunk parser or to the packet dispatcher.
//
// An effect derives from it, overrides EffectInit to create its parameters
// and register its packets, and overrides ResetFieldData to initialise its
// algorithm's private data.
//
// Threads: every host-facing operation runs on the host's main thread, or on
// the user-interface thread when the editor calls it; the host serialises
// them. Only the packet dispatcher is locked. None of them may be called on
// the audio thread, and none throws: failures are result codes.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "AAX_CChunkDataParser.h"
#include "AAX_CPacketDispatcher.h"
#include "AAX_CParameterManager.h"
#include "AAX_IEffectParameters.h"

class AAX_IAutomationDelegate;
class AAX_IController;
class AAX_ITransport;

class AAX_CEffectParameters : public AAX_IEffectParameters {
public:
    AAX_CEffectParameters();
    ~AAX_CEffectParameters() override;

    // ---- life cycle ----
    // Wraps the host's controller, automation delegate and transport, hands
    // them to the manager and the dispatcher, runs EffectInit and keeps the
    // master-bypass parameter out of the state chunk.
    AAX_Result Initialize(IACFUnknown* hostController) override;
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived(AAX_CTypeID notificationType, const void* notificationData,
                                    uint32_t notificationDataSize) override;

    // ---- parameter enumeration and description ----
    AAX_Result GetNumberOfParameters(int32_t* numParameters) const override;
    AAX_Result GetMasterBypassParameter(AAX_IString* parameterID) const override;
    AAX_Result GetParameterIsAutomatable(AAX_CParamID parameterID, AAX_CBoolean* automatable) const override;
    AAX_Result GetParameterNumberOfSteps(AAX_CParamID parameterID, int32_t* numSteps) const override;
    AAX_Result GetParameterName(AAX_CParamID parameterID, AAX_IString* name) const override;
    AAX_Result GetParameterNameOfLength(AAX_CParamID parameterID, AAX_IString* name,
                                        int32_t nameLength) const override;
    AAX_Result GetParameterDefaultNormalizedValue(AAX_CParamID parameterID, double* value) const override;
    AAX_Result SetParameterDefaultNormalizedValue(AAX_CParamID parameterID, double value) override;
    AAX_Result GetParameterType(AAX_CParamID parameterID, AAX_EParameterType* parameterType) const override;
    AAX_Result GetParameterOrientation(AAX_CParamID parameterID,
                                       AAX_EParameterOrientation* orientation) const override;
    AAX_Result GetParameter(AAX_CParamID parameterID, AAX_IParameter** parameter) override;
    AAX_Result GetParameterIndex(AAX_CParamID parameterID, int32_t* controlIndex) const override;
    AAX_Result GetParameterIDFromIndex(int32_t controlIndex, AAX_IString* parameterID) const override;
    AAX_Result GetParameterValueInfo(AAX_CParamID parameterID, int32_t selector, int32_t* value) const override;

    // ---- values and strings ----
    AAX_Result GetParameterValueFromString(AAX_CParamID parameterID, double* value,
                                           const AAX_IString& valueString) const override;
    AAX_Result GetParameterStringFromValue(AAX_CParamID parameterID, double value, AAX_IString* valueString,
                                           int32_t maxLength) const override;
    AAX_Result GetParameterValueString(AAX_CParamID parameterID, AAX_IString* value,
                                       int32_t maxLength) const override;
    AAX_Result GetParameterNormalizedValue(AAX_CParamID parameterID, double* value) const override;
    AAX_Result SetParameterNormalizedValue(AAX_CParamID parameterID, double value) override;
    AAX_Result SetParameterNormalizedRelative(AAX_CParamID parameterID, double delta) override;
    AAX_Result TouchParameter(AAX_CParamID parameterID) override;
    AAX_Result ReleaseParameter(AAX_CParamID parameterID) override;
    AAX_Result UpdateParameterTouch(AAX_CParamID parameterID, AAX_CBoolean touchState) override;
    AAX_Result UpdateParameterNormalizedValue(AAX_CParamID parameterID, double value,
                                              AAX_EUpdateSource source) override;
    AAX_Result UpdateParameterNormalizedRelative(AAX_CParamID parameterID, double delta) override;

    // ---- packets and algorithm fields ----
    AAX_Result GenerateCoefficients() override;
    // Clears the field's memory; effects override it.
    AAX_Result ResetFieldData(AAX_CFieldIndex fieldIndex, void* data, uint32_t dataSize) const override;

    // ---- state chunk ----
    AAX_Result GetNumberOfChunks(int32_t* numChunks) const override;
    AAX_Result GetChunkIDFromIndex(int32_t index, AAX_CTypeID* chunkID) const override;
    AAX_Result GetChunkSize(AAX_CTypeID chunkID, uint32_t* size) override;
    AAX_Result GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) override;
    AAX_Result SetChunk(AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk) override;
    AAX_Result CompareActiveChunk(const AAX_SPlugInChunk* chunk, AAX_CBoolean* isEqual) override;
    AAX_Result GetNumberOfChanges(int32_t* numChanges) const override;

    // ---- the rest: not offered or nothing to do ----
    AAX_Result TimerWakeup() override;
    AAX_Result GetCurveData(AAX_CTypeID curveType, const float* values, uint32_t numValues,
                            float* outValues) const override;
    AAX_Result GetCustomData(AAX_CTypeID dataBlockID, uint32_t dataSize, void* data,
                             uint32_t* bytesWritten) const override;
    AAX_Result SetCustomData(AAX_CTypeID dataBlockID, uint32_t dataSize, const void* data) override;
    AAX_Result DoMIDITransfers() override;
    AAX_Result RenderAudio_Hybrid(AAX_SHybridRenderInfo* renderInfo) override;
    AAX_Result UpdateMIDINodes(AAX_CFieldIndex fieldIndex, AAX_CMidiPacket& packet) override;
    AAX_Result UpdateControlMIDINodes(AAX_CTypeID nodeID, AAX_CMidiPacket& packet) override;

    // ---- for the effect and its editor ----
    AAX_IController* Controller() const { return m_Controller; }
    AAX_ITransport* Transport() const { return m_Transport; }
    AAX_IAutomationDelegate* AutomationDelegate() const { return m_AutomationDelegate; }

protected:
    // Main thread, once, from Initialize: create the parameters and register
    // the packets. The base creates nothing and returns 0.
    virtual AAX_Result EffectInit();
    // Keeps a parameter out of the state chunk (a null identifier is ignored).
    void FilterParameterIDOnSave(AAX_CParamID parameterID);

    // Fills the chunk parser with every saved parameter's value.
    void BuildChunkData();

    int32_t m_NumChanges = 0;
    uint32_t m_LastChunkSize = 0;
    AAX_CChunkDataParser m_ChunkParser;
    AAX_CPacketDispatcher m_PacketDispatcher;
    AAX_CParameterManager m_ParameterManager;
    std::set<std::string> m_FilteredParameterIDs;

private:
    bool IsFilteredOnSave(AAX_CParamID parameterID) const;
    // Forgets the parameters, then the host wrappers.
    void ReleaseHostObjects();

    AAX_IController* m_Controller = nullptr;
    AAX_ITransport* m_Transport = nullptr;
    AAX_IAutomationDelegate* m_AutomationDelegate = nullptr;
};
