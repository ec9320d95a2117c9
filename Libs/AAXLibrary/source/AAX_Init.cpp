#include "AAX_Init.h"

#include "AAX_CHostServices.h"
#include "AAX_UIDs.h"
#include "AAX_VCollection.h"
#include "CACFUnknown.h"

ACFRESULT AAXGetSDKVersion(acfUInt64* outVersion) {
    if (outVersion) *outVersion = kAAX_SDKVersion;
    return ACF_OK;
}

ACFRESULT AAXStartup(IACFUnknown* unkHostVTbl) {
    AAX_CHostServices::Set(unkHostVTbl);
    return ACF_OK;
}

ACFRESULT AAXRegisterPlugin(IACFUnknown* unkHostVTbl, IACFPluginDefinition** outPluginDefinition) {
    // The wrapper owns every descriptor and map the description creates and
    // releases them, with its references to host objects, when it goes.
    AAX_VCollection collection(unkHostVTbl);
    const AAX_Result described = GetEffectDescriptions(&collection);
    if (described != AAX_SUCCESS) return described;
    if (!outPluginDefinition) return AAX_ERROR_NULL_OBJECT;

    *outPluginDefinition = nullptr;
    IACFUnknown* hostCollection = collection.GetIUnknown();
    if (!hostCollection) return AAX_ERROR_NULL_OBJECT;
    // The reference the query adds is the one the host keeps.
    const ACFRESULT queried =
        hostCollection->QueryInterface(IID_IACFPluginDefinition, reinterpret_cast<void**>(outPluginDefinition));
    if (queried != ACF_OK || !*outPluginDefinition) {
        *outPluginDefinition = nullptr;
        return AAX_ERROR_NULL_OBJECT;
    }
    return ACF_OK;
}

ACFRESULT AAXRegisterComponent(IACFUnknown*, acfUInt32, IACFComponentDefinition** outComponentDefinition) {
    if (outComponentDefinition) *outComponentDefinition = nullptr;
    return ACF_OK;
}

ACFRESULT AAXGetClassFactory(IACFUnknown*, const acfCLSID&, const acfIID&, void** outClassFactory) {
    if (outClassFactory) *outClassFactory = nullptr;
    return AAX_ERROR_UNIMPLEMENTED;
}

ACFRESULT AAXCanUnloadNow(IACFUnknown*) {
    return static_cast<ACFRESULT>(CACFUnknown::GetActiveObjectCount());
}

ACFRESULT AAXShutdown(IACFUnknown*) {
    AAX_CHostServices::Set(nullptr);
    return ACF_OK;
}
