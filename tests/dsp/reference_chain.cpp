#include "reference_chain.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "effect/dsp/Orvanta_Coefficients.h"
#include "effect/dsp/Orvanta_Table_Data.h"

namespace dsptest {
namespace {

float lookUp(uint32_t i, uint32_t fractionBits) {
    const float f = float(fractionBits) * (1.0f / 524288.0f);
    return (Orvanta_Table_Data[i + 1] - Orvanta_Table_Data[i]) * f + Orvanta_Table_Data[i];
}

float curveOffset(float v) {
    uint32_t u;
    if (v < -1.0f || std::isnan(v)) {
        u = 0;
    } else if (v >= 1.0f) {
        u = 0xFFFFFFFFu;
    } else {
        const float scaled = (v + 1.0f) * 2147483648.0f;
        u = scaled >= 4294967296.0f ? 0xFFFFFFFFu : uint32_t(scaled);
    }
    return lookUp(u >> 19, u & 0x7FFFFu);
}

float curveSigned(float v) {
    int32_t n;
    if (v < -1.0f || std::isnan(v))
        n = INT32_MIN;
    else if (v >= 1.0f)
        n = INT32_MAX;
    else
        n = int32_t(v * 2147483648.0f);
    return lookUp(uint32_t((n >> 19) + 4096), uint32_t(n) & 0x7FFFFu);
}

struct Setup {
    SOrvanta_Coefficients c;
    float harm, d2, gain, ditherAmt, ditherMod, G, invG, harmDry;
    uint32_t m;
    int32_t L;
};

Setup setUp(const SOrvanta_Alg_Context& ctx, bool stereo) {
    const SOrvanta_Knob_Packet& p = *ctx.m_pPacket;
    Setup s;
    s.harm = p.m_fHarmonic;
    const float d = p.m_fDynamic;
    s.gain = p.m_fOutputGain;
    s.m = ctx.m_pPrivateData->m_Channels[0].m_uRateMultiple;
    s.d2 = d * d;
    s.c = Orvanta_SelectCoefficients(ctx.m_pPrivateData->m_Channels[0].m_iRateCase, p.m_iColor, s.d2);
    const bool ditherOn = p.m_iDither == 2;
    if (stereo) {
        s.ditherAmt = ditherOn ? 0.00948f : 0.0f;
        s.ditherMod = ditherOn ? 0.3f : 0.0f;
    } else {
        const int dither = ditherOn ? 2 : 1;
        s.ditherAmt = float(0.00948 * double(dither - 1));
        s.ditherMod = float(0.3 * double(dither - 1));
    }
    const float d4 = s.d2 * s.d2;
    s.G = float(double(d4) * (1.5 + double(s.c.color.fNormBias)) + (0.5 - double(s.c.color.fNormBias)));
    s.invG = 1.0f / s.G;
    s.L = s.m == 2 ? 25 : (s.m == 4 ? 49 : 13);
    s.harmDry = 1.0f - s.harm;
    return s;
}

void lp(float& s, float in, float k) { s = (in - s) * k + s; }

int32_t quantise(float c) {
    const double w = c;
    if (w > 0.5) return 6;
    if (w > 0.4165) return 5;
    if (w > 0.3325) return 4;
    if (w > 0.2465) return 3;
    if (w > 0.11655) return 2;
    if (w > 0.0415) return 1;
    if (w > 0.0) return 0;
    if (w > -0.0415) return -1;
    if (w > -0.11655) return -2;
    if (w > -0.2465) return -3;
    if (w > -0.3325) return -4;
    if (w > -0.4165) return -5;
    return -6;
}

template <float (*Curve)(float)>
void channel(const Setup& s, SOrvanta_Channel_State& st, const float* in, float* out, int32_t n) {
    const auto& k = s.c.rate;
    const auto& col = s.c.color;
    for (int32_t i = 0; i < n; ++i) {
        const float x = in[i];
        int32_t w = st.m_iWriteIndex;

        const int r = std::rand();
        const float nz = (float(r) * (1.0f / 2147483648.0f) - 0.5f - st.m_fNoise) * k.kNoiseSmooth + st.m_fNoise;
        lp(st.m_fNoiseLP1, nz, k.kNoiseLP1);
        lp(st.m_fNoiseLP2, st.m_fNoiseLP1, k.kNoiseLP2);
        lp(st.m_fNoiseLP3, st.m_fNoiseLP2, k.kNoiseLP3);
        lp(st.m_fNoiseLP4, st.m_fNoiseLP3, k.kNoiseLP4);
        const float dn = float(double(st.m_fNoiseLP4) + (double(nz) * 0.00751) * 1.5);
        st.m_fNoise = nz;

        const float h = Curve(x) - x;
        const float h2 = h * h;
        const float h3 = h2 * h;
        const float p = float((double(h3) + double(h) * 0.15) + double(h2) * 0.25);
        lp(st.m_fHarmonicLP, p, k.kHarmonicLP);
        lp(st.m_fSquareLP, h2, k.kHarmonicLP);

        lp(st.m_fInputLP, x, k.kInputLP);
        const float a1 = x - st.m_fInputLP;
        lp(st.m_fEmphasisLP1, a1, k.kEmphasisLP1);
        const float u = float(double(a1) * 0.0999 + double(a1 - st.m_fEmphasisLP1));
        lp(st.m_fEmphasisLP2, u, k.kEmphasisLP2);
        const float em = float(double(u) * 0.04495 + double(u - st.m_fEmphasisLP2));

        const float z = float(double(em) * 5.6577) * s.G * col.fDrive;
        const float y2 = Curve(z);
        const float q = y2 * s.invG * col.fDriveMix + (p - st.m_fHarmonicLP) * col.fHarmonicMix;

        lp(st.m_fDriveLP1, q, k.kDriveLP1);
        float dv = float(double(st.m_fDriveLP1) + double(q) * 0.09);
        dv = float(double(dv) * 2.4 * 1.24 * 0.89);
        lp(st.m_fDriveLP2, dv, k.kDriveLP2);
        float e = float(double(dv) * 0.071 + double(st.m_fDriveLP2));
        e = e * 5;
        e = e + e;
        e = float(double(e) * 0.631);
        lp(st.m_fColorLP, e, k.kColorLP);
        const float colour = e - st.m_fColorLP;

        const float mix = x * s.harmDry + colour * s.harm;

        st.m_fDelayLine[w] = s.ditherAmt * dn + mix;
        const float centre = st.m_fDelayLine[(uint32_t(w) + 6 * s.m) % uint32_t(s.L)];
        float c = centre * s.d2;
        c = c + c + dn * s.ditherMod;
        const int32_t o = quantise(c);
        const float y = st.m_fDelayLine[(w + 6 * int32_t(s.m) + o) % s.L];
        w = (w + 1) % s.L;

        lp(st.m_fTapLP, y, k.kTapLP);
        const float t = y - st.m_fTapLP;
        const float sq = float(double(t * t) * -1.8);
        const float rr = Curve(y) * col.fTapShaperMix * s.d2 + sq;
        lp(st.m_fTapShaperLP, rr, s.c.kTapShaperLP);
        const float r2 = rr - st.m_fTapShaperLP;

        const float z2 = (h2 - st.m_fSquareLP) * 4 * col.fSquareMix + r2;
        lp(st.m_fOutputLP1, z2, k.kOutputLP1);
        const float a = float(double(z2) * 0.091 + double(st.m_fOutputLP1));
        lp(st.m_fOutputLP2, a, k.kOutputLP2);
        const float b = float(double(st.m_fOutputLP2) + double(a) * 0.09);
        out[i] = float(double(b) * 2.5 * double(s.d2) + double(centre)) * s.gain;
        st.m_iWriteIndex = w;
    }
}

}  // namespace

void referenceMono(SOrvanta_Alg_Context& context) {
    const Setup s = setUp(context, false);
    channel<curveSigned>(s, context.m_pPrivateData->m_Channels[0], context.m_ppInputs[0], context.m_ppOutputs[0],
                         *context.m_pBufferLength);
}

void referenceStereo(SOrvanta_Alg_Context& context) {
    const Setup s = setUp(context, true);
    for (int ch = 0; ch < 2; ++ch)
        channel<curveOffset>(s, context.m_pPrivateData->m_Channels[ch], context.m_ppInputs[ch],
                             context.m_ppOutputs[ch], *context.m_pBufferLength);
}

}  // namespace dsptest
