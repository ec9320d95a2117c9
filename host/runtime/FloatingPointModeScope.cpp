#include "FloatingPointModeScope.h"

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>

namespace {
// MXCSR bits: flush-to-zero (results) and denormals-are-zero (inputs).
constexpr uint32_t kFlushToZero = 1u << 15;
constexpr uint32_t kDenormalsAreZero = 1u << 6;
constexpr uint32_t kFlushBits = kFlushToZero | kDenormalsAreZero;

uint64_t ReadMode() { return _mm_getcsr(); }
void WriteMode(uint64_t mode) { _mm_setcsr(static_cast<uint32_t>(mode)); }
}  // namespace

#elif defined(__aarch64__)

namespace {
// FPCR bit 24 (FZ) flushes denormal inputs and results alike.
constexpr uint64_t kFlushBits = 1ull << 24;

uint64_t ReadMode() {
    uint64_t mode;
    __asm__ __volatile__("mrs %0, fpcr" : "=r"(mode));
    return mode;
}
void WriteMode(uint64_t mode) { __asm__ __volatile__("msr fpcr, %0" : : "r"(mode)); }
}  // namespace

#else

namespace {
// No flush mode on this processor: the scope changes nothing.
constexpr uint64_t kFlushBits = 0;
uint64_t ReadMode() { return 0; }
void WriteMode(uint64_t) {}
}  // namespace

#endif

FloatingPointModeScope::FloatingPointModeScope() noexcept : m_SavedMode(ReadMode()) {
    WriteMode(m_SavedMode | kFlushBits);
}

FloatingPointModeScope::~FloatingPointModeScope() { WriteMode(m_SavedMode); }

bool FloatingPointModeScope::DenormalsAreFlushed() noexcept {
    return kFlushBits != 0 && (ReadMode() & kFlushBits) == kFlushBits;
}
