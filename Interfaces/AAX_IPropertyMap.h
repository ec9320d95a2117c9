// AAX_IPropertyMap: a description property map as the plug-in fills it.
// Main thread, within the registration call.
#pragma once

#include "AAX.h"

class IACFUnknown;

class AAX_IPropertyMap {
public:
    virtual ~AAX_IPropertyMap() = default;

    virtual AAX_CBoolean GetProperty(AAX_EProperty property, AAX_CPropertyValue* outValue) const = 0;
    virtual AAX_Result AddProperty(AAX_EProperty property, AAX_CPropertyValue value) = 0;
    virtual AAX_Result RemoveProperty(AAX_EProperty property) = 0;
    virtual AAX_Result AddPropertyWithIDArray(AAX_EProperty property, const AAX_SPlugInIdentifierTriad* pluginIDs,
                                              uint32_t numPluginIDs) = 0;
    virtual AAX_CBoolean GetPropertyWithIDArray(AAX_EProperty property, const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                                uint32_t* outNumPluginIDs) const = 0;
    // The host's version-1 object behind this map (null without one).
    virtual IACFUnknown* GetIUnknown() const = 0;
};
