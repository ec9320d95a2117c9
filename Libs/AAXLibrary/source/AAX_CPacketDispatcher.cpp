#include "AAX_CPacketDispatcher.h"

#include "AAX_IController.h"

// Takes the dispatcher's lock unless this thread already holds it; releases
// it only at the outermost use.
class AAX_CPacketDispatcher::ScopedLock {
public:
    explicit ScopedLock(AAX_CMutex& mutex) : m_Mutex(mutex), m_Locked(mutex.Lock()) {}
    ~ScopedLock() {
        if (m_Locked) m_Mutex.Unlock();
    }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    AAX_CMutex& m_Mutex;
    bool m_Locked;
};

AAX_CPacketDispatcher::~AAX_CPacketDispatcher() {
    ScopedLock lock(m_Lock);
    for (auto& route : m_Handlers) delete route.second.second;
    m_Handlers.clear();
    for (auto& packet : m_Packets) delete packet.second;
    m_Packets.clear();
}

void AAX_CPacketDispatcher::Initialize(AAX_IController* controller, AAX_IEffectParameters* effectParameters) {
    m_Controller = controller;
    m_EffectParameters = effectParameters;
}

AAX_Result AAX_CPacketDispatcher::RegisterPacket(AAX_CParamID parameterID, AAX_CFieldIndex fieldIndex,
                                                 const AAX_IPacketHandler* handler) {
    ScopedLock lock(m_Lock);
    AAX_CPacket*& packet = m_Packets[fieldIndex];
    if (!packet) packet = new AAX_CPacket(fieldIndex);
    AAX_IPacketHandler* handlerClone = handler ? handler->Clone() : nullptr;
    m_Handlers.emplace(std::string(parameterID ? parameterID : ""), std::make_pair(packet, handlerClone));
    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::SetDirty(AAX_CParamID parameterID, bool dirty) {
    ScopedLock lock(m_Lock);
    if (!parameterID) return AAX_SUCCESS;
    const auto routes = m_Handlers.equal_range(parameterID);
    for (auto route = routes.first; route != routes.second; ++route) route->second.first->SetDirty(dirty);
    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::Dispatch() {
    ScopedLock lock(m_Lock);
    AAX_Result result = AAX_SUCCESS;
    for (auto& route : m_Handlers) {
        AAX_CPacket* packet = route.second.first;
        if (!packet->IsDirty()) continue;
        const AAX_IPacketHandler* handler = route.second.second;
        const AAX_Result filled = handler ? handler->Call(route.first.c_str(), *packet) : AAX_ERROR_NULL_OBJECT;
        if (filled == AAX_SUCCESS) {
            result = m_Controller ? m_Controller->PostPacket(packet->GetID(), packet->GetData(), packet->GetSize())
                                  : AAX_ERROR_NULL_OBJECT;
        }
        // A failed refill drops this dispatch's post; the packet goes out again
        // after its next change.
        packet->SetDirty(false);
    }
    return result;
}
