// Lane policies for the signal chain: the chain is written once over a lane
// type and runs on one channel (mono) or on two channels side by side in the
// two lanes of a vector (stereo). The vector types are the compiler's generic
// vector extensions (GCC and Clang); each lane computes exactly what the
// scalar code computes, in IEEE single and double precision, so both forms
// give the same bits.
#pragma once

#include <cstdint>
#include <cstring>

#include "effect/dsp/Orvanta_SimdVariant.h"

#if defined(__AVX2__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#include <xmmintrin.h>
#endif

namespace OrvantaChain {
inline namespace ORVANTA_SIMD_NAMESPACE {

typedef float Float2 __attribute__((vector_size(8)));
typedef float Float4 __attribute__((vector_size(16)));
typedef double Double2 __attribute__((vector_size(16)));
typedef int32_t Int2 __attribute__((vector_size(8)));
typedef int32_t Int4 __attribute__((vector_size(16)));
typedef uint32_t UInt2 __attribute__((vector_size(8)));

// Wide vectors for the steps that do not depend on earlier samples: these
// run over all lanes' values of a run as one flat array, as many values at
// once as the variant's vector registers hold.
#if defined(__AVX512F__)
constexpr int kWideLanes = 16;
#elif defined(__AVX2__)
constexpr int kWideLanes = 8;
#else
constexpr int kWideLanes = 4;
#endif
typedef float FloatWide __attribute__((vector_size(4 * kWideLanes)));
typedef int32_t IntWide __attribute__((vector_size(4 * kWideLanes)));
typedef uint32_t UIntWide __attribute__((vector_size(4 * kWideLanes)));

inline FloatWide loadWide(const float* p) {
    FloatWide v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void storeWide(float* p, FloatWide v) { std::memcpy(p, &v, sizeof v); }

// Neighbouring pairs of a table: left = {base[index[0]], base[index[1]], ...}
// and right the entries after them, for kWideLanes indices in memory. Each
// pair is one 8-byte load; the pairs are then sorted into the two vectors by
// shuffles. Measured on this project's AMD machine, this made the whole AVX2
// callback 3 to 5 % faster than two gathers of 8 entries each.
inline void loadPairsWide(const float* base, const int32_t* index, FloatWide& left, FloatWide& right) {
#if defined(__SSE__)
    // Indices taken as unsigned: they are never negative, and a 32-bit
    // unsigned value needs no sign extension to become an address offset.
    const auto pairs = [base](uint32_t first, uint32_t second) {
        const __m128 low = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(base + first));
        return _mm_loadh_pi(low, reinterpret_cast<const __m64*>(base + second));  // l0 r0 l1 r1
    };
    // Plain loads of the indices from memory, not extractions from a
    // vector (measured: the AVX2 stereo callback 2 % faster).
    const auto* const at = reinterpret_cast<const uint32_t*>(index);
#if defined(__AVX512F__)
    // Two pairs in each 128-bit lane of two vectors: lane k of one holds
    // pairs 4k and 4k + 1, of the other 4k + 2 and 4k + 3, so that one
    // shuffle within the lanes sorts each value to its place, as with AVX2.
    // (Zero-extended, not cast: the casts' undefined upper parts trip the
    // compiler's uninitialised-value warning, and the loads clear them.)
    const auto fourLanes = [&pairs, &at](int k) {
        __m512 v = _mm512_zextps128_ps512(pairs(at[k], at[k + 1]));
        v = _mm512_insertf32x4(v, pairs(at[k + 4], at[k + 5]), 1);
        v = _mm512_insertf32x4(v, pairs(at[k + 8], at[k + 9]), 2);
        return _mm512_insertf32x4(v, pairs(at[k + 12], at[k + 13]), 3);
    };
    const __m512 even = fourLanes(0), odd = fourLanes(2);
    left = (FloatWide)_mm512_shuffle_ps(even, odd, _MM_SHUFFLE(2, 0, 2, 0));
    right = (FloatWide)_mm512_shuffle_ps(even, odd, _MM_SHUFFLE(3, 1, 3, 1));
#elif defined(__AVX2__)
    const __m256 lowHalves = _mm256_insertf128_ps(_mm256_castps128_ps256(pairs(at[0], at[1])), pairs(at[4], at[5]), 1);
    const __m256 highHalves = _mm256_insertf128_ps(_mm256_castps128_ps256(pairs(at[2], at[3])), pairs(at[6], at[7]), 1);
    left = (FloatWide)_mm256_shuffle_ps(lowHalves, highHalves, _MM_SHUFFLE(2, 0, 2, 0));
    right = (FloatWide)_mm256_shuffle_ps(lowHalves, highHalves, _MM_SHUFFLE(3, 1, 3, 1));
#else
    const __m128 low = pairs(at[0], at[1]), high = pairs(at[2], at[3]);
    left = (FloatWide)_mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0));
    right = (FloatWide)_mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1));
