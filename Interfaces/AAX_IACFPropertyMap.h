// Host interface: a map from property id to 32-bit value (version 1) and
// to arrays of plug-in identifier triads (version 2). Main thread, within the
// registration call.
#pragma once

#include "AAX.h"
#include "acfunknown.h"

class AAX_IACFPropertyMap : public IACFUnknown {
public:
    // True and the value when the map holds the property.
    virtual AAX_CBoolean GetProperty(AAX_EProperty property, AAX_CPropertyValue* outValue) const = 0;
    // Adds the property or replaces its value.
    virtual AAX_Result AddProperty(AAX_EProperty property, AAX_CPropertyValue value) = 0;
    virtual AAX_Result RemoveProperty(AAX_EProperty property) = 0;

protected:
    ~AAX_IACFPropertyMap() = default;
};

class AAX_IACFPropertyMap_V2 : public AAX_IACFPropertyMap {
public:
    virtual AAX_Result AddPropertyWithIDArray(AAX_EProperty property, const AAX_SPlugInIdentifierTriad* pluginIDs,
                                              uint32_t numPluginIDs) = 0;
    // The array stays owned by the map and valid until the property changes.
    virtual AAX_CBoolean GetPropertyWithIDArray(AAX_EProperty property, const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                                uint32_t* outNumPluginIDs) const = 0;

protected:
    ~AAX_IACFPropertyMap_V2() = default;
};
