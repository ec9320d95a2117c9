// The LV2 entry point and the C functions of the two descriptors: each one
// forwards to the instance (Lv2EffectPlugin) and says which LV2 threading
// class calls it. Nothing here may throw into the host: the calls that can
// fail (instantiate, the state functions) catch everything.
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>

#include "host/lv2/Lv2EffectPlugin.h"
#include "host/lv2/Lv2Identity.h"

namespace {

Lv2EffectPlugin* AsPlugin(LV2_Handle instance) { return static_cast<Lv2EffectPlugin*>(instance); }

// Instantiation class (main thread). Null when the instance cannot be
// made; the reason goes to standard error, the only channel a host without
// the log feature offers.
LV2_Handle Instantiate(const LV2_Descriptor* descriptor, int32_t channels, double sampleRate,
                       const LV2_Feature* const* features) {
    std::string error;
    try {
        if (std::unique_ptr<Lv2EffectPlugin> plugin = Lv2EffectPlugin::Create(channels, sampleRate, features, &error))
            return plugin.release();
    } catch (const std::exception& exception) {
        error = exception.what();
    } catch (...) {
        error = "unexpected failure";
    }
    std::fprintf(stderr, "%s: %s: %s\n", Lv2Identity::kBundleName, descriptor->URI, error.c_str());
    return nullptr;
}

LV2_Handle InstantiateMono(const LV2_Descriptor* descriptor, double sampleRate, const char*,
                           const LV2_Feature* const* features) {
    return Instantiate(descriptor, 1, sampleRate, features);
}

LV2_Handle InstantiateStereo(const LV2_Descriptor* descriptor, double sampleRate, const char*,
                             const LV2_Feature* const* features) {
    return Instantiate(descriptor, 2, sampleRate, features);
}

// Audio class: may come from the audio thread; stores a pointer.
void ConnectPort(LV2_Handle instance, uint32_t port, void* data) { AsPlugin(instance)->ConnectPort(port, data); }

// Instantiation class (main thread).
void Activate(LV2_Handle instance) { AsPlugin(instance)->Activate(); }

// Audio class (audio thread): no allocation, no waiting, no input or output.
void Run(LV2_Handle instance, uint32_t frames) { AsPlugin(instance)->Run(frames); }

// Instantiation class: nothing to release between deactivate and activate.
void Deactivate(LV2_Handle) {}

// Instantiation class (main thread).
void Cleanup(LV2_Handle instance) { delete AsPlugin(instance); }

// Save: its own threading class (may overlap run); restore: instantiation
// class, though it too may overlap run without harm. Both allocate and may
// wait for run to leave the data model; neither may be called from run.
LV2_State_Status SaveState(LV2_Handle instance, LV2_State_Store_Function store, LV2_State_Handle handle,
                           uint32_t, const LV2_Feature* const*) {
    try {
        return AsPlugin(instance)->SaveState(store, handle);
    } catch (...) {
        return LV2_STATE_ERR_UNKNOWN;
    }
}

LV2_State_Status RestoreState(LV2_Handle instance, LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle,
                              uint32_t, const LV2_Feature* const*) {
    try {
        return AsPlugin(instance)->RestoreState(retrieve, handle);
    } catch (...) {
        return LV2_STATE_ERR_UNKNOWN;
    }
}

const LV2_State_Interface kStateInterface = {SaveState, RestoreState};

// Discovery class: any thread.
const void* ExtensionData(const char* uri) {
    if (uri && std::strcmp(uri, LV2_STATE__interface) == 0) return &kStateInterface;
    return nullptr;
}

const LV2_Descriptor kDescriptors[] = {
    {Lv2Identity::kMonoURI, InstantiateMono, ConnectPort, Activate, Run, Deactivate, Cleanup, ExtensionData},
    {Lv2Identity::kStereoURI, InstantiateStereo, ConnectPort, Activate, Run, Deactivate, Cleanup, ExtensionData},
};

}  // namespace

// Discovery class: the mono plug-in at index 0, the stereo one at 1.
LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index < sizeof kDescriptors / sizeof kDescriptors[0] ? &kDescriptors[index] : nullptr;
}
