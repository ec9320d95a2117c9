#include "host/lv2/SharedPluginModule.h"

#include <memory>
#include <mutex>

#include "host/runtime/LinkedEntryPoints.h"

namespace {
std::mutex gMutex;  // guards both below
std::unique_ptr<PluginModule> gModule;
int gReferences = 0;
}  // namespace

SharedPluginModule SharedPluginModule::Acquire(std::string* error) {
    std::lock_guard<std::mutex> lock(gMutex);
    if (!gModule) {
        gModule = PluginModule::LoadLinked(LinkedEntryPoints(), "", error);
        if (!gModule) return SharedPluginModule();
    }
    ++gReferences;
    return SharedPluginModule(gModule.get());
}

SharedPluginModule& SharedPluginModule::operator=(SharedPluginModule&& other) noexcept {
    if (this != &other) {
        Reset();
        m_Module = other.m_Module;
        other.m_Module = nullptr;
    }
    return *this;
}

void SharedPluginModule::Reset() {
    if (!m_Module) return;
    m_Module = nullptr;
    std::lock_guard<std::mutex> lock(gMutex);
    if (--gReferences == 0) gModule.reset();
}

int SharedPluginModule::References() {
    std::lock_guard<std::mutex> lock(gMutex);
    return gReferences;
}
