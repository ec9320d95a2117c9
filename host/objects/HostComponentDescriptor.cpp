#include "HostComponentDescriptor.h"

#include "HostPropertyMap.h"

using Log = HostCallLog;
using Kind = RecordedField::Kind;

namespace {
// A context field may be declared once per component.
constexpr AAX_Result kFieldDeclaredTwice = AAX_ERROR_INVALID_PARAMETER_ID;

RecordedField Field(Kind kind, AAX_CFieldIndex index, uint32_t size = 0, uint32_t option = 0) {
    RecordedField field;
    field.kind = kind;
    field.index = index;
    field.size = size;
    field.option = option;
    return field;
}
}  // namespace

ACFPtr<HostComponentDescriptor> HostComponentDescriptor::Create(HostInterfaceLevel level, HostCallLogPtr log) {
    return ACFPtr<HostComponentDescriptor>(new HostComponentDescriptor(level, std::move(log)));
}

HostComponentDescriptor::HostComponentDescriptor(HostInterfaceLevel level, HostCallLogPtr log)
    : m_Level(level), m_Log(std::move(log)), m_Label(m_Log ? m_Log->NewLabel("component") : "component") {}

ACFRESULT HostComponentDescriptor::FindInterface(const acfIID& iid, void** ppOut) {
    if (iid == IID_IAAXComponentDescriptorV1 && m_Level != HostInterfaceLevel::None)
        return Provide(static_cast<AAX_IACFComponentDescriptor*>(this), ppOut);
    if (iid == IID_IAAXComponentDescriptorV2 && m_Level == HostInterfaceLevel::Version2)
        return Provide(static_cast<AAX_IACFComponentDescriptor_V2*>(this), ppOut);
    return ACF_E_NOINTERFACE;
}

AAX_Result HostComponentDescriptor::Record(const char* operation, std::vector<std::string> arguments,
                                           AAX_Result result) {
    return m_Log ? m_Log->Record(m_Label, operation, std::move(arguments), result) : result;
}

AAX_Result HostComponentDescriptor::AddField(const char* operation, RecordedField field,
                                             std::vector<std::string> arguments) {
    if (m_Current.FindField(field.index)) return Record(operation, std::move(arguments), kFieldDeclaredTwice);
    m_Current.fields.push_back(std::move(field));
    return Record(operation, std::move(arguments), AAX_SUCCESS);
}

AAX_Result HostComponentDescriptor::Clear() {
    m_Current = RecordedComponent();
    return Record("Clear", {}, AAX_SUCCESS);
}

AAX_Result HostComponentDescriptor::AddAudioIn(AAX_CFieldIndex field) {
    return AddField("AddAudioIn", Field(Kind::AudioIn, field), {Log::Number(field)});
}

AAX_Result HostComponentDescriptor::AddAudioOut(AAX_CFieldIndex field) {
    return AddField("AddAudioOut", Field(Kind::AudioOut, field), {Log::Number(field)});
}

AAX_Result HostComponentDescriptor::AddAudioBufferLength(AAX_CFieldIndex field) {
    return AddField("AddAudioBufferLength", Field(Kind::AudioBufferLength, field), {Log::Number(field)});
}

AAX_Result HostComponentDescriptor::AddSampleRate(AAX_CFieldIndex field) {
    return AddField("AddSampleRate", Field(Kind::SampleRate, field), {Log::Number(field)});
}

AAX_Result HostComponentDescriptor::AddClock(AAX_CFieldIndex field) {
    return AddField("AddClock", Field(Kind::Clock, field), {Log::Number(field)});
}

AAX_Result HostComponentDescriptor::AddSideChainIn(AAX_CFieldIndex field) {
    return AddField("AddSideChainIn", Field(Kind::SideChainIn, field), {Log::Number(field)});
}

AAX_Result HostComponentDescriptor::AddDataInPort(AAX_CFieldIndex field, uint32_t packetSize,
                                                  AAX_EDataInPortType portType) {
    return AddField("AddDataInPort", Field(Kind::DataInPort, field, packetSize, portType),
                    {Log::Number(field), Log::Number(packetSize), Log::Number(portType)});
}

AAX_Result HostComponentDescriptor::AddAuxOutputStem(AAX_CFieldIndex field, int32_t stemFormat, const char* name) {
    RecordedField stem = Field(Kind::AuxOutputStem, field, 0, static_cast<uint32_t>(stemFormat));
    stem.name = name ? name : "";
    return AddField("AddAuxOutputStem", std::move(stem), {Log::Number(field), Log::Number(stemFormat), Log::Text(name)});
}

AAX_Result HostComponentDescriptor::AddPrivateData(AAX_CFieldIndex field, int32_t dataSize, uint32_t options) {
    std::vector<std::string> arguments{Log::Number(field), Log::Number(dataSize), Log::Number(options)};
    if (dataSize < 0) return Record("AddPrivateData", std::move(arguments), AAX_ERROR_INVALID_PARAMETER_ID);
    return AddField("AddPrivateData", Field(Kind::PrivateData, field, static_cast<uint32_t>(dataSize), options),
                    std::move(arguments));
}

AAX_Result HostComponentDescriptor::AddTemporaryData(AAX_CFieldIndex field, uint32_t dataElementSize) {
    return AddField("AddTemporaryData", Field(Kind::TemporaryData, field, dataElementSize),
                    {Log::Number(field), Log::Number(dataElementSize)});
}

