#include "AAX_VEffectDescriptor.h"

#include "AAX_UIDs.h"
#include "AAX_VComponentDescriptor.h"
#include "AAX_VPropertyMap.h"
#include "acfextras.h"

namespace {
constexpr AAX_Result kMissingV1 = AAX_ERROR_NULL_OBJECT;
constexpr AAX_Result kMissingV2 = AAX_ERROR_UNIMPLEMENTED;

IACFUnknown* HostObjectOf(AAX_IPropertyMap* map) { return map ? map->GetIUnknown() : nullptr; }
}  // namespace

AAX_VEffectDescriptor::AAX_VEffectDescriptor(IACFUnknown* rootUnknown) : m_UnkHost(rootUnknown) {
    ACFCreateHostComponent(rootUnknown, AAXCompID_AAXEffectDescriptor, IID_IAAXEffectDescriptorV1,
                           m_IACFEffectDescriptor);
    m_IACFEffectDescriptorV2 =
        ACFPtr<AAX_IACFEffectDescriptor_V2>(IID_IAAXEffectDescriptorV2, m_IACFEffectDescriptor.get());
}

AAX_VEffectDescriptor::~AAX_VEffectDescriptor() {
    for (AAX_VComponentDescriptor* component : m_ComponentDescriptors) delete component;
    m_ComponentDescriptors.clear();
    for (AAX_VPropertyMap* map : m_PropertyMaps) delete map;
    m_PropertyMaps.clear();
    m_IACFEffectDescriptorV2.reset();
    m_IACFEffectDescriptor.reset();
    m_UnkHost.reset();
}

AAX_IComponentDescriptor* AAX_VEffectDescriptor::NewComponentDescriptor() {
    auto* component = new AAX_VComponentDescriptor(m_UnkHost.get());
    m_ComponentDescriptors.insert(component);
    return component;
}

AAX_Result AAX_VEffectDescriptor::AddComponent(AAX_IComponentDescriptor* componentDescriptor) {
    if (!m_IACFEffectDescriptor) return kMissingV1;
    return m_IACFEffectDescriptor->AddComponent(componentDescriptor ? componentDescriptor->GetIUnknown() : nullptr);
}

AAX_Result AAX_VEffectDescriptor::AddName(const char* name) {
    return m_IACFEffectDescriptor ? m_IACFEffectDescriptor->AddName(name) : kMissingV1;
}

AAX_Result AAX_VEffectDescriptor::AddCategory(uint32_t category) {
    return m_IACFEffectDescriptor ? m_IACFEffectDescriptor->AddCategory(category) : kMissingV1;
}

AAX_Result AAX_VEffectDescriptor::AddCategoryBypassParameter(uint32_t category, AAX_CParamID parameterID) {
    return m_IACFEffectDescriptor ? m_IACFEffectDescriptor->AddCategoryBypassParameter(category, parameterID)
                                  : kMissingV1;
}

AAX_Result AAX_VEffectDescriptor::AddProcPtr(void* proc, AAX_CProcPtrID procID) {
    return m_IACFEffectDescriptor ? m_IACFEffectDescriptor->AddProcPtr(proc, procID) : kMissingV1;
}

AAX_IPropertyMap* AAX_VEffectDescriptor::NewPropertyMap() {
    auto* map = new AAX_VPropertyMap(m_UnkHost.get());
    m_PropertyMaps.insert(map);
    return map;
}

AAX_Result AAX_VEffectDescriptor::SetProperties(AAX_IPropertyMap* properties) {
    return m_IACFEffectDescriptor ? m_IACFEffectDescriptor->SetProperties(HostObjectOf(properties)) : kMissingV1;
}

AAX_Result AAX_VEffectDescriptor::AddResourceInfo(AAX_EResourceType type, const char* info) {
    return m_IACFEffectDescriptor ? m_IACFEffectDescriptor->AddResourceInfo(type, info) : kMissingV1;
}

AAX_Result AAX_VEffectDescriptor::AddMeterDescription(AAX_CTypeID meterID, const char* name,
                                                      AAX_IPropertyMap* properties) {
    return m_IACFEffectDescriptor
               ? m_IACFEffectDescriptor->AddMeterDescription(meterID, name, HostObjectOf(properties))
               : kMissingV1;
}

AAX_Result AAX_VEffectDescriptor::AddControlMIDINode(AAX_CTypeID nodeID, AAX_EMIDINodeType nodeType,
                                                     const char* nodeName, uint32_t channelMask) {
    return m_IACFEffectDescriptorV2
               ? m_IACFEffectDescriptorV2->AddControlMIDINode(nodeID, nodeType, nodeName, channelMask)
               : kMissingV2;
}

IACFUnknown* AAX_VEffectDescriptor::GetIUnknown() const { return m_IACFEffectDescriptor.get(); }
