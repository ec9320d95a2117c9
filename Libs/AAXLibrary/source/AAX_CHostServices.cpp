#include "AAX_CHostServices.h"

#include "AAX_VHostServices.h"

namespace {
AAX_VHostServices* sHostServices = nullptr;
}

void AAX_CHostServices::Set(IACFUnknown* host) {
    if (!sHostServices && host) {
        sHostServices = new AAX_VHostServices(host);
    } else if (sHostServices && !host) {
        delete sHostServices;
        sHostServices = nullptr;
    }
}

AAX_IHostServices* AAX_CHostServices::Get() { return sHostServices; }

AAX_Result AAX_CHostServices::HandleAssert(const char* file, int32_t line, const char* note) {
    return sHostServices ? sHostServices->Assert(file, line, note) : AAX_Result(AAX_ERROR_NULL_OBJECT);
}

AAX_Result AAX_CHostServices::Trace(int32_t priority, const char* message) {
    return sHostServices ? sHostServices->Trace(priority, message) : AAX_Result(AAX_ERROR_NULL_OBJECT);
}
