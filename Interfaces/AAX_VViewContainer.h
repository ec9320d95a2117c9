// AAX_VViewContainer: AAX_IViewContainer over the host's view container
// (version 1 only). Without it: type 0, null view, SetViewSize 0, the other
// operations AAX_ERROR_UNIMPLEMENTED. User-interface thread only.
#pragma once

#include "AAX_IACFViewContainer.h"
#include "AAX_IViewContainer.h"
#include "ACFPtr.h"

class AAX_VViewContainer : public AAX_IViewContainer {
public:
    explicit AAX_VViewContainer(IACFUnknown* unknown);
    ~AAX_VViewContainer() override;

    uint32_t GetType() override;
    void* GetPtr() override;
    AAX_Result GetModifiers(uint32_t* outModifiers) override;
    AAX_Result SetViewSize(AAX_Point& inSize) override;
    AAX_Result HandleParameterMouseDown(AAX_CParamID parameterID, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseDrag(AAX_CParamID parameterID, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseUp(AAX_CParamID parameterID, uint32_t modifiers) override;

private:
    ACFPtr<AAX_IACFViewContainer> m_IViewContainer;
};
