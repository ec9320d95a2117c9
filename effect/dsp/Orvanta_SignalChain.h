// The per-sample signal chain shared by the mono and the stereo callback.
//
// Precision: every assignment is single-precision arithmetic unless it goes
// through narrow(...), which evaluates the bracketed expression in double
// precision (operands widened, double constants) and rounds once. The order
// of operations is the order written; the build forbids contraction into
// fused multiply-adds and any relaxed floating-point mode, so every result is
// the same on every run, block size and lane count.
//
// Speed: the chain of one sample is long and each step waits for the one
// before, while the only dependencies from one sample to the next are the
// filter states and the delay line. The chain therefore runs as short stage
// loops over a run of samples: flat vector passes for the steps that depend
// on no earlier sample, and three software pipelines for the filters, in
// which each operation's inputs were mostly computed an iteration earlier
// (see pipeline()). The stages pass their results on in small arrays. Every
// sample still sees exactly the operations of the chain in their order.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "effect/Orvanta_Defs.h"
#include "effect/dsp/Orvanta_AlgContext.h"
#include "effect/dsp/Orvanta_ChainConstants.h"
#include "effect/dsp/Orvanta_ChannelState.h"
#include "effect/dsp/Orvanta_Coefficients.h"
#include "effect/dsp/Orvanta_Lanes.h"
#include "effect/dsp/Orvanta_NoiseSource.h"

