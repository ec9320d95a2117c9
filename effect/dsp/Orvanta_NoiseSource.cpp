#include "effect/dsp/Orvanta_NoiseSource.h"

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

void Orvanta_NoiseSource::Advance(uint32_t* draws, int32_t count) noexcept {
    uint32_t window[kLongLag + kChunk];
    for (int i = 0; i < kLongLag; ++i) window[i] = m_uLagged[i];
    uint32_t back3 = window[kLongLag - 3], back2 = window[kLongLag - 2], back1 = window[kLongLag - 1];
    for (int32_t done = 0; done < count;) {
        const int32_t chunk = count - done < kChunk ? count - done : kChunk;
        for (int32_t j = 0; j < chunk; ++j) {
            const uint32_t r = window[j] + back3;
            window[kLongLag + j] = r;
            back3 = back2;
            back2 = back1;
            back1 = r;
        }
        if (draws != nullptr)
            for (int32_t j = 0; j < chunk; ++j) draws[done + j] = window[kLongLag + j] >> 1;
        for (int i = 0; i < kLongLag; ++i) window[i] = window[chunk + i];
        done += chunk;
    }
    for (int i = 0; i < kLongLag; ++i) m_uLagged[i] = window[i];
}
