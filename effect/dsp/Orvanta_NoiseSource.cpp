#include "effect/dsp/Orvanta_NoiseSource.h"

#include <cstring>

namespace {
// Constant-initialised, so a thread's first use costs no initialisation check.
thread_local Orvanta_NoiseSource tThreadNoise;
}  // namespace

Orvanta_NoiseSource& Orvanta_NoiseSource::ThisThread() noexcept { return tThreadNoise; }

uint32_t Orvanta_NoiseSource::Next() noexcept {
    uint32_t draw;
    Fill(&draw, 1);
    return draw;
}

void Orvanta_NoiseSource::Fill(uint32_t* draws, int32_t count) noexcept { Advance(draws, count); }

void Orvanta_NoiseSource::Skip(int32_t count) noexcept { Advance(nullptr, count); }

namespace {
typedef uint32_t UInt4 __attribute__((vector_size(16)));

UInt4 load4(const uint32_t* p) noexcept {
    UInt4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
}  // namespace

void Orvanta_NoiseSource::Advance(uint32_t* draws, int32_t count) noexcept {
    // window[k] is r[i - kHistory + k], for i the chunk's first draw.
    // r[i] = r[i-31] + r[i-3] = r[i-31] + r[i-34] + r[i-6]: in the second
    // form four neighbouring values depend only on values at least four
    // back, so they are made together in one vector; the newest two
    // vectors stay in registers. The three values before the stored lag
    // window follow from it: r[k-31] = r[k] - r[k-3].
    constexpr int kHistory = kLongLag + kShortLag;
    uint32_t window[kHistory + kChunk];
    for (int i = 0; i < kLongLag; ++i) window[kShortLag + i] = m_uLagged[i];
    for (int m = 0; m < kShortLag; ++m) window[m] = window[kLongLag + m] - window[kLongLag - kShortLag + m];
    for (int32_t done = 0; done < count;) {
        const int32_t chunk = count - done < kChunk ? count - done : kChunk;
        UInt4 older = load4(window + kHistory - 8), newer = load4(window + kHistory - 4);
        int32_t j = 0;
        for (; j + 4 <= chunk; j += 4) {
            const UInt4 lagged = load4(window + j + kShortLag) + load4(window + j);
            const UInt4 next = lagged + __builtin_shufflevector(older, newer, 2, 3, 4, 5);
            std::memcpy(window + kHistory + j, &next, sizeof next);
            if (draws != nullptr) {  // the draws straight from the register
                const UInt4 drawn = next >> 1;
                std::memcpy(draws + done + j, &drawn, sizeof drawn);
            }
            older = newer;
            newer = next;
        }
        for (; j < chunk; ++j) {
            window[kHistory + j] = window[j + kShortLag] + window[kHistory + j - kShortLag];
            if (draws != nullptr) draws[done + j] = window[kHistory + j] >> 1;
        }
        for (int i = 0; i < kHistory; ++i) window[i] = window[chunk + i];
        done += chunk;
    }
    for (int i = 0; i < kLongLag; ++i) m_uLagged[i] = window[kShortLag + i];
}