namespace OrvantaChain {
inline namespace ORVANTA_SIMD_NAMESPACE {

// Working values of one instance's block, derived from its packet and its
// first channel-state record before the first sample.
struct BlockSetup {
    SOrvanta_Coefficients coeffs;  // the rate row scaled for the colour type
    float colourShare;             // Harmonic: the blend's share of the colour signal
    float dryShare;                // 1 - colourShare
    float dynamicSq;               // Dynamic squared
    float gain;                    // output gain
    float ditherIntoLine;          // noise into the delay line
    float ditherIntoSteering;      // noise into the tap steering
    float driveNorm;               // G
    float driveNormInv;            // 1 / G
    int32_t lineLength;            // L: 13, 25 or 49
    int32_t centreOffset;          // 6 * rate multiple
};

// Audio thread, once per instance and callback.
inline BlockSetup prepareBlock(const SOrvanta_Knob_Packet& packet, const SOrvanta_Channel_State& first) {
    BlockSetup s;
    const float dynamic = packet.m_fDynamic;
    s.dynamicSq = dynamic * dynamic;
    s.coeffs = Orvanta_SelectCoefficients(first.m_iRateCase, packet.m_iColor, s.dynamicSq);

    // Dither is on only for the "on" value; anything else counts as off.
    const int32_t ditherSteps = packet.m_iDither == Orvanta::kDitherOn ? 1 : 0;
    s.ditherIntoLine = static_cast<float>(kDitherIntoLine * double(ditherSteps));
    s.ditherIntoSteering = static_cast<float>(kDitherIntoSteering * double(ditherSteps));

    const float dynamicPow4 = s.dynamicSq * s.dynamicSq;
    const double normBias = s.coeffs.color.fNormBias;
    s.driveNorm =
        static_cast<float>(double(dynamicPow4) * (kDriveNormSpan + normBias) + (kDriveNormFloor - normBias));
    s.driveNormInv = 1.0f / s.driveNorm;

    // A multiple other than 2 or 4 runs the 13-slot line of multiple 1, so a
    // stray record cannot steer an index outside the line.
    const uint32_t m = first.m_uRateMultiple;
    const int32_t multiple = (m == 2 || m == 4) ? int32_t(m) : 1;
    s.lineLength = 2 * kCentreTapPerMultiple * multiple + 1;
    s.centreOffset = kCentreTapPerMultiple * multiple;

    s.colourShare = packet.m_fHarmonic;
    s.dryShare = 1.0f - s.colourShare;
    s.gain = packet.m_fOutputGain;
    return s;
}

// Tap offset for a steering value: the number of thresholds it exceeds,
// minus 6, so a steering above 0.5 gives +6, 0 gives -1 and -0.4165 or less
// or not a number gives -6. The steering is compared in double precision
// with the double thresholds; counted rather than branched, so a signal that
// wanders across thresholds costs no mispredicted branches.
inline int32_t tapOffset(float steering) {
    const double wide = steering;
    int32_t above = 0;
    for (double threshold : kTapThresholds) above += wide > threshold ? 1 : 0;
    return above + kTapOffsetMin;
}

// The largest float not above t. For a float c, (double)c > t exactly when
// c > floatAtOrBelow(t): the floats above t are those above the float just
// below or at it. Not-a-number compares false either way.
constexpr float floatAtOrBelow(double t) {
    if (t == 0.0) return 0.0f;
    const double magnitude = t < 0 ? -t : t;
    double step = 1.0;  // the float spacing in magnitude's binade
    while (step > magnitude) step /= 2;
    while (step * 2 <= magnitude) step *= 2;
    step /= 8388608.0;  // 2^23
    const double steps = magnitude / step;  // exact: a power-of-two scaling
    const auto whole = static_cast<int64_t>(steps);
    if (t > 0) return static_cast<float>(double(whole) * step);
    return static_cast<float>(-double(whole + (double(whole) < steps ? 1 : 0)) * step);
}

// The thresholds in single precision, for comparisons in single precision.
struct TapThresholdFloats {
    float values[12];
};
constexpr TapThresholdFloats makeTapThresholdFloats() {
    TapThresholdFloats t = {};
    for (int j = 0; j < 12; ++j) t.values[j] = floatAtOrBelow(kTapThresholds[j]);
    return t;
}
constexpr TapThresholdFloats kTapThresholdFloats = makeTapThresholdFloats();

// tapOffset(steering) - kTapOffsetMin, compared in single precision: the
// same count, in steps the compiler vectorises over many steering values.
inline int32_t thresholdsExceeded(float steering) {
    int32_t above = 0;
    for (float threshold : kTapThresholdFloats.values) above += steering > threshold ? 1 : 0;
    return above;
}

// The lanes' values of an array of lane vectors as one flat array of floats
// (lane vectors are arrays of floats in memory, and may be read as floats).
inline float* flat(float* v) { return v; }
inline const float* flat(const float* v) { return v; }
inline float* flat(Float2* v) { return reinterpret_cast<float*>(v); }
inline const float* flat(const Float2* v) { return reinterpret_cast<const float*>(v); }

// The filter states and delay-line positions of the channels in the lanes,
// held in locals for a block and stored back to the records at its end.
template <class Lanes>
struct ChannelState {
    using F = typename Lanes::F;
    F tapShaperLP, inputLP, colorLP, squareLP, harmonicLP, tapLP;
    F driveLP2, driveLP1, emphasisLP2, emphasisLP1, outputLP1, outputLP2;
    F noise, noiseLP1, noiseLP2, noiseLP3, noiseLP4;
    int32_t w[Lanes::kLanes];  // next delay-line slot to write, per channel

    void load(SOrvanta_Channel_State* const records[], int32_t lineLength) {
        for (int l = 0; l < Lanes::kLanes; ++l) {
            const SOrvanta_Channel_State& r = *records[l];
            Lanes::setLane(tapShaperLP, l, r.m_fTapShaperLP);
            Lanes::setLane(inputLP, l, r.m_fInputLP);
            Lanes::setLane(colorLP, l, r.m_fColorLP);
            Lanes::setLane(squareLP, l, r.m_fSquareLP);
            Lanes::setLane(harmonicLP, l, r.m_fHarmonicLP);
            Lanes::setLane(tapLP, l, r.m_fTapLP);
            Lanes::setLane(driveLP2, l, r.m_fDriveLP2);
            Lanes::setLane(driveLP1, l, r.m_fDriveLP1);
            Lanes::setLane(emphasisLP2, l, r.m_fEmphasisLP2);
            Lanes::setLane(emphasisLP1, l, r.m_fEmphasisLP1);
            Lanes::setLane(outputLP1, l, r.m_fOutputLP1);
            Lanes::setLane(outputLP2, l, r.m_fOutputLP2);
            Lanes::setLane(noise, l, r.m_fNoise);
            Lanes::setLane(noiseLP1, l, r.m_fNoiseLP1);
            Lanes::setLane(noiseLP2, l, r.m_fNoiseLP2);
            Lanes::setLane(noiseLP3, l, r.m_fNoiseLP3);
            Lanes::setLane(noiseLP4, l, r.m_fNoiseLP4);
            // Always a slot of the line in use, whatever the record held.
            w[l] = r.m_iWriteIndex % lineLength;
            if (w[l] < 0) w[l] += lineLength;
        }
    }

    void store(SOrvanta_Channel_State* const records[]) const {
        for (int l = 0; l < Lanes::kLanes; ++l) {
            SOrvanta_Channel_State& r = *records[l];
            r.m_fTapShaperLP = Lanes::lane(tapShaperLP, l);
            r.m_fInputLP = Lanes::lane(inputLP, l);
            r.m_fColorLP = Lanes::lane(colorLP, l);
            r.m_fSquareLP = Lanes::lane(squareLP, l);
            r.m_fHarmonicLP = Lanes::lane(harmonicLP, l);
            r.m_fTapLP = Lanes::lane(tapLP, l);
            r.m_fDriveLP2 = Lanes::lane(driveLP2, l);
            r.m_fDriveLP1 = Lanes::lane(driveLP1, l);
            r.m_fEmphasisLP2 = Lanes::lane(emphasisLP2, l);
            r.m_fEmphasisLP1 = Lanes::lane(emphasisLP1, l);
            r.m_fOutputLP1 = Lanes::lane(outputLP1, l);
            r.m_fOutputLP2 = Lanes::lane(outputLP2, l);
            r.m_fNoise = Lanes::lane(noise, l);
            r.m_fNoiseLP1 = Lanes::lane(noiseLP1, l);
            r.m_fNoiseLP2 = Lanes::lane(noiseLP2, l);
            r.m_fNoiseLP3 = Lanes::lane(noiseLP3, l);
            r.m_fNoiseLP4 = Lanes::lane(noiseLP4, l);
            r.m_iWriteIndex = w[l];
        }
    }

    // The delay lines unrolled, oldest value first: history[j] is slot
    // (w + j) mod L, so history[0] is the slot written next and
    // history[L - 1] the one written last.
    void loadHistory(SOrvanta_Channel_State* const records[], int32_t lineLength, F* history) const {
        for (int l = 0; l < Lanes::kLanes; ++l) {
            int32_t slot = w[l];
            for (int32_t j = 0; j < lineLength; ++j) {
                Lanes::setLane(history[j], l, records[l]->m_fDelayLine[slot]);
                slot = slot + 1 == lineLength ? 0 : slot + 1;
            }
        }
    }

    // After `written` more values: moves the write index on and rolls the
    // last L values of the history back into the circular lines.
    void storeHistory(SOrvanta_Channel_State* const records[], int32_t lineLength, const F* history,
                      int32_t written) {
        for (int l = 0; l < Lanes::kLanes; ++l) {
            w[l] = int32_t((int64_t(w[l]) + written) % lineLength);
            int32_t slot = w[l];
            for (int32_t j = 0; j < lineLength; ++j) {
                records[l]->m_fDelayLine[slot] = Lanes::lane(history[j], l);
                slot = slot + 1 == lineLength ? 0 : slot + 1;
            }
        }
    }
};

// Software pipeline over count samples: each iteration runs step J on
// sample i - J for J = kSteps - 1 down to 0, so a step reads what the step
// before it left one iteration earlier, and every sample still passes the
// steps in their order. The processor then finds the inputs of most
// operations ready when it reaches them, instead of holding a whole
// sample's chain of dependent operations in its window.
//
// step(std::integral_constant<int, J>, sample) runs step J on a sample. The
// first kSteps - 1 iterations (filling) and the last (draining) skip the
// steps whose sample lies outside 0 .. count - 1; the iterations between
// run every step unchecked.
//
// Always inlined into the stage: the filter states are locals of the stage
// that the steps reach by reference, and only there can the compiler keep
// them in registers. Clang otherwise left the pipeline out of line and each
// recurrence went through memory (the filter stages twice as slow).
template <int J, bool kGuarded, class Step>
[[gnu::always_inline]] inline void pipelineIteration(Step& step, int32_t i, int32_t count) {
    if constexpr (J >= 0) {
        const int32_t sample = i - J;
        if (!kGuarded || (sample >= 0 && sample < count)) step(std::integral_constant<int, J>{}, sample);
        pipelineIteration<J - 1, kGuarded>(step, i, count);
    }
}

template <int kSteps, class Step>
[[gnu::always_inline]] inline void pipeline(int32_t count, Step step) {
    const int32_t end = count + kSteps - 1;
    const int32_t fill = kSteps - 1 < end ? kSteps - 1 : end;
    int32_t i = 0;
    for (; i < fill; ++i) pipelineIteration<kSteps - 1, true>(step, i, count);
    for (; i < count; ++i) pipelineIteration<kSteps - 1, false>(step, i, count);
    for (; i < end; ++i) pipelineIteration<kSteps - 1, true>(step, i, count);
}

// The stages of the chain over a run of samples, for the channels in the
// lanes. Curve is the transfer-curve form of the calling callback
// (TransferCurve::Offset or TransferCurve::Signed).
template <class Lanes, class Curve>
struct Stages {
    using F = typename Lanes::F;
    using D = typename Lanes::D;
    using State = ChannelState<Lanes>;

    // One-pole low-pass: s := (in - s) * k + s, subtract, multiply, add.
    template <class V, class K>
    static V lowPass(V& s, V in, K k) {
        s = (in - s) * k + s;
        return s;
    }

    // The curve of every value of n samples' lanes, in vector code.
    static void curveAll(const F* in, F* out, int32_t count) {
        Curve::applyAll(flat(in), flat(out), count * Lanes::kLanes);
    }

    // The filters of each stage hold their states and coefficients in
    // members of a local object for a run and store the states back at its
    // end: the stage arrays could otherwise alias them, and the compiler
    // would reload and store every state on every sample, inside the filter
    // recurrences. The filters of several stages run in one pipeline: each
    // sample still sees every stage's operations in their order, and the
    // processor overlaps the stages' recurrences.

    // The filters of each stage are written as numbered steps for
    // pipeline(): step J of a sample reads only what earlier steps of the
    // same sample left in the members, so the steps of different samples
    // interleave.

    // Calls step<J>(i) of each of the filter groups.
    template <class... Groups>
    static auto stepsOf(Groups&... groups) {
        return [&groups...](auto step, int32_t i) { (groups.template step<decltype(step)::value>(i), ...); };
    }

    // Curve shaper and harmonic polynomial of the curve's deviation from
    // its input. Passes on the polynomial and the deviation's square, each
    // minus its low-pass (ShaperFilters). The polynomial depends on no
    // earlier sample, so it runs first over the lanes' values as one flat
    // array, in vector code; the low-passes then run in the lanes.
    static void shaperPolynomial(const F* x, const F* curveOfX, F* harmonicHP, F* squareHP, int32_t count) {
        const float* const in = flat(x);
        const float* const curved = flat(curveOfX);
        float* const polynomials = flat(harmonicHP);
        float* const squares = flat(squareHP);
        for (int32_t q = 0; q < count * Lanes::kLanes; ++q) {
            const float deviation = curved[q] - in[q];
            const float deviationSq = deviation * deviation;
            const float deviationCube = deviationSq * deviation;
            polynomials[q] = static_cast<float>((double(deviationCube) + double(deviation) * kPolynomialLinear) +
                                                double(deviationSq) * kPolynomialSquare);
            squares[q] = deviationSq;
        }
    }

    // The shaper's low-passes: the polynomial and the square, each less its
    // low-pass, in place.
    // The two low-passes share their coefficient and run side by side in
    // one pair of lane vectors.
    struct ShaperFilters {
        using Pair = typename Lanes::Pair;
        float kHarmonicLP;
        Pair lowPasses;  // the polynomial's, then the square's
        F* harmonicHP;
        F* squareHP;

        ShaperFilters(const BlockSetup& s, const State& st, F* harmonicHP_, F* squareHP_)
            : kHarmonicLP(s.coeffs.rate.kHarmonicLP), lowPasses(Lanes::join(st.harmonicLP, st.squareLP)),
              harmonicHP(harmonicHP_), squareHP(squareHP_) {}

        template <int J>
        void step(int32_t i) {
            if constexpr (J == 0) {
                const Pair in = Lanes::withSecondFrom(Lanes::loadFirst(&harmonicHP[i]), &squareHP[i]);
                const Pair highPassed = in - lowPass(lowPasses, in, kHarmonicLP);
                Lanes::storeFirst(&harmonicHP[i], highPassed);
                Lanes::storeSecond(&squareHP[i], highPassed);
            }
        }

        void save(State& st) const {
            st.harmonicLP = Lanes::first(lowPasses);
            st.squareLP = Lanes::second(lowPasses);
        }
    };

    // The noise source (smoothing and four low-passes) and the emphasis (the
    // input less its low-pass, through two high shelves). centredDraws()
    // first writes the draws, centred on zero, to dither; the filters
    // replace them by the smoothed white noise and write the second noise
    // low-pass to noiseLowPassed (the colour filters run the third and
    // fourth, two by two with their own), the second shelf's input to
    // emphasised and its low-pass to emphasisLowPassed. ditherSignal() and
    // secondShelf() then finish both signals in flat passes: only the
    // filters depend on earlier samples.
    //
    // The filters run two by two in pairs of lane vectors, an emphasis
    // filter first and a noise filter second:
    // (input low-pass, smoothing), (first shelf's low-pass, first noise
    // low-pass), (second shelf's low-pass, second noise low-pass). One
    // subtraction, product and sum advance both filters of a pair, and a
    // pair's input comes from the pair before it, an iteration earlier.
    //
    // Step 0 (sample i): input low-pass and smoothing.
    // Step 1 (sample i - 1): first shelf's and first noise low-pass.
    // Step 2 (sample i - 2): the first shelf's output.
    // Step 3 (sample i - 3): second shelf's and second noise low-pass (the
    //   first noise low-pass's output waits a step for it).
    struct NoiseEmphasisFilters {
        static constexpr int kSteps = 4;
        using Pair = typename Lanes::Pair;
        Pair kFirst, kSecond, kThird;  // the pairs' coefficients
        Pair first, second, third;
        // Carried from one step to the next.
        Pair secondIn = {}, secondDelayed = {};
        Pair shelved = {};  // the first shelf's output, first
        const F* x;
        F* dither;
        F* noiseLowPassed;
        F* emphasised;
        F* emphasisLowPassed;

        NoiseEmphasisFilters(const BlockSetup& s, const State& st, const F* x_, F* dither_, F* noiseLowPassed_,
                             F* emphasised_, F* emphasisLowPassed_)
            : kFirst(Lanes::pairOf(s.coeffs.rate.kInputLP, s.coeffs.rate.kNoiseSmooth)),
              kSecond(Lanes::pairOf(s.coeffs.rate.kEmphasisLP1, s.coeffs.rate.kNoiseLP1)),
              kThird(Lanes::pairOf(s.coeffs.rate.kEmphasisLP2, s.coeffs.rate.kNoiseLP2)),
              first(Lanes::join(st.inputLP, st.noise)), second(Lanes::join(st.emphasisLP1, st.noiseLP1)),
              third(Lanes::join(st.emphasisLP2, st.noiseLP2)), x(x_),
              dither(dither_), noiseLowPassed(noiseLowPassed_), emphasised(emphasised_),
              emphasisLowPassed(emphasisLowPassed_) {}

        template <int J>
        void step(int32_t i) {
            if constexpr (J == 0) {
                lowPass(first, Lanes::withSecondFrom(Lanes::loadFirst(&x[i]), &dither[i]), kFirst);
                Lanes::storeSecond(&dither[i], first);  // the smoothed white noise
            }
            if constexpr (J == 1) {
                // (x less its low-pass, the smoothed noise); the second half
                // of the difference is not used.
                secondIn = Lanes::firstThenSecond(Lanes::loadFirst(&x[i]) - first, first);
                lowPass(second, secondIn, kSecond);
            }
            if constexpr (J == 2) {
                secondDelayed = second;
                const Pair lessLowPass = secondIn - second;  // first: the input less the shelf's low-pass
                shelved = Lanes::narrowFirst(Lanes::widenFirst(secondIn) * kEmphasis1LowShare +
                                             Lanes::widenFirst(lessLowPass));
            }
            if constexpr (J == 3) {
                lowPass(third, Lanes::firstThenSecond(shelved, secondDelayed), kThird);
                Lanes::storeFirst(&emphasised[i], shelved);
                Lanes::storeFirst(&emphasisLowPassed[i], third);
                Lanes::storeSecond(&noiseLowPassed[i], third);
            }
        }

        // The draws (0 .. 2^31 - 1) of count samples scaled to 0 .. 1 and
        // centred on zero, lane l of sample i from draws[l][i].
        static void centredDraws(const uint32_t* const draws[], F* dither, int32_t count) {
            for (int32_t i = 0; i < count; ++i)
                for (int l = 0; l < Lanes::kLanes; ++l)
                    flat(dither)[i * Lanes::kLanes + l] =
                        static_cast<float>(static_cast<int32_t>(draws[l][i])) * kDrawScale - kDrawMidpoint;
        }

        // The dither signal of count samples, in place of their white noise.
        static void ditherSignal(F* dither, const F* lowPassed, int32_t count) {
            float* const white = flat(dither);
            for (int32_t q = 0; q < count * Lanes::kLanes; ++q)
                white[q] = static_cast<float>(double(flat(lowPassed)[q]) +
                                              (double(white[q]) * kDitherWhiteLevel) * kDitherWhiteBoost);
        }

        // The second shelf's output of count samples, in place of its input.
        static void secondShelf(F* emphasised, const F* lowPassed, int32_t count) {
            float* const shelved = flat(emphasised);
            for (int32_t q = 0; q < count * Lanes::kLanes; ++q)
                shelved[q] = static_cast<float>(double(shelved[q]) * kEmphasis2LowShare +
                                                double(shelved[q] - flat(lowPassed)[q]));
        }

        void save(State& st) const {
            st.inputLP = Lanes::first(first);
            st.noise = Lanes::second(first);
            st.emphasisLP1 = Lanes::first(second);
            st.noiseLP1 = Lanes::second(second);
            st.emphasisLP2 = Lanes::first(third);
            st.noiseLP2 = Lanes::second(third);
        }
    };

    // The noise source's first filters, the shaper's low-passes and the
    // emphasis in one pipeline: none waits for another, so their
    // recurrences overlap. Then the emphasis's second shelf in a flat pass.
    // Leaves the smoothed white noise in dither and the second noise
    // low-pass in noiseLowPassed for the colour filters; emphasisScratch
    // holds count values.
    static void firstFilters(const BlockSetup& s, State& st, const uint32_t* const draws[], const F* x, F* dither,
                             F* harmonicHP, F* squareHP, F* emphasised, F* noiseLowPassed, F* emphasisScratch,
                             int32_t count) {
        NoiseEmphasisFilters::centredDraws(draws, dither, count);
        NoiseEmphasisFilters filters(s, st, x, dither, noiseLowPassed, emphasised, emphasisScratch);
        ShaperFilters shaper(s, st, harmonicHP, squareHP);
        pipeline<NoiseEmphasisFilters::kSteps>(count, stepsOf(filters, shaper));
        filters.save(st);
        shaper.save(st);
        NoiseEmphasisFilters::secondShelf(emphasised, emphasisScratch, count);
    }

    // The driven curve pass: the emphasised signal, driven by G and the
    // colour type's drive, through the curve and back down by 1/G, plus the
    // harmonic polynomial. Passes on this source of the colour signal. No
    // step depends on another sample, so it runs over the lanes' values as
    // one flat array of `values` floats, in vector code. colourSource may be
    // emphasised itself: each value is read before its place is written.
    static void drivenCurve(const BlockSetup& s, const float* emphasised, const float* harmonicHP,
                            float* colourSource, int32_t values) {
        const float driveNorm = s.driveNorm, driveNormInv = s.driveNormInv, drive = s.coeffs.color.fDrive;
        const float driveMix = s.coeffs.color.fDriveMix, harmonicMix = s.coeffs.color.fHarmonicMix;
        float* const curveIn = colourSource;  // the curve reads and writes in place
        for (int32_t i = 0; i < values; ++i)
            curveIn[i] = (static_cast<float>(double(emphasised[i]) * kEmphasisMakeUp) * driveNorm) * drive;
        Curve::applyAll(curveIn, curveIn, values);
        for (int32_t i = 0; i < values; ++i)
            colourSource[i] = (curveIn[i] * driveNormInv) * driveMix + harmonicHP[i] * harmonicMix;
    }

    // Drive filters, colour signal and harmonic blend: passes on the value
    // written into the delay line (the blend plus the dither noise). The
    // noise source's third and fourth low-passes run here too, each beside
    // a drive filter in one pair of lane vectors, for the same sample: the
    // third beside the first drive low-pass (step 0), the fourth beside
    // the second (step 4), reading the third's outputs from noiseLowPassed,
    // where the second's were. Then the dither signal and the blend in
    // flat passes; dither holds the smoothed white noise before, the
    // dither signal after.
    static void colour(const BlockSetup& s, State& st, const F* x, const F* colourSource, F* dither,
                       F* noiseLowPassed, F* lineInput, int32_t count) {
        using Pair = typename Lanes::Pair;
        const SOrvanta_RateCoefficients& k = s.coeffs.rate;
        const Pair kFirstPair = Lanes::pairOf(k.kDriveLP1, k.kNoiseLP3);
        const Pair kSecondPair = Lanes::pairOf(k.kDriveLP2, k.kNoiseLP4);
        const float kColorLP = k.kColorLP;
        const float dryShare = s.dryShare, colourShare = s.colourShare, ditherIntoLine = s.ditherIntoLine;
        Pair firstPair = Lanes::join(st.driveLP1, st.noiseLP3), secondPair = Lanes::join(st.driveLP2, st.noiseLP4);
        F colorLP = st.colorLP;
        F drive = {}, colourRaw = {}, trimmed = {};
        Pair driven = {};  // first
        D driveWide = {}, drivenShare = {};
        pipeline<8>(count, [&](auto step, int32_t i) {
            constexpr int kStep = decltype(step)::value;
            if constexpr (kStep == 0) {
                lowPass(firstPair, Lanes::withSecondFrom(Lanes::loadFirst(&colourSource[i]), &noiseLowPassed[i]),
                        kFirstPair);
                Lanes::storeSecond(&noiseLowPassed[i], firstPair);
            }
            if constexpr (kStep == 1)
                drive = Lanes::narrow(Lanes::widenFirst(firstPair) + Lanes::widenFirst(Lanes::loadFirst(&colourSource[i])) * kDriveLP1HighShare);
            if constexpr (kStep == 2) driveWide = (Lanes::widen(drive) * kDriveGain) * kDriveBoost;
            if constexpr (kStep == 3) driven = Lanes::narrowFirst(driveWide * kDriveTrim);
            if constexpr (kStep == 4) {
                lowPass(secondPair, Lanes::withSecondFrom(driven, &noiseLowPassed[i]), kSecondPair);
                Lanes::storeSecond(&noiseLowPassed[i], secondPair);
                // The shelf's share of the driven value, carried to the
                // next step as a double: the same product, made a step
                // earlier (about 1 % faster in stereo than carrying a copy
                // of the value).
                drivenShare = Lanes::widenFirst(driven) * kDriveLP2HighShare;
            }
            if constexpr (kStep == 5) {
                colourRaw = Lanes::narrow(drivenShare + Lanes::widenFirst(secondPair));
                colourRaw = colourRaw * kColourGain;
                colourRaw = colourRaw + colourRaw;
            }
            if constexpr (kStep == 6) trimmed = Lanes::narrow(Lanes::widen(colourRaw) * kColourTrim);
            if constexpr (kStep == 7) {
                lowPass(colorLP, trimmed, kColorLP);
                lineInput[i] = trimmed - colorLP;  // the colour signal, for the blend below
            }
        });
        st.driveLP1 = Lanes::first(firstPair);
        st.noiseLP3 = Lanes::second(firstPair);
        st.driveLP2 = Lanes::first(secondPair);
        st.noiseLP4 = Lanes::second(secondPair);
        st.colorLP = colorLP;
        NoiseEmphasisFilters::ditherSignal(dither, noiseLowPassed, count);
        // The blend depends on no earlier sample: one flat pass.
        for (int32_t q = 0; q < count * Lanes::kLanes; ++q) {
            const float blend = flat(x)[q] * dryShare + flat(lineInput)[q] * colourShare;
            flat(lineInput)[q] = ditherIntoLine * flat(dither)[q] + blend;
        }
    }

    // The delay line with its centre and steered taps. Passes on the two tap
    // values.
    //
    // The line runs as the unrolled history of ChannelState: history holds
    // the line's L values before the run, oldest first, and sample i's line
    // input is history[L + i], where the colour stage writes it. (A copy
    // from a separate array here, just before the taps read it, cost a
    // third of this stage: the taps' wide loads waited for the copy's
    // stores to reach the cache.) A circular slot k places after the slot just written
    // (k = 1 .. L - 1) holds what was written L - k samples ago, and slot
    // k = 0 is the one just written; so the centre tap (k = 6m) reads 6m + 1
    // samples back and the steered tap (k = 6m + o) L - k samples back, or
    // the value just written when k is 0.
    //
    // A tap never reads a sample after the one it belongs to, so the run's
    // values are written first; the taps then depend on no other tap and run
    // over the lanes' values as one flat array, kWideLanes at a time.
    static void delay(const BlockSetup& s, const F* dither, const F* history, F* centreOut, F* steeredOut,
                      int32_t count) {
        const int32_t L = s.lineLength;

        constexpr int32_t kLanes = Lanes::kLanes;
        const float* const line = flat(history) + L * kLanes;  // line[q]: the value written with q
        const int32_t values = count * kLanes;
        int32_t backByOffset[kTapOffsetCount];  // values back in the flat history, by thresholds exceeded
        for (int32_t above = 0; above < kTapOffsetCount; ++above) backByOffset[above] = steeredBackFor(s, above) * kLanes;
        int32_t q = 0;
        for (; q + kWideLanes <= values; q += kWideLanes) {
            const FloatWide centre = loadWide(line + q - centreBack(s));
            storeWide(flat(centreOut) + q, centre);
            storeWide(flat(steeredOut) + q,
                      steeredTap(line + q, backByOffset, steering(s, centre, loadWide(flat(dither) + q))));
        }
        for (; q < values; ++q) {
            const float centre = line[q - centreBack(s)];
            flat(centreOut)[q] = centre;
            flat(steeredOut)[q] = line[q - steeredBack(s, steering(s, centre, flat(dither)[q])) * kLanes];
        }
    }

    // How many values back in the flat history the centre tap reads.
    static int32_t centreBack(const BlockSetup& s) { return (s.centreOffset + 1) * Lanes::kLanes; }

    // The delayed signal steers the tap twice as strongly as Dynamic
    // squared, and the dither noise jitters it.
    template <class V>
    static V steering(const BlockSetup& s, V centre, V dither) {
        const V centreSteer = centre * s.dynamicSq;
        return (centreSteer + centreSteer) + dither * s.ditherIntoSteering;
    }

    // How many samples back the steered tap reads for a steering value, and
    // for a steering above `above` of the thresholds.
    static int32_t steeredBack(const BlockSetup& s, float steering) {
        return steeredBackFor(s, thresholdsExceeded(steering));
    }

    static int32_t steeredBackFor(const BlockSetup& s, int32_t above) {
        const int32_t k = s.centreOffset + kTapOffsetMin + above;
        return k == 0 ? 0 : s.lineLength - k;
    }

    // The steered taps of the kWideLanes values from line: the thresholds
    // rise, so the values above threshold j are those above j - 1 and
    // more; each threshold selects its own look-back for them. Plain vector
    // loads and selections: a gather waits far longer on this kind of
    // processor.
    static FloatWide steeredTap(const float* line, const int32_t (&backByOffset)[kTapOffsetCount],
                                FloatWide steering) {
        FloatWide tap = loadWide(line - backByOffset[0]);
        for (int j = 0; j < kTapOffsetCount - 1; ++j) {
            const IntWide above = steering > kTapThresholdFloats.values[j];
            tap = above ? loadWide(line - backByOffset[j + 1]) : tap;
        }
        return tap;
    }

    // Tap shaper and output filters. The tap shaper: the steered tap
    // through the curve, less the square of its high-passed self, then less
    // its low-pass. The output filters: the processed signal (the square of
    // the curve's deviation and the tap shaper) through two low shelves.
    // Reads the steered tap, its curve value and the square; writes the
    // second shelf's input (shelvedIn) and its low-pass (lowPassed), whose
    // sum, the shelf's output, depends on no earlier sample and is left to
    // the flat pass after the loop.
    struct LastFilters {
        static constexpr int kSteps = 7;
        float kTapLP, kTapShaperLP, tapShaperMix, dynamicSq;
        float kOutputLP1, kOutputLP2, squareMix;
        F tapLP, tapShaperLP, outputLP1, outputLP2;
        // Carried from one step to the next.
        D steeredSquare = {};
        F tapShaped = {}, processed = {}, processedForShelf = {}, shelved1 = {};
        const F* steered;
        const F* curveOfSteered;
        const F* squareHP;
        F* shelvedIn;
        F* lowPassed;

        LastFilters(const BlockSetup& s, const State& st, const F* steered_, const F* curveOfSteered_,
                    const F* squareHP_, F* shelvedIn_, F* lowPassed_)
            : kTapLP(s.coeffs.rate.kTapLP), kTapShaperLP(s.coeffs.kTapShaperLP),
              tapShaperMix(s.coeffs.color.fTapShaperMix), dynamicSq(s.dynamicSq),
              kOutputLP1(s.coeffs.rate.kOutputLP1), kOutputLP2(s.coeffs.rate.kOutputLP2),
              squareMix(s.coeffs.color.fSquareMix), tapLP(st.tapLP), tapShaperLP(st.tapShaperLP),
              outputLP1(st.outputLP1), outputLP2(st.outputLP2), steered(steered_),
              curveOfSteered(curveOfSteered_), squareHP(squareHP_), shelvedIn(shelvedIn_),
              lowPassed(lowPassed_) {}

        template <int J>
        void step(int32_t i) {
            if constexpr (J == 0) lowPass(tapLP, steered[i], kTapLP);
            if constexpr (J == 1) {
                const F steeredHP = steered[i] - tapLP;
                steeredSquare = Lanes::widen(steeredHP * steeredHP) * kTapSquareWeight;
            }
            if constexpr (J == 2)
                tapShaped = (curveOfSteered[i] * tapShaperMix) * dynamicSq + Lanes::narrow(steeredSquare);
            if constexpr (J == 3) {
                lowPass(tapShaperLP, tapShaped, kTapShaperLP);
                processed = (squareHP[i] * kSquareGain) * squareMix + (tapShaped - tapShaperLP);
            }
            if constexpr (J == 4) {
                lowPass(outputLP1, processed, kOutputLP1);
                processedForShelf = processed;
            }
            if constexpr (J == 5)
                shelved1 = Lanes::narrow(Lanes::widen(processedForShelf) * kOutputLP1HighShare + Lanes::widen(outputLP1));
            if constexpr (J == 6) {
                shelvedIn[i] = shelved1;
                lowPassed[i] = lowPass(outputLP2, shelved1, kOutputLP2);
            }
        }

        void save(State& st) const {
            st.tapLP = tapLP;
            st.tapShaperLP = tapShaperLP;
            st.outputLP1 = outputLP1;
            st.outputLP2 = outputLP2;
        }
    };

    // The tap shaper and the output filters in one pipeline, then the second
    // shelf's output and the output samples over the lanes' values as one
    // flat array, in vector code. scratch holds count values.
    static void lastFilters(const BlockSetup& s, State& st, const F* steered, const F* curveOfSteered,
                            const F* squareHP, const F* centre, F* out, F* scratch, int32_t count) {
        LastFilters filters(s, st, steered, curveOfSteered, squareHP, out, scratch);
        pipeline<LastFilters::kSteps>(count, stepsOf(filters));
        filters.save(st);

        const double dynamicSq = s.dynamicSq;
        const float gain = s.gain;
        for (int32_t q = 0; q < count * Lanes::kLanes; ++q) {
            const float shelved2 =
                static_cast<float>(double(flat(scratch)[q]) + double(flat(out)[q]) * kOutputLP2HighShare);
            flat(out)[q] = static_cast<float>((double(shelved2) * kProcessedLevel) * dynamicSq + double(flat(centre)[q])) * gain;
        }
    }
};

// One channel's buffers and record for a block.
struct ChannelIO {
    SOrvanta_Channel_State* record;
    const float* in;
    float* out;
};

// True when none of the n samples is an infinity or not a number: no sample
// has all exponent bits set. Branch-free, so the common all-finite block
// costs one pass of integer operations.
inline bool allFinite(const float* samples, int32_t n) {
    constexpr uint32_t kExponent = 0x7F800000u;
    uint32_t nonFinite = 0;
    for (int32_t i = 0; i < n; ++i) {
        uint32_t bits;
        std::memcpy(&bits, &samples[i], sizeof bits);
        nonFinite |= (bits & kExponent) == kExponent ? 1u : 0u;
    }
    return nonFinite == 0;
}

// After a block: a channel whose state is no longer finite (a sample that was
// not a number, an infinity or large enough to overflow reached it) starts
// again from a freshly initialised state, and every output sample of the
// block that is not finite becomes 0. One bad input sample therefore costs
// at most the rest of its block; without this, a single not-a-number would
// stay in the filter states and silence the channel for good. A block whose
// arithmetic stays finite is left exactly as it is.
inline void recoverNonFinite(SOrvanta_Channel_State& record, float* out, int32_t n) {
    if (!Orvanta_ChannelStateIsFinite(record)) Orvanta_ResetChannelState(record);
    if (allFinite(out, n)) return;
    for (int32_t i = 0; i < n; ++i)
        if (!allFinite(&out[i], 1)) out[i] = 0.0f;
}

// Where the lanes' noise draws come from: each lane's own generator, drawn
// a run at a time, or draws made for the whole block beforehand.
template <int kLanes>
struct NoiseFeed {
    Orvanta_NoiseSource* sources[kLanes];  // used for a lane whose preDrawn is null
    const uint32_t* preDrawn[kLanes];      // a lane's draws for the whole block, or null

    // Lane l's draws for the run of count samples from start; scratch holds
    // count draws.
    const uint32_t* run(int l, int32_t start, int32_t count, uint32_t* scratch) {
        if (preDrawn[l] != nullptr) return preDrawn[l] + start;
        sources[l]->Fill(scratch, count);
        return scratch;
    }
};

// Samples per run of the stage loops: long enough to keep the processor busy
// and to make the pipelines' filling and draining a small share of a run
// (512 instead of 256: busy stereo about 1.5 % faster), short enough for
// what one stage touches (at most seven stage arrays and the draws, about
// 32 KiB for stereo) to stay in a first-level cache of that size. The
// callback's stack holds about 37 KiB of stage arrays, history and draws.
constexpr int32_t kRunLength = 512;

// The output samples of a run, from the lanes to the channels' buffers at
// start. With two lanes and output buffers that lie apart, four samples at
// a time are split into the two buffers by shuffles (the compiler keeps the
// loop below scalar, as the buffers might overlap); otherwise sample by
// sample, each sample's lanes in order.
template <class Lanes>
inline void storeOutputs(const ChannelIO (&io)[Lanes::kLanes], const typename Lanes::F* out, int32_t start,
                         int32_t count, bool outputsApart) {
    int32_t i = 0;
    if constexpr (Lanes::kLanes == 2) {
        if (outputsApart) {
            const float* const values = flat(out);
            for (; i + 4 <= count; i += 4) {
                Float4 first, second;  // samples i, i + 1, then i + 2, i + 3, lane 0 then lane 1
                std::memcpy(&first, values + 2 * i, sizeof first);
                std::memcpy(&second, values + 2 * i + 4, sizeof second);
                const Float4 left = __builtin_shufflevector(first, second, 0, 2, 4, 6);
                const Float4 right = __builtin_shufflevector(first, second, 1, 3, 5, 7);
                std::memcpy(io[0].out + start + i, &left, sizeof left);
                std::memcpy(io[1].out + start + i, &right, sizeof right);
            }
        }
    }
    for (; i < count; ++i)
        for (int l = 0; l < Lanes::kLanes; ++l) io[l].out[start + i] = Lanes::lane(out[i], l);
}

// True when n samples from a and n samples from b share memory.
inline bool overlap(const float* a, const float* b, int32_t n) {
    const auto lowA = reinterpret_cast<uintptr_t>(a), lowB = reinterpret_cast<uintptr_t>(b);
    const uintptr_t bytes = uintptr_t(n) * sizeof(float);
    return lowA < lowB + bytes && lowB < lowA + bytes;
}

// True when none of the channels' n output samples share memory.
template <int kLanes>
inline bool outputsApart(const ChannelIO (&io)[kLanes], int32_t n) {
    for (int a = 0; a < kLanes; ++a)
        for (int b = a + 1; b < kLanes; ++b)
            if (overlap(io[a].out, io[b].out, n)) return false;
    return true;
}

// Runs the channels in the lanes through a block of n samples. Lane l reads
// io[l].in, writes io[l].out and takes its noise from lane l of noise. A run reads
// all its input samples before it writes its output samples; when an output
// buffer overlaps its own input buffer other than exactly (in place), runs
// shrink to one sample, so each input sample is still read before any later
// output sample is written. Ends with recoverNonFinite for each channel.
// Audio thread; no locks, no allocation (the stage arrays live on the stack).
template <class Lanes, class Curve>
void runChannels(const BlockSetup& s, const ChannelIO (&io)[Lanes::kLanes], int32_t n,
                 NoiseFeed<Lanes::kLanes>& noise, bool samplePerRun) {
    using F = typename Lanes::F;
    using Run = Stages<Lanes, Curve>;
    constexpr int kLanes = Lanes::kLanes;
    const int32_t L = s.lineLength;

    SOrvanta_Channel_State* records[kLanes];
    for (int l = 0; l < kLanes; ++l) records[l] = io[l].record;
    ChannelState<Lanes> st = {};
    st.load(records, L);
    F history[Orvanta::kDelayLineSlots + kRunLength];
    st.loadHistory(records, L, history);

    uint32_t draws[kLanes][kRunLength];
    const uint32_t* drawRows[kLanes];
    // Stage results of one run; arrays whose values are no longer needed
    // are reused.
    F x[kRunLength], dither[kRunLength], harmonicHP[kRunLength], squareHP[kRunLength];
    F emphasised[kRunLength], curveOut[kRunLength], noiseLowPassed[kRunLength];
    F* const emphasisScratch = curveOut;   // free between the two curve passes of x and of the steered tap
    F* const colourSource = emphasised;    // the driven curve pass works in place
    F* const centre = noiseLowPassed;      // used up by the colour stage
    F* const steered = harmonicHP;         // used up by the driven curve pass
    F* const out = steered;               // each read before it is overwritten
    F* const outputScratch = x;           // the input is used up before the last filters

    const bool apart = outputsApart(io, n);
    const int32_t runLength = samplePerRun ? 1 : kRunLength;
    for (int32_t start = 0; start < n; start += runLength) {
        const int32_t count = n - start < runLength ? n - start : runLength;
        for (int l = 0; l < kLanes; ++l) drawRows[l] = noise.run(l, start, count, draws[l]);
        for (int32_t i = 0; i < count; ++i)
            for (int l = 0; l < kLanes; ++l) Lanes::setLane(x[i], l, io[l].in[start + i]);

        Run::curveAll(x, curveOut, count);
        Run::shaperPolynomial(x, curveOut, harmonicHP, squareHP, count);
        Run::firstFilters(s, st, drawRows, x, dither, harmonicHP, squareHP, emphasised, noiseLowPassed,
                          emphasisScratch, count);
        Run::drivenCurve(s, flat(emphasised), flat(harmonicHP), flat(colourSource), count * kLanes);
        Run::colour(s, st, x, colourSource, dither, noiseLowPassed, history + L, count);
        Run::delay(s, dither, history, centre, steered, count);
        Run::curveAll(steered, curveOut, count);
        Run::lastFilters(s, st, steered, curveOut, squareHP, centre, out, outputScratch, count);

        storeOutputs<Lanes>(io, out, start, count, apart);
        // Keep the line's last L values at the front for the next run.
        for (int32_t j = 0; j < L; ++j) history[j] = history[count + j];
    }
    st.storeHistory(records, L, history, n);
    st.store(records);
    for (int l = 0; l < kLanes; ++l) recoverNonFinite(*records[l], io[l].out, n);
}

}  // inline namespace ORVANTA_SIMD_NAMESPACE
}  // namespace OrvantaChain
