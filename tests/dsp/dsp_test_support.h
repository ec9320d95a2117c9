// Signal-path test helpers: an instance as a host holds it, packets, signals, fresh noise per thread.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <future>
#include <vector>

#include "effect/dsp/Orvanta_AlgorithmProcess.h"
#include "effect/dsp/Orvanta_ChannelState.h"

namespace dsptest {

// Harmonic, Dynamic, gain, Dither, Color.
inline SOrvanta_Knob_Packet defaultsPacket() { return {0.0f, 0.0f, 1.0f, Orvanta::kDitherOff, 2}; }
inline SOrvanta_Knob_Packet bypassPacket() { return {0.0f, 0.0f, 1.0f, Orvanta::kDitherOff, 1}; }
inline SOrvanta_Knob_Packet busyPacket(int32_t color) { return {0.6f, 0.7f, 1.0f, Orvanta::kDitherOn, color}; }

enum class Layout { Mono, Stereo };
using Signals = std::vector<std::vector<float>>;  // one signal per channel

struct Instance {
    SOrvanta_Knob_Packet packet;
    SOrvanta_Private_Data data{};
    std::vector<float> in[2], out[2];
    float* inputs[2] = {nullptr, nullptr};
    float* outputs[2] = {nullptr, nullptr};
    int32_t length = 0;
    SOrvanta_Alg_Context context{&packet, &data, inputs, outputs, &length};

    Instance(float rate, const SOrvanta_Knob_Packet& p) : packet(p) { Orvanta_InitChannelStates(rate, &data, sizeof data); }

    bool inPlace = false;  // load() points the outputs at the inputs

    // Points the context at a copy of samples [start, start + count) and at fresh outputs.
    void load(const Signals& signal, size_t start, int32_t count) {
        for (size_t ch = 0; ch < signal.size(); ++ch) {
            in[ch].assign(signal[ch].begin() + long(start), signal[ch].begin() + long(start + size_t(count)));
            out[ch].assign(size_t(count), -99.0f);
            inputs[ch] = in[ch].data();
            outputs[ch] = inPlace ? inputs[ch] : out[ch].data();
        }
        length = count;
    }

    // Runs one block of n samples straight on the given buffers.
    void runOn(Layout layout, const std::vector<float*>& ins, const std::vector<float*>& outs, int32_t n) {
        std::copy(ins.begin(), ins.end(), inputs);
        std::copy(outs.begin(), outs.end(), outputs);
        length = n;
        run(layout);
    }

    void run(Layout layout) {
        SOrvanta_Alg_Context* batch[1] = {&context};
        (layout == Layout::Mono ? Orvanta_AlgorithmProcessFunction : Orvanta_AlgorithmProcessFunctionStereo)(batch, batch + 1);
    }

    // Processes whole signals in blocks cycling through the pattern; runBlock processes one
    // loaded block (by default the layout's callback).
    Signals process(Layout layout, const Signals& signal, const std::vector<int32_t>& pattern,
                    const std::function<void()>& runBlock = nullptr) {
        Signals result(signal.size());
        for (size_t start = 0, b = 0; start < signal[0].size(); ++b) {
            const auto count = int32_t(std::min(size_t(pattern[b % pattern.size()]), signal[0].size() - start));
            load(signal, start, count);
            runBlock ? runBlock() : run(layout);
            for (size_t ch = 0; ch < signal.size(); ++ch) result[ch].insert(result[ch].end(), outputs[ch], outputs[ch] + count);
            start += size_t(count);
        }
        return result;
    }
    Signals process(Layout layout, const Signals& signal, int32_t blockSize) {
        return process(layout, signal, std::vector<int32_t>{blockSize});
    }
};

// Quiet and loud stretches, peaks beyond +-1 reaching the curve's clamped ends.
inline std::vector<float> testSignal(size_t length, double seed = 0.0) {
    std::vector<float> s(length);
    for (size_t i = 0; i < length; ++i) {
        const double t = double(i), envelope = 0.15 + 1.1 * std::fabs(std::sin(t * 0.0021 + seed));
        s[i] = float(envelope * (0.7 * std::sin(t * 0.061 + seed) + 0.35 * std::sin(t * 0.83 + 2 * seed)));
    }
    return s;
}

inline Signals signals(Layout layout, size_t length) {
    Signals s = {testSignal(length, 0.0)};
    if (layout == Layout::Stereo) s.push_back(testSignal(length, 1.3));
    return s;
}

// Runs fn on a new thread (noise sequence from its start) and returns its result.
template <class Fn>
auto onFreshThread(const Fn& fn) { return std::async(std::launch::async, fn).get(); }

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
