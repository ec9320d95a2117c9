#include "reference_chain.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "effect/dsp/Orvanta_Coefficients.h"
#include "effect/dsp/Orvanta_Table_Data.h"

namespace dsptest {
namespace {

const float* const Tab = Orvanta_Table_Data;

float lookUp(uint32_t i, uint32_t bits) { return (Tab[i + 1] - Tab[i]) * (float(bits) * (1.0f / 524288.0f)) + Tab[i]; }

float curveOffset(float v) {
    uint32_t u = 0;
    if (v >= 1.0f) {
        u = 0xFFFFFFFFu;
    } else if (v >= -1.0f) {  // not below -1, not a number
        const float scaled = (v + 1.0f) * 2147483648.0f;
        u = scaled >= 4294967296.0f ? 0xFFFFFFFFu : uint32_t(scaled);
    }
    return lookUp(u >> 19, u & 0x7FFFFu);
}

float curveSigned(float v) {
    int32_t n = INT32_MIN;
    if (v >= 1.0f)
        n = INT32_MAX;
    else if (v >= -1.0f)
        n = int32_t(v * 2147483648.0f);
    return lookUp(uint32_t((n >> 19) + 4096), uint32_t(n) & 0x7FFFFu);
}

int32_t quantise(double c) {
    const double thresholds[] = {0.5, 0.4165, 0.3325, 0.2465, 0.11655, 0.0415, 0.0, -0.0415, -0.11655, -0.2465, -0.3325, -0.4165};
    for (int j = 0; j < 12; ++j)
        if (c > thresholds[j]) return 6 - j;
    return -6;
}

void lp(float& s, float in, float k) { s = (in - s) * k + s; }

// End of a block: a state that is no longer finite starts again as a fresh
// instance's does (rate setting kept), and non-finite outputs become 0.
void recover(SOrvanta_Channel_State& st, float* out, int32_t n) {
    const float* firstState = &st.m_fTapShaperLP;
    bool finite = true;
    for (const float* v = firstState; v != reinterpret_cast<const float*>(&st.m_iWriteIndex); ++v)
        finite = finite && std::isfinite(*v);
    if (!finite) {
        const uint32_t m = st.m_uRateMultiple;
        const int32_t rateCase = st.m_iRateCase;
        const uint32_t reserved[2] = {st.m_uReserved0, st.m_uReserved1};
        std::memset(&st, 0, sizeof st);
        st.m_uReserved0 = reserved[0];
        st.m_uReserved1 = reserved[1];
        st.m_uRateMultiple = m;
        st.m_iRateCase = rateCase;
    }
    for (int32_t i = 0; i < n; ++i)
        if (!std::isfinite(out[i])) out[i] = 0.0f;
}

void channel(const SOrvanta_Knob_Packet& p, const SOrvanta_Channel_State& first, SOrvanta_Channel_State& st,
             const float* in, float* out, int32_t n, bool stereo) {
    const float harm = p.m_fHarmonic, d = p.m_fDynamic, gain = p.m_fOutputGain;
    const uint32_t m = first.m_uRateMultiple;
    const float d2 = d * d;
    const SOrvanta_Coefficients co = Orvanta_SelectCoefficients(first.m_iRateCase, p.m_iColor, d2);
    const auto& k = co.rate;
    const auto& col = co.color;
    const bool ditherOn = p.m_iDither == 2;
    const float ditherAmt = stereo ? (ditherOn ? 0.00948f : 0.0f) : float(0.00948 * double(ditherOn ? 1 : 0));
    const float ditherMod = stereo ? (ditherOn ? 0.3f : 0.0f) : float(0.3 * double(ditherOn ? 1 : 0));
    const float d4 = d2 * d2;
    const float G = float(double(d4) * (1.5 + double(col.fNormBias)) + (0.5 - double(col.fNormBias)));
    const float invG = 1.0f / G;
    const int32_t L = m == 2 ? 25 : (m == 4 ? 49 : 13);
    const float harmDry = 1.0f - harm;
    float (*curve)(float) = stereo ? curveOffset : curveSigned;

    for (int32_t i = 0; i < n; ++i) {
        const float x = in[i];
        const float nz = (float(std::rand()) * (1.0f / 2147483648.0f) - 0.5f - st.m_fNoise) * k.kNoiseSmooth + st.m_fNoise;
        lp(st.m_fNoiseLP1, nz, k.kNoiseLP1);
        lp(st.m_fNoiseLP2, st.m_fNoiseLP1, k.kNoiseLP2);
        lp(st.m_fNoiseLP3, st.m_fNoiseLP2, k.kNoiseLP3);
        lp(st.m_fNoiseLP4, st.m_fNoiseLP3, k.kNoiseLP4);
        const float dn = float(double(st.m_fNoiseLP4) + (double(nz) * 0.00751) * 1.5);
        st.m_fNoise = nz;

        const float h = curve(x) - x, h2 = h * h, h3 = h2 * h;
        const float p3 = float((double(h3) + double(h) * 0.15) + double(h2) * 0.25);
        lp(st.m_fHarmonicLP, p3, k.kHarmonicLP);
        lp(st.m_fSquareLP, h2, k.kHarmonicLP);
        lp(st.m_fInputLP, x, k.kInputLP);
        const float a1 = x - st.m_fInputLP;
        lp(st.m_fEmphasisLP1, a1, k.kEmphasisLP1);
        const float u = float(double(a1) * 0.0999 + double(a1 - st.m_fEmphasisLP1));
        lp(st.m_fEmphasisLP2, u, k.kEmphasisLP2);
        const float em = float(double(u) * 0.04495 + double(u - st.m_fEmphasisLP2));
        const float z = float(double(em) * 5.6577) * G * col.fDrive;
        const float q = curve(z) * invG * col.fDriveMix + (p3 - st.m_fHarmonicLP) * col.fHarmonicMix;
        lp(st.m_fDriveLP1, q, k.kDriveLP1);
        float dv = float(double(st.m_fDriveLP1) + double(q) * 0.09);
        dv = float(double(dv) * 2.4 * 1.24 * 0.89);
        lp(st.m_fDriveLP2, dv, k.kDriveLP2);
        float e = float(double(dv) * 0.071 + double(st.m_fDriveLP2));
        e = e * 5;
        e = e + e;
        e = float(double(e) * 0.631);
        lp(st.m_fColorLP, e, k.kColorLP);
        const float mix = x * harmDry + (e - st.m_fColorLP) * harm;

        int32_t w = st.m_iWriteIndex;
        st.m_fDelayLine[w] = ditherAmt * dn + mix;
        const float centre = st.m_fDelayLine[(uint32_t(w) + 6 * m) % uint32_t(L)];
        float c = centre * d2;
        c = c + c + dn * ditherMod;
        const float y = st.m_fDelayLine[(w + 6 * int32_t(m) + quantise(c)) % L];
        st.m_iWriteIndex = (w + 1) % L;

        lp(st.m_fTapLP, y, k.kTapLP);
        const float t = y - st.m_fTapLP;
        const float r = curve(y) * col.fTapShaperMix * d2 + float(double(t * t) * -1.8);
        lp(st.m_fTapShaperLP, r, co.kTapShaperLP);
        const float z2 = (h2 - st.m_fSquareLP) * 4 * col.fSquareMix + (r - st.m_fTapShaperLP);
        lp(st.m_fOutputLP1, z2, k.kOutputLP1);
        const float a = float(double(z2) * 0.091 + double(st.m_fOutputLP1));
        lp(st.m_fOutputLP2, a, k.kOutputLP2);
        const float b = float(double(st.m_fOutputLP2) + double(a) * 0.09);
        out[i] = float(double(b) * 2.5 * double(d2) + double(centre)) * gain;
    }
    recover(st, out, n);
}

}  // namespace

void referenceProcess(SOrvanta_Alg_Context& context, bool stereo) {
    SOrvanta_Channel_State* records = context.m_pPrivateData->m_Channels;
    for (int ch = 0; ch < (stereo ? 2 : 1); ++ch)
        channel(*context.m_pPacket, records[0], records[ch], context.m_ppInputs[ch], context.m_ppOutputs[ch],
                *context.m_pBufferLength, stereo);
}

}  // namespace dsptest
