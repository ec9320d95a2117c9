// Host interface: the effect's editor object, answered for
// IID_IAAXEffectGUIV1. The host creates it through the editor factory of the
// effect description, initialises it with the instance's controller object
// and later hands it (and withdraws) a view container holding the native
// view the editor draws into.
//
// Threads: every operation is called on the host's user-interface thread;
// none may block or touch the audio thread's data. Every operation answers a
// result code (AAX_Errors.h) and never throws.
#pragma once

#include "AAX.h"
#include "AAX_IString.h"
#include "acfunknown.h"

class AAX_IACFEffectGUI : public IACFUnknown {
public:
    // hostController: the instance's controller object, which also answers
    // the instance's effect parameters. AAX_ERROR_NO_HOST_OBJECT when null.
    virtual AAX_Result Initialize(IACFUnknown* hostController) = 0;
    // Releases everything Initialize acquired.
    virtual AAX_Result Uninitialize() = 0;
    virtual AAX_Result NotificationReceived(AAX_CTypeID notificationType, const void* notificationData,
                                            uint32_t notificationDataSize) = 0;
    // A view container opens the editor inside its native view; null closes it.
    virtual AAX_Result SetViewContainer(IACFUnknown* viewContainer) = 0;
    // The editor's size in pixels (vert: height, horz: width).
    virtual AAX_Result GetViewSize(AAX_Point* viewSize) const = 0;
    // Redraws a region of the editor (top, left, width, height).
    virtual AAX_Result Draw(AAX_Rect* drawRect) = 0;
    virtual AAX_Result TimerWakeup() = 0;
    // The parameter's value changed (after the host's answer or automation).
    virtual AAX_Result ParameterUpdated(AAX_CParamID parameterID) = 0;
    virtual AAX_Result GetCustomLabel(AAX_EPlugInStrings selector, AAX_IString* label) const = 0;
    virtual AAX_Result SetControlHighlightInfo(AAX_CParamID parameterID, AAX_CBoolean isHighlighted,
                                               AAX_EHighlightColor color) = 0;

protected:
    ~AAX_IACFEffectGUI() = default;
};
