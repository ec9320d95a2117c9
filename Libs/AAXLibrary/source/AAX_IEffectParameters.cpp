#include "AAX_IEffectParameters.h"

#include "AAX_UIDs.h"
#include "acfextras.h"

ACFRESULT AAX_IEffectParameters::InternalQueryInterface(const acfIID& riid, void** ppvObjOut) {
    if (!ppvObjOut) return ACF_E_INVALIDARG;
    if (riid == IID_IAAXEffectParametersV1 || riid == IID_IAAXEffectParametersV2)
        return ACFProvideInterface(static_cast<AAX_IACFEffectParameters_V2*>(this), ppvObjOut);
    return CACFUnknown::InternalQueryInterface(riid, ppvObjOut);
}
