// The stages of the stereo chain, to be timed one at a time, as runChannels
// calls them on one run of samples (Harmonic 60, Dynamic 70, Dither on,
// Gold, 48 kHz): which stage the busy stereo callback spends its time in,
// measured rather than estimated from sampled profiles. The stages' sum is
// close to the callback; the rest is the copying in and out, the noise
// draws and the non-finite check.
//
// Compiled once per variant with its compiler target; its inline functions
// live in the namespace given by ORVANTA_SIMD_NAMESPACE, apart from the
// module's own copies.
#include <cmath>
#include <cstdint>

// This variant's namespace is opened as inline before the header names it.
namespace OrvantaChain {
inline namespace ORVANTA_SIMD_NAMESPACE {}
}  // namespace OrvantaChain

#include "bench/orvanta_stage_cases.h"
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

// One run's stage arrays and channel state, filled with a test signal and
// what the stages before each one would have left.
struct RunFixture {
    SOrvanta_Private_Data data{};
    BlockSetup setup;
    ChannelState<Lanes> state = {};
    uint32_t draws[2][kRunLength];
    const uint32_t* drawRows[2] = {draws[0], draws[1]};
    F x[kRunLength], dither[kRunLength], harmonicHP[kRunLength], squareHP[kRunLength], emphasised[kRunLength];
    F colourSource[kRunLength], steered[kRunLength], curveOut[kRunLength];
    F centre[kRunLength], out[kRunLength], noiseLowPassed[kRunLength], scratchA[kRunLength], scratchB[kRunLength];
    F history[Orvanta::kDelayLineSlots + kRunLength] = {};
    // The run's length, read from memory as the callbacks' is, so the
    // compiler does not build the stages for one constant length.
    volatile int32_t length = kRunLength;

    RunFixture() {
        Orvanta_InitChannelStates(48000.0f, &data, sizeof data);
        setup = prepareBlock({0.6f, 0.7f, 1.0f, Orvanta::kDitherOn, 2}, data.m_Channels[0]);
        SOrvanta_Channel_State* records[2] = {&data.m_Channels[0], &data.m_Channels[1]};
        state.load(records, setup.lineLength);
        for (int32_t i = 0; i < kRunLength; ++i) {
            const double t = double(i) / 48000.0;
            x[i] = F{float(0.8 * std::sin(2 * M_PI * 220.0 * t)), float(0.6 * std::sin(2 * M_PI * 330.0 * t))};
            draws[0][i] = uint32_t(i) * 2654435761u >> 1;
            draws[1][i] = uint32_t(i) * 2246822519u >> 1;
        }
        for (int stage = 0; stage < kStages; ++stage) runStage(stage);  // every array as it would be
    }

    // The shaper's low-passes filter their inputs in place, so the first
    // filters run the polynomial pass first to get their inputs back: their
    // figure includes it (subtract ShaperPolynomial).
    static constexpr int kStages = 8;
    void runStage(int stage) {
        const int32_t count = length;
        switch (stage) {
            case 0: Run::curveAll(x, curveOut, count); break;
            case 1: Run::shaperPolynomial(x, curveOut, harmonicHP, squareHP, count); break;
            case 2:
                Run::shaperPolynomial(x, curveOut, harmonicHP, squareHP, count);
                Run::firstFilters(setup, state, drawRows, x, dither, harmonicHP, squareHP, emphasised,
                                  noiseLowPassed, scratchB, count);
                break;
            case 3: Run::drivenCurve(setup, flat(emphasised), flat(harmonicHP), flat(colourSource), 2 * count); break;
            case 4:
                Run::colour(setup, state, x, colourSource, dither, noiseLowPassed, history + setup.lineLength, count);
                break;
            case 5: Run::delay(setup, dither, history, centre, steered, count); break;
            case 6: Run::curveAll(steered, curveOut, count); break;
            case 7: Run::lastFilters(setup, state, steered, curveOut, squareHP, centre, out, scratchA, count); break;
            default: break;
        }
    }
};

constexpr const char* kStageNames[RunFixture::kStages] = {
    "CurvePass", "ShaperPolynomial", "FirstFilters", "DrivenCurve",
    "ColourFilters", "DelayTaps", "CurveOfSteeredTap", "LastFilters"};

void runOnce(int stage) {
    static RunFixture fixture;  // about 60 KiB: kept off the stack
    fixture.runStage(stage);
}

}  // namespace
}  // inline namespace ORVANTA_SIMD_NAMESPACE

StageSet ORVANTA_STAGE_SET() { return {RunFixture::kStages, kStageNames, runOnce, kRunLength}; }

}  // namespace OrvantaChain
