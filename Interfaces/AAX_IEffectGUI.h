// AAX_IEffectGUI: the editor interface joined with the reference-counting
// base, so that one object is both what the host talks to and an object the
// host counts references on. The host-interface part comes first, so the
// pointer handed out for IID_IAAXEffectGUIV1 is also this class's address.
#pragma once

#include "AAX_IACFEffectGUI.h"
#include "CACFUnknown.h"

class AAX_IEffectGUI : public AAX_IACFEffectGUI, public CACFUnknown {
public:
    ACF_DECLARE_STANDARD_UNKNOWN()

    // Any thread. Answers IID_IAAXEffectGUIV1 with the object itself (one
    // added reference), everything else as CACFUnknown does.
    ACFRESULT InternalQueryInterface(const acfIID& riid, void** ppvObjOut) override;

    // Objects handed to the host are destroyed only through Release.
    ~AAX_IEffectGUI() override = default;
};
