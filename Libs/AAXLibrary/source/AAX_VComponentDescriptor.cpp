#include "AAX_VComponentDescriptor.h"

#include "AAX_UIDs.h"
#include "AAX_VPropertyMap.h"
#include "acfextras.h"

namespace {
constexpr AAX_Result kMissingV1 = AAX_ERROR_NULL_OBJECT;
constexpr AAX_Result kMissingV2 = AAX_ERROR_UNIMPLEMENTED;

IACFUnknown* HostObjectOf(AAX_IPropertyMap* map) { return map ? map->GetIUnknown() : nullptr; }
}  // namespace

AAX_VComponentDescriptor::AAX_VComponentDescriptor(IACFUnknown* rootUnknown) : m_UnkHost(rootUnknown) {
    ACFCreateHostComponent(rootUnknown, AAXCompID_AAXComponentDescriptor, IID_IAAXComponentDescriptorV1,
                           m_IACFComponentDescriptor);
    m_IACFComponentDescriptorV2 =
        ACFPtr<AAX_IACFComponentDescriptor_V2>(IID_IAAXComponentDescriptorV2, m_IACFComponentDescriptor.get());
}

AAX_VComponentDescriptor::~AAX_VComponentDescriptor() {
    for (AAX_VPropertyMap* map : m_PropertyMaps) delete map;
    m_PropertyMaps.clear();
    m_IACFComponentDescriptorV2.reset();
    m_IACFComponentDescriptor.reset();
    m_UnkHost.reset();
}

AAX_Result AAX_VComponentDescriptor::Clear() {
    return m_IACFComponentDescriptor ? m_IACFComponentDescriptor->Clear() : kMissingV1;
}

AAX_Result AAX_VComponentDescriptor::AddAudioIn(AAX_CFieldIndex field) {
    return m_IACFComponentDescriptor ? m_IACFComponentDescriptor->AddAudioIn(field) : kMissingV1;
}

AAX_Result AAX_VComponentDescriptor::AddAudioOut(AAX_CFieldIndex field) {
    return m_IACFComponentDescriptor ? m_IACFComponentDescriptor->AddAudioOut(field) : kMissingV1;
}

AAX_Result AAX_VComponentDescriptor::AddAudioBufferLength(AAX_CFieldIndex field) {
    return m_IACFComponentDescriptor ? m_IACFComponentDescriptor->AddAudioBufferLength(field) : kMissingV1;
}

AAX_Result AAX_VComponentDescriptor::AddSampleRate(AAX_CFieldIndex field) {
    return m_IACFComponentDescriptor ? m_IACFComponentDescriptor->AddSampleRate(field) : kMissingV1;
}

AAX_Result AAX_VComponentDescriptor::AddClock(AAX_CFieldIndex field) {
    return m_IACFComponentDescriptor ? m_IACFComponentDescriptor->AddClock(field) : kMissingV1;
}

AAX_Result AAX_VComponentDescriptor::AddSideChainIn(AAX_CFieldIndex field) {
    return m_IACFComponentDescriptor ? m_IACFComponentDescriptor->AddSideChainIn(field) : kMissingV1;
}

AAX_Result AAX_VComponentDescriptor::AddDataInPort(AAX_CFieldIndex field, uint32_t packetSize,
                                                   AAX_EDataInPortType portType) {
    return m_IACFComponentDescriptor ? m_IACFComponentDescriptor->AddDataInPort(field, packetSize, portType)
                                     : kMissingV1;
}

AAX_Result AAX_VComponentDescriptor::AddAuxOutputStem(AAX_CFieldIndex field, int32_t stemFormat, const char* name) {
    return m_IACFComponentDescriptor ? m_IACFComponentDescriptor->AddAuxOutputStem(field, stemFormat, name)
                                     : kMissingV1;
}

AAX_Result AAX_VComponentDescriptor::AddPrivateData(AAX_CFieldIndex field, int32_t dataSize, uint32_t options) {
    return m_IACFComponentDescriptor ? m_IACFComponentDescriptor->AddPrivateData(field, dataSize, options)
                                     : kMissingV1;
}

AAX_Result AAX_VComponentDescriptor::AddTemporaryData(AAX_CFieldIndex field, uint32_t dataElementSize) {
    return m_IACFComponentDescriptorV2 ? m_IACFComponentDescriptorV2->AddTemporaryData(field, dataElementSize)
                                       : kMissingV2;
}

AAX_Result AAX_VComponentDescriptor::AddDmaInstance(AAX_CFieldIndex field, AAX_IDma::EMode dmaMode) {
    return m_IACFComponentDescriptor ? m_IACFComponentDescriptor->AddDmaInstance(field, dmaMode) : kMissingV1;
}

AAX_Result AAX_VComponentDescriptor::AddMeters(AAX_CFieldIndex field, const AAX_CTypeID* meterIDs,
                                               uint32_t meterCount) {
    return m_IACFComponentDescriptor ? m_IACFComponentDescriptor->AddMeters(field, meterIDs, meterCount)
                                     : kMissingV1;
}

AAX_Result AAX_VComponentDescriptor::AddMIDINode(AAX_CFieldIndex field, AAX_EMIDINodeType nodeType,
                                                 const char* nodeName, uint32_t channelMask) {
    return m_IACFComponentDescriptor ? m_IACFComponentDescriptor->AddMIDINode(field, nodeType, nodeName, channelMask)
                                     : kMissingV1;
}

AAX_Result AAX_VComponentDescriptor::AddReservedField(AAX_CFieldIndex field, uint32_t fieldType) {
    return m_IACFComponentDescriptor ? m_IACFComponentDescriptor->AddReservedField(field, fieldType) : kMissingV1;
}

AAX_IPropertyMap* AAX_VComponentDescriptor::NewPropertyMap() const {
    auto* map = new AAX_VPropertyMap(m_UnkHost.get());
    m_PropertyMaps.insert(map);
    return map;
}

AAX_IPropertyMap* AAX_VComponentDescriptor::DuplicatePropertyMap(AAX_IPropertyMap* source) const {
    AAX_IPropertyMap* copy = NewPropertyMap();
    if (!source) return copy;
    for (int32_t id = AAX_eProperty_MinProp; id < AAX_eProperty_MaxProp; ++id) {
        const auto property = static_cast<AAX_EProperty>(id);
        AAX_CPropertyValue value = 0;
        if (source->GetProperty(property, &value)) copy->AddProperty(property, value);
    }
    return copy;
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_Native(AAX_CProcessProc processProc,
                                                           AAX_IPropertyMap* properties,
                                                           AAX_CInstanceInitProc instanceInitProc,
                                                           AAX_CBackgroundProc backgroundProc,
                                                           AAX_CSelector* outProcID) {
    if (!m_IACFComponentDescriptor) return kMissingV1;
    return m_IACFComponentDescriptor->AddProcessProc_Native(processProc, HostObjectOf(properties), instanceInitProc,
                                                            backgroundProc, outProcID);
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_TI(const char* dllFileName, const char* processProcSymbol,
                                                       AAX_IPropertyMap* properties,
                                                       const char* instanceInitProcSymbol,
                                                       const char* backgroundProcSymbol, AAX_CSelector* outProcID) {
    if (!m_IACFComponentDescriptor) return kMissingV1;
    return m_IACFComponentDescriptor->AddProcessProc_TI(dllFileName, processProcSymbol, HostObjectOf(properties),
                                                        instanceInitProcSymbol, backgroundProcSymbol, outProcID);
}

IACFUnknown* AAX_VComponentDescriptor::GetIUnknown() const { return m_IACFComponentDescriptor.get(); }
