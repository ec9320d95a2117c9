#include "HostPropertyMap.h"

using Log = HostCallLog;

ACFPtr<HostPropertyMap> HostPropertyMap::Create(HostInterfaceLevel level, HostCallLogPtr log) {
    return ACFPtr<HostPropertyMap>(new HostPropertyMap(level, std::move(log)));
}

HostPropertyMap::HostPropertyMap(HostInterfaceLevel level, HostCallLogPtr log)
    : m_Level(level), m_Log(std::move(log)), m_Label(m_Log ? m_Log->NewLabel("map") : "map") {}

ACFRESULT HostPropertyMap::FindInterface(const acfIID& iid, void** ppOut) {
    if (iid == IID_IAAXPropertyMapV1 && m_Level != HostInterfaceLevel::None)
        return Provide(static_cast<AAX_IACFPropertyMap*>(this), ppOut);
    if (iid == IID_IAAXPropertyMapV2 && m_Level == HostInterfaceLevel::Version2)
        return Provide(static_cast<AAX_IACFPropertyMap_V2*>(this), ppOut);
    return ACF_E_NOINTERFACE;
}

AAX_Result HostPropertyMap::Record(const char* operation, std::vector<std::string> arguments,
                                   AAX_Result result) const {
    return m_Log ? m_Log->Record(m_Label, operation, std::move(arguments), result) : result;
}

AAX_CBoolean HostPropertyMap::GetProperty(AAX_EProperty property, AAX_CPropertyValue* outValue) const {
    return FindProperty(m_Properties, property, outValue) ? 1 : 0;
}

AAX_Result HostPropertyMap::AddProperty(AAX_EProperty property, AAX_CPropertyValue value) {
    m_Properties[property] = value;
    return Record("AddProperty", {Log::Number(property), Log::Number(value)}, AAX_SUCCESS);
}

AAX_Result HostPropertyMap::RemoveProperty(AAX_EProperty property) {
    m_Properties.erase(property);
    return Record("RemoveProperty", {Log::Number(property)}, AAX_SUCCESS);
}

AAX_Result HostPropertyMap::AddPropertyWithIDArray(AAX_EProperty property,
                                                   const AAX_SPlugInIdentifierTriad* pluginIDs,
                                                   uint32_t numPluginIDs) {
    std::vector<std::string> arguments{Log::Number(property), Log::Pointer(pluginIDs), Log::Number(numPluginIDs)};
    if (!pluginIDs && numPluginIDs > 0) return Record("AddPropertyWithIDArray", arguments, AAX_ERROR_NULL_OBJECT);
    m_IDArrays[property].assign(pluginIDs, pluginIDs + numPluginIDs);
    return Record("AddPropertyWithIDArray", arguments, AAX_SUCCESS);
}

AAX_CBoolean HostPropertyMap::GetPropertyWithIDArray(AAX_EProperty property,
                                                     const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                                     uint32_t* outNumPluginIDs) const {
    const auto found = m_IDArrays.find(property);
    if (found == m_IDArrays.end()) return 0;
    if (outPluginIDs) *outPluginIDs = found->second.data();
    if (outNumPluginIDs) *outNumPluginIDs = static_cast<uint32_t>(found->second.size());
    return 1;
}

bool HostPropertyMap::ReadProperties(IACFUnknown* map, RecordedPropertySet* outProperties) {
    outProperties->clear();
    if (HostPropertyMap* own = HostObjectCast<HostPropertyMap>(map)) {
        *outProperties = own->m_Properties;
        return true;
    }
    ACFPtr<AAX_IACFPropertyMap> other(IID_IAAXPropertyMapV1, map);
    if (!other) return false;
    for (int32_t id = AAX_eProperty_MinProp; id < AAX_eProperty_MaxProp; ++id) {
        AAX_CPropertyValue value = 0;
        if (other->GetProperty(static_cast<AAX_EProperty>(id), &value)) (*outProperties)[id] = value;
    }
    return true;
}

std::string HostPropertyMap::LabelOf(IACFUnknown* map) {
    if (!map) return "null";
    HostPropertyMap* own = HostObjectCast<HostPropertyMap>(map);
    return own ? own->m_Label : "foreign map";
}
