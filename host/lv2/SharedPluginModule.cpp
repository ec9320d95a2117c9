#include "host/lv2/SharedPluginModule.h"

#include <memory>
#include <mutex>

#include "host/runtime/FailWithMessage.h"
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

std::unique_ptr<EffectInstance> SharedPluginModule::CreateInstance(int32_t channels, float sampleRate,
                                                                   int32_t maxBlockSize, std::string* error) const {
    EffectInstance::Setup setup;
    setup.sampleRate = sampleRate;
    setup.stemFormat = channels == 1 ? AAX_eStemFormat_Mono : AAX_eStemFormat_Stereo;
    setup.maxBlockSize = maxBlockSize;

    EffectInstance::Parts parts;
    parts.component = m_Module->ComponentForStemFormat(setup.stemFormat);
    if (parts.component)
        parts.processProc = reinterpret_cast<AAX_CProcessProc>(m_Module->NativeProcessProc(*parts.component, sampleRate));
    if (parts.component && !parts.processProc) {
        Fail(error, "sample rate " + std::to_string(sampleRate) + " Hz is not one the effect runs at");
        return nullptr;
    }
    parts.dataModel = m_Module->CreateDataModel();
    return EffectInstance::Create(parts, setup, error);
}