AAX_Result HostComponentDescriptor::AddDmaInstance(AAX_CFieldIndex field, AAX_IDma::EMode dmaMode) {
    return AddField("AddDmaInstance", Field(Kind::DmaInstance, field, 0, static_cast<uint32_t>(dmaMode)),
                    {Log::Number(field), Log::Number(dmaMode)});
}

AAX_Result HostComponentDescriptor::AddMeters(AAX_CFieldIndex field, const AAX_CTypeID* meterIDs,
                                              uint32_t meterCount) {
    std::vector<std::string> arguments{Log::Number(field), Log::Pointer(meterIDs), Log::Number(meterCount)};
    if (!meterIDs && meterCount > 0) return Record("AddMeters", std::move(arguments), AAX_ERROR_NULL_OBJECT);
    RecordedField meters = Field(Kind::Meters, field, meterCount);
    if (meterIDs) meters.meterIDs.assign(meterIDs, meterIDs + meterCount);
    return AddField("AddMeters", std::move(meters), std::move(arguments));
}

AAX_Result HostComponentDescriptor::AddMIDINode(AAX_CFieldIndex field, AAX_EMIDINodeType nodeType,
                                                const char* nodeName, uint32_t channelMask) {
    RecordedField node = Field(Kind::MIDINode, field, 0, static_cast<uint32_t>(nodeType));
    node.name = nodeName ? nodeName : "";
    node.channelMask = channelMask;
    return AddField("AddMIDINode", std::move(node),
                    {Log::Number(field), Log::Number(nodeType), Log::Text(nodeName), Log::Number(channelMask)});
}

AAX_Result HostComponentDescriptor::AddReservedField(AAX_CFieldIndex field, uint32_t fieldType) {
    return AddField("AddReservedField", Field(Kind::Reserved, field, 0, fieldType),
                    {Log::Number(field), Log::Number(fieldType)});
}

AAX_Result HostComponentDescriptor::AddProcessProc(RecordedProcessProc proc, IACFUnknown* propertyMap,
                                                   AAX_CSelector* outProcID) {
    proc.hasProperties = HostPropertyMap::ReadProperties(propertyMap, &proc.properties);
    proc.procID = m_Log ? m_Log->NewProcID() : ++m_LastProcID;
    if (outProcID) *outProcID = proc.procID;
    m_Current.processProcs.push_back(std::move(proc));
    return AAX_SUCCESS;
}

std::string HostComponentDescriptor::MapArgument(IACFUnknown* propertyMap) {
    RecordedPropertySet properties;
    if (!HostPropertyMap::ReadProperties(propertyMap, &properties)) return HostPropertyMap::LabelOf(propertyMap);
    return HostPropertyMap::LabelOf(propertyMap) + " " + Log::Properties(properties);
}

AAX_Result HostComponentDescriptor::AddProcessProc_Native(AAX_CProcessProc processProc, IACFUnknown* propertyMap,
                                                          AAX_CInstanceInitProc instanceInitProc,
                                                          AAX_CBackgroundProc backgroundProc,
                                                          AAX_CSelector* outProcID) {
    std::vector<std::string> arguments{Log::Pointer(reinterpret_cast<const void*>(processProc)),
                                       MapArgument(propertyMap),
                                       Log::Pointer(reinterpret_cast<const void*>(instanceInitProc)),
                                       Log::Pointer(reinterpret_cast<const void*>(backgroundProc)),
                                       Log::Pointer(outProcID)};
    if (!processProc) return Record("AddProcessProc_Native", std::move(arguments), AAX_ERROR_NULL_OBJECT);
    RecordedProcessProc proc;
    proc.kind = RecordedProcessProc::Kind::Native;
    proc.processProc = processProc;
    proc.instanceInitProc = instanceInitProc;
    proc.backgroundProc = backgroundProc;
    return Record("AddProcessProc_Native", std::move(arguments), AddProcessProc(std::move(proc), propertyMap, outProcID));
}

AAX_Result HostComponentDescriptor::AddProcessProc_TI(const char* dllFileName, const char* processProcSymbol,
                                                      IACFUnknown* propertyMap, const char* instanceInitProcSymbol,
                                                      const char* backgroundProcSymbol, AAX_CSelector* outProcID) {
    std::vector<std::string> arguments{Log::Text(dllFileName), Log::Text(processProcSymbol),
                                       MapArgument(propertyMap), Log::Text(instanceInitProcSymbol),
                                       Log::Text(backgroundProcSymbol), Log::Pointer(outProcID)};
    if (!dllFileName || !processProcSymbol)
        return Record("AddProcessProc_TI", std::move(arguments), AAX_ERROR_NULL_OBJECT);
    RecordedProcessProc proc;
    proc.kind = RecordedProcessProc::Kind::DSP;
    proc.dllFileName = dllFileName;
    proc.processProcSymbol = processProcSymbol;
    proc.instanceInitProcSymbol = instanceInitProcSymbol ? instanceInitProcSymbol : "";
    proc.backgroundProcSymbol = backgroundProcSymbol ? backgroundProcSymbol : "";
    return Record("AddProcessProc_TI", std::move(arguments), AddProcessProc(std::move(proc), propertyMap, outProcID));
}
