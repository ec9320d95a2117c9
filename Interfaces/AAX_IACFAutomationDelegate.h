// Host interface: the automation delegate of one effect instance. The
// parameters send it registrations and touch / set-value / release requests;
// the host answers set-value requests by updating the data model. Called on
// the main thread, or on the user-interface thread when the editor changes a
// parameter; never on the audio thread.
#pragma once

#include "AAX.h"
#include "acfunknown.h"

class AAX_IACFAutomationDelegate : public IACFUnknown {
public:
    virtual AAX_Result RegisterParameter(AAX_CParamID parameterID) = 0;
    virtual AAX_Result UnregisterParameter(AAX_CParamID parameterID) = 0;
    virtual AAX_Result PostSetValueRequest(AAX_CParamID parameterID, double normalizedValue) const = 0;
    virtual AAX_Result PostCurrentValue(AAX_CParamID parameterID, double normalizedValue) const = 0;
    virtual AAX_Result PostTouchRequest(AAX_CParamID parameterID) = 0;
    virtual AAX_Result PostReleaseRequest(AAX_CParamID parameterID) = 0;
    virtual AAX_Result GetTouchState(AAX_CParamID parameterID, AAX_CBoolean* outTouched) = 0;

protected:
    ~AAX_IACFAutomationDelegate() = default;
};
