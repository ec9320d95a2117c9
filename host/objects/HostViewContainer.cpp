#include "HostViewContainer.h"

#include "AnswerThroughPointer.h"

ACFPtr<HostViewContainer> HostViewContainer::Create(void* nativeView, uint32_t type, HostInterfaceLevel level) {
    return ACFPtr<HostViewContainer>(new HostViewContainer(nativeView, type, level));
}

HostViewContainer::HostViewContainer(void* nativeView, uint32_t type, HostInterfaceLevel level)
    : m_Level(level), m_NativeView(nativeView), m_Type(type) {}

ACFRESULT HostViewContainer::FindInterface(const acfIID& iid, void** ppOut) {
    if (iid == IID_IAAXViewContainerV1 && m_Level != HostInterfaceLevel::None)
        return Provide(static_cast<AAX_IACFViewContainer*>(this), ppOut);
    return ACF_E_NOINTERFACE;
}

uint32_t HostViewContainer::GetType() { return m_Type; }

void* HostViewContainer::GetPtr() { return m_NativeView; }

AAX_Result HostViewContainer::GetModifiers(uint32_t* outModifiers) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return AnswerThroughPointers(outModifiers, m_Modifiers);
}

AAX_Result HostViewContainer::SetViewSize(AAX_Point& inSize) {
    if (!(inSize.horz >= 0.0f && inSize.vert >= 0.0f)) return AAX_ERROR_INVALID_PARAMETER_ID;
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_HasRequestedSize = true;
    m_RequestedSize = inSize;
    return AAX_SUCCESS;
}

AAX_Result HostViewContainer::HandleMouse(MouseEvent::Kind kind, AAX_CParamID parameterID, uint32_t modifiers) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    const AAX_Result result = m_TakesMouseEvents && parameterID ? AAX_Result(AAX_SUCCESS) : kDeclined;
    m_MouseEvents.push_back(MouseEvent{kind, parameterID ? parameterID : "", modifiers, result});
    return result;
}

AAX_Result HostViewContainer::HandleParameterMouseDown(AAX_CParamID parameterID, uint32_t modifiers) {
    return HandleMouse(MouseEvent::Kind::Down, parameterID, modifiers);
}

AAX_Result HostViewContainer::HandleParameterMouseDrag(AAX_CParamID parameterID, uint32_t modifiers) {
    return HandleMouse(MouseEvent::Kind::Drag, parameterID, modifiers);
}

AAX_Result HostViewContainer::HandleParameterMouseUp(AAX_CParamID parameterID, uint32_t modifiers) {
    return HandleMouse(MouseEvent::Kind::Up, parameterID, modifiers);
}

void HostViewContainer::SetTakesMouseEvents(bool takes) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_TakesMouseEvents = takes;
}

void HostViewContainer::SetModifiers(uint32_t modifiers) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Modifiers = modifiers;
}

bool HostViewContainer::RequestedSize(AAX_Point* outSize) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (m_HasRequestedSize && outSize) *outSize = m_RequestedSize;
    return m_HasRequestedSize;
}

std::vector<HostViewContainer::MouseEvent> HostViewContainer::MouseEvents() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_MouseEvents;
}
