// The substitute host's services component: assertions and traces are
// written to a stream (standard error unless the creator names another).
#pragma once

#include <iosfwd>
#include <mutex>

#include "AAX_IACFHostServices.h"
#include "ACFPtr.h"
#include "HostObject.h"

class HostServices : public HostObject<AAX_IACFHostServices> {
public:
    // Any thread. output must outlive the object; null means standard error.
    static ACFPtr<HostServices> Create(HostInterfaceLevel level = HostInterfaceLevel::Version2,
                                       std::ostream* output = nullptr);

    // ---- AAX_IACFHostServices, any thread; writes one line each ----
    AAX_Result Assert(const char* file, int32_t line, const char* note) override;
    AAX_Result Trace(int32_t priority, const char* message) override;

protected:
    ACFRESULT FindInterface(const acfIID& iid, void** ppOut) override;

private:
    HostServices(HostInterfaceLevel level, std::ostream* output);

    HostInterfaceLevel m_Level;
    std::ostream* m_Output;
    std::mutex m_OutputMutex;  // keeps lines from different threads whole
};
