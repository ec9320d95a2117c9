// Cost of the process callbacks at 48 kHz in 512-sample blocks, as a host
// would call them, and of the noise source alone.
//
// Every case reports, besides the time per block:
//   per_sample_ch  time per sample per channel
//   x_realtime     seconds of audio processed per second of processor time
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

#include "effect/Orvanta_Defs.h"
#include "effect/model/Orvanta_ParameterTable.h"
#include "effect/dsp/Orvanta_AlgContext.h"
#include "effect/dsp/Orvanta_AlgorithmProcess.h"
#include "effect/dsp/Orvanta_ChannelState.h"
#include "effect/dsp/Orvanta_NoiseSource.h"
#include "effect/dsp/Orvanta_ProcessVariants.h"
#include "effect/dsp/Orvanta_SignalChain.h"
#include "effect/dsp/Orvanta_TransferCurve.h"
#include "bench/orvanta_stage_cases.h"

namespace {

constexpr float kRate = 48000.0f;
constexpr int32_t kBlock = 512;
constexpr size_t kSignalLength = 48000;  // one second, read block by block in a loop

enum class Layout { Mono, Stereo };

// A music-like test signal: two partials under a slow envelope, peaks near 1.
std::vector<float> musicLikeSignal(double phase) {
    std::vector<float> s(kSignalLength + kBlock);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kRate;
        const double envelope = 0.2 + 0.7 * std::fabs(std::sin(2 * M_PI * 1.3 * t + phase));
        s[i] = float(envelope * (0.8 * std::sin(2 * M_PI * 220.0 * t + phase) + 0.2 * std::sin(2 * M_PI * 3150.0 * t)));
    }
    return s;
}

// Sets flush-to-zero and denormals-are-zero for its lifetime, as hosts do on
// their audio threads.
class FlushDenormals {
public:
    explicit FlushDenormals(bool on) {
#if defined(__SSE__)
        m_saved = _mm_getcsr();
        if (on) _mm_setcsr(m_saved | 0x8040u);  // FTZ (bit 15) and DAZ (bit 6)
#else
        (void)on;
#endif
    }
    ~FlushDenormals() {
#if defined(__SSE__)
        _mm_setcsr(m_saved);
#endif
    }

private:
    unsigned m_saved = 0;
};

// One instance with its context, as a host holds it.
class Instance {
public:
    Instance(Layout layout, const SOrvanta_Knob_Packet& packet) : m_layout(layout), m_packet(packet) {
        Orvanta_InitChannelStates(kRate, &m_data, sizeof m_data);
        m_signal[0] = musicLikeSignal(0.0);
        m_signal[1] = musicLikeSignal(1.0);
        for (auto& out : m_out) out.assign(kBlock, 0.0f);
        m_outputs[0] = m_out[0].data();
        m_outputs[1] = m_out[1].data();
        m_context = {&m_packet, &m_data, m_inputs, m_outputs, &m_length};
    }

    int channels() const { return m_layout == Layout::Mono ? 1 : 2; }

    // Processes the next block of the looping test signal, or of silence.
    void processBlock(bool silent = false) {
        for (int ch = 0; ch < 2; ++ch)
            m_inputs[ch] = silent ? m_silence : m_signal[ch].data() + m_position;
        m_position = (m_position + kBlock) % kSignalLength;
        SOrvanta_Alg_Context* batch[1] = {&m_context};
        if (m_layout == Layout::Mono)
            Orvanta_AlgorithmProcessFunction(batch, batch + 1);
        else
            Orvanta_AlgorithmProcessFunctionStereo(batch, batch + 1);
        benchmark::DoNotOptimize(m_out[0].data());
        benchmark::DoNotOptimize(m_out[1].data());
    }

private:
    Layout m_layout;
    SOrvanta_Knob_Packet m_packet;
    SOrvanta_Private_Data m_data{};
    std::vector<float> m_signal[2], m_out[2];
    float m_silence[kBlock] = {};
    float* m_inputs[2] = {nullptr, nullptr};
    float* m_outputs[2] = {nullptr, nullptr};
    int32_t m_length = kBlock;
    size_t m_position = 0;
    SOrvanta_Alg_Context m_context{};
};

