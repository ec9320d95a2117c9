#include "HostCollection.h"

#include <cstring>

#include "HostEffectDescriptor.h"
#include "HostPropertyMap.h"

using Log = HostCallLog;

ACFPtr<HostCollection> HostCollection::Create(HostInterfaceLevel level, HostCallLogPtr log,
                                              bool offerPluginDefinition) {
    return ACFPtr<HostCollection>(new HostCollection(level, std::move(log), offerPluginDefinition));
}

HostCollection::HostCollection(HostInterfaceLevel level, HostCallLogPtr log, bool offerPluginDefinition)
    : m_Level(level), m_Log(log ? std::move(log) : std::make_shared<HostCallLog>()),
      m_OfferPluginDefinition(offerPluginDefinition) {}

ACFRESULT HostCollection::FindInterface(const acfIID& iid, void** ppOut) {
    if (m_Level == HostInterfaceLevel::None) return ACF_E_NOINTERFACE;
    if (iid == IID_IAAXCollectionV1) return Provide(static_cast<AAX_IACFCollection*>(this), ppOut);
    if (!m_OfferPluginDefinition) return ACF_E_NOINTERFACE;
    if (iid == IID_IACFPluginDefinition) return Provide(static_cast<IACFPluginDefinition*>(this), ppOut);
    if (iid == IID_IACFDefinition)
        return Provide(static_cast<IACFDefinition*>(static_cast<IACFPluginDefinition*>(this)), ppOut);
    return ACF_E_NOINTERFACE;
}

AAX_Result HostCollection::Record(const char* operation, std::vector<std::string> arguments, AAX_Result result) {
    return m_Log->Record(m_Label, operation, std::move(arguments), result);
}

AAX_Result HostCollection::AddEffect(const char* effectID, IACFUnknown* effectDescriptor) {
    HostEffectDescriptor* effect = HostObjectCast<HostEffectDescriptor>(effectDescriptor);
    std::vector<std::string> arguments{Log::Text(effectID),
                                       effect ? effect->Label() : effectDescriptor ? "foreign effect" : "null"};
    if (!effect || !effectID) return Record("AddEffect", std::move(arguments), AAX_ERROR_NULL_OBJECT);
    RecordedEffect recorded = effect->Current();
    recorded.effectID = effectID;
    m_Description.effects.push_back(std::move(recorded));
    return Record("AddEffect", std::move(arguments), AAX_SUCCESS);
}

AAX_Result HostCollection::SetManufacturerName(const char* name) {
    if (!name) return Record("SetManufacturerName", {Log::Text(name)}, AAX_ERROR_NULL_OBJECT);
    m_Description.manufacturerName = name;
    return Record("SetManufacturerName", {Log::Text(name)}, AAX_SUCCESS);
}

AAX_Result HostCollection::AddPackageName(const char* name) {
    if (!name) return Record("AddPackageName", {Log::Text(name)}, AAX_ERROR_NULL_OBJECT);
    m_Description.packageNames.emplace_back(name);
    return Record("AddPackageName", {Log::Text(name)}, AAX_SUCCESS);
}

AAX_Result HostCollection::SetPackageVersion(uint32_t version) {
    m_Description.hasPackageVersion = true;
    m_Description.packageVersion = version;
    return Record("SetPackageVersion", {Log::Number(version)}, AAX_SUCCESS);
}

AAX_Result HostCollection::SetProperties(IACFUnknown* propertyMap) {
    m_Description.hasProperties = HostPropertyMap::ReadProperties(propertyMap, &m_Description.properties);
    return Record("SetProperties", {HostPropertyMap::LabelOf(propertyMap)}, AAX_SUCCESS);
}

ACFRESULT HostCollection::DefineAttribute(const acfUID& attributeID, acfUInt32 type, const void* data,
                                          acfUInt32 size) {
    if (!data && size > 0) return ACF_E_INVALIDARG;
    Attribute& attribute = m_Attributes[attributeID];
    attribute.type = type;
    attribute.bytes.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
    return ACF_OK;
}

ACFRESULT HostCollection::GetAttributeInfo(const acfUID& attributeID, acfUInt32* outType, acfUInt32* outSize) {
    const auto found = m_Attributes.find(attributeID);
    if (found == m_Attributes.end()) return ACF_E_INVALIDARG;
    if (outType) *outType = found->second.type;
    if (outSize) *outSize = static_cast<acfUInt32>(found->second.bytes.size());
    return ACF_OK;
}

ACFRESULT HostCollection::CopyAttribute(const acfUID& attributeID, acfUInt32 type, void* data, acfUInt32 size) {
    const auto found = m_Attributes.find(attributeID);
    if (found == m_Attributes.end() || found->second.type != type) return ACF_E_INVALIDARG;
    const std::vector<uint8_t>& bytes = found->second.bytes;
    if (bytes.size() > size || (!data && !bytes.empty())) return ACF_E_INVALIDARG;
    if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
    return ACF_OK;
}

RecordedDescription HostCollection::Description() const {
    RecordedDescription description = m_Description;
    description.calls = m_Log->Calls();
    return description;
}

bool HostCollection::Is(IACFUnknown* object) { return HostObjectCast<HostCollection>(object) == this; }
