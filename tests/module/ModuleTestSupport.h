// The module's two forms (linked into the test, and the built bundle) and their entry points.
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

// The entry points of one form; the bundle stays open while the object lives.
#define MODULETEST_ENTRY_POINTS(X)                                                                 \
    X(GetSDKVersion) X(Startup) X(RegisterPlugin) X(RegisterComponent) X(GetClassFactory) X(CanUnloadNow) \
    X(Shutdown)

class EntryPoints {
public:
    explicit EntryPoints(Form form) {
#define MODULETEST_LINKED(name) name = &ACF##name;
#define MODULETEST_FOUND(name) name = reinterpret_cast<ACF##name##Proc>(dlsym(m_Handle, "ACF" #name));
        if (form == Form::Linked) {
            MODULETEST_ENTRY_POINTS(MODULETEST_LINKED)
        } else if ((m_Handle = dlopen(BundleBinaryPath().c_str(), RTLD_NOW | RTLD_LOCAL))) {
            MODULETEST_ENTRY_POINTS(MODULETEST_FOUND)
        }
    }
    ~EntryPoints() {
        if (m_Handle) dlclose(m_Handle);
    }
    EntryPoints(const EntryPoints&) = delete;
    EntryPoints& operator=(const EntryPoints&) = delete;

#define MODULETEST_FOUND_ALL(name) &&name
    bool Complete() const { return true MODULETEST_ENTRY_POINTS(MODULETEST_FOUND_ALL); }
#define MODULETEST_MEMBER(name) ACF##name##Proc name = nullptr;
    MODULETEST_ENTRY_POINTS(MODULETEST_MEMBER)

private:
    void* m_Handle = nullptr;
};

}  // namespace moduletest
