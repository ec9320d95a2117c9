#include "AAX_VPropertyMap.h"

#include "AAX_UIDs.h"
#include "acfextras.h"

AAX_VPropertyMap::AAX_VPropertyMap(IACFUnknown* rootUnknown) {
    ACFCreateHostComponent(rootUnknown, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1, m_IACFPropertyMap);
    m_IACFPropertyMapV2 = ACFPtr<AAX_IACFPropertyMap_V2>(IID_IAAXPropertyMapV2, m_IACFPropertyMap.get());
}

AAX_VPropertyMap::~AAX_VPropertyMap() {
    m_IACFPropertyMapV2.reset();
    m_IACFPropertyMap.reset();
}

AAX_CBoolean AAX_VPropertyMap::GetProperty(AAX_EProperty property, AAX_CPropertyValue* outValue) const {
    return m_IACFPropertyMap ? m_IACFPropertyMap->GetProperty(property, outValue) : AAX_CBoolean(false);
}

AAX_Result AAX_VPropertyMap::AddProperty(AAX_EProperty property, AAX_CPropertyValue value) {
    return m_IACFPropertyMap ? m_IACFPropertyMap->AddProperty(property, value) : AAX_Result(AAX_ERROR_NULL_OBJECT);
}

AAX_Result AAX_VPropertyMap::RemoveProperty(AAX_EProperty property) {
    return m_IACFPropertyMap ? m_IACFPropertyMap->RemoveProperty(property) : AAX_Result(AAX_ERROR_NULL_OBJECT);
}

AAX_Result AAX_VPropertyMap::AddPropertyWithIDArray(AAX_EProperty property,
                                                    const AAX_SPlugInIdentifierTriad* pluginIDs,
                                                    uint32_t numPluginIDs) {
    return m_IACFPropertyMapV2 ? m_IACFPropertyMapV2->AddPropertyWithIDArray(property, pluginIDs, numPluginIDs)
                               : AAX_Result(AAX_ERROR_UNIMPLEMENTED);
}

AAX_CBoolean AAX_VPropertyMap::GetPropertyWithIDArray(AAX_EProperty property,
                                                      const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                                      uint32_t* outNumPluginIDs) const {
    return m_IACFPropertyMapV2 ? m_IACFPropertyMapV2->GetPropertyWithIDArray(property, outPluginIDs, outNumPluginIDs)
                               : AAX_CBoolean(false);
}

IACFUnknown* AAX_VPropertyMap::GetIUnknown() const { return m_IACFPropertyMap.get(); }
