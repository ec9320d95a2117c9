// AAX_VPropertyMap: AAX_IPropertyMap over a property map the host creates
// (class AAXCompID_AAXPropertyMap). Missing version 1: GetProperty false, the
// others AAX_ERROR_NULL_OBJECT; missing version 2: AAX_ERROR_UNIMPLEMENTED / false.
#pragma once

#include "AAX_IACFPropertyMap.h"
#include "AAX_IPropertyMap.h"
#include "ACFPtr.h"

class AAX_VPropertyMap : public AAX_IPropertyMap {
public:
    // Main thread. Creates the host object through rootUnknown's component
    // factory; a null root, or a host without factory or class, leaves it empty.
    explicit AAX_VPropertyMap(IACFUnknown* rootUnknown);
    ~AAX_VPropertyMap() override;
    AAX_VPropertyMap(const AAX_VPropertyMap&) = delete;
    AAX_VPropertyMap& operator=(const AAX_VPropertyMap&) = delete;

    AAX_CBoolean GetProperty(AAX_EProperty property, AAX_CPropertyValue* outValue) const override;
    AAX_Result AddProperty(AAX_EProperty property, AAX_CPropertyValue value) override;
    AAX_Result RemoveProperty(AAX_EProperty property) override;
    AAX_Result AddPropertyWithIDArray(AAX_EProperty property, const AAX_SPlugInIdentifierTriad* pluginIDs,
                                      uint32_t numPluginIDs) override;
    AAX_CBoolean GetPropertyWithIDArray(AAX_EProperty property, const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                        uint32_t* outNumPluginIDs) const override;
    IACFUnknown* GetIUnknown() const override;

private:
    ACFPtr<AAX_IACFPropertyMap> m_IACFPropertyMap;
    ACFPtr<AAX_IACFPropertyMap_V2> m_IACFPropertyMapV2;
};
