// AAX_IEffectParameters: the data-model interface joined with the
// reference-counting base, so that one object is both what the host talks to
// and an object the host can count references on.
//
// The host-interface part comes first, so that the pointer handed out for
// IID_IAAXEffectParametersV1 and V2 is also this class's address: whoever
// queries an instance for either identifier may use the answer as an
// AAX_IEffectParameters* (the editor does).
//
// The operations are those of AAX_IACFEffectParameters(_V2); see there for
// the threads they are called on.
#pragma once

#include "AAX_IACFEffectParameters.h"
#include "CACFUnknown.h"

class AAX_IEffectParameters : public AAX_IACFEffectParameters_V2, public CACFUnknown {
public:
    ACF_DECLARE_STANDARD_UNKNOWN()

    // Any thread. Answers IID_IAAXEffectParametersV1 and V2 with the object
    // itself (one added reference), everything else as CACFUnknown does.
    ACFRESULT InternalQueryInterface(const acfIID& riid, void** ppvObjOut) override;

    // Objects handed to the host are destroyed only through Release.
    ~AAX_IEffectParameters() override = default;
};
