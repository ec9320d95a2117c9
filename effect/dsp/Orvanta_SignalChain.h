// The per-sample signal chain shared by the mono and the stereo callback.
//
// Precision: every assignment is single-precision arithmetic unless it goes
// through toFloat(...), which evaluates the bracketed expression in double
// precision (operands widened, double constants) and rounds once. The order
// of operations is the order written; the build forbids contraction into
// fused multiply-adds and any relaxed floating-point mode, so every result is
// the same on every run and every block size.
#pragma once

#include <cstdint>

#include "effect/Orvanta_Defs.h"
#include "effect/dsp/Orvanta_AlgContext.h"
#include "effect/dsp/Orvanta_Coefficients.h"
#include "effect/dsp/Orvanta_NoiseSource.h"

namespace OrvantaChain {

inline float toFloat(double v) { return static_cast<float>(v); }

// One-pole low-pass: s := (in - s) * k + s, subtract, multiply, add.
inline float lowPass(float& s, float in, float k) {
    s = (in - s) * k + s;
    return s;
}

// Working values of one instance's block, derived from its packet and its
// first channel-state record before the first sample.
struct BlockSetup {
    SOrvanta_Coefficients c;
    float harm;        // blend share of the colour signal
    float harmDry;     // 1 - harm
    float d2;          // Dynamic squared
    float gain;        // output gain
    float ditherAmt;   // noise into the delay line
    float ditherMod;   // noise into the tap steering
    float driveNorm;   // G
    float driveNormInv;  // 1 / G
    int32_t lineLength;    // L: 13, 25 or 49
    int32_t centreOffset;  // 6 * rate multiple
};

// Audio thread, once per instance and callback.
inline BlockSetup prepareBlock(const SOrvanta_Knob_Packet& packet, const SOrvanta_Channel_State& first) {
    BlockSetup s;
    const float d = packet.m_fDynamic;
    s.d2 = d * d;
    s.c = Orvanta_SelectCoefficients(first.m_iRateCase, packet.m_iColor, s.d2);

    // Dither is on only for the "on" value; anything else counts as off.
    const int32_t ditherSteps = packet.m_iDither == Orvanta::kDitherOn ? 1 : 0;
    s.ditherAmt = toFloat(0.00948 * double(ditherSteps));
    s.ditherMod = toFloat(0.3 * double(ditherSteps));

    const float d4 = s.d2 * s.d2;
    const double normBias = s.c.color.fNormBias;
    s.driveNorm = toFloat(double(d4) * (1.5 + normBias) + (0.5 - normBias));
    s.driveNormInv = 1.0f / s.driveNorm;

    // A multiple other than 2 or 4 runs the 13-slot line of multiple 1, so a
    // stray record cannot steer an index outside the line.
    const uint32_t m = first.m_uRateMultiple;
    const int32_t multiple = (m == 2 || m == 4) ? int32_t(m) : 1;
    s.lineLength = 12 * multiple + 1;
    s.centreOffset = 6 * multiple;

    s.harm = packet.m_fHarmonic;
    s.harmDry = 1.0f - s.harm;
    s.gain = packet.m_fOutputGain;
    return s;
}

// The signal-chain filter states and delay-line position of one channel,
// held in locals for a block and stored back to the record at its end.
struct ChannelState {
    float tapShaperLP, inputLP, colorLP, squareLP, harmonicLP, tapLP;
    float driveLP2, driveLP1, emphasisLP2, emphasisLP1, outputLP1, outputLP2;
    float noise, noiseLP1, noiseLP2, noiseLP3, noiseLP4;
    float* line;  // the record's delay line, written in place
    int32_t w;    // next slot to write

    void load(SOrvanta_Channel_State& r, int32_t lineLength) {
        tapShaperLP = r.m_fTapShaperLP;
        inputLP = r.m_fInputLP;
        colorLP = r.m_fColorLP;
        squareLP = r.m_fSquareLP;
        harmonicLP = r.m_fHarmonicLP;
        tapLP = r.m_fTapLP;
        driveLP2 = r.m_fDriveLP2;
        driveLP1 = r.m_fDriveLP1;
        emphasisLP2 = r.m_fEmphasisLP2;
        emphasisLP1 = r.m_fEmphasisLP1;
        outputLP1 = r.m_fOutputLP1;
        outputLP2 = r.m_fOutputLP2;
        noise = r.m_fNoise;
        noiseLP1 = r.m_fNoiseLP1;
        noiseLP2 = r.m_fNoiseLP2;
        noiseLP3 = r.m_fNoiseLP3;
        noiseLP4 = r.m_fNoiseLP4;
        line = r.m_fDelayLine;
        // Always a slot of the line in use, whatever the record held.
        w = r.m_iWriteIndex % lineLength;
        if (w < 0) w += lineLength;
    }

