// AAX_CHostServices: the module's one host-services wrapper, alive from
// start-up to shut-down, reached through static functions.
#pragma once

#include "AAX.h"

class IACFUnknown;
class AAX_IHostServices;

class AAX_CHostServices {
public:
    // Main thread (module start-up and shut-down); takes no lock.
    // Non-null host and no wrapper yet: creates it. Null host and a wrapper:
    // destroys it. Anything else: does nothing.
    static void Set(IACFUnknown* host);
    // The current wrapper, or null outside start-up .. shut-down.
    static AAX_IHostServices* Get();

    // Any thread. Forward to the wrapper; AAX_ERROR_NULL_OBJECT without one.
    static AAX_Result HandleAssert(const char* file, int32_t line, const char* note);
    static AAX_Result Trace(int32_t priority, const char* message);
};
