// The substitute host's controller of one effect instance. It reports the
// sample rate and stem formats it was created with, queues the packets the
// data model posts (a copy per packet, per context field) for the runtime to
// deliver, records the signal latency, cycle counts and notifications the
// module sets or sends, and reports a fixed host name.
//
// It is also the per-instance object the host hands the data model and the
// editor: queries for the transport, automation delegate and effect
// parameters go to the companions attached to it.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "AAX_IACFController.h"
#include "ACFPtr.h"
#include "HostAutomationDelegate.h"
#include "HostObject.h"
#include "HostTransport.h"

class HostController : public HostObject<AAX_IACFController_V2> {
public:
    static constexpr const char* kHostName = "Orvanta substitute host";

    using Packet = std::vector<uint8_t>;
    struct Notification {
        AAX_CTypeID type = 0;
        std::vector<uint8_t> data;
    };

    // Main thread.
    static ACFPtr<HostController> Create(AAX_CSampleRate sampleRate, AAX_EStemFormat inputStemFormat,
                                         AAX_EStemFormat outputStemFormat,
                                         HostInterfaceLevel level = HostInterfaceLevel::Version2);

    // ---- AAX_IACFController(_V2): main or user-interface thread ----
    AAX_Result GetEffectID(AAX_IString* outEffectID) const override;
    AAX_Result GetSampleRate(AAX_CSampleRate* outSampleRate) const override;
    AAX_Result GetInputStemFormat(AAX_EStemFormat* outStemFormat) const override;
    AAX_Result GetOutputStemFormat(AAX_EStemFormat* outStemFormat) const override;
    AAX_Result GetSignalLatency(int32_t* outSamples) const override;
    AAX_Result GetCycleCount(AAX_EProperty whichCycleCount, AAX_CPropertyValue* outValue) const override;
    AAX_Result GetTODLocation(AAX_CTimestamp* outTODLocation) const override;
    AAX_Result SetSignalLatency(int32_t numSamples) override;
    AAX_Result SetCycleCount(AAX_EProperty* whichCycleCounts, AAX_CPropertyValue* values, int32_t numValues) override;
    // Copies size bytes at data into the queue of fieldIndex.
    AAX_Result PostPacket(AAX_CFieldIndex fieldIndex, const void* data, uint32_t size) override;
    // This host has no meters and no MIDI: the meter count is 0, the meter
    // operations answer AAX_ERROR_UNIMPLEMENTED with zeroed outputs, and
    // GetNextMIDIPacket answers AAX_ERROR_UNIMPLEMENTED (no packet).
    AAX_Result GetCurrentMeterValue(AAX_CTypeID meterID, float* outValue) const override;
    AAX_Result GetMeterPeakValue(AAX_CTypeID meterID, float* outValue) const override;
    AAX_Result ClearMeterPeakValue(AAX_CTypeID meterID) const override;
    AAX_Result GetMeterCount(uint32_t* outMeterCount) const override;
    AAX_Result GetMeterClipped(AAX_CTypeID meterID, AAX_CBoolean* outClipped) const override;
    AAX_Result ClearMeterClipped(AAX_CTypeID meterID) const override;
    AAX_Result GetNextMIDIPacket(int32_t* outPort, AAX_CMidiPacket* outPacket) override;
    AAX_Result SendNotification(AAX_CTypeID notificationType, const void* data, uint32_t size) override;
    AAX_Result GetHybridSignalLatency(int32_t* outSamples) const override;
    AAX_Result GetCurrentAutomationTimestamp(AAX_CTimestamp* outTimestamp) const override;
    AAX_Result GetHostName(AAX_IString* outHostName) const override;

    // ---- companions (main thread) ----
    // Queries for their interfaces are answered by them; null detaches.
    void AttachTransport(HostTransport* transport) { m_Transport = transport; }
    void AttachAutomationDelegate(HostAutomationDelegate* delegate) { m_AutomationDelegate = delegate; }
    // The instance's data model (IID_IAAXEffectParametersV1/V2 go to it).
    // The controller holds a reference; detach it (null) after the data
    // model's Uninitialize, which ends the data model's references to this
    // controller, so that neither keeps the other alive.
    void AttachEffectParameters(IACFUnknown* effectParameters) { m_EffectParameters = effectParameters; }
    HostAutomationDelegate* AutomationDelegate() const { return m_AutomationDelegate.get(); }

    // ---- for the runtime and tests (any thread) ----
    void SetEffectID(const std::string& effectID);
    // Removes the oldest queued packet of a field; false when none is queued.
    bool TakePacket(AAX_CFieldIndex fieldIndex, Packet* outPacket);
    // Removes every queued packet of a field, oldest first.
    std::vector<Packet> TakePackets(AAX_CFieldIndex fieldIndex);
    // Removes every queued packet of a field, offering them to accept (a
    // callable taking const Packet&, returning true when it took the packet)
    // newest first until one is taken; the older ones are dropped unseen.
    // accept runs under the controller's lock and must not call back into
    // it. The queue keeps its packet buffers for the next posts, so posting
    // and taking allocate nothing once a field has held as many packets of
    // that size: a host may do both on its audio thread.
    template <class Accept>
    void TakePacketsNewestFirst(AAX_CFieldIndex fieldIndex, Accept&& accept) {
        std::lock_guard<std::mutex> lock(m_Mutex);
        const auto found = m_Packets.find(fieldIndex);
        if (found == m_Packets.end()) return;
        PacketQueue& queue = found->second;
        for (size_t i = queue.count; i-- > 0;)
            if (accept(static_cast<const Packet&>(queue.slots[i]))) break;
        queue.count = 0;
    }
    size_t PendingPackets(AAX_CFieldIndex fieldIndex) const;
    uint64_t PostedPacketCount() const { return m_PostedPackets.load(); }
    int32_t SignalLatency() const { return m_SignalLatency.load(); }
    std::vector<Notification> Notifications() const;

protected:
    ACFRESULT FindInterface(const acfIID& iid, void** ppOut) override;

private:
    HostController(AAX_CSampleRate sampleRate, AAX_EStemFormat inputStemFormat, AAX_EStemFormat outputStemFormat,
                   HostInterfaceLevel level);

    HostInterfaceLevel m_Level;
    const AAX_CSampleRate m_SampleRate;
    const AAX_EStemFormat m_InputStemFormat;
    const AAX_EStemFormat m_OutputStemFormat;

    ACFPtr<HostTransport> m_Transport;
    ACFPtr<HostAutomationDelegate> m_AutomationDelegate;
    ACFPtr<IACFUnknown> m_EffectParameters;

    std::atomic<int32_t> m_SignalLatency{0};
    std::atomic<uint64_t> m_PostedPackets{0};

    mutable std::mutex m_Mutex;  // guards everything below
    std::string m_EffectID;
    std::map<int32_t, AAX_CPropertyValue> m_CycleCounts;
    // The packets of one field: slots[0 .. count) are queued, oldest first;
    // the slots beyond keep their buffers for reuse.
    struct PacketQueue {
        std::vector<Packet> slots;
        size_t count = 0;
    };
    std::map<AAX_CFieldIndex, PacketQueue> m_Packets;
    std::vector<Notification> m_Notifications;
};