    void store(SOrvanta_Channel_State& r) const {
        r.m_fTapShaperLP = tapShaperLP;
        r.m_fInputLP = inputLP;
        r.m_fColorLP = colorLP;
        r.m_fSquareLP = squareLP;
        r.m_fHarmonicLP = harmonicLP;
        r.m_fTapLP = tapLP;
        r.m_fDriveLP2 = driveLP2;
        r.m_fDriveLP1 = driveLP1;
        r.m_fEmphasisLP2 = emphasisLP2;
        r.m_fEmphasisLP1 = emphasisLP1;
        r.m_fOutputLP1 = outputLP1;
        r.m_fOutputLP2 = outputLP2;
        r.m_fNoise = noise;
        r.m_fNoiseLP1 = noiseLP1;
        r.m_fNoiseLP2 = noiseLP2;
        r.m_fNoiseLP3 = noiseLP3;
        r.m_fNoiseLP4 = noiseLP4;
        r.m_iWriteIndex = w;
    }
};

// Noise steps for a run of draws: smoothing, four low-passes and the dither
// signal dn of every sample. Depends on nothing but the draws and the noise
// states, so it runs ahead of the rest of the chain.
inline void noiseRun(const BlockSetup& s, ChannelState& st, const uint32_t* draws, float* dn, int32_t count) {
    constexpr float kDrawScale = 1.0f / 2147483648.0f;  // 2^-31, exact
    const SOrvanta_RateCoefficients& k = s.c.rate;
    for (int32_t i = 0; i < count; ++i) {
        const float n = ((static_cast<float>(draws[i]) * kDrawScale - 0.5f) - st.noise) * k.kNoiseSmooth + st.noise;
        lowPass(st.noiseLP1, n, k.kNoiseLP1);
        lowPass(st.noiseLP2, st.noiseLP1, k.kNoiseLP2);
        lowPass(st.noiseLP3, st.noiseLP2, k.kNoiseLP3);
        lowPass(st.noiseLP4, st.noiseLP3, k.kNoiseLP4);
        dn[i] = toFloat(double(st.noiseLP4) + (double(n) * 0.00751) * 1.5);
        st.noise = n;
    }
}

// Tap offset for the steering value c: the number of thresholds c exceeds,
// minus 6, so c > 0.5 gives +6, c = 0 gives -1 and c <= -0.4165 or a
// not-a-number c gives -6. Compared in double precision; counted rather than
// branched, so a signal that wanders across thresholds costs no mispredicted
// branches.
inline int32_t tapOffset(float c) {
    static constexpr double kThresholds[12] = {-0.4165, -0.3325, -0.2465, -0.11655, -0.0415, 0.0,
                                               0.0415,  0.11655, 0.2465,  0.3325,   0.4165,  0.5};
    const double wide = c;
    int32_t above = 0;
    for (double threshold : kThresholds) above += wide > threshold ? 1 : 0;
    return above - 6;
}

// One sample of the chain after the noise steps. Curve is the transfer-curve
// form of the calling callback. Returns the output sample.
template <float (*Curve)(float)>
inline float chainSample(const BlockSetup& s, ChannelState& st, float x, float dn) {
    const SOrvanta_RateCoefficients& k = s.c.rate;
    const SOrvanta_ColorSettings& colorSet = s.c.color;

    // Curve shaper and harmonic polynomial.
    const float h = Curve(x) - x;
    const float h2 = h * h;
    const float h3 = h2 * h;
    const float p = toFloat((double(h3) + double(h) * 0.15) + double(h2) * 0.25);
    lowPass(st.harmonicLP, p, k.kHarmonicLP);
    lowPass(st.squareLP, h2, k.kHarmonicLP);

    // Emphasis.
    lowPass(st.inputLP, x, k.kInputLP);
    const float a1 = x - st.inputLP;
    lowPass(st.emphasisLP1, a1, k.kEmphasisLP1);
    const float u = toFloat(double(a1) * 0.0999 + double(a1 - st.emphasisLP1));
    lowPass(st.emphasisLP2, u, k.kEmphasisLP2);
    const float em = toFloat(double(u) * 0.04495 + double(u - st.emphasisLP2));

    // Driven curve pass.
    const float z = (toFloat(double(em) * 5.6577) * s.driveNorm) * colorSet.fDrive;
    const float y2 = Curve(z);
    const float q = (y2 * s.driveNormInv) * colorSet.fDriveMix + (p - st.harmonicLP) * colorSet.fHarmonicMix;

    // Drive filters and colour signal.
    lowPass(st.driveLP1, q, k.kDriveLP1);
    float dv = toFloat(double(st.driveLP1) + double(q) * 0.09);
    dv = toFloat(((double(dv) * 2.4) * 1.24) * 0.89);
    lowPass(st.driveLP2, dv, k.kDriveLP2);
    float e = toFloat(double(dv) * 0.071 + double(st.driveLP2));
    e = e * 5.0f;
    e = e + e;
    e = toFloat(double(e) * 0.631);
    lowPass(st.colorLP, e, k.kColorLP);
    const float colour = e - st.colorLP;

    // Harmonic blend into the delay line.
    const float mix = x * s.harmDry + colour * s.harm;
    const int32_t L = s.lineLength;
    st.line[st.w] = s.ditherAmt * dn + mix;

    // Fixed centre tap and steered tap. w + offset stays below 2L, so one
    // conditional subtraction is the remainder.
    int32_t centreIndex = st.w + s.centreOffset;
    if (centreIndex >= L) centreIndex -= L;
    const float centre = st.line[centreIndex];
    const float centreDyn = centre * s.d2;
    const float c = (centreDyn + centreDyn) + dn * s.ditherMod;
    int32_t tapIndex = st.w + s.centreOffset + tapOffset(c);
    if (tapIndex >= L) tapIndex -= L;
    const float y = st.line[tapIndex];
    st.w = st.w + 1 == L ? 0 : st.w + 1;

    // Tap shaper.
    lowPass(st.tapLP, y, k.kTapLP);
    const float t = y - st.tapLP;
    const float sq = toFloat(double(t * t) * -1.8);
    const float r = (Curve(y) * colorSet.fTapShaperMix) * s.d2 + sq;
    lowPass(st.tapShaperLP, r, s.c.kTapShaperLP);
    const float r2 = r - st.tapShaperLP;

    // Output.
    const float z2 = ((h2 - st.squareLP) * 4.0f) * colorSet.fSquareMix + r2;
    lowPass(st.outputLP1, z2, k.kOutputLP1);
    const float a = toFloat(double(z2) * 0.091 + double(st.outputLP1));
    lowPass(st.outputLP2, a, k.kOutputLP2);
    const float b = toFloat(double(st.outputLP2) + double(a) * 0.09);
    return toFloat((double(b) * 2.5) * double(s.d2) + double(centre)) * s.gain;
}

// One channel's buffers and record for a block.
struct ChannelIO {
    SOrvanta_Channel_State* record;
    const float* in;
    float* out;
};

// Runs kChannels independent channels through a block of n samples, sample
// by sample in lockstep so the processor can overlap their work. Channel c
// draws its noise from noise[c]. Each input sample is read before the output
// sample of the same index is written, so in-place buffers are safe.
// Audio thread; no locks, no allocation (the noise runs ahead in small
// stack buffers).
template <float (*Curve)(float), int kChannels>
void runChannels(const BlockSetup& s, const ChannelIO (&io)[kChannels], int32_t n,
                 Orvanta_NoiseSource (&noise)[kChannels]) {
    constexpr int32_t kRun = 128;
    ChannelState st[kChannels] = {};
    for (int ch = 0; ch < kChannels; ++ch) st[ch].load(*io[ch].record, s.lineLength);

    uint32_t draws[kRun];
    float dn[kChannels][kRun];
    for (int32_t start = 0; start < n; start += kRun) {
        const int32_t count = n - start < kRun ? n - start : kRun;
        for (int ch = 0; ch < kChannels; ++ch) {
            noise[ch].Fill(draws, count);
            noiseRun(s, st[ch], draws, dn[ch], count);
        }
        for (int32_t i = 0; i < count; ++i)
            for (int ch = 0; ch < kChannels; ++ch)
                io[ch].out[start + i] = chainSample<Curve>(s, st[ch], io[ch].in[start + i], dn[ch][i]);
    }

    for (int ch = 0; ch < kChannels; ++ch) st[ch].store(*io[ch].record);
}

}  // namespace OrvantaChain
