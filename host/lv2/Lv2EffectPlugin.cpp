#include "host/lv2/Lv2EffectPlugin.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "AAX_CString.h"
#include "AAX_SPlugInChunk.h"
#include "effect/Orvanta_Defs.h"
#include "host/runtime/FailWithMessage.h"

namespace {

void SetParameter(AAX_IParameter& parameter, const Lv2Ports::ParameterValue& value) {
    using Type = Lv2Ports::ParameterValue::Type;
    switch (value.type) {
        case Type::Float: parameter.SetValueWithFloat(value.floatValue); break;
        case Type::Int32: parameter.SetValueWithInt32(value.int32Value); break;
        case Type::Bool: parameter.SetValueWithBool(value.boolValue); break;
    }
}

AAX_SPlugInChunk* AsChunk(std::vector<uint8_t>& record) { return reinterpret_cast<AAX_SPlugInChunk*>(record.data()); }

}  // namespace

std::unique_ptr<Lv2EffectPlugin> Lv2EffectPlugin::Create(int32_t channels, double sampleRate,
                                                         const LV2_Feature* const* features, std::string* error) {
    if (channels != 1 && channels != 2) {
        Fail(error, "only mono and stereo layouts exist");
        return nullptr;
    }
    std::unique_ptr<Lv2EffectPlugin> plugin(new Lv2EffectPlugin(channels));
    if (!plugin->Start(sampleRate, features, error)) return nullptr;
    return plugin;
}

Lv2EffectPlugin::Lv2EffectPlugin(int32_t channels) : m_Channels(channels) {}

Lv2EffectPlugin::~Lv2EffectPlugin() {
    m_Instance.reset();
    m_Module.Reset();
}

bool Lv2EffectPlugin::Start(double sampleRate, const LV2_Feature* const* features, std::string* error) {
    m_Host = Lv2HostFeatures::Read(features);
    const float rate = float(sampleRate);
    if (!(sampleRate > 0.0) || double(rate) != sampleRate)
        return Fail(error, "sample rate " + std::to_string(sampleRate) + " Hz is not supported");

    std::string moduleError;
    m_Module = SharedPluginModule::Acquire(&moduleError);
    if (!m_Module) return Fail(error, "cannot load the effect: " + moduleError);

    const int32_t maxBlockSize = m_Host.maxBlockLength > 0 ? std::min(m_Host.maxBlockLength, kLargestMaxBlockLength)
                                                           : kDefaultMaxBlockLength;
    m_Instance = m_Module.CreateInstance(m_Channels, rate, maxBlockSize, error);
    if (!m_Instance) return false;
    // A session runs for hours: the request log would only grow.
    m_Instance->Automation().KeepEventLog(false);
    // The signal's true delay. Not the latency the description declares:
    // the stereo registrations declare one sample less than the signal lags.
    m_LatencyFrames = float(Orvanta::SignalDelaySamples(rate));
    return BindControls(error);
}

bool Lv2EffectPlugin::BindControls(std::string* error) {
    AAX_CString bypassID;
    m_Instance->Parameters().GetMasterBypassParameter(&bypassID);
    for (size_t i = 0; i < m_Controls.size(); ++i) {
        BoundControl& control = m_Controls[i];
        control.input = &Lv2Ports::ControlInputs()[i];
        control.lastSeen = std::numeric_limits<float>::quiet_NaN();
        const char* parameterID = control.input->parameterID ? control.input->parameterID : bypassID.Get();
        if (m_Instance->Parameters().GetParameter(parameterID, &control.parameter) != AAX_SUCCESS ||
            !control.parameter)
            return Fail(error, std::string("the effect has no parameter for port ") + control.input->symbol);
    }
    return true;
}

void Lv2EffectPlugin::ConnectPort(uint32_t port, void* data) noexcept {
    auto* samples = static_cast<float*>(data);
    if (port < Lv2Ports::kControlInputCount) {
        m_Controls[port].port = samples;
    } else if (port == Lv2Ports::kLatency) {
        m_LatencyPort = samples;
    } else if (port < Lv2Ports::PortCount(m_Channels)) {
        const uint32_t audio = port - Lv2Ports::kFirstAudioPort;
        if (audio < uint32_t(m_Channels))
            m_AudioInputs[audio] = samples;
        else
            m_AudioOutputs[audio - uint32_t(m_Channels)] = samples;
    }
}

void Lv2EffectPlugin::Activate() { m_Instance->ResetAlgorithm(); }

void Lv2EffectPlugin::Run(uint32_t frames) noexcept {
    m_Running.Enter("run called while another thread is inside run");
    if (m_LatencyPort) *m_LatencyPort = m_LatencyFrames;
    // While a save reads the data model, the changes wait for the next run
    // and this block plays with the settings it already has.
    if (m_Guard.TryEnter()) {
        ApplyPortChanges();
        m_Instance->PrepareBlock();
        m_Guard.Leave();
    }
    if (frames > 0 && AudioConnected()) Render(frames);
    m_Running.Leave();
}

