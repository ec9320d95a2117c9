// Host interface: the description of one effect (names, category,
// components, factories, resources), versions 1 and 2. Main thread, within
// the registration call.
#pragma once

#include "AAX.h"
#include "acfunknown.h"

class AAX_IACFEffectDescriptor : public IACFUnknown {
public:
    // componentDescriptor is the host's component-descriptor object; its
    // current contents are taken over at this call.
    virtual AAX_Result AddComponent(IACFUnknown* componentDescriptor) = 0;
    virtual AAX_Result AddName(const char* name) = 0;
    virtual AAX_Result AddCategory(uint32_t category) = 0;
    virtual AAX_Result AddCategoryBypassParameter(uint32_t category, AAX_CParamID parameterID) = 0;
    // proc is a factory procedure (AAX_CCreateObjectProc) registered under procID.
    virtual AAX_Result AddProcPtr(void* proc, AAX_CProcPtrID procID) = 0;
    virtual AAX_Result SetProperties(IACFUnknown* propertyMap) = 0;
    virtual AAX_Result AddResourceInfo(AAX_EResourceType type, const char* info) = 0;
    virtual AAX_Result AddMeterDescription(AAX_CTypeID meterID, const char* name, IACFUnknown* propertyMap) = 0;

protected:
    ~AAX_IACFEffectDescriptor() = default;
};

class AAX_IACFEffectDescriptor_V2 : public AAX_IACFEffectDescriptor {
public:
    virtual AAX_Result AddControlMIDINode(AAX_CTypeID nodeID, AAX_EMIDINodeType nodeType,
                                          const char* nodeName, uint32_t channelMask) = 0;

protected:
    ~AAX_IACFEffectDescriptor_V2() = default;
};
