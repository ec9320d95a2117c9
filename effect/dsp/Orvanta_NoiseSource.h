// The white-noise source of the signal chain: the additive-feedback generator
// behind the C library's rand() on this platform, with its state per thread
// instead of behind a process-wide lock.
//
// Every sequence starts as the library's does when it was never seeded (as
// if seeded with 1): r[0] = 1; r[i] = 16807 * r[i-1] mod (2^31 - 1) for
// i = 1 .. 30; r[i] = r[i-31] for i = 31 .. 33; r[i] = r[i-31] + r[i-3]
// modulo 2^32 from i = 34 on; draw k is r[k + 344] shifted right by one bit,
// uniform over 0 .. 2^31 - 1. A single instance in a fresh process therefore
// hears exactly the noise rand() would give it, and instances processed on
// one thread share one sequence, drawn in processing order.
#pragma once

#include <cstdint>

class Orvanta_NoiseSource {
public:
    static constexpr uint32_t kMaxDraw = 0x7FFFFFFFu;

    // A generator at the start of its sequence.
    constexpr Orvanta_NoiseSource() noexcept : m_uLagged{}, m_iNext(0), m_iShortLag(0) {
        uint32_t r[kWarmUp] = {};
        r[0] = 1;
        for (int i = 1; i < kLongLag; ++i) r[i] = uint32_t((uint64_t(r[i - 1]) * 16807u) % 2147483647u);
        for (int i = kLongLag; i < kLongLag + kShortLag; ++i) r[i] = r[i - kLongLag];
        for (int i = kLongLag + kShortLag; i < kWarmUp; ++i) r[i] = r[i - kLongLag] + r[i - kShortLag];
        for (int i = kWarmUp - kLongLag; i < kWarmUp; ++i) m_uLagged[i % kLongLag] = r[i];
        m_iNext = kWarmUp % kLongLag;
        m_iShortLag = (kWarmUp - kShortLag) % kLongLag;
    }

    // The next draw, 0 .. kMaxDraw. Audio thread; no locks, no allocation.
    uint32_t Next() noexcept {
        const uint32_t r = m_uLagged[m_iNext] + m_uLagged[m_iShortLag];
        m_uLagged[m_iNext] = r;
        m_iNext = m_iNext + 1 == kLongLag ? 0 : m_iNext + 1;
        m_iShortLag = m_iShortLag + 1 == kLongLag ? 0 : m_iShortLag + 1;
        return r >> 1;
    }

    // The next count draws, in order. Audio thread; no locks, no allocation.
    void Fill(uint32_t* draws, int32_t count) noexcept {
        for (int32_t i = 0; i < count; ++i) draws[i] = Next();
    }

    // Moves count draws ahead, as if they had been drawn.
    void Skip(int32_t count) noexcept {
        for (int32_t i = 0; i < count; ++i) Next();
    }

    // The calling thread's generator, shared by every instance processed on
    // that thread. Callers on the audio thread copy it into a local for a
    // callback and copy it back at the end, so the thread-local is touched
    // twice per callback.
    static Orvanta_NoiseSource& ThisThread() noexcept;

private:
    static constexpr int kLongLag = 31;
    static constexpr int kShortLag = 3;
    static constexpr int kWarmUp = 344;  // r[0] .. r[343] precede the first draw

    uint32_t m_uLagged[kLongLag];  // r[i-31] .. r[i-1], r[j] in slot j mod 31
    int32_t m_iNext;               // slot of r[i-31], where r[i] goes
    int32_t m_iShortLag;           // slot of r[i-3]
};
