// AAX_VHostServices: AAX_IHostServices over the host-services component,
// which is created through the host's component factory (version 1 only;
// AAX_ERROR_NULL_OBJECT without it). Calls the host on the caller's thread.
#pragma once

#include "AAX_IACFHostServices.h"
#include "AAX_IHostServices.h"
#include "ACFPtr.h"

class AAX_VHostServices : public AAX_IHostServices {
public:
    // Main thread. Asks unknown (the host's root object) for its component
    // factory and has it create AAXCompID_HostServices.
    explicit AAX_VHostServices(IACFUnknown* unknown);
    ~AAX_VHostServices() override;

    AAX_Result Assert(const char* file, int32_t line, const char* note) override;
    AAX_Result Trace(int32_t priority, const char* message) override;

private:
    ACFPtr<AAX_IACFHostServices> m_IHostServices;
};
