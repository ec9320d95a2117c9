#include "AAX_VViewContainer.h"

#include "AAX_UIDs.h"

namespace {
// Without a container the mouse and modifier operations are not offered.
constexpr AAX_Result kMissing = AAX_ERROR_UNIMPLEMENTED;
}

AAX_VViewContainer::AAX_VViewContainer(IACFUnknown* unknown)
    : m_IViewContainer(IID_IAAXViewContainerV1, unknown) {}

AAX_VViewContainer::~AAX_VViewContainer() = default;

uint32_t AAX_VViewContainer::GetType() {
    return m_IViewContainer ? m_IViewContainer->GetType() : uint32_t(AAX_eViewContainer_Type_NULL);
}

void* AAX_VViewContainer::GetPtr() { return m_IViewContainer ? m_IViewContainer->GetPtr() : nullptr; }

AAX_Result AAX_VViewContainer::GetModifiers(uint32_t* outModifiers) {
    return m_IViewContainer ? m_IViewContainer->GetModifiers(outModifiers) : kMissing;
}

AAX_Result AAX_VViewContainer::SetViewSize(AAX_Point& inSize) {
    return m_IViewContainer ? m_IViewContainer->SetViewSize(inSize) : AAX_Result(AAX_SUCCESS);
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDown(AAX_CParamID parameterID, uint32_t modifiers) {
    return m_IViewContainer ? m_IViewContainer->HandleParameterMouseDown(parameterID, modifiers) : kMissing;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDrag(AAX_CParamID parameterID, uint32_t modifiers) {
    return m_IViewContainer ? m_IViewContainer->HandleParameterMouseDrag(parameterID, modifiers) : kMissing;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseUp(AAX_CParamID parameterID, uint32_t modifiers) {
    return m_IViewContainer ? m_IViewContainer->HandleParameterMouseUp(parameterID, modifiers) : kMissing;
}
