#include "HostEffectDescriptor.h"

#include "HostComponentDescriptor.h"
#include "HostPropertyMap.h"

using Log = HostCallLog;

ACFPtr<HostEffectDescriptor> HostEffectDescriptor::Create(HostInterfaceLevel level, HostCallLogPtr log) {
    return ACFPtr<HostEffectDescriptor>(new HostEffectDescriptor(level, std::move(log)));
}

HostEffectDescriptor::HostEffectDescriptor(HostInterfaceLevel level, HostCallLogPtr log)
    : m_Level(level), m_Log(std::move(log)), m_Label(m_Log ? m_Log->NewLabel("effect") : "effect") {}

ACFRESULT HostEffectDescriptor::FindInterface(const acfIID& iid, void** ppOut) {
    if (iid == IID_IAAXEffectDescriptorV1 && m_Level != HostInterfaceLevel::None)
        return Provide(static_cast<AAX_IACFEffectDescriptor*>(this), ppOut);
    if (iid == IID_IAAXEffectDescriptorV2 && m_Level == HostInterfaceLevel::Version2)
        return Provide(static_cast<AAX_IACFEffectDescriptor_V2*>(this), ppOut);
    return ACF_E_NOINTERFACE;
}

AAX_Result HostEffectDescriptor::Record(const char* operation, std::vector<std::string> arguments,
                                        AAX_Result result) {
    return m_Log ? m_Log->Record(m_Label, operation, std::move(arguments), result) : result;
}

AAX_Result HostEffectDescriptor::AddComponent(IACFUnknown* componentDescriptor) {
    HostComponentDescriptor* component = HostObjectCast<HostComponentDescriptor>(componentDescriptor);
    const std::string label = component ? component->Label() : componentDescriptor ? "foreign component" : "null";
    if (!component) return Record("AddComponent", {label}, AAX_ERROR_NULL_OBJECT);
    m_Current.components.push_back(component->Current());
    return Record("AddComponent", {label}, AAX_SUCCESS);
}

AAX_Result HostEffectDescriptor::AddName(const char* name) {
    if (!name) return Record("AddName", {Log::Text(name)}, AAX_ERROR_NULL_OBJECT);
    m_Current.names.emplace_back(name);
    return Record("AddName", {Log::Text(name)}, AAX_SUCCESS);
}

AAX_Result HostEffectDescriptor::AddCategory(uint32_t category) {
    m_Current.categories.push_back(category);
    return Record("AddCategory", {Log::Number(category)}, AAX_SUCCESS);
}

AAX_Result HostEffectDescriptor::AddCategoryBypassParameter(uint32_t category, AAX_CParamID parameterID) {
    std::vector<std::string> arguments{Log::Number(category), Log::Text(parameterID)};
    if (!parameterID) return Record("AddCategoryBypassParameter", std::move(arguments), AAX_ERROR_NULL_OBJECT);
    m_Current.categoryBypassParameters.emplace_back(category, parameterID);
    return Record("AddCategoryBypassParameter", std::move(arguments), AAX_SUCCESS);
}

AAX_Result HostEffectDescriptor::AddProcPtr(void* proc, AAX_CProcPtrID procID) {
    std::vector<std::string> arguments{Log::Pointer(proc), Log::Number(procID)};
    if (!proc) return Record("AddProcPtr", std::move(arguments), AAX_ERROR_NULL_OBJECT);
    m_Current.procPtrs[procID] = proc;
    return Record("AddProcPtr", std::move(arguments), AAX_SUCCESS);
}

AAX_Result HostEffectDescriptor::SetProperties(IACFUnknown* propertyMap) {
    m_Current.hasProperties = HostPropertyMap::ReadProperties(propertyMap, &m_Current.properties);
    return Record("SetProperties", {HostPropertyMap::LabelOf(propertyMap)}, AAX_SUCCESS);
}

AAX_Result HostEffectDescriptor::AddResourceInfo(AAX_EResourceType type, const char* info) {
    std::vector<std::string> arguments{Log::Number(type), Log::Text(info)};
    if (!info) return Record("AddResourceInfo", std::move(arguments), AAX_ERROR_NULL_OBJECT);
    m_Current.resources.emplace_back(type, info);
    return Record("AddResourceInfo", std::move(arguments), AAX_SUCCESS);
}

AAX_Result HostEffectDescriptor::AddMeterDescription(AAX_CTypeID meterID, const char* name,
                                                     IACFUnknown* propertyMap) {
    std::vector<std::string> arguments{Log::Number(meterID), Log::Text(name), HostPropertyMap::LabelOf(propertyMap)};
    RecordedMeter meter;
    meter.meterID = meterID;
    meter.name = name ? name : "";
    meter.hasProperties = HostPropertyMap::ReadProperties(propertyMap, &meter.properties);
    m_Current.meters.push_back(std::move(meter));
    return Record("AddMeterDescription", std::move(arguments), AAX_SUCCESS);
}

AAX_Result HostEffectDescriptor::AddControlMIDINode(AAX_CTypeID nodeID, AAX_EMIDINodeType nodeType,
                                                    const char* nodeName, uint32_t channelMask) {
    RecordedMIDINode node;
    node.nodeID = nodeID;
    node.nodeType = nodeType;
    node.name = nodeName ? nodeName : "";
    node.channelMask = channelMask;
    m_Current.controlMIDINodes.push_back(std::move(node));
    return Record("AddControlMIDINode",
                  {Log::Number(nodeID), Log::Number(nodeType), Log::Text(nodeName), Log::Number(channelMask)},
                  AAX_SUCCESS);
}
