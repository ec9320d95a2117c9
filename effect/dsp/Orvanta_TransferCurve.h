// Interpolating look-ups into the transfer curve Orvanta_Table_Data.
//
// Both forms split the input into a table index and a 19-bit fraction and
// interpolate linearly between two neighbouring entries. They differ only in
// how the input becomes a fixed-point position: the offset form (stereo
// callback) scales v + 1, rounded to single precision first, to an unsigned
// 32-bit position; the signed form (mono callback) scales v itself to a signed
// 32-bit position. Inputs below -1 and not-a-number read entry 0; inputs of +1
// and above interpolate between the last two entries with the largest
// fraction. Inputs are clamped by min/max rather than branches, so the
// look-up costs the same for every signal.
#pragma once

#include <cstdint>

#include "effect/dsp/Orvanta_Table_Data.h"

struct TransferCurve {
    // Audio thread; pure function, allocates nothing.
    static float Offset(float v) noexcept {
        // v + 1 of just below +1 rounds to 2 in single precision, and the
        // position to 2^32; the upper limit keeps that input at the top of
        // the curve, like +1 itself, instead of wrapping to entry 0.
        const int64_t scaled = static_cast<int64_t>((clampToUnitRange(v) + 1.0f) * kTwoPow31);
        const int64_t position = scaled < kTopOffsetPosition ? scaled : kTopOffsetPosition;
        return interpolate(static_cast<uint32_t>(position) >> kFractionBits,
                           static_cast<uint32_t>(position) & kFractionMask);
    }

    // Audio thread; pure function, allocates nothing.
    static float Signed(float v) noexcept {
        // Exact scaling of v in [-1, 1] to [-2^31, 2^31]; only +1 itself
        // lands outside 32 bits and is held at the top position.
        const int64_t scaled = static_cast<int64_t>(clampToUnitRange(v) * kTwoPow31);
        const int32_t position = static_cast<int32_t>(scaled < kTopSignedPosition ? scaled : kTopSignedPosition);
        // Arithmetic shift: the index counts from the centre entry, downwards
        // for negative positions.
        const int32_t index = (position >> kFractionBits) + kCentreEntry;
        return interpolate(static_cast<uint32_t>(index), static_cast<uint32_t>(position) & kFractionMask);
    }

private:
    static constexpr float kTwoPow31 = 2147483648.0f;
    static constexpr int kFractionBits = 19;
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

    static float interpolate(uint32_t index, uint32_t fractionBits) noexcept {
        const float fraction = static_cast<float>(fractionBits) * kFractionScale;
        const float left = Orvanta_Table_Data[index];
        return (Orvanta_Table_Data[index + 1] - left) * fraction + left;
    }
};
