// The effect's module as the LV2 binary holds it: the entry points linked
// into the binary, loaded once per process (PluginModule::LoadLinked) and
// shared by every instance, mono and stereo alike. Each instance holds a
// reference; the module starts with the first and shuts down when the last
// one lets go, so a host that instantiates and frees leaves nothing running.
// Loading and shutting down happen under one lock: a new instance never
// starts the module while another thread is shutting it down.
//
// Main thread (instantiate and cleanup); safe when several threads
// instantiate or free instances at once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/runtime/EffectInstance.h"
#include "host/runtime/PluginModule.h"

class SharedPluginModule {
public:
    // A reference to the process's module, loaded now if nobody holds it.
    // Empty (Get() null) with *error set when it cannot be loaded.
    static SharedPluginModule Acquire(std::string* error);

    SharedPluginModule() = default;
    ~SharedPluginModule() { Reset(); }
    SharedPluginModule(SharedPluginModule&& other) noexcept : m_Module(other.m_Module) { other.m_Module = nullptr; }
    SharedPluginModule& operator=(SharedPluginModule&& other) noexcept;
    SharedPluginModule(const SharedPluginModule&) = delete;
    SharedPluginModule& operator=(const SharedPluginModule&) = delete;

    const PluginModule* Get() const { return m_Module; }
    const PluginModule* operator->() const { return m_Module; }
    explicit operator bool() const { return m_Module != nullptr; }
    // A new instance of the effect for channels (1 or 2) at sampleRate,
    // rendering at most maxBlockSize frames at a time. Null with *error set
    // when the effect has no component for the layout or does not run at
    // the rate, or the instance cannot be made. Main thread.
    std::unique_ptr<EffectInstance> CreateInstance(int32_t channels, float sampleRate, int32_t maxBlockSize,
                                                   std::string* error) const;
    // Lets go of the reference (the last one shuts the module down).
    void Reset();

    // How many references the process holds (0 when the module is not loaded).
    static int References();

private:
    explicit SharedPluginModule(const PluginModule* module) : m_Module(module) {}

    const PluginModule* m_Module = nullptr;
};
