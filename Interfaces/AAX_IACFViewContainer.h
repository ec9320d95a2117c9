// Host interface: the view container that holds the editor's native view,
// and decides whether the host takes a click on a parameter's control.
// Called on the user-interface thread only.
#pragma once

#include "AAX.h"
#include "acfunknown.h"

class AAX_IACFViewContainer : public IACFUnknown {
public:
    // An AAX_EViewContainer_Type value; 1 is a Cocoa view.
    virtual uint32_t GetType() = 0;
    virtual void* GetPtr() = 0;
    virtual AAX_Result GetModifiers(uint32_t* outModifiers) = 0;
    virtual AAX_Result SetViewSize(AAX_Point& inSize) = 0;
    // 0 (success) means the host took the event; the editor then leaves it alone.
    virtual AAX_Result HandleParameterMouseDown(AAX_CParamID parameterID, uint32_t modifiers) = 0;
    virtual AAX_Result HandleParameterMouseDrag(AAX_CParamID parameterID, uint32_t modifiers) = 0;
    virtual AAX_Result HandleParameterMouseUp(AAX_CParamID parameterID, uint32_t modifiers) = 0;

protected:
    ~AAX_IACFViewContainer() = default;
};
