#include "AAX_VAutomationDelegate.h"

#include "AAX_UIDs.h"

namespace {
constexpr AAX_Result kMissing = AAX_ERROR_NULL_OBJECT;
}

AAX_VAutomationDelegate::AAX_VAutomationDelegate(IACFUnknown* unknown)
    : m_IAutomationDelegate(IID_IAAXAutomationDelegateV1, unknown) {}

AAX_VAutomationDelegate::~AAX_VAutomationDelegate() = default;

AAX_Result AAX_VAutomationDelegate::RegisterParameter(AAX_CParamID parameterID) {
    return m_IAutomationDelegate ? m_IAutomationDelegate->RegisterParameter(parameterID) : kMissing;
}

AAX_Result AAX_VAutomationDelegate::UnregisterParameter(AAX_CParamID parameterID) {
    return m_IAutomationDelegate ? m_IAutomationDelegate->UnregisterParameter(parameterID) : kMissing;
}

AAX_Result AAX_VAutomationDelegate::PostSetValueRequest(AAX_CParamID parameterID, double normalizedValue) const {
    return m_IAutomationDelegate ? m_IAutomationDelegate->PostSetValueRequest(parameterID, normalizedValue)
                                 : kMissing;
}

AAX_Result AAX_VAutomationDelegate::PostCurrentValue(AAX_CParamID parameterID, double normalizedValue) const {
    return m_IAutomationDelegate ? m_IAutomationDelegate->PostCurrentValue(parameterID, normalizedValue) : kMissing;
}

AAX_Result AAX_VAutomationDelegate::PostTouchRequest(AAX_CParamID parameterID) {
    return m_IAutomationDelegate ? m_IAutomationDelegate->PostTouchRequest(parameterID) : kMissing;
}

AAX_Result AAX_VAutomationDelegate::PostReleaseRequest(AAX_CParamID parameterID) {
    return m_IAutomationDelegate ? m_IAutomationDelegate->PostReleaseRequest(parameterID) : kMissing;
}

AAX_Result AAX_VAutomationDelegate::GetTouchState(AAX_CParamID parameterID, AAX_CBoolean* outTouched) {
    return m_IAutomationDelegate ? m_IAutomationDelegate->GetTouchState(parameterID, outTouched) : kMissing;
}
