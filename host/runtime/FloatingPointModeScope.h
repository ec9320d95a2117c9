// Sets flush-to-zero and denormals-are-zero on the calling thread for the
// scope's lifetime and restores the thread's previous mode when it ends, as
// hosts do on their audio threads: denormal filter states then cost nothing
// and the effect hears what it would hear inside a host.
//
// Any thread (the mode is per thread). No allocation, no lock.
#pragma once

#include <cstdint>

class FloatingPointModeScope {
public:
    FloatingPointModeScope() noexcept;
    ~FloatingPointModeScope();
    FloatingPointModeScope(const FloatingPointModeScope&) = delete;
    FloatingPointModeScope& operator=(const FloatingPointModeScope&) = delete;

    // True when the calling thread currently flushes denormal results and
    // treats denormal inputs as zero (false where the processor has no such mode).
    static bool DenormalsAreFlushed() noexcept;

private:
    uint64_t m_SavedMode;
};
