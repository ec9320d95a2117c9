// The substitute host's description collection: records the effects added
// to it (a copy of each effect descriptor at AddEffect), the maker and
// package data, and answers IID_IACFPluginDefinition, as which a module hands
// it back to the host at registration.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "AAX_IACFCollection.h"
#include "ACFPtr.h"
#include "HostCallLog.h"
#include "HostObject.h"

class HostCollection : public HostObject<AAX_IACFCollection, IACFPluginDefinition> {
public:
    // Main thread. A new collection with one reference held by the returned
    // pointer. offerPluginDefinition false makes it a collection that cannot
    // be handed back as a plug-in definition.
    static ACFPtr<HostCollection> Create(HostInterfaceLevel level = HostInterfaceLevel::Version2,
                                         HostCallLogPtr log = nullptr, bool offerPluginDefinition = true);

    // ---- AAX_IACFCollection, main thread ----
    AAX_Result AddEffect(const char* effectID, IACFUnknown* effectDescriptor) override;
    AAX_Result SetManufacturerName(const char* name) override;
    AAX_Result AddPackageName(const char* name) override;
    AAX_Result SetPackageVersion(uint32_t version) override;
    AAX_Result SetProperties(IACFUnknown* propertyMap) override;

    // ---- IACFDefinition, main thread: a store of typed attributes ----
    ACFRESULT DefineAttribute(const acfUID& attributeID, acfUInt32 type, const void* data, acfUInt32 size) override;
    ACFRESULT GetAttributeInfo(const acfUID& attributeID, acfUInt32* outType, acfUInt32* outSize) override;
    ACFRESULT CopyAttribute(const acfUID& attributeID, acfUInt32 type, void* data, acfUInt32 size) override;

    // ---- for the host ----
    // Everything recorded so far, with the call log of every description
    // object created alongside this collection.
    RecordedDescription Description() const;
    // True when object (any interface of it) is this collection.
    bool Is(IACFUnknown* object);

protected:
    ACFRESULT FindInterface(const acfIID& iid, void** ppOut) override;

private:
    HostCollection(HostInterfaceLevel level, HostCallLogPtr log, bool offerPluginDefinition);
    AAX_Result Record(const char* operation, std::vector<std::string> arguments, AAX_Result result);

    struct Attribute {
        acfUInt32 type = 0;
        std::vector<uint8_t> bytes;
    };

    HostInterfaceLevel m_Level;
    HostCallLogPtr m_Log;
    bool m_OfferPluginDefinition;
    std::string m_Label = "collection";
    RecordedDescription m_Description;
    std::map<acfUID, Attribute> m_Attributes;
};
