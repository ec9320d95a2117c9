// Shared helpers of the signal-path tests: an instance with its own context,
// records and buffers, the usual knob packets, a test signal, and a way to
// start from a fresh noise sequence.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "effect/Orvanta_Defs.h"
#include "effect/dsp/Orvanta_AlgContext.h"
#include "effect/dsp/Orvanta_AlgorithmProcess.h"
#include "effect/dsp/Orvanta_ChannelState.h"

namespace dsptest {

// Harmonic, Dynamic, gain, Dither, Color.
inline SOrvanta_Knob_Packet defaultsPacket() { return {0.0f, 0.0f, 1.0f, Orvanta::kDitherOff, 2}; }
inline SOrvanta_Knob_Packet bypassPacket() { return {0.0f, 0.0f, 1.0f, Orvanta::kDitherOff, 1}; }
inline SOrvanta_Knob_Packet busyPacket(int32_t color) { return {0.6f, 0.7f, 1.0f, Orvanta::kDitherOn, color}; }

enum class Layout { Mono, Stereo };

// One effect instance as a host would hold it.
struct Instance {
    SOrvanta_Knob_Packet packet{};
    SOrvanta_Private_Data data{};
    std::vector<float> in[2], out[2];
    float* inputs[2] = {nullptr, nullptr};
    float* outputs[2] = {nullptr, nullptr};
    int32_t length = 0;
    SOrvanta_Alg_Context context{};

    Instance(float rate, const SOrvanta_Knob_Packet& p) : packet(p) {
        Orvanta_InitChannelStates(rate, &data, sizeof data);
        context = {&packet, &data, inputs, outputs, &length};
    }

    // Points the context at samples [start, start + count) of the given
    // channel signals (copied into in) and at fresh output buffers.
    void load(Layout layout, const std::vector<float>* signal, size_t start, int32_t count) {
        const int channels = layout == Layout::Mono ? 1 : 2;
        for (int ch = 0; ch < channels; ++ch) {
            in[ch].assign(signal[ch].begin() + long(start), signal[ch].begin() + long(start) + count);
            out[ch].assign(size_t(count), -99.0f);
            inputs[ch] = in[ch].data();
            outputs[ch] = out[ch].data();
        }
        length = count;
    }

    // Processes one block: load, then run.
    void block(Layout layout, const std::vector<float>* signal, size_t start, int32_t count) {
        load(layout, signal, start, count);
        run(layout);
    }

    void run(Layout layout) {
        SOrvanta_Alg_Context* batch[1] = {&context};
        if (layout == Layout::Mono)
            Orvanta_AlgorithmProcessFunction(batch, batch + 1);
        else
            Orvanta_AlgorithmProcessFunctionStereo(batch, batch + 1);
    }

    // Processes whole signals in blocks of blockSize; returns the outputs.
    std::vector<std::vector<float>> process(Layout layout, const std::vector<float>* signal, int32_t blockSize) {
        const int channels = layout == Layout::Mono ? 1 : 2;
        std::vector<std::vector<float>> result{size_t(channels)};
        const size_t total = signal[0].size();
        for (size_t start = 0; start < total; start += size_t(blockSize)) {
            const auto count = int32_t(std::min(size_t(blockSize), total - start));
            block(layout, signal, start, count);
            for (int ch = 0; ch < channels; ++ch) result[size_t(ch)].insert(result[size_t(ch)].end(), out[ch].begin(), out[ch].end());
        }
        return result;
    }
};

// A deterministic signal with quiet and loud stretches, including peaks
// beyond +-1 that reach the clamped ends of the curve.
inline std::vector<float> testSignal(size_t length, double seed = 0.0) {
    std::vector<float> s(length);
    for (size_t i = 0; i < length; ++i) {
        const double t = double(i);
        const double envelope = 0.15 + 1.1 * std::fabs(std::sin(t * 0.0021 + seed));
        s[i] = float(envelope * (0.7 * std::sin(t * 0.061 + seed) + 0.35 * std::sin(t * 0.83 + 2 * seed)));
    }
    return s;
}

// Runs fn on a new thread, which starts at the beginning of the noise
// sequence.
inline void onFreshThread(const std::function<void()>& fn) {
    std::thread worker(fn);
    worker.join();
}

inline uint32_t bitsOf(float v) {
    uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// Index of the first sample whose bits differ, or -1.
inline long firstDifference(const std::vector<float>& a, const std::vector<float>& b) {
    if (a.size() != b.size()) return 0;
    for (size_t i = 0; i < a.size(); ++i)
        if (bitsOf(a[i]) != bitsOf(b[i])) return long(i);
    return -1;
}

}  // namespace dsptest
