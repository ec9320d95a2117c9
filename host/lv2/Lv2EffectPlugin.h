// One LV2 instance of the effect: a thin adapter over the substitute host's
// runtime. It holds the process's module (SharedPluginModule) and an
// EffectInstance created through it for the host's rate and the plug-in's
// channel layout, and maps the LV2 calls onto what a host does with that
// instance:
//
//   control ports  a changed value goes through the parameter's typed setter,
//                  which sends touch, set-value request and release to the
//                  host's automation delegate; the requests are answered
//                  (UpdateParameterNormalizedValue) before the block, and
//                  the coefficients generated and delivered as the packet
//   run            EffectInstance::PrepareBlock, then RenderBlock over the
//                  host's buffers in one block
//   latency port   the effect's signal delay (6·m + 1 frames), written by
//                  every run
//   state          the data model's 'elck' chunk, stored as one portable
//                  block of bytes (its data area, big-endian by format)
//
// There is no second parameter model and no second signal path here.
//
// Threads. LV2 has no main thread of its own for the data model: the model
// is entered by one thread at a time, whichever holds the DataModelGuard,
// and that thread plays the part the model's interfaces call the main
// thread (answering requests, generating coefficients, taking packets).
// run() only tries the guard: when a save or restore on another thread is
// inside, the port changes wait for the next run() and the block plays with
// the packet it already has. The model's own mutexes are therefore only ever
// taken by the guard's holder and never make run() wait; rendering touches
// the algorithm context only, never the model, and runs outside the guard.
// Debug builds check these rules (ThreadRuleCheck.h).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>

#include "AAX_IParameter.h"
#include "host/lv2/DataModelGuard.h"
#include "host/lv2/Lv2HostFeatures.h"
#include "host/lv2/Lv2PortLayout.h"
#include "host/lv2/SharedPluginModule.h"
#include "host/runtime/EffectInstance.h"

class Lv2EffectPlugin {
public:
    // The largest block run() takes in one piece when the host states no
    // bufsz:maxBlockLength; longer blocks are processed in pieces.
    static constexpr int32_t kDefaultMaxBlockLength = 8192;
    // The largest stated maxBlockLength taken as it is; a larger one is
    // limited to it (the runtime sizes per-block memory by it).
    static constexpr int32_t kLargestMaxBlockLength = 1 << 16;
    // The largest state value restore() accepts (the effect's chunk holds
    // 96 bytes); anything longer is not this plug-in's state.
    static constexpr size_t kMaxStateSize = 1u << 16;

    // Main thread (instantiate). channels is 1 or 2. Null with *error set
    // when the module cannot be loaded, the rate is not one of the effect's
    // or the instance cannot be created.
    static std::unique_ptr<Lv2EffectPlugin> Create(int32_t channels, double sampleRate,
                                                   const LV2_Feature* const* features, std::string* error);
    // Main thread (cleanup): the instance first, then the module reference.
    ~Lv2EffectPlugin();
    Lv2EffectPlugin(const Lv2EffectPlugin&) = delete;
    Lv2EffectPlugin& operator=(const Lv2EffectPlugin&) = delete;

    // Audio thread or main thread (connect_port): stores the pointer only.
    // Ports beyond the layout are ignored.
    void ConnectPort(uint32_t port, void* data) noexcept;
    // Main thread (activate): the algorithm starts from silence again.
    void Activate();
    // Audio thread (run), one thread at a time: applies changed control
    // ports, prepares and renders frames samples, writes the latency port.
    // Allocates nothing, waits for nothing (no blocking lock), no input or
    // output. A run of 0 frames still applies the ports and reports the
    // latency.
    void Run(uint32_t frames) noexcept;
    // Any thread other than one inside run, possibly while run runs on
    // another (save): waits until run is out of the data model, then reads
    // the chunk. Allocates.
    LV2_State_Status SaveState(LV2_State_Store_Function store, LV2_State_Handle handle);
    // Main thread (restore), or any thread other than one inside run, also
    // while run runs on another: sets the parameters found in the stored
    // chunk through the host's automation road, waiting until run is out of
    // the data model. A state without the value changes nothing: every
    // parameter it holds is also a port, which the host restores itself.
    // Allocates.
    LV2_State_Status RestoreState(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

    int32_t Channels() const { return m_Channels; }
    // The runtime instance (tests read the data model through it).
    EffectInstance& Instance() const { return *m_Instance; }

private:
    // A control input port bound to its parameter.
    struct BoundControl {
        const Lv2Ports::ControlInput* input = nullptr;
        AAX_IParameter* parameter = nullptr;
        const float* port = nullptr;
        float lastSeen = 0.0f;  // the last value applied; NaN until the first
    };

    explicit Lv2EffectPlugin(int32_t channels);
    bool Start(double sampleRate, const LV2_Feature* const* features, std::string* error);
    bool BindControls(std::string* error);
    void ApplyPortChanges() noexcept;
    bool AudioConnected() const noexcept;
    void Render(uint32_t frames) noexcept;
    bool ReadChunk(std::vector<uint8_t>* record);

    const int32_t m_Channels;
    SharedPluginModule m_Module;  // outlives m_Instance (declared first)
    std::unique_ptr<EffectInstance> m_Instance;
    Lv2HostFeatures m_Host;
    DataModelGuard m_Guard;
    ExclusiveCall m_Running;  // the thread inside Run (debug builds)
    std::array<BoundControl, Lv2Ports::kControlInputCount> m_Controls;
    float m_LatencyFrames = 0.0f;  // the delay the latency port reports
    float* m_LatencyPort = nullptr;
    std::array<float*, 2> m_AudioInputs{};
    std::array<float*, 2> m_AudioOutputs{};
};
