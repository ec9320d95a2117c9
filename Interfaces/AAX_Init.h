// The host-interface library's side of module entry: one function for each
// of the module's seven exported entry points, doing the work the export
// only wraps. The effect supplies GetEffectDescriptions, which
// AAXRegisterPlugin calls to describe it.
//
// All of these run on the host's main thread (module load, registration and
// unload); none is called from the audio or user-interface thread.
#pragma once

#include "AAX.h"
#include "acfunknown.h"

class AAX_ICollection;

// The interface library's version: 2.0 in the upper 32 bits, its revision
// number in the lower 32 bits.
constexpr acfUInt64 kAAX_SDKVersion = 0x000002000061125CULL;

// Provided by the effect: fills the collection with the effect's
// description. 0 on success, otherwise the code that stops registration.
AAX_Result GetEffectDescriptions(AAX_ICollection* collection);

// Writes kAAX_SDKVersion; returns 0.
ACFRESULT AAXGetSDKVersion(acfUInt64* outVersion);
// Creates the module's one host-services wrapper over the host's root
// object (a second start-up keeps the first); returns 0.
ACFRESULT AAXStartup(IACFUnknown* unkHostVTbl);
// Describes the effect into the host's collection and hands that collection
// back as the plug-in definition (one reference, kept by the host). The
// result of GetEffectDescriptions when it fails (the out argument is then
// left as it was); -20004 when the collection is no plug-in definition.
ACFRESULT AAXRegisterPlugin(IACFUnknown* unkHostVTbl, IACFPluginDefinition** outPluginDefinition);
// The module registers no separate components: writes null, returns 0.
ACFRESULT AAXRegisterComponent(IACFUnknown* unkHostVTbl, acfUInt32 index,
                               IACFComponentDefinition** outComponentDefinition);
// The module offers no class factory: writes null, returns -20009.
ACFRESULT AAXGetClassFactory(IACFUnknown* unkHostVTbl, const acfCLSID& clsid, const acfIID& iid,
                             void** outClassFactory);
// The number of the module's reference-counted objects still alive; 0 means
// the module may be unloaded.
ACFRESULT AAXCanUnloadNow(IACFUnknown* unkHostVTbl);
// Destroys the host-services wrapper (the argument is not looked at); returns 0.
ACFRESULT AAXShutdown(IACFUnknown* unkHostVTbl);
