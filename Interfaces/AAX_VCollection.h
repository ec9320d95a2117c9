// AAX_VCollection: AAX_ICollection over the description collection the host
// creates (class AAXCompID_AAXCollection). Owns every effect descriptor and
// property map it hands out; destroying it tears the whole description down.
#pragma once

#include <set>

#include "AAX_IACFCollection.h"
#include "AAX_ICollection.h"
#include "ACFPtr.h"

class AAX_VEffectDescriptor;
class AAX_VPropertyMap;

class AAX_VCollection : public AAX_ICollection {
public:
    // Main thread. Keeps a reference to rootUnknown and creates the host
    // collection through its component factory; without either it stays empty.
    explicit AAX_VCollection(IACFUnknown* rootUnknown);
    // Deletes the owned effect descriptors, then the maps, then releases the
    // host collection and the root.
    ~AAX_VCollection() override;
    AAX_VCollection(const AAX_VCollection&) = delete;
    AAX_VCollection& operator=(const AAX_VCollection&) = delete;

    AAX_IEffectDescriptor* NewDescriptor() override;
    AAX_Result AddEffect(const char* effectID, AAX_IEffectDescriptor* effectDescriptor) override;
    AAX_Result SetManufacturerName(const char* name) override;
    AAX_Result AddPackageName(const char* name) override;
    AAX_Result SetPackageVersion(uint32_t version) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_Result SetProperties(AAX_IPropertyMap* properties) override;

    // The host's collection object (null without one); the module queries it
    // for IID_IACFPluginDefinition to hand the description over.
    IACFUnknown* GetIUnknown() const;

private:
    ACFPtr<IACFUnknown> m_UnkHost;
    ACFPtr<AAX_IACFCollection> m_IACFCollection;
    std::set<AAX_VEffectDescriptor*> m_EffectDescriptors;
    std::set<AAX_VPropertyMap*> m_PropertyMaps;
};
