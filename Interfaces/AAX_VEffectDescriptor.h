// AAX_VEffectDescriptor: AAX_IEffectDescriptor over an effect descriptor the
// host creates (class AAXCompID_AAXEffectDescriptor). Owns the component
// descriptors and property maps it hands out.
#pragma once

#include <set>

#include "AAX_IACFEffectDescriptor.h"
#include "AAX_IEffectDescriptor.h"
#include "ACFPtr.h"

class AAX_VComponentDescriptor;
class AAX_VPropertyMap;

class AAX_VEffectDescriptor : public AAX_IEffectDescriptor {
public:
    // Main thread. Keeps a reference to rootUnknown and creates the host object
    // through its component factory; without either it stays empty.
    explicit AAX_VEffectDescriptor(IACFUnknown* rootUnknown);
    // Deletes the owned component descriptors, then the maps, then releases
    // the host objects and the root.
    ~AAX_VEffectDescriptor() override;
    AAX_VEffectDescriptor(const AAX_VEffectDescriptor&) = delete;
    AAX_VEffectDescriptor& operator=(const AAX_VEffectDescriptor&) = delete;

    AAX_IComponentDescriptor* NewComponentDescriptor() override;
    AAX_Result AddComponent(AAX_IComponentDescriptor* componentDescriptor) override;
    AAX_Result AddName(const char* name) override;
    AAX_Result AddCategory(uint32_t category) override;
    AAX_Result AddCategoryBypassParameter(uint32_t category, AAX_CParamID parameterID) override;
    AAX_Result AddProcPtr(void* proc, AAX_CProcPtrID procID) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_Result SetProperties(AAX_IPropertyMap* properties) override;
    AAX_Result AddResourceInfo(AAX_EResourceType type, const char* info) override;
    AAX_Result AddMeterDescription(AAX_CTypeID meterID, const char* name, AAX_IPropertyMap* properties) override;
    AAX_Result AddControlMIDINode(AAX_CTypeID nodeID, AAX_EMIDINodeType nodeType, const char* nodeName,
                                  uint32_t channelMask) override;
    IACFUnknown* GetIUnknown() const override;

private:
    ACFPtr<IACFUnknown> m_UnkHost;
    ACFPtr<AAX_IACFEffectDescriptor> m_IACFEffectDescriptor;
    ACFPtr<AAX_IACFEffectDescriptor_V2> m_IACFEffectDescriptorV2;
    std::set<AAX_VComponentDescriptor*> m_ComponentDescriptors;
    std::set<AAX_VPropertyMap*> m_PropertyMaps;
};