#endif
#else
    for (int k = 0; k < kWideLanes; ++k) {
        left[k] = base[index[k]];
        right[k] = base[index[k] + 1];
    }
#endif
}

// One channel: plain floats and doubles.
struct OneLane {
    static constexpr int kLanes = 1;
    using F = float;
    using D = double;
    static D widen(F v) { return v; }
    static F narrow(D v) { return static_cast<float>(v); }
    static float lane(F v, int) { return v; }
    static void setLane(F& v, int, float value) { v = value; }
    // Two values side by side, for two filters that run the same steps.
    using Pair = Float2;
    static Pair join(F a, F b) { return Pair{a, b}; }
    static Pair pairOf(float a, float b) { return Pair{a, b}; }
    // The first of a's two values and the second of b's.
    static Pair firstThenSecond(Pair a, Pair b) { return __builtin_shufflevector(a, b, 0, 3); }
    static D widenFirst(Pair p) { return p[0]; }
    // A pair with *first as its first value (the second is zero), and the
    // same with *second as the second value instead of b's.
    static Pair loadFirst(const F* first) { return Pair{*first, 0.0f}; }
    static Pair withSecondFrom(Pair a, const F* second) { return Pair{a[0], *second}; }
    // A pair whose first value is the narrowed v.
    static Pair narrowFirst(D v) { return Pair{static_cast<float>(v), 0.0f}; }
    static void storeFirst(F* p, Pair v) { *p = v[0]; }
    static void storeSecond(F* p, Pair v) { *p = v[1]; }
    static F first(Pair p) { return p[0]; }
    static F second(Pair p) { return p[1]; }
};

// Two channels: lane 0 is channel 0, lane 1 channel 1.
struct TwoLanes {
    static constexpr int kLanes = 2;
    using F = Float2;
    using D = Double2;
    static D widen(F v) { return __builtin_convertvector(v, D); }
    static F narrow(D v) {
#if defined(__SSE2__)
        // The two-value conversion itself: the generic conversion widens
        // the pair to four doubles first, one more instruction per step.
        const Float4 four = (Float4)_mm_cvtpd_ps((__m128d)v);
        return __builtin_shufflevector(four, four, 0, 1);
#else
        return __builtin_convertvector(v, F);
#endif
    }
    static float lane(F v, int l) { return v[l]; }
    static void setLane(F& v, int l, float value) { v[l] = value; }
    using Pair = Float4;
    static Pair join(F a, F b) { return __builtin_shufflevector(a, b, 0, 1, 2, 3); }
    static Pair pairOf(float a, float b) { return Pair{a, a, b, b}; }
    static Pair firstThenSecond(Pair a, Pair b) { return __builtin_shufflevector(a, b, 0, 1, 6, 7); }
    // Pairs loaded, narrowed and stored a half at a time, so that no value
    // passes through a two-lane vector on its way into or out of a pair:
    // the compiler clears the upper half of every such value first.
#if defined(__SSE2__)
    // The conversion reads the low half of the register: through a two-lane
    // vector, the compiler would pass the half through the stack first.
    static D widenFirst(Pair p) { return (D)_mm_cvtps_pd((__m128)p); }
    static Pair loadFirst(const F* first) {
        return (Pair)_mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(first));
    }
    static Pair withSecondFrom(Pair a, const F* second) {
        return (Pair)_mm_loadh_pi((__m128)a, reinterpret_cast<const __m64*>(second));
    }
    static Pair narrowFirst(D v) { return (Pair)_mm_cvtpd_ps((__m128d)v); }
    static void storeFirst(F* p, Pair v) { _mm_storel_pi(reinterpret_cast<__m64*>(p), (__m128)v); }
    static void storeSecond(F* p, Pair v) { _mm_storeh_pi(reinterpret_cast<__m64*>(p), (__m128)v); }
#else
    static D widenFirst(Pair p) { return __builtin_convertvector(__builtin_shufflevector(p, p, 0, 1), D); }
    static Pair loadFirst(const F* first) { return join(*first, F{}); }
    static Pair withSecondFrom(Pair a, const F* second) { return join(first(a), *second); }
    static Pair narrowFirst(D v) { return join(__builtin_convertvector(v, F), F{}); }
    static void storeFirst(F* p, Pair v) { *p = first(v); }
    static void storeSecond(F* p, Pair v) { *p = second(v); }
#endif
    static F first(Pair p) { return __builtin_shufflevector(p, p, 0, 1); }
    static F second(Pair p) { return __builtin_shufflevector(p, p, 2, 3); }
};

}  // inline namespace ORVANTA_SIMD_NAMESPACE
}  // namespace OrvantaChain
