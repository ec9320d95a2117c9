// The substitute host's property map: adds (replacing an existing id),
// removes and reads 32-bit properties (version 1) and plug-in identifier
// arrays (version 2). Every call is recorded when the map has a call log.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "AAX_IACFPropertyMap.h"
#include "ACFPtr.h"
#include "HostCallLog.h"
#include "HostObject.h"

class HostPropertyMap : public HostObject<AAX_IACFPropertyMap_V2> {
public:
    // Main thread. A new map with one reference held by the returned pointer.
    static ACFPtr<HostPropertyMap> Create(HostInterfaceLevel level = HostInterfaceLevel::Version2,
                                          HostCallLogPtr log = nullptr);

    // ---- AAX_IACFPropertyMap(_V2), main thread ----
    AAX_CBoolean GetProperty(AAX_EProperty property, AAX_CPropertyValue* outValue) const override;
    AAX_Result AddProperty(AAX_EProperty property, AAX_CPropertyValue value) override;
    AAX_Result RemoveProperty(AAX_EProperty property) override;
    AAX_Result AddPropertyWithIDArray(AAX_EProperty property, const AAX_SPlugInIdentifierTriad* pluginIDs,
                                      uint32_t numPluginIDs) override;
    AAX_CBoolean GetPropertyWithIDArray(AAX_EProperty property, const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                        uint32_t* outNumPluginIDs) const override;

    // ---- for the host ----
    const RecordedPropertySet& Properties() const { return m_Properties; }
    const std::string& Label() const { return m_Label; }

    // Reads the properties of any property-map object: this host's maps
    // directly, other implementations through GetProperty over the id range.
    // False (and an empty set) when map is null or no property map.
    static bool ReadProperties(IACFUnknown* map, RecordedPropertySet* outProperties);
    // The label of one of this host's maps, "null", or "foreign map".
    static std::string LabelOf(IACFUnknown* map);

protected:
    ACFRESULT FindInterface(const acfIID& iid, void** ppOut) override;

private:
    HostPropertyMap(HostInterfaceLevel level, HostCallLogPtr log);
    AAX_Result Record(const char* operation, std::vector<std::string> arguments, AAX_Result result) const;

    HostInterfaceLevel m_Level;
    HostCallLogPtr m_Log;
    std::string m_Label;
    RecordedPropertySet m_Properties;
    std::map<int32_t, std::vector<AAX_SPlugInIdentifierTriad>> m_IDArrays;
};
