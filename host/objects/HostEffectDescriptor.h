// The substitute host's effect descriptor: records names, categories,
// procedure pointers, resources, meters, MIDI nodes and, at each
// AddComponent, a copy of the component's declaration.
#pragma once

#include <string>

#include "AAX_IACFEffectDescriptor.h"
#include "ACFPtr.h"
#include "HostCallLog.h"
#include "HostObject.h"

class HostEffectDescriptor : public HostObject<AAX_IACFEffectDescriptor_V2> {
public:
    // Main thread. A new descriptor with one reference held by the returned pointer.
    static ACFPtr<HostEffectDescriptor> Create(HostInterfaceLevel level = HostInterfaceLevel::Version2,
                                               HostCallLogPtr log = nullptr);

    // ---- AAX_IACFEffectDescriptor(_V2), main thread ----
    AAX_Result AddComponent(IACFUnknown* componentDescriptor) override;
    AAX_Result AddName(const char* name) override;
    AAX_Result AddCategory(uint32_t category) override;
    AAX_Result AddCategoryBypassParameter(uint32_t category, AAX_CParamID parameterID) override;
    AAX_Result AddProcPtr(void* proc, AAX_CProcPtrID procID) override;
    AAX_Result SetProperties(IACFUnknown* propertyMap) override;
    AAX_Result AddResourceInfo(AAX_EResourceType type, const char* info) override;
    AAX_Result AddMeterDescription(AAX_CTypeID meterID, const char* name, IACFUnknown* propertyMap) override;
    AAX_Result AddControlMIDINode(AAX_CTypeID nodeID, AAX_EMIDINodeType nodeType, const char* nodeName,
                                  uint32_t channelMask) override;

    // ---- for the host ----
    // The effect as described so far (without its identifier, which the
    // collection sets when the effect is added).
    const RecordedEffect& Current() const { return m_Current; }
    const std::string& Label() const { return m_Label; }

protected:
    ACFRESULT FindInterface(const acfIID& iid, void** ppOut) override;

private:
    HostEffectDescriptor(HostInterfaceLevel level, HostCallLogPtr log);
    AAX_Result Record(const char* operation, std::vector<std::string> arguments, AAX_Result result);

    HostInterfaceLevel m_Level;
    HostCallLogPtr m_Log;
    std::string m_Label;
    RecordedEffect m_Current;
};
