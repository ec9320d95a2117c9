// The substitute host's component descriptor: records the context fields
// and process-procedure registrations of one algorithm component (reading
// the property map at each registration) and every call in its call log.
// Clear forgets what was declared; an effect descriptor takes a copy of the
// current declaration when the component is added to it.
#pragma once

#include <string>

#include "AAX_IACFComponentDescriptor.h"
#include "ACFPtr.h"
#include "HostCallLog.h"
#include "HostObject.h"

class HostComponentDescriptor : public HostObject<AAX_IACFComponentDescriptor_V2> {
public:
    // Main thread. A new descriptor with one reference held by the returned pointer.
    static ACFPtr<HostComponentDescriptor> Create(HostInterfaceLevel level = HostInterfaceLevel::Version2,
                                                  HostCallLogPtr log = nullptr);

    // ---- AAX_IACFComponentDescriptor(_V2), main thread ----
    AAX_Result Clear() override;
    AAX_Result AddAudioIn(AAX_CFieldIndex field) override;
    AAX_Result AddAudioOut(AAX_CFieldIndex field) override;
    AAX_Result AddAudioBufferLength(AAX_CFieldIndex field) override;
    AAX_Result AddSampleRate(AAX_CFieldIndex field) override;
    AAX_Result AddClock(AAX_CFieldIndex field) override;
    AAX_Result AddSideChainIn(AAX_CFieldIndex field) override;
    AAX_Result AddDataInPort(AAX_CFieldIndex field, uint32_t packetSize, AAX_EDataInPortType portType) override;
    AAX_Result AddAuxOutputStem(AAX_CFieldIndex field, int32_t stemFormat, const char* name) override;
    AAX_Result AddPrivateData(AAX_CFieldIndex field, int32_t dataSize, uint32_t options) override;
    AAX_Result AddDmaInstance(AAX_CFieldIndex field, AAX_IDma::EMode dmaMode) override;
    AAX_Result AddMeters(AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t meterCount) override;
    AAX_Result AddMIDINode(AAX_CFieldIndex field, AAX_EMIDINodeType nodeType, const char* nodeName,
                           uint32_t channelMask) override;
    AAX_Result AddReservedField(AAX_CFieldIndex field, uint32_t fieldType) override;
    AAX_Result AddProcessProc_Native(AAX_CProcessProc processProc, IACFUnknown* propertyMap,
                                     AAX_CInstanceInitProc instanceInitProc, AAX_CBackgroundProc backgroundProc,
                                     AAX_CSelector* outProcID) override;
    AAX_Result AddProcessProc_TI(const char* dllFileName, const char* processProcSymbol, IACFUnknown* propertyMap,
                                 const char* instanceInitProcSymbol, const char* backgroundProcSymbol,
                                 AAX_CSelector* outProcID) override;
    AAX_Result AddTemporaryData(AAX_CFieldIndex field, uint32_t dataElementSize) override;

    // ---- for the host ----
    // The declaration since the last Clear.
    const RecordedComponent& Current() const { return m_Current; }
    const std::string& Label() const { return m_Label; }

protected:
    ACFRESULT FindInterface(const acfIID& iid, void** ppOut) override;

private:
    HostComponentDescriptor(HostInterfaceLevel level, HostCallLogPtr log);
    AAX_Result Record(const char* operation, std::vector<std::string> arguments, AAX_Result result);
    // Records a field declaration; a second declaration of the same index is refused.
    AAX_Result AddField(const char* operation, RecordedField field, std::vector<std::string> arguments);
    // Reads the map, assigns the procedure id and stores the registration.
    AAX_Result AddProcessProc(RecordedProcessProc proc, IACFUnknown* propertyMap, AAX_CSelector* outProcID);
    // A map argument for the call log: its label and the contents read now.
    static std::string MapArgument(IACFUnknown* propertyMap);

    HostInterfaceLevel m_Level;
    HostCallLogPtr m_Log;
    std::string m_Label;
    RecordedComponent m_Current;
    AAX_CSelector m_LastProcID = 0;
};
