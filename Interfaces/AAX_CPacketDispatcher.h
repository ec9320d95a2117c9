// Packet dispatch: the road from parameter changes to the algorithm context.
//
// The dispatcher keeps one packet per algorithm-context field and knows which
// parameters feed which packet. A parameter update marks its packets dirty;
// when the host asks for coefficients, each dirty packet is refilled by its
// handler and posted to the host, which copies it into the context field
// before the next process call. A packet shared by several parameters has one
// dirty flag, so it is refilled and posted at most once per dispatch however
// many of them changed.
//
// Threads: the thread that holds the data model, normally the host's main
// thread (registration during EffectInit, SetDirty from parameter updates,
// Dispatch from GenerateCoefficients; see AAX_IACFEffectParameters.h for the
// LV2 adapter's audio thread, which holds the model only when no other
// thread does). Every operation holds the dispatcher's lock; a thread
// already holding it is not blocked again, so a handler may call back in.
// The process callbacks never call it: they read only what the host
// delivered.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "AAX.h"
#include "AAX_CMutex.h"

class AAX_IController;
class AAX_IEffectParameters;

// One record posted to one context field.
class AAX_CPacket {
public:
    // The packet's byte buffer.
    class SPacketData {
    public:
        SPacketData() : m_Data(8, 0) {}
        // Resizes the buffer to size bytes (added bytes are zero) and returns
        // its first byte.
        void* Get(uint32_t size) {
            m_Data.resize(size);
            return m_Data.data();
        }
        const void* Get() const { return m_Data.data(); }

    private:
        std::vector<uint8_t> m_Data;
    };

    explicit AAX_CPacket(AAX_CFieldIndex fieldIndex) : m_FieldIndex(fieldIndex) {}

    AAX_CFieldIndex GetID() const { return m_FieldIndex; }
    bool IsDirty() const { return m_Dirty; }
    void SetDirty(bool dirty) { m_Dirty = dirty; }
    uint32_t GetSize() const { return m_DataSize; }
    // Handlers set the size of their record, then fill GetPtr<T>().
    void SetSize(uint32_t size) { m_DataSize = size; }
    template <typename T>
    T* GetPtr() { return static_cast<T*>(m_PacketData.Get(m_DataSize)); }
    const void* GetData() const { return m_PacketData.Get(); }

private:
    AAX_CFieldIndex m_FieldIndex;
    bool m_Dirty = true;
    uint32_t m_DataSize = 0;
    SPacketData m_PacketData;
};

// Refills a packet. The dispatcher keeps its own clone of each handler.
class AAX_IPacketHandler {
public:
    virtual ~AAX_IPacketHandler() = default;
    virtual AAX_IPacketHandler* Clone() const = 0;
    // Main thread, under the dispatcher's lock. 0 lets the packet be posted.
    virtual AAX_Result Call(AAX_CParamID parameterID, AAX_CPacket& packet) const = 0;
};

// A handler that calls a member function of a target object (not owned):
// either one taking the identifier and the packet, or one taking the packet.
template <class TWorker>
class AAX_CPacketHandler : public AAX_IPacketHandler {
public:
    typedef AAX_Result (TWorker::*PacketOnlyHandler)(AAX_CPacket&);
    typedef AAX_Result (TWorker::*IdentifierAndPacketHandler)(AAX_CParamID, AAX_CPacket&);

    AAX_CPacketHandler(TWorker* worker, PacketOnlyHandler packetOnly)
        : m_Worker(worker), m_PacketOnly(packetOnly) {}
    AAX_CPacketHandler(TWorker* worker, IdentifierAndPacketHandler identifierAndPacket)
        : m_Worker(worker), m_IdentifierAndPacket(identifierAndPacket) {}

    AAX_CPacketHandler* Clone() const override { return new AAX_CPacketHandler(*this); }

    // The identifier-and-packet handler if set, else the packet-only one,
    // else -20004.
    AAX_Result Call(AAX_CParamID parameterID, AAX_CPacket& packet) const override {
        if (m_IdentifierAndPacket) return (m_Worker->*m_IdentifierAndPacket)(parameterID, packet);
        if (m_PacketOnly) return (m_Worker->*m_PacketOnly)(packet);
        return AAX_ERROR_NULL_OBJECT;
    }

private:
    TWorker* m_Worker;
    PacketOnlyHandler m_PacketOnly = nullptr;
    IdentifierAndPacketHandler m_IdentifierAndPacket = nullptr;
};

class AAX_CPacketDispatcher {
public:
    AAX_CPacketDispatcher() = default;
    AAX_CPacketDispatcher(const AAX_CPacketDispatcher&) = delete;
    AAX_CPacketDispatcher& operator=(const AAX_CPacketDispatcher&) = delete;
    ~AAX_CPacketDispatcher();

    // Where packets are posted, and the owning data model (kept, not used).
    void Initialize(AAX_IController* controller, AAX_IEffectParameters* effectParameters);

    // Routes the parameter to the field's packet (created on first use) with
    // a clone of the handler. Returns 0.
    AAX_Result RegisterPacket(AAX_CParamID parameterID, AAX_CFieldIndex fieldIndex,
                              const AAX_IPacketHandler* handler);

    template <class TWorker>
    AAX_Result RegisterPacket(AAX_CParamID parameterID, AAX_CFieldIndex fieldIndex, TWorker* worker,
                              AAX_Result (TWorker::*handler)(AAX_CPacket&)) {
        const AAX_CPacketHandler<TWorker> packetHandler(worker, handler);
        return RegisterPacket(parameterID, fieldIndex, &packetHandler);
    }

    // Marks every packet the parameter feeds. Returns 0.
    AAX_Result SetDirty(AAX_CParamID parameterID, bool dirty);

    // Refills and posts every dirty packet, visiting the routes in ascending
    // byte order of their identifiers. Returns the result of the last post,
    // or 0 when nothing was posted.
    AAX_Result Dispatch();

    // Number of packets (one per registered field).
    size_t NumPackets() const { return m_Packets.size(); }

private:
    // Holds the lock for a scope, when this thread did not already hold it.
    class ScopedLock;

    std::map<AAX_CFieldIndex, AAX_CPacket*> m_Packets;
    std::multimap<std::string, std::pair<AAX_CPacket*, AAX_IPacketHandler*>> m_Handlers;
    AAX_IController* m_Controller = nullptr;
    AAX_IEffectParameters* m_EffectParameters = nullptr;
    mutable AAX_CMutex m_Lock;
};