void Lv2EffectPlugin::ApplyPortChanges() noexcept {
    ORVANTA_THREAD_RULE(m_Guard.HeldByThisThread(), "applied port changes outside the data-model guard");
    for (BoundControl& control : m_Controls) {
        if (!control.port) continue;
        const float value = *control.port;
        if (value == control.lastSeen) continue;
        Lv2Ports::ParameterValue parameterValue;
        if (!Lv2Ports::ToParameterValue(*control.input, value, &parameterValue)) continue;  // NaN
        control.lastSeen = value;
        SetParameter(*control.parameter, parameterValue);
    }
}

bool Lv2EffectPlugin::AudioConnected() const noexcept {
    for (int32_t channel = 0; channel < m_Channels; ++channel)
        if (!m_AudioInputs[size_t(channel)] || !m_AudioOutputs[size_t(channel)]) return false;
    return true;
}

void Lv2EffectPlugin::Render(uint32_t frames) noexcept {
    // The runtime counts frames in 32-bit signed integers.
    constexpr uint32_t kLargestPiece = uint32_t(std::numeric_limits<int32_t>::max());
    std::array<float*, 2> inputs{}, outputs{};
    for (uint32_t done = 0; done < frames;) {
        const uint32_t piece = std::min(frames - done, kLargestPiece);
        for (size_t channel = 0; channel < size_t(m_Channels); ++channel) {
            inputs[channel] = m_AudioInputs[channel] + done;
            outputs[channel] = m_AudioOutputs[channel] + done;
        }
        m_Instance->RenderBlock(inputs.data(), outputs.data(), int32_t(piece));
        done += piece;
    }
}

// ---- state ----

bool Lv2EffectPlugin::ReadChunk(std::vector<uint8_t>* record) {
    AAX_IACFEffectParameters& model = m_Instance->Parameters();
    uint32_t size = 0;
    if (model.GetChunkSize(Orvanta::kChunkID, &size) != AAX_SUCCESS || size == 0 ||
        size > uint32_t(std::numeric_limits<int32_t>::max()))
        return false;
    record->assign(AAX_ChunkRecordSize(size), 0);
    AAX_SPlugInChunk* chunk = AsChunk(*record);
    chunk->fSize = int32_t(size);
    chunk->fChunkID = Orvanta::kChunkID;
    if (model.GetChunk(Orvanta::kChunkID, chunk) != AAX_SUCCESS) return false;
    return chunk->fSize > 0 && uint32_t(chunk->fSize) <= size;
}

LV2_State_Status Lv2EffectPlugin::SaveState(LV2_State_Store_Function store, LV2_State_Handle handle) {
    ORVANTA_THREAD_RULE(!m_Running.ThisThreadInside(), "state saved from inside run");
    if (!m_Host.state.Available()) return LV2_STATE_ERR_NO_FEATURE;
    std::vector<uint8_t> record;
    {
        DataModelGuard::Scope inside(m_Guard);
        if (!ReadChunk(&record)) return LV2_STATE_ERR_UNKNOWN;
    }
    const AAX_SPlugInChunk* chunk = AsChunk(record);
    return store(handle, m_Host.state.key, AAX_ChunkData(chunk), size_t(chunk->fSize), m_Host.state.chunkType,
                 LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

LV2_State_Status Lv2EffectPlugin::RestoreState(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle) {
    ORVANTA_THREAD_RULE(!m_Running.ThisThreadInside(), "state restored from inside run");
    if (!m_Host.state.Available()) return LV2_STATE_ERR_NO_FEATURE;
    size_t size = 0;
    uint32_t type = 0, flags = 0;
    const void* value = retrieve(handle, m_Host.state.key, &size, &type, &flags);
    if (!value) return LV2_STATE_SUCCESS;
    if (type != m_Host.state.chunkType) return LV2_STATE_ERR_BAD_TYPE;
    if (size == 0 || size > kMaxStateSize) return LV2_STATE_ERR_UNKNOWN;

    std::vector<uint8_t> record(AAX_ChunkRecordSize(uint32_t(size)), 0);
    AAX_SPlugInChunk* chunk = AsChunk(record);
    chunk->fSize = int32_t(size);
    chunk->fVersion = -1;
    chunk->fChunkID = Orvanta::kChunkID;
    std::memcpy(AAX_ChunkData(chunk), value, size);

    DataModelGuard::Scope inside(m_Guard);
    const AAX_Result restored = m_Instance->Parameters().SetChunk(Orvanta::kChunkID, chunk);
    // The host answers the chunk's set-value requests now, so that the
    // restored values hold before the next run and for a save before it.
    m_Instance->AnswerRequests();
    return restored == AAX_SUCCESS ? LV2_STATE_SUCCESS : LV2_STATE_ERR_UNKNOWN;
}
