// The entry points of the module linked into this program, for
// PluginModule::LoadLinked. Only a program that links a module in (the LV2
// adapter, tests) includes this; the host's own programs load bundles.
#pragma once

#include "acfmodule.h"
#include "host/runtime/PluginModule.h"

inline PluginModule::EntryPoints LinkedEntryPoints() {
    PluginModule::EntryPoints entry;
    entry.getSDKVersion = &ACFGetSDKVersion;
    entry.startup = &ACFStartup;
    entry.registerPlugin = &ACFRegisterPlugin;
    entry.registerComponent = &ACFRegisterComponent;
    entry.getClassFactory = &ACFGetClassFactory;
    entry.canUnloadNow = &ACFCanUnloadNow;
    entry.shutdown = &ACFShutdown;
    return entry;
}
