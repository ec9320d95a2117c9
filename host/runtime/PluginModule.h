// PluginModule: the substitute host's hold on one plug-in module, loaded the
// way a host loads it. Loading looks up the seven entry points, checks the
// interface-library version, starts the module with the host's root object
// and has it register, then keeps the description the module recorded in
// the host's collection. Everything the host later does with the effect
// (finding a component by stem format, its process procedure for a sample
// rate, its context fields, creating data models and editors) goes through
// that description and the factories it names.
//
// Two forms of the same module: a bundle (or its binary) opened with dlopen,
// and entry points a program links in itself and hands over (an adapter
// that carries the effect in its own binary, and tests).
//
// Main thread only: loading, queries, object creation and unloading.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ACFPtr.h"
#include "acfmodule.h"
#include "host/objects/HostRootObject.h"
#include "host/objects/RecordedDescription.h"

class PluginModule {
public:
    // Opens a bundle folder (<name>.aaxplugin, binary in
    // Contents/x86_64-linux/<name>.so) or a module binary directly. Null with
    // *error set (when error is given) if it cannot be loaded or registered.
    static std::unique_ptr<PluginModule> LoadBundle(const std::string& path, std::string* error);
    // The seven entry points of a module.
    struct EntryPoints {
        ACFGetSDKVersionProc getSDKVersion = nullptr;
        ACFStartupProc startup = nullptr;
        ACFRegisterPluginProc registerPlugin = nullptr;
        ACFRegisterComponentProc registerComponent = nullptr;
        ACFGetClassFactoryProc getClassFactory = nullptr;
        ACFCanUnloadNowProc canUnloadNow = nullptr;
        ACFShutdownProc shutdown = nullptr;
    };
    // Uses entry points linked into this program; its resources are those
    // of bundle (a bundle folder, or empty for none).
    static std::unique_ptr<PluginModule> LoadLinked(const EntryPoints& entryPoints, const std::string& bundle,
                                                    std::string* error);
    // The bundle named bundleName (<name>.aaxplugin) that a program uses
    // when none is named: the one of the build tree the executable sits in,
    // or the installed one relative to the executable (<prefix>/bin and
    // <prefix>/lib/aax). Empty when none exists.
    static std::string DefaultBundlePath(const std::string& bundleName);

    // Asks ACFCanUnloadNow and reports objects still alive to standard
    // error, then ACFShutdown and dlclose. A module with objects still alive
    // stays loaded, so that releasing them later still finds their code.
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    // Everything the module described at registration.
    const RecordedDescription& Description() const { return m_Description; }
    // The module's effect (its first, and in this system only, effect).
    const RecordedEffect& Effect() const { return m_Description.effects.front(); }
    // The component whose native registrations process stemFormat in and out; null if none.
    const RecordedComponent* ComponentForStemFormat(int32_t stemFormat) const;
    // The native process procedure of component registered for sampleRate
    // (by the sample-rate mask of its registrations); null if none.
    void* NativeProcessProc(const RecordedComponent& component, float sampleRate) const;
    // The six sample rates this host runs effects at, lowest first.
    static const std::vector<float>& HostSampleRates();
    // The sample rates (of the host's six) at which the component for
    // stemFormat registered a native process procedure, lowest first.
    std::vector<float> SupportedSampleRates(int32_t stemFormat) const;
    // The procedure pointer the effect registered under id (0 data-model
    // factory, 1 editor factory); null if none.
    void* ProcPtr(int32_t id) const;
    // Calls the data-model factory; the object as IACFUnknown* with one
    // reference the caller owns (release it before the module goes). Null
    // when the effect names no factory or it yields nothing.
    IACFUnknown* CreateDataModel() const;
    // The same through the editor factory.
    IACFUnknown* CreateEditor() const;
    // The bundle's resource folder (Contents/Resources): bitmaps and the page
    // table. For linked entry points, that of the default bundle, or empty.
    std::string ResourceDirectory() const { return m_ResourceDirectory; }
    // ACFCanUnloadNow: the number of the module's objects still alive.
    int32_t LiveObjects() const;

    // Where the entry points came from: the binary's path, or "(linked)".
    std::string Origin() const { return m_Origin; }
    bool IsLinked() const { return m_Handle == nullptr; }
    // The version the module reported through ACFGetSDKVersion.
    uint64_t SDKVersion() const { return m_SDKVersion; }
    // The host root object the module was started with.
    HostRootObject* Root() const { return m_Root.get(); }

    // The interface-library major version this host speaks (bits 40..63 of
    // the reported version).
    static constexpr uint64_t kSupportedSDKMajorVersion = 2;

private:
    PluginModule(void* handle, const EntryPoints& entryPoints, std::string origin, std::string resourceDirectory);
    // Version check, start-up, registration and reading the description.
    bool Start(std::string* error);
    IACFUnknown* CreateObject(int32_t procID) const;

    static std::unique_ptr<PluginModule> Load(std::unique_ptr<PluginModule> module, std::string* error);

    void* m_Handle;  // dlopen handle; null for linked entry points
    EntryPoints m_Entry;
    std::string m_Origin;
    std::string m_ResourceDirectory;
    ACFPtr<HostRootObject> m_Root;
    ACFPtr<IACFPluginDefinition> m_Definition;  // the host's reference to what the module registered
    bool m_Started = false;
    uint64_t m_SDKVersion = 0;
    RecordedDescription m_Description;
};
