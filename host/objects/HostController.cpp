#include "HostController.h"

#include "AnswerThroughPointer.h"

#include <algorithm>
#include <cstddef>

#include "AAX_IString.h"

namespace {
// Meters and MIDI are not offered by this host.
constexpr AAX_Result kNotOffered = AAX_ERROR_UNIMPLEMENTED;

bool AnswersTransport(const acfIID& iid) { return iid == IID_IAAXTransportV1 || iid == IID_IAAXTransportV2; }
bool AnswersEffectParameters(const acfIID& iid) {
    return iid == IID_IAAXEffectParametersV1 || iid == IID_IAAXEffectParametersV2;
}
}  // namespace

ACFPtr<HostController> HostController::Create(AAX_CSampleRate sampleRate, AAX_EStemFormat inputStemFormat,
                                              AAX_EStemFormat outputStemFormat, HostInterfaceLevel level) {
    return ACFPtr<HostController>(new HostController(sampleRate, inputStemFormat, outputStemFormat, level));
}

HostController::HostController(AAX_CSampleRate sampleRate, AAX_EStemFormat inputStemFormat,
                               AAX_EStemFormat outputStemFormat, HostInterfaceLevel level)
    : m_Level(level), m_SampleRate(sampleRate), m_InputStemFormat(inputStemFormat),
      m_OutputStemFormat(outputStemFormat) {}

ACFRESULT HostController::FindInterface(const acfIID& iid, void** ppOut) {
    if (iid == IID_IAAXControllerV1 && m_Level != HostInterfaceLevel::None)
        return Provide(static_cast<AAX_IACFController*>(this), ppOut);
    if (iid == IID_IAAXControllerV2 && m_Level == HostInterfaceLevel::Version2)
        return Provide(static_cast<AAX_IACFController_V2*>(this), ppOut);
    if (AnswersTransport(iid) && m_Transport) return m_Transport->QueryInterface(iid, ppOut);
    if (iid == IID_IAAXAutomationDelegateV1 && m_AutomationDelegate)
        return m_AutomationDelegate->QueryInterface(iid, ppOut);
    if (AnswersEffectParameters(iid) && m_EffectParameters) return m_EffectParameters->QueryInterface(iid, ppOut);
    return ACF_E_NOINTERFACE;
}

AAX_Result HostController::GetEffectID(AAX_IString* outEffectID) const {
    if (!outEffectID) return AAX_ERROR_NULL_OBJECT;
    std::lock_guard<std::mutex> lock(m_Mutex);
    outEffectID->Set(m_EffectID.c_str());
    return AAX_SUCCESS;
}

AAX_Result HostController::GetSampleRate(AAX_CSampleRate* outSampleRate) const {
    return AnswerThroughPointers(outSampleRate, m_SampleRate);
}

AAX_Result HostController::GetInputStemFormat(AAX_EStemFormat* outStemFormat) const {
    return AnswerThroughPointers(outStemFormat, m_InputStemFormat);
}

AAX_Result HostController::GetOutputStemFormat(AAX_EStemFormat* outStemFormat) const {
    return AnswerThroughPointers(outStemFormat, m_OutputStemFormat);
}

AAX_Result HostController::GetSignalLatency(int32_t* outSamples) const {
    return AnswerThroughPointers(outSamples, m_SignalLatency.load());
}

AAX_Result HostController::GetCycleCount(AAX_EProperty whichCycleCount, AAX_CPropertyValue* outValue) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    const auto found = m_CycleCounts.find(whichCycleCount);
    return AnswerThroughPointers(outValue, found == m_CycleCounts.end() ? AAX_CPropertyValue{0} : found->second);
}

AAX_Result HostController::GetTODLocation(AAX_CTimestamp* outTODLocation) const {
    // No hardware clock behind this host: time of day is always 0.
    return AnswerThroughPointers(outTODLocation, AAX_CTimestamp{0});
}

AAX_Result HostController::SetSignalLatency(int32_t numSamples) {
    if (numSamples < 0) return AAX_ERROR_INVALID_PARAMETER_ID;
    m_SignalLatency.store(numSamples);
    return AAX_SUCCESS;
}

AAX_Result HostController::SetCycleCount(AAX_EProperty* whichCycleCounts, AAX_CPropertyValue* values,
                                         int32_t numValues) {
    if (numValues > 0 && (!whichCycleCounts || !values)) return AAX_ERROR_NULL_OBJECT;
    std::lock_guard<std::mutex> lock(m_Mutex);
    for (int32_t i = 0; i < numValues; ++i) m_CycleCounts[whichCycleCounts[i]] = values[i];
    return AAX_SUCCESS;
}

