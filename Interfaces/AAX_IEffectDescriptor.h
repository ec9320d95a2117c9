// AAX_IEffectDescriptor: the description of one effect as the plug-in fills
// it. Main thread, within the registration call.
#pragma once

#include "AAX.h"

class IACFUnknown;
class AAX_IComponentDescriptor;
class AAX_IPropertyMap;

class AAX_IEffectDescriptor {
public:
    virtual ~AAX_IEffectDescriptor() = default;

    // A new component descriptor owned by this descriptor.
    virtual AAX_IComponentDescriptor* NewComponentDescriptor() = 0;
    virtual AAX_Result AddComponent(AAX_IComponentDescriptor* componentDescriptor) = 0;
    virtual AAX_Result AddName(const char* name) = 0;
    virtual AAX_Result AddCategory(uint32_t category) = 0;
    virtual AAX_Result AddCategoryBypassParameter(uint32_t category, AAX_CParamID parameterID) = 0;
    virtual AAX_Result AddProcPtr(void* proc, AAX_CProcPtrID procID) = 0;
    // A new property map owned by this descriptor.
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    virtual AAX_Result SetProperties(AAX_IPropertyMap* properties) = 0;
    virtual AAX_Result AddResourceInfo(AAX_EResourceType type, const char* info) = 0;
    virtual AAX_Result AddMeterDescription(AAX_CTypeID meterID, const char* name, AAX_IPropertyMap* properties) = 0;
    virtual AAX_Result AddControlMIDINode(AAX_CTypeID nodeID, AAX_EMIDINodeType nodeType, const char* nodeName,
                                          uint32_t channelMask) = 0;
    // The host's version-1 object behind this descriptor (null without one).
    virtual IACFUnknown* GetIUnknown() const = 0;
};
