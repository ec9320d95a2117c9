#include "AAX_IEffectGUI.h"

#include "AAX_UIDs.h"
#include "acfextras.h"

ACFRESULT AAX_IEffectGUI::InternalQueryInterface(const acfIID& riid, void** ppvObjOut) {
    if (!ppvObjOut) return ACF_E_INVALIDARG;
    if (riid == IID_IAAXEffectGUIV1) return ACFProvideInterface(static_cast<AAX_IACFEffectGUI*>(this), ppvObjOut);
    return CACFUnknown::InternalQueryInterface(riid, ppvObjOut);
}
