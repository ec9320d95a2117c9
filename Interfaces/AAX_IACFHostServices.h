// Host interface: process-wide host services (assertions and traces). Any
// thread but the audio thread (it may write and lock).
#pragma once

#include "AAX.h"
#include "acfunknown.h"

class AAX_IACFHostServices : public IACFUnknown {
public:
    virtual AAX_Result Assert(const char* file, int32_t line, const char* note) = 0;
    virtual AAX_Result Trace(int32_t priority, const char* message) = 0;

protected:
    ~AAX_IACFHostServices() = default;
};
