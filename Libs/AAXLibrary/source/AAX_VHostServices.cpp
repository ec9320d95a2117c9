#include "AAX_VHostServices.h"

#include "AAX_UIDs.h"
#include "acfextras.h"

AAX_VHostServices::AAX_VHostServices(IACFUnknown* unknown) {
    ACFCreateHostComponent(unknown, AAXCompID_HostServices, IID_IAAXHostServicesV1, m_IHostServices);
}

AAX_VHostServices::~AAX_VHostServices() = default;

AAX_Result AAX_VHostServices::Assert(const char* file, int32_t line, const char* note) {
    if (!m_IHostServices) return AAX_ERROR_NULL_OBJECT;
    return m_IHostServices->Assert(file, line, note);
}

AAX_Result AAX_VHostServices::Trace(int32_t priority, const char* message) {
    if (!m_IHostServices) return AAX_ERROR_NULL_OBJECT;
    return m_IHostServices->Trace(priority, message);
}
