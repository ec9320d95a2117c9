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
    constexpr Orvanta_NoiseSource() noexcept : m_uLagged{} {
        uint32_t r[kWarmUp] = {};
        r[0] = 1;
        for (int i = 1; i < kLongLag; ++i) r[i] = uint32_t((uint64_t(r[i - 1]) * 16807u) % 2147483647u);
        for (int i = kLongLag; i < kLongLag + kShortLag; ++i) r[i] = r[i - kLongLag];
        for (int i = kLongLag + kShortLag; i < kWarmUp; ++i) r[i] = r[i - kLongLag] + r[i - kShortLag];
        for (int i = 0; i < kLongLag; ++i) m_uLagged[i] = r[kWarmUp - kLongLag + i];
    }

    // The next draw, 0 .. kMaxDraw. Audio thread; no locks, no allocation.
    uint32_t Next() noexcept;

    // The next count draws, in order. Audio thread; no locks, no allocation.
    void Fill(uint32_t* draws, int32_t count) noexcept;

    // Moves count draws ahead, as if they had been drawn.
    void Skip(int32_t count) noexcept;

    // The calling thread's generator, shared by every instance processed on
    // that thread. Callers on the audio thread copy it into a local for a
    // callback and copy it back at the end, so the thread-local is touched
    // twice per callback.
    static Orvanta_NoiseSource& ThisThread() noexcept;

private:
    static constexpr int kLongLag = 31;
    static constexpr int kShortLag = 3;
    static constexpr int kWarmUp = 344;  // r[0] .. r[343] precede the first draw
    // Draws per chunk: a stereo block of up to 512 samples in one. Shifting
    // the window between chunks costs loads that wait for the chunk's last
    // stores; 1024 instead of 128 made Noise/Draws 16 % faster (4 KiB of
    // stack).
    static constexpr int32_t kChunk = 1024;

    // Runs the recurrence on a linear copy of the lag window, a chunk at a
    // time, so no index wraps, four values at a time in vectors; the newest
    // values stay in registers, so no value is read back from memory right
    // after it was written. Writes the draws unless draws is null.
    //
    // Out of line (as are the calls above), so the signal chain's variants
    // for wider instruction sets share this one baseline copy.
    void Advance(uint32_t* draws, int32_t count) noexcept;

    uint32_t m_uLagged[kLongLag];  // r[i-31] .. r[i-1], oldest first
};
