// The stages of the stereo chain timed one at a time, as runChannels calls
// them on one run of samples (Harmonic 60, Dynamic 70, Dither on, Gold, 48
// kHz): which stage the busy stereo callback spends its time in, measured
// in one run rather than estimated from sampled profiles. The stages' sum is
// close to the callback; the difference is the copying in and out, the noise
// draws and the non-finite check.
//
// Compiled once per variant with its compiler target; this file's inline
// functions live in the namespace given by ORVANTA_SIMD_NAMESPACE, apart
// from the module's own copies.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

#include "effect/Orvanta_Defs.h"
#include "effect/dsp/Orvanta_AlgContext.h"
#include "effect/dsp/Orvanta_ChannelState.h"
#include "effect/dsp/Orvanta_SignalChain.h"
#include "effect/dsp/Orvanta_TransferCurve.h"

namespace OrvantaChain {
inline namespace ORVANTA_SIMD_NAMESPACE {
namespace {

using Lanes = TwoLanes;
using F = Lanes::F;
using Run = Stages<Lanes, TransferCurve::Offset>;
constexpr int32_t kCount = kRunLength;

// One run's stage arrays and channel state, filled with a music-like signal
// and what the stages before each one would have left.
struct RunFixture {
    SOrvanta_Private_Data data{};
    BlockSetup setup;
    ChannelState<Lanes> state = {};
    uint32_t draws[2][kCount];
    const uint32_t* drawRows[2] = {draws[0], draws[1]};
    F x[kCount], dither[kCount], harmonicHP[kCount], squareHP[kCount], emphasised[kCount];
    F colourSource[kCount], lineInput[kCount], steered[kCount], curveOut[kCount], centre[kCount];
    F out[kCount], scratchA[kCount], scratchB[kCount];
    F history[Orvanta::kDelayLineSlots + kCount] = {};
    // The run's length, read from memory as the callbacks' is, so the
    // compiler does not build the stages for one constant length.
    int32_t count = kCount;

    RunFixture() {
        Orvanta_InitChannelStates(48000.0f, &data, sizeof data);
        setup = prepareBlock({0.6f, 0.7f, 1.0f, Orvanta::kDitherOn, 2}, data.m_Channels[0]);
        SOrvanta_Channel_State* records[2] = {&data.m_Channels[0], &data.m_Channels[1]};
        state.load(records, setup.lineLength);
        for (int32_t i = 0; i < kCount; ++i) {
            const float t = float(i) / 48000.0f;
            x[i] = F{0.8f * std::sin(2.0f * float(M_PI) * 220.0f * t), 0.6f * std::sin(2.0f * float(M_PI) * 330.0f * t)};
            draws[0][i] = uint32_t(i) * 2654435761u >> 1;
            draws[1][i] = uint32_t(i) * 2246822519u >> 1;
        }
        // Each stage once in order, so every array holds what it would.
        Run::curveAll(x, curveOut, count);
        Run::shaperPolynomial(x, curveOut, harmonicHP, squareHP, count);
        Run::firstFilters(setup, state, drawRows, x, dither, harmonicHP, squareHP, emphasised, scratchA, scratchB,
                          count);
        Run::drivenCurve(setup, flat(emphasised), flat(harmonicHP), flat(colourSource), 2 * count);
        Run::colour(setup, state, x, colourSource, dither, lineInput, count);
        Run::delay(setup, lineInput, dither, history, centre, steered, count);
        Run::curveAll(steered, curveOut, count);
    }
};

void reportPerSampleChannel(benchmark::State& bench) {
    bench.counters["per_sample_ch"] = benchmark::Counter(double(bench.iterations()) * kCount * 2,
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Times one stage over the run again and again. The shaper's low-passes
// filter their inputs in place, so FirstFilters runs the polynomial pass
// before them to give them their inputs back: subtract ShaperPolynomial.
void timeStage(benchmark::State& bench, const std::function<void(RunFixture&)>& stage) {
    static RunFixture fixture;  // about 40 KiB: kept off the stack
    for (auto _ : bench) {
        stage(fixture);
        benchmark::DoNotOptimize(fixture.out);
        benchmark::ClobberMemory();
    }
    reportPerSampleChannel(bench);
}

}  // namespace

void registerStageCases(const char* variant) {
    const struct {
        const char* name;
        std::function<void(RunFixture&)> stage;
    } cases[] = {
        {"CurvePass", [](RunFixture& f) { Run::curveAll(f.x, f.curveOut, f.count); }},
        {"ShaperPolynomial",
         [](RunFixture& f) { Run::shaperPolynomial(f.x, f.curveOut, f.harmonicHP, f.squareHP, f.count); }},
        {"FirstFilters",
         [](RunFixture& f) {
             Run::shaperPolynomial(f.x, f.curveOut, f.harmonicHP, f.squareHP, f.count);
             Run::firstFilters(f.setup, f.state, f.drawRows, f.x, f.dither, f.harmonicHP, f.squareHP, f.emphasised,
                               f.scratchA, f.scratchB, f.count);
         }},
        {"DrivenCurve",
         [](RunFixture& f) {
             Run::drivenCurve(f.setup, flat(f.emphasised), flat(f.harmonicHP), flat(f.colourSource), 2 * f.count);
         }},
        {"ColourFilters",
         [](RunFixture& f) { Run::colour(f.setup, f.state, f.x, f.colourSource, f.dither, f.lineInput, f.count); }},
        {"DelayTaps",
         [](RunFixture& f) {
             Run::delay(f.setup, f.lineInput, f.dither, f.history, f.centre, f.steered, f.count);
         }},
        {"LastFilters",
         [](RunFixture& f) {
             Run::lastFilters(f.setup, f.state, f.steered, f.curveOut, f.squareHP, f.centre, f.out, f.scratchA,
                              kCount);
         }},
    };
    for (const auto& c : cases) {
        const auto stage = c.stage;
        benchmark::RegisterBenchmark((std::string("Stage/") + variant + "/" + c.name).c_str(),
                                     [stage](benchmark::State& bench) { timeStage(bench, stage); });
    }
}

}  // inline namespace ORVANTA_SIMD_NAMESPACE
}  // namespace OrvantaChain
