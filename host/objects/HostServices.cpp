#include "HostServices.h"

#include <iostream>

ACFPtr<HostServices> HostServices::Create(HostInterfaceLevel level, std::ostream* output) {
    return ACFPtr<HostServices>(new HostServices(level, output));
}

HostServices::HostServices(HostInterfaceLevel level, std::ostream* output)
    : m_Level(level), m_Output(output ? output : &std::cerr) {}

ACFRESULT HostServices::FindInterface(const acfIID& iid, void** ppOut) {
    if (iid == IID_IAAXHostServicesV1 && m_Level != HostInterfaceLevel::None)
        return Provide(static_cast<AAX_IACFHostServices*>(this), ppOut);
    return ACF_E_NOINTERFACE;
}

AAX_Result HostServices::Assert(const char* file, int32_t line, const char* note) {
    std::lock_guard<std::mutex> lock(m_OutputMutex);
    *m_Output << "orvanta host: assertion failed at " << (file ? file : "?") << ":" << line << ": "
              << (note ? note : "") << std::endl;
    return AAX_SUCCESS;
}

AAX_Result HostServices::Trace(int32_t priority, const char* message) {
    std::lock_guard<std::mutex> lock(m_OutputMutex);
    *m_Output << "orvanta host: trace (" << priority << "): " << (message ? message : "") << std::endl;
    return AAX_SUCCESS;
}