AAX_Result HostController::PostPacket(AAX_CFieldIndex fieldIndex, const void* data, uint32_t size) {
    if (!data && size > 0) return AAX_ERROR_NULL_OBJECT;
    const auto* bytes = static_cast<const uint8_t*>(data);
    std::lock_guard<std::mutex> lock(m_Mutex);
    PacketQueue& queue = m_Packets[fieldIndex];
    if (queue.count == queue.slots.size()) queue.slots.emplace_back();
    // The slot's buffer keeps its capacity from earlier posts.
    Packet& packet = queue.slots[queue.count++];
    if (size > 0)
        packet.assign(bytes, bytes + size);
    else
        packet.clear();
    m_PostedPackets.fetch_add(1);
    return AAX_SUCCESS;
}

AAX_Result HostController::GetCurrentMeterValue(AAX_CTypeID, float* outValue) const {
    if (outValue) *outValue = 0.0f;
    return kNotOffered;
}

AAX_Result HostController::GetMeterPeakValue(AAX_CTypeID, float* outValue) const {
    if (outValue) *outValue = 0.0f;
    return kNotOffered;
}

AAX_Result HostController::ClearMeterPeakValue(AAX_CTypeID) const { return kNotOffered; }

AAX_Result HostController::GetMeterCount(uint32_t* outMeterCount) const {
    return AnswerThroughPointers(outMeterCount, uint32_t{0});
}

AAX_Result HostController::GetMeterClipped(AAX_CTypeID, AAX_CBoolean* outClipped) const {
    if (outClipped) *outClipped = 0;
    return kNotOffered;
}

AAX_Result HostController::ClearMeterClipped(AAX_CTypeID) const { return kNotOffered; }

AAX_Result HostController::GetNextMIDIPacket(int32_t* outPort, AAX_CMidiPacket*) {
    if (outPort) *outPort = 0;
    return kNotOffered;
}

AAX_Result HostController::SendNotification(AAX_CTypeID notificationType, const void* data, uint32_t size) {
    if (!data && size > 0) return AAX_ERROR_NULL_OBJECT;
    Notification notification;
    notification.type = notificationType;
    if (size > 0) notification.data.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Notifications.push_back(std::move(notification));
    return AAX_SUCCESS;
}

AAX_Result HostController::GetHybridSignalLatency(int32_t* outSamples) const {
    return AnswerThroughPointers(outSamples, int32_t{0});
}

AAX_Result HostController::GetCurrentAutomationTimestamp(AAX_CTimestamp* outTimestamp) const {
    // Automation is not timestamped here: every change applies at once.
    return AnswerThroughPointers(outTimestamp, AAX_CTimestamp{0});
}

AAX_Result HostController::GetHostName(AAX_IString* outHostName) const {
    if (!outHostName) return AAX_ERROR_NULL_OBJECT;
    outHostName->Set(kHostName);
    return AAX_SUCCESS;
}

void HostController::SetEffectID(const std::string& effectID) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_EffectID = effectID;
}

bool HostController::TakePacket(AAX_CFieldIndex fieldIndex, Packet* outPacket) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    const auto found = m_Packets.find(fieldIndex);
    if (found == m_Packets.end() || found->second.count == 0) return false;
    PacketQueue& queue = found->second;
    if (outPacket) *outPacket = queue.slots.front();
    // The taken slot moves behind the queued ones, its buffer kept.
    std::rotate(queue.slots.begin(), queue.slots.begin() + 1, queue.slots.begin() + std::ptrdiff_t(queue.count));
    --queue.count;
    return true;
}

std::vector<HostController::Packet> HostController::TakePackets(AAX_CFieldIndex fieldIndex) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    std::vector<Packet> taken;
    const auto found = m_Packets.find(fieldIndex);
    if (found == m_Packets.end()) return taken;
    PacketQueue& queue = found->second;
    taken.assign(queue.slots.begin(), queue.slots.begin() + std::ptrdiff_t(queue.count));
    queue.count = 0;
    return taken;
}

size_t HostController::PendingPackets(AAX_CFieldIndex fieldIndex) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    const auto found = m_Packets.find(fieldIndex);
    return found == m_Packets.end() ? 0 : found->second.count;
}

std::vector<HostController::Notification> HostController::Notifications() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Notifications;
}
