// AAX_IViewContainer: the host's view container as the editor sees it.
// User-interface thread only.
#pragma once

#include "AAX.h"

class AAX_IViewContainer {
public:
    virtual ~AAX_IViewContainer() = default;

    // An AAX_EViewContainer_Type value; 1 is a Cocoa view.
    virtual uint32_t GetType() = 0;
    // The native view the editor draws into.
    virtual void* GetPtr() = 0;
    virtual AAX_Result GetModifiers(uint32_t* outModifiers) = 0;
    virtual AAX_Result SetViewSize(AAX_Point& inSize) = 0;
    // 0 means the host took the event; any other result leaves it to the control.
    virtual AAX_Result HandleParameterMouseDown(AAX_CParamID parameterID, uint32_t modifiers) = 0;
    virtual AAX_Result HandleParameterMouseDrag(AAX_CParamID parameterID, uint32_t modifiers) = 0;
    virtual AAX_Result HandleParameterMouseUp(AAX_CParamID parameterID, uint32_t modifiers) = 0;
};
