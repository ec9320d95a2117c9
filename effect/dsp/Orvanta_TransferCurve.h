// Interpolating look-ups into the transfer curve Orvanta_Table_Data.
//
// Both forms split the input into a table index and a 19-bit fraction and
// interpolate linearly between two neighbouring entries. They differ only in
// how the input becomes a fixed-point position: the offset form (stereo
// callback) scales v + 1, rounded to single precision first, to an unsigned
// 32-bit position; the signed form (mono callback) scales v itself to a signed
// 32-bit position. Inputs below -1 and not-a-number read entry 0; inputs of +1
// and above interpolate between the last two entries with the largest
// fraction. Inputs are clamped by selection rather than branches, so the
// look-up costs the same for every signal.
//
// The offset form also comes for the two lanes of the stereo chain,
// computing exactly what the one-value form computes in each lane.
#pragma once

#include <cstdint>
#include <cstring>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

#include "effect/dsp/Orvanta_Lanes.h"
#include "effect/dsp/Orvanta_Table_Data.h"

inline namespace ORVANTA_SIMD_NAMESPACE {

struct TransferCurve {
    static constexpr int kVectorWidth = OrvantaChain::kWideLanes;
    using FloatVector = OrvantaChain::FloatWide;
    using IntVector = OrvantaChain::IntWide;


    // Audio thread; pure functions, allocate nothing.
    struct Offset {
        static float apply(float v) noexcept {
            // v + 1 of just below +1 rounds to 2 in single precision, and the
            // position to 2^32; the upper limit keeps that input at the top
            // of the curve, like +1 itself, instead of wrapping to entry 0.
            const int64_t scaled = static_cast<int64_t>((clampToUnitRange(v) + 1.0f) * kTwoPow31);
            const int64_t position = scaled < kTopOffsetPosition ? scaled : kTopOffsetPosition;
            return interpolate(static_cast<uint32_t>(position) >> kFractionBits,
                               static_cast<uint32_t>(position) & kFractionMask);
        }

        static OrvantaChain::Float2 apply(OrvantaChain::Float2 v) noexcept {
            using namespace OrvantaChain;
            // Position in entries, 0 .. 8192: v + 1 rounded as above, then an
            // exact scaling. Its whole part is the index; the fraction,
            // scaled by 2^19 (exact) and truncated, gives the fraction bits,
            // as the 32-bit position of the one-value form would.
            const Float2 entries = (clampToUnitRange(v) + 1.0f) * kEntriesPerUnit;
            const Int2 whole = __builtin_convertvector(entries, Int2);
            const Int2 fractionBits =
                __builtin_convertvector((entries - __builtin_convertvector(whole, Float2)) * kFractionSteps, Int2);
            // At the top (8192 entries) hold the last interval with the
            // largest fraction, like the one-value form.
            const Int2 top = whole >> kIndexBits;  // 1 at the top, else 0
            return interpolate(UInt2(whole - top), UInt2(fractionBits | ((Int2{} - top) & int32_t(kFractionMask))));
        }

        // out[i] = apply(in[i]) for n values, kVectorWidth at a time: the
        // steps of the two-lane form, for more values at once.
        static void applyAll(const float* in, float* out, int32_t n) noexcept {
            applyInVectors<Offset>(in, out, n);
        }

        // The table indices and fractions of kVectorWidth values.
        static void positionVector(FloatVector v, int32_t* index, float* fraction) noexcept {
            using V = FloatVector;
            using I = IntVector;
            const V entries = (clampVector(v) + 1.0f) * kEntriesPerUnit;
            const I whole = __builtin_convertvector(entries, I);
            const I fractionBits = __builtin_convertvector((entries - __builtin_convertvector(whole, V)) * kFractionSteps, I);
            const I top = whole >> kIndexBits;  // 1 at the top, else 0
            storePosition(whole - top, fractionBits | ((I{} - top) & int32_t(kFractionMask)), index, fraction);
        }
    };

    struct Signed {
        static float apply(float v) noexcept {
            // Exact scaling of v in [-1, 1] to [-2^31, 2^31]; only +1 itself
            // lands outside 32 bits and is held at the top position.
            const int64_t scaled = static_cast<int64_t>(clampToUnitRange(v) * kTwoPow31);
            const int32_t position = static_cast<int32_t>(scaled < kTopSignedPosition ? scaled : kTopSignedPosition);
            // Arithmetic shift: the index counts from the centre entry,
            // downwards for negative positions.
            const int32_t index = (position >> kFractionBits) + kCentreEntry;
            return interpolate(static_cast<uint32_t>(index), static_cast<uint32_t>(position) & kFractionMask);
        }

        // out[i] = apply(in[i]) for n values, kVectorWidth at a time.
        static void applyAll(const float* in, float* out, int32_t n) noexcept { applyInVectors<Signed>(in, out, n); }

        static void positionVector(FloatVector v, int32_t* index, float* fraction) noexcept {
            using V = FloatVector;
            using I = IntVector;
            // The scaled input is below 2^31 except for +1 itself, which
            // takes the top position: converted as 0, then all 31 low bits set.
            const V scaled = clampVector(v) * kTwoPow31;
            const I top = scaled >= kTwoPow31;  // -1 for +1, else 0
            I position = __builtin_convertvector(top ? V{} : scaled, I);
            position |= top & INT32_MAX;
            storePosition((position >> kFractionBits) + kCentreEntry, position & int32_t(kFractionMask), index, fraction);
        }
    };

private:
    static constexpr float kTwoPow31 = 2147483648.0f;
    static constexpr float kEntriesPerUnit = 4096.0f;
    static constexpr float kFractionSteps = 524288.0f;  // 2^19
    static constexpr int kFractionBits = 19;
    static constexpr int kIndexBits = 32 - kFractionBits;  // 8192 intervals
    static constexpr uint32_t kFractionMask = (1u << kFractionBits) - 1u;
    static constexpr float kFractionScale = 1.0f / float(1u << kFractionBits);
    static constexpr int32_t kCentreEntry = (Orvanta::kTransferCurveEntries - 1) / 2;
    static constexpr int64_t kTopOffsetPosition = int64_t(UINT32_MAX);
    static constexpr int64_t kTopSignedPosition = int64_t(INT32_MAX);

    // -1 for inputs below -1 and for not-a-number, +1 for inputs above +1.
    static float clampToUnitRange(float v) noexcept {
        const float low = v >= -1.0f ? v : -1.0f;
        return low <= 1.0f ? low : 1.0f;
    }

    static OrvantaChain::Float2 clampToUnitRange(OrvantaChain::Float2 v) noexcept {
        using namespace OrvantaChain;
#if defined(__SSE__)
        // maxps returns its second operand when the first is not a number.
        const __m128 wide = (__m128)__builtin_shufflevector(v, v, 0, 1, 0, 1);
        const __m128 clamped = _mm_min_ps(_mm_max_ps(wide, _mm_set1_ps(-1.0f)), _mm_set1_ps(1.0f));
        const Float4 result = (Float4)clamped;
        return __builtin_shufflevector(result, result, 0, 1);
#else
        const Float2 low = v >= -1.0f ? v : Float2{} - 1.0f;
        return low <= 1.0f ? low : Float2{} + 1.0f;
#endif
    }

    static float interpolate(uint32_t index, uint32_t fractionBits) noexcept {
        const float fraction = static_cast<float>(fractionBits) * kFractionScale;
        const float left = Orvanta_Table_Data[index];
        return (Orvanta_Table_Data[index + 1] - left) * fraction + left;
    }

    // out[i] = Form::apply(in[i]) for n values (out may be in), in chunks:
    // first every value's table index and fraction, kVectorWidth at a time,
    // into arrays; then the look-ups, reading the indices back as plain
    // loads. In one pass, each vector's indices were read right after the
    // vector store that wrote them, and the processor does not forward a
    // wide store to narrow loads: each read waited for the store to reach
    // the cache (measured with AVX-512: every curve pass 35 % faster in two).
    template <class Form>
    static void applyInVectors(const float* in, float* out, int32_t n) noexcept {
        constexpr int32_t kChunk = 512;  // values; the arrays take 4 KiB of stack
        alignas(64) int32_t index[kChunk];
        alignas(64) float fraction[kChunk];
        int32_t i = 0;
        while (n - i >= kVectorWidth) {
            const int32_t left = n - i < kChunk ? n - i : kChunk;
            const int32_t chunk = left - left % kVectorWidth;
            for (int32_t k = 0; k < chunk; k += kVectorWidth)
                Form::positionVector(OrvantaChain::loadWide(in + i + k), index + k, fraction + k);
            for (int32_t k = 0; k < chunk; k += kVectorWidth)
                OrvantaChain::storeWide(out + i + k, interpolateVector(index + k, fraction + k));
            i += chunk;
        }
        for (; i < n; ++i) out[i] = Form::apply(in[i]);
    }

    static void storePosition(IntVector index, IntVector fractionBits, int32_t* indexOut, float* fractionOut) noexcept {
        const FloatVector fraction = __builtin_convertvector(fractionBits, FloatVector) * kFractionScale;
        std::memcpy(indexOut, &index, sizeof index);
        std::memcpy(fractionOut, &fraction, sizeof fraction);
    }

    // Lane by lane what clampToUnitRange does: not-a-number compares false.
    // With SSE, one maximum and one minimum instead of two compares and
    // selections: maxps returns its second operand when the first is not a
    // number.
    static FloatVector clampVector(FloatVector v) noexcept {
        using V = FloatVector;
#if defined(__AVX512F__)
        // The masked forms with every lane selected: the plain ones fill an
        // undefined vector that trips the compiler's uninitialised-value
        // warning.
        const __m512 none = _mm512_setzero_ps();
        const __m512 low = _mm512_mask_max_ps(none, 0xFFFF, (__m512)v, _mm512_set1_ps(-1.0f));
        return (V)_mm512_mask_min_ps(none, 0xFFFF, low, _mm512_set1_ps(1.0f));
#elif defined(__AVX2__)
        return (V)_mm256_min_ps(_mm256_max_ps((__m256)v, _mm256_set1_ps(-1.0f)), _mm256_set1_ps(1.0f));
#elif defined(__SSE__)
        return (V)_mm_min_ps(_mm_max_ps((__m128)v, _mm_set1_ps(-1.0f)), _mm_set1_ps(1.0f));
#else
        const V low = v >= -1.0f ? v : V{} - 1.0f;
        return low <= 1.0f ? low : V{} + 1.0f;
#endif
    }

    static FloatVector interpolateVector(const int32_t* index, const float* fractionIn) noexcept {
        using V = FloatVector;
        V left, right;
        OrvantaChain::loadPairsWide(Orvanta_Table_Data, index, left, right);
        return (right - left) * OrvantaChain::loadWide(fractionIn) + left;
    }

    static OrvantaChain::Float2 interpolate(OrvantaChain::UInt2 index, OrvantaChain::UInt2 fractionBits) noexcept {
        using namespace OrvantaChain;
        const Float2 fraction = __builtin_convertvector(Int2(fractionBits), Float2) * kFractionScale;
        const float* const next = Orvanta_Table_Data + 1;
        const uint32_t first = index[0], second = index[1];
        const Float2 left = {Orvanta_Table_Data[first], Orvanta_Table_Data[second]};
        const Float2 right = {next[first], next[second]};
        return (right - left) * fraction + left;
    }
};

}  // inline namespace ORVANTA_SIMD_NAMESPACE
