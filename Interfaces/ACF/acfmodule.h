// The seven entry points every component-framework module exports under
// these plain C names, with the types a host uses to call them after looking
// them up by name. The host calls them on its main thread only; each returns
// a result code and never lets an exception out.
#pragma once

#include "acfunknown.h"

#if defined(__GNUC__)
#define ACF_EXPORT __attribute__((visibility("default")))
#else
#define ACF_EXPORT
#endif

extern "C" {

// Writes the version of the interface library the module was built with.
ACF_EXPORT ACFRESULT ACFGetSDKVersion(acfUInt64* outSDKVersion);
// First call after loading: the host hands over its root object.
ACF_EXPORT ACFRESULT ACFStartup(IACFUnknown* pUnkHost);
// Describes the module's plug-in; the host keeps the definition written out.
ACF_EXPORT ACFRESULT ACFRegisterPlugin(IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition);
// Describes separately registered component number index.
ACF_EXPORT ACFRESULT ACFRegisterComponent(IACFUnknown* pUnkHost, acfUInt32 index,
                                          IACFComponentDefinition** ppComponentDefinition);
// A class factory for clsid answering iid.
ACF_EXPORT ACFRESULT ACFGetClassFactory(IACFUnknown* pUnkHost, const acfCLSID& clsid, const acfIID& iid,
                                        void** ppOut);
// 0 when nothing of the module is alive any more, else the number of live objects.
ACF_EXPORT ACFRESULT ACFCanUnloadNow(IACFUnknown* pUnkHost);
// Last call before unloading.
ACF_EXPORT ACFRESULT ACFShutdown(IACFUnknown* pUnkHost);

}  // extern "C"

typedef ACFRESULT (*ACFGetSDKVersionProc)(acfUInt64*);
typedef ACFRESULT (*ACFStartupProc)(IACFUnknown*);
typedef ACFRESULT (*ACFRegisterPluginProc)(IACFUnknown*, IACFPluginDefinition**);
typedef ACFRESULT (*ACFRegisterComponentProc)(IACFUnknown*, acfUInt32, IACFComponentDefinition**);
typedef ACFRESULT (*ACFGetClassFactoryProc)(IACFUnknown*, const acfCLSID&, const acfIID&, void**);
typedef ACFRESULT (*ACFCanUnloadNowProc)(IACFUnknown*);
typedef ACFRESULT (*ACFShutdownProc)(IACFUnknown*);

// The exported names, in the order above.
constexpr const char* kACFEntryPointNames[] = {
    "ACFGetSDKVersion", "ACFStartup", "ACFRegisterPlugin", "ACFRegisterComponent",
    "ACFGetClassFactory", "ACFCanUnloadNow", "ACFShutdown",
};
constexpr int kACFEntryPointCount = sizeof(kACFEntryPointNames) / sizeof(kACFEntryPointNames[0]);
