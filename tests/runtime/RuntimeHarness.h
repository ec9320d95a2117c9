// Test helper: the linked module, instances as the orvanta program creates them, signals.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "effect/Orvanta_Defs.h"
#include "effect/dsp/Orvanta_AlgContext.h"
#include "effect/model/Orvanta_ParameterTable.h"
#include "host/runtime/AudioRenderer.h"
#include "host/runtime/EffectInstance.h"
#include "host/runtime/LinkedEntryPoints.h"
#include "host/runtime/PluginModule.h"

namespace runtime_test {

// The effect's delay: 6 times the rate multiple, plus one.
inline int32_t EffectDelay(float sampleRate) { return 6 * int32_t(sampleRate / 44100.0f) + 1; }

inline std::unique_ptr<EffectInstance> NewInstance(const PluginModule& module, float sampleRate, int channels,
                                                   int32_t maxBlockSize = 4096) {
    EffectInstance::Setup setup;
    setup.sampleRate = sampleRate;
    setup.stemFormat = channels == 1 ? AAX_eStemFormat_Mono : AAX_eStemFormat_Stereo;
    setup.maxBlockSize = maxBlockSize;
    EffectInstance::Parts parts;
    parts.component = module.ComponentForStemFormat(setup.stemFormat);
    if (parts.component)
        parts.processProc = reinterpret_cast<AAX_CProcessProc>(module.NativeProcessProc(*parts.component, sampleRate));
    parts.dataModel = module.CreateDataModel();
    std::string error;
    std::unique_ptr<EffectInstance> instance = EffectInstance::Create(parts, setup, &error);
    EXPECT_TRUE(instance) << error;
    return instance;
}

class LinkedModule {
public:
    LinkedModule() {
        std::string error;
        module = PluginModule::LoadLinked(LinkedEntryPoints(), PluginModule::DefaultBundlePath(Orvanta::kBundleName), &error);
        EXPECT_TRUE(module) << error;
    }

    std::unique_ptr<EffectInstance> NewInstance(float sampleRate, int channels, int32_t maxBlockSize = 4096) {
        return runtime_test::NewInstance(*module, sampleRate, channels, maxBlockSize);
    }

    std::unique_ptr<PluginModule> module;
};

// A decaying chord, different per channel, at moderate level.
inline AudioChannels TestSignal(int channels, size_t length, float sampleRate = 48000.0f) {
    AudioChannels signal(static_cast<size_t>(channels), std::vector<float>(length));
    for (int channel = 0; channel < channels; ++channel)
        for (size_t i = 0; i < length; ++i) {
            const double t = double(i) / sampleRate;
            signal[channel][i] = float(0.3 * std::sin(2 * M_PI * (220.0 + 110.0 * channel) * t) +
                                       0.2 * std::sin(2 * M_PI * 663.0 * t) * std::exp(-3.0 * t));
        }
    return signal;
}

inline AudioChannels Render(EffectInstance& instance, const AudioChannels& input, int32_t blockSize,
                            std::vector<ParameterChange> changes = {}, int64_t alignLatency = 0) {
    AudioRenderer::Options options;
    options.blockSize = blockSize;
    options.alignLatency = alignLatency;
    AudioRenderer renderer(instance, options);
    AudioChannels output;
    std::string error;
    EXPECT_TRUE(renderer.Render(input, std::move(changes), &output, &error)) << error;
    return output;
}

// The first sample index at which two signals differ in any channel, or their length.
inline size_t FirstDifference(const AudioChannels& a, const AudioChannels& b) {
    size_t first = a.empty() ? 0 : a[0].size();
    for (size_t channel = 0; channel < a.size(); ++channel)
        for (size_t i = 0; i < first; ++i)
            if (a[channel][i] != b[channel][i]) {
                first = i;
                break;
            }
    return first;
}

// The output is the input delayed by delay samples, zeros before it.
inline void ExpectDelayed(const AudioChannels& output, const AudioChannels& input, int32_t delay) {
    ASSERT_EQ(output.size(), input.size());
    for (size_t channel = 0; channel < input.size(); ++channel) {
        ASSERT_EQ(output[channel].size(), input[channel].size());
        for (size_t i = 0; i < input[channel].size(); ++i)
            ASSERT_EQ(output[channel][i], i < size_t(delay) ? 0.0f : input[channel][i - delay])
                << "channel " << channel << ", sample " << i;
    }
}

// Frames [start, start + frames) of input processed into output, one block.
inline AAX_Result ProcessAt(EffectInstance& instance, const AudioChannels& input, AudioChannels& output,
                            size_t start, int32_t frames) {
    std::vector<float*> inputs, outputs;
    for (size_t channel = 0; channel < input.size(); ++channel) {
        inputs.push_back(const_cast<float*>(input[channel].data()) + start);
        outputs.push_back(output[channel].data() + start);
    }
    return instance.ProcessBlock(inputs.data(), outputs.data(), frames);
}

// The knob packet the last block was given.
inline SOrvanta_Knob_Packet DeliveredPacket(const EffectInstance& instance) {
    SOrvanta_Knob_Packet packet;
    std::memcpy(&packet, instance.Context().DataInPorts().at(0).data, sizeof packet);
    return packet;
}

}  // namespace runtime_test
