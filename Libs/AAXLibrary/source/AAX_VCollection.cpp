#include "AAX_VCollection.h"

#include "AAX_UIDs.h"
#include "AAX_VEffectDescriptor.h"
#include "AAX_VPropertyMap.h"
#include "acfextras.h"

namespace {
constexpr AAX_Result kMissingV1 = AAX_ERROR_NULL_OBJECT;
}

AAX_VCollection::AAX_VCollection(IACFUnknown* rootUnknown) : m_UnkHost(rootUnknown) {
    ACFCreateHostComponent(rootUnknown, AAXCompID_AAXCollection, IID_IAAXCollectionV1, m_IACFCollection);
}

AAX_VCollection::~AAX_VCollection() {
    for (AAX_VEffectDescriptor* descriptor : m_EffectDescriptors) delete descriptor;
    m_EffectDescriptors.clear();
    for (AAX_VPropertyMap* map : m_PropertyMaps) delete map;
    m_PropertyMaps.clear();
    m_IACFCollection.reset();
    m_UnkHost.reset();
}

AAX_IEffectDescriptor* AAX_VCollection::NewDescriptor() {
    auto* descriptor = new AAX_VEffectDescriptor(m_UnkHost.get());
    m_EffectDescriptors.insert(descriptor);
    return descriptor;
}

AAX_Result AAX_VCollection::AddEffect(const char* effectID, AAX_IEffectDescriptor* effectDescriptor) {
    if (!m_IACFCollection || !effectDescriptor) return kMissingV1;
    return m_IACFCollection->AddEffect(effectID, effectDescriptor->GetIUnknown());
}

AAX_Result AAX_VCollection::SetManufacturerName(const char* name) {
    return m_IACFCollection ? m_IACFCollection->SetManufacturerName(name) : kMissingV1;
}

AAX_Result AAX_VCollection::AddPackageName(const char* name) {
    return m_IACFCollection ? m_IACFCollection->AddPackageName(name) : kMissingV1;
}

AAX_Result AAX_VCollection::SetPackageVersion(uint32_t version) {
    return m_IACFCollection ? m_IACFCollection->SetPackageVersion(version) : kMissingV1;
}

AAX_IPropertyMap* AAX_VCollection::NewPropertyMap() {
    auto* map = new AAX_VPropertyMap(m_UnkHost.get());
    m_PropertyMaps.insert(map);
    return map;
}

AAX_Result AAX_VCollection::SetProperties(AAX_IPropertyMap* properties) {
    if (!m_IACFCollection) return kMissingV1;
    return m_IACFCollection->SetProperties(properties ? properties->GetIUnknown() : nullptr);
}

IACFUnknown* AAX_VCollection::GetIUnknown() const { return m_IACFCollection.get(); }
