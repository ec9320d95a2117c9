// What the module tests share: the two forms of the module (entry points
// linked into the test, and the bundle built next to it) and a way to call
// either form's entry points directly.
#pragma once

#include <dlfcn.h>

#include <string>

#include "acfmodule.h"
#include "ModuleBundle.h"
#include "effect/Orvanta_Defs.h"

namespace moduletest {

inline std::string BundlePath() { return std::string(ORVANTA_BINARY_DIR) + "/" + Orvanta::kBundleName; }
inline std::string BundleBinaryPath() {
    return BundlePath() + "/" + BundleLayout::kBinaryFolder + "/Orvanta.so";
}

enum class Form { Linked, Bundle };
inline const char* FormName(Form form) { return form == Form::Linked ? "linked" : "bundle"; }

// The seven entry points of one form of the module. The bundle stays open
// while the object lives (dlopen counts, so a PluginModule of the same
// bundle shares it).
class EntryPoints {
public:
    explicit EntryPoints(Form form) {
        if (form == Form::Linked) {
            getSDKVersion = &ACFGetSDKVersion;
            startup = &ACFStartup;
            registerPlugin = &ACFRegisterPlugin;
            registerComponent = &ACFRegisterComponent;
            getClassFactory = &ACFGetClassFactory;
            canUnloadNow = &ACFCanUnloadNow;
            shutdown = &ACFShutdown;
            return;
        }
        m_Handle = dlopen(BundleBinaryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!m_Handle) return;
        Find("ACFGetSDKVersion", &getSDKVersion);
        Find("ACFStartup", &startup);
        Find("ACFRegisterPlugin", &registerPlugin);
        Find("ACFRegisterComponent", &registerComponent);
        Find("ACFGetClassFactory", &getClassFactory);
        Find("ACFCanUnloadNow", &canUnloadNow);
        Find("ACFShutdown", &shutdown);
    }
    ~EntryPoints() {
        if (m_Handle) dlclose(m_Handle);
    }
    EntryPoints(const EntryPoints&) = delete;
    EntryPoints& operator=(const EntryPoints&) = delete;

    bool Complete() const {
        return getSDKVersion && startup && registerPlugin && registerComponent && getClassFactory && canUnloadNow &&
               shutdown;
    }

    ACFGetSDKVersionProc getSDKVersion = nullptr;
    ACFStartupProc startup = nullptr;
    ACFRegisterPluginProc registerPlugin = nullptr;
    ACFRegisterComponentProc registerComponent = nullptr;
    ACFGetClassFactoryProc getClassFactory = nullptr;
    ACFCanUnloadNowProc canUnloadNow = nullptr;
    ACFShutdownProc shutdown = nullptr;

private:
    template <class Proc>
    void Find(const char* name, Proc* out) {
        *out = reinterpret_cast<Proc>(dlsym(m_Handle, name));
    }

    void* m_Handle = nullptr;
};

}  // namespace moduletest
