// Host interface: the description collection that receives a plug-in's
// effects, maker and package data at registration. Main thread, within the
// registration call.
#pragma once

#include "AAX.h"
#include "acfunknown.h"

class AAX_IACFCollection : public IACFUnknown {
public:
    // effectDescriptor is the host's effect-descriptor object.
    virtual AAX_Result AddEffect(const char* effectID, IACFUnknown* effectDescriptor) = 0;
    virtual AAX_Result SetManufacturerName(const char* name) = 0;
    virtual AAX_Result AddPackageName(const char* name) = 0;
    virtual AAX_Result SetPackageVersion(uint32_t version) = 0;
    // propertyMap is the host's property-map object, or null.
    virtual AAX_Result SetProperties(IACFUnknown* propertyMap) = 0;

protected:
    ~AAX_IACFCollection() = default;
};
