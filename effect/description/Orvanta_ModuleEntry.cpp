// The module's seven exported entry points. Each is a thin shell over the
// interface library's function of the same role: it returns that function's
// result, and turns any exception that escapes it into ACF_E_UNEXPECTED so
// that nothing is ever thrown into the host. The host calls all of them on
// its main thread; none may be called while another is running.
#include "AAX_Init.h"
#include "Orvanta_Description.h"
#include "acfextras.h"
#include "acfmodule.h"

namespace {
// The interface library's registration calls back into the effect's
// GetEffectDescriptions. Naming it here keeps the description in every link
// that takes the entry points, whatever order the libraries come in.
[[gnu::used]] AAX_Result (*const kEffectDescriptions)(AAX_ICollection*) = &GetEffectDescriptions;
}  // namespace

extern "C" {

ACF_EXPORT ACFRESULT ACFGetSDKVersion(acfUInt64* outSDKVersion) {
    return ACFCatchAll([&] { return AAXGetSDKVersion(outSDKVersion); });
}

ACF_EXPORT ACFRESULT ACFStartup(IACFUnknown* pUnkHost) {
    return ACFCatchAll([&] { return AAXStartup(pUnkHost); });
}

ACF_EXPORT ACFRESULT ACFRegisterPlugin(IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition) {
    return ACFCatchAll([&] { return AAXRegisterPlugin(pUnkHost, ppPluginDefinition); });
}

ACF_EXPORT ACFRESULT ACFRegisterComponent(IACFUnknown* pUnkHost, acfUInt32 index,
                                          IACFComponentDefinition** ppComponentDefinition) {
    return ACFCatchAll([&] { return AAXRegisterComponent(pUnkHost, index, ppComponentDefinition); });
}

ACF_EXPORT ACFRESULT ACFGetClassFactory(IACFUnknown* pUnkHost, const acfCLSID& clsid, const acfIID& iid,
                                        void** ppOut) {
    return ACFCatchAll([&] { return AAXGetClassFactory(pUnkHost, clsid, iid, ppOut); });
}

ACF_EXPORT ACFRESULT ACFCanUnloadNow(IACFUnknown* pUnkHost) {
    return ACFCatchAll([&] { return AAXCanUnloadNow(pUnkHost); });
}

ACF_EXPORT ACFRESULT ACFShutdown(IACFUnknown* pUnkHost) {
    return ACFCatchAll([&] { return AAXShutdown(pUnkHost); });
}

}  // extern "C"
