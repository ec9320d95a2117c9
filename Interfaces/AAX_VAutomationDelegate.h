// AAX_VAutomationDelegate: AAX_IAutomationDelegate over the host's automation
// delegate (version 1 only; AAX_ERROR_NULL_OBJECT without it). Calls the host
// on the caller's thread (main or user-interface).
#pragma once

#include "AAX_IACFAutomationDelegate.h"
#include "AAX_IAutomationDelegate.h"
#include "ACFPtr.h"

class AAX_VAutomationDelegate : public AAX_IAutomationDelegate {
public:
    explicit AAX_VAutomationDelegate(IACFUnknown* unknown);
    ~AAX_VAutomationDelegate() override;

    AAX_Result RegisterParameter(AAX_CParamID parameterID) override;
    AAX_Result UnregisterParameter(AAX_CParamID parameterID) override;
    AAX_Result PostSetValueRequest(AAX_CParamID parameterID, double normalizedValue) const override;
    AAX_Result PostCurrentValue(AAX_CParamID parameterID, double normalizedValue) const override;
    AAX_Result PostTouchRequest(AAX_CParamID parameterID) override;
    AAX_Result PostReleaseRequest(AAX_CParamID parameterID) override;
    AAX_Result GetTouchState(AAX_CParamID parameterID, AAX_CBoolean* outTouched) override;

private:
    ACFPtr<AAX_IACFAutomationDelegate> m_IAutomationDelegate;
};