void reportPerSample(benchmark::State& state, int channels) {
    const double samples = double(state.iterations()) * kBlock;
    state.counters["per_sample_ch"] = benchmark::Counter(samples * channels, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["x_realtime"] = benchmark::Counter(samples / kRate, benchmark::Counter::kIsRate);
}

void runCallback(benchmark::State& state, Layout layout, SOrvanta_Knob_Packet packet) {
    Instance instance(layout, packet);
    for (int warm = 0; warm < 200; ++warm) instance.processBlock();
    for (auto _ : state) instance.processBlock();
    reportPerSample(state, instance.channels());
}

// Silence after a loud burst: the filter states decay toward zero and, in
// the default floating-point mode, through the subnormal range, where many
// of them stay (a one-pole step on a tiny state rounds back to the state).
// The burst and 20 seconds of decay run before timing, in the mode measured.
void runSilentTail(benchmark::State& state, Layout layout, bool flushDenormals) {
    const FlushDenormals mode(flushDenormals);
    Instance instance(layout, {0.6f, 0.7f, 1.0f, Orvanta::kDitherOff, 2});
    for (int block = 0; block < 48000 / kBlock; ++block) instance.processBlock();
    for (int block = 0; block < 20 * 48000 / kBlock; ++block) instance.processBlock(true);
    for (auto _ : state) instance.processBlock(true);
    reportPerSample(state, instance.channels());
}

void runNoiseDraws(benchmark::State& state) {
    Orvanta_NoiseSource noise;
    uint32_t draws[kBlock];
    for (auto _ : state) {
        noise.Fill(draws, kBlock);
        benchmark::DoNotOptimize(draws);
    }
    reportPerSample(state, 1);
}

// The yardstick: the recurrences no implementation of the chain can avoid,
// alone. Two channels (L and R in the two lanes of a vector) each run 17
// one-pole low-passes in series, as many as the chain carries per channel,
// on the same test signal and blocks as the callbacks. Its time per sample
// per channel is the bound the busy stereo callback is compared with.
void runYardstick(benchmark::State& state) {
    using OrvantaChain::Float2;
    constexpr int kPoles = 17;
    const std::vector<float> signal[2] = {musicLikeSignal(0.0), musicLikeSignal(1.0)};
    std::vector<float> out[2] = {std::vector<float>(kBlock), std::vector<float>(kBlock)};
    Float2 poles[kPoles] = {};
    float k[kPoles];
    for (int p = 0; p < kPoles; ++p) k[p] = 0.05f + 0.05f * float(p);  // 0.05 .. 0.85
    size_t position = 0;
    for (auto _ : state) {
        const float* in[2] = {signal[0].data() + position, signal[1].data() + position};
        for (int32_t i = 0; i < kBlock; ++i) {
            Float2 v = {in[0][i], in[1][i]};
            for (int p = 0; p < kPoles; ++p) v = poles[p] = (v - poles[p]) * k[p] + poles[p];
            out[0][i] = v[0];
            out[1][i] = v[1];
        }
        position = (position + kBlock) % kSignalLength;
        benchmark::DoNotOptimize(out[0].data());
        benchmark::DoNotOptimize(out[1].data());
    }
    reportPerSample(state, 2);
}

// The stereo chain stage by stage, for each variant this processor runs:
// Stage/<variant>/<stage>.
void registerStages() {
    const struct {
        const SOrvanta_ProcessVariant& variant;
        OrvantaChain::StageSet (*stageSet)();
    } variants[] = {{kOrvanta_ProcessBaseline, OrvantaChain::stageSetBaseline},
                    {kOrvanta_ProcessAvx2, OrvantaChain::stageSetAvx2},
                    {kOrvanta_ProcessAvx512, OrvantaChain::stageSetAvx512}};
    for (const auto& v : variants) {
        if (!v.variant.supported()) continue;
        const OrvantaChain::StageSet set = v.stageSet();
        for (int stage = 0; stage < set.count; ++stage) {
            const std::string name = std::string("Stage/") + v.variant.name + "/" + set.names[stage];
            benchmark::RegisterBenchmark(name.c_str(), [set, stage](benchmark::State& state) {
                for (auto _ : state) {
                    set.run(stage);
                    benchmark::ClobberMemory();
                }
                state.counters["per_sample_ch"] = benchmark::Counter(
                    double(state.iterations()) * set.samplesPerRun * 2, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
            });
        }
    }
}

void registerAll() {
    const struct {
        const char* name;
        Layout layout;
    } layouts[] = {{"Mono", Layout::Mono}, {"Stereo", Layout::Stereo}};

    for (const auto& l : layouts) {
        const std::string prefix = std::string(l.name) + "/";
        const Layout layout = l.layout;
        benchmark::RegisterBenchmark((prefix + "Defaults").c_str(), [layout](benchmark::State& s) {
            runCallback(s, layout, {0.0f, 0.0f, 1.0f, Orvanta::kDitherOff, 2});
        });
        for (int32_t color = Orvanta::kColorMin; color <= Orvanta::kColorMax; ++color)
            benchmark::RegisterBenchmark((prefix + "Busy/" + Orvanta::ValueName(*Orvanta::FindParameter(Orvanta::kParamID_Color), color)).c_str(),
                                         [layout, color](benchmark::State& s) {
                                             runCallback(s, layout, {0.6f, 0.7f, 1.0f, Orvanta::kDitherOn, color});
                                         });
        benchmark::RegisterBenchmark((prefix + "SilentTail/DefaultFP").c_str(),
                                     [layout](benchmark::State& s) { runSilentTail(s, layout, false); });
        benchmark::RegisterBenchmark((prefix + "SilentTail/FTZ_DAZ").c_str(),
                                     [layout](benchmark::State& s) { runSilentTail(s, layout, true); });
    }
    benchmark::RegisterBenchmark("Yardstick/Stereo17OnePoles", runYardstick);
    benchmark::RegisterBenchmark("Noise/Draws", runNoiseDraws);
    registerStages();
}

}  // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
