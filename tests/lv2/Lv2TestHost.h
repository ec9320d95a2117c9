// Test helper: a minimal LV2 host around the plug-ins' descriptors: optional
// URI map and block-length option, port buffers, run, and a state store.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include "host/lv2/Lv2EffectPlugin.h"
#include "host/lv2/Lv2Identity.h"
#include "host/lv2/Lv2PortLayout.h"

extern "C" const LV2_Descriptor* lv2_descriptor(uint32_t index);

// The control ports by index, as the plug-ins' Turtle gives them.
namespace Lv2Ports {
enum ControlPort : uint32_t { kHarmonic = 0, kDynamic = 1, kOutputTrim = 2, kDither = 3, kColor = 4, kEnabled = 5 };
}  // namespace Lv2Ports

namespace lv2_test {

// The host's URI map: URIs numbered from 1 in order of first use.
class UridMap {
public:
    LV2_URID Map(const char* uri) { return m_Ids.emplace(uri, LV2_URID(m_Ids.size() + 1)).first->second; }
    LV2_URID_Map* Feature() { return &m_Feature; }

private:
    std::map<std::string, LV2_URID> m_Ids;
    LV2_URID_Map m_Feature{this, [](LV2_URID_Map_Handle self, const char* uri) {
                               return static_cast<UridMap*>(self)->Map(uri);
                           }};
};

// One value the plug-in stored, as a host keeps it.
struct StoredValue { std::vector<uint8_t> bytes; uint32_t type = 0; uint32_t flags = 0; };
using StateStore = std::map<uint32_t, StoredValue>;

inline LV2_State_Status Store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size, uint32_t type,
                              uint32_t flags) {
    auto* store = static_cast<StateStore*>(handle);
    const auto* bytes = static_cast<const uint8_t*>(value);
    (*store)[key] = StoredValue{std::vector<uint8_t>(bytes, bytes + size), type, flags};
    return LV2_STATE_SUCCESS;
}

inline const void* Retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type, uint32_t* flags) {
    auto* store = static_cast<StateStore*>(handle);
    const auto found = store->find(key);
    if (found == store->end()) return nullptr;
    *size = found->second.bytes.size();
    *type = found->second.type;
    *flags = found->second.flags;
    return found->second.bytes.data();
}

struct HostOptions {
    bool uridMap = true;
    int32_t maxBlockLength = 0;  // stated through the options feature when > 0
};

// One instance with its port buffers; frames up to capacity per run.
class Lv2TestInstance {
public:
    Lv2TestInstance(int channels, double sampleRate, HostOptions options = {}, size_t capacity = 4096)
        : m_Channels(channels), m_Descriptor(lv2_descriptor(channels == 1 ? 0 : 1)),
          m_MaxBlockLength(options.maxBlockLength) {
        m_Options[0] = {LV2_OPTIONS_INSTANCE, 0, m_Map.Map(LV2_BUF_SIZE__maxBlockLength), sizeof(int32_t),
                        m_Map.Map(LV2_ATOM__Int), &m_MaxBlockLength};
        m_Options[1] = {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr};
        m_MapFeature = {LV2_URID__map, m_Map.Feature()};
        m_OptionsFeature = {LV2_OPTIONS__options, m_Options.data()};
        if (options.uridMap) m_Features.push_back(&m_MapFeature);
        if (options.uridMap && options.maxBlockLength > 0) m_Features.push_back(&m_OptionsFeature);
        m_Features.push_back(nullptr);
        m_Handle = m_Descriptor->instantiate(m_Descriptor, sampleRate, "/nowhere/orvanta.lv2/", m_Features.data());
        if (!m_Handle) return;
        m_Audio.assign(size_t(2 * channels), std::vector<float>(capacity, 0.0f));
        // The defaults the generated Turtle gives; the other ports' are zero.
        m_Controls[Lv2Ports::kColor] = 2.0f;
        m_Controls[Lv2Ports::kEnabled] = 1.0f;
        for (uint32_t port = 0; port < Lv2Ports::kFirstAudioPort; ++port)
            m_Descriptor->connect_port(m_Handle, port, &m_Controls[port]);
        for (int channel = 0; channel < channels; ++channel) {
            m_Descriptor->connect_port(m_Handle, Lv2Ports::AudioInputPort(channel), m_Audio[size_t(channel)].data());
            m_Descriptor->connect_port(m_Handle, Lv2Ports::AudioOutputPort(channels, channel),
                                       m_Audio[size_t(channels + channel)].data());
        }
        m_Descriptor->activate(m_Handle);
    }
    ~Lv2TestInstance() {
        if (!m_Handle) return;
        m_Descriptor->deactivate(m_Handle);
        m_Descriptor->cleanup(m_Handle);
    }
    Lv2TestInstance(const Lv2TestInstance&) = delete;
    Lv2TestInstance& operator=(const Lv2TestInstance&) = delete;

    bool Valid() const { return m_Handle != nullptr; }
    Lv2EffectPlugin& Plugin() const { return *static_cast<Lv2EffectPlugin*>(m_Handle); }
    UridMap& Map() { return m_Map; }

    float& Control(uint32_t port) { return m_Controls[port]; }
    float Latency() const { return m_Controls[Lv2Ports::kLatency]; }
    std::vector<float>& Input(int channel) { return m_Audio[size_t(channel)]; }
    std::vector<float>& Output(int channel) { return m_Audio[size_t(m_Channels + channel)]; }
    void Connect(uint32_t port, void* data) { m_Descriptor->connect_port(m_Handle, port, data); }
    void Run(uint32_t frames) { m_Descriptor->run(m_Handle, frames); }

    // The data model's normalized value of a parameter.
    double Normalized(const char* parameterID) const {
        double value = -1.0;
        Plugin().Instance().Parameters().GetParameterNormalizedValue(parameterID, &value);
        return value;
    }
    int32_t ChangeCount() const {
        int32_t changes = 0;
        Plugin().Instance().Parameters().GetNumberOfChanges(&changes);
        return changes;
    }

    const LV2_State_Interface* State() const {
        return static_cast<const LV2_State_Interface*>(m_Descriptor->extension_data(LV2_STATE__interface));
    }
    LV2_State_Status Save(StateStore* store) {
        return State()->save(m_Handle, Store, store, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, nullptr);
    }
    LV2_State_Status Restore(StateStore* store) { return State()->restore(m_Handle, Retrieve, store, 0, nullptr); }

private:
    int m_Channels;
    const LV2_Descriptor* m_Descriptor;
    int32_t m_MaxBlockLength;
    UridMap m_Map;
    std::array<LV2_Options_Option, 2> m_Options{};
    LV2_Feature m_MapFeature{};
    LV2_Feature m_OptionsFeature{};
    std::vector<const LV2_Feature*> m_Features;
    LV2_Handle m_Handle = nullptr;
    std::array<float, Lv2Ports::kFirstAudioPort> m_Controls{};
    std::vector<std::vector<float>> m_Audio;  // inputs, then outputs
};

}  // namespace lv2_test
