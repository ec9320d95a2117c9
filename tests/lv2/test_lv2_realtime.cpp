// run() is real-time safe. This program's global allocation functions count
// the counting thread's calls, its pthread lock functions the locks that
// thread could not take at once (waits).
#include <dlfcn.h>
#include <pthread.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#include <mutex>
#include <new>
#include <thread>

#include "effect/Orvanta_Defs.h"
#include "tests/lv2/Lv2TestHost.h"

namespace {

thread_local bool tCounting = false;
thread_local long tAllocations = 0, tReleases = 0, tWaits = 0;

void* Allocate(std::size_t size) {
    if (tCounting) ++tAllocations;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
    if (tCounting) ++tAllocations;
    const std::size_t align = std::size_t(alignment);
    if (void* memory = std::aligned_alloc(align, (size + align - 1) / align * align)) return memory;
    throw std::bad_alloc();
}

void Release(void* memory) noexcept {
    if (memory && tCounting) ++tReleases;
    std::free(memory);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void* operator new(std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }
void operator delete(void* memory) noexcept { Release(memory); }
void operator delete[](void* memory) noexcept { Release(memory); }
void operator delete(void* memory, std::size_t) noexcept { Release(memory); }
void operator delete[](void* memory, std::size_t) noexcept { Release(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { Release(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { Release(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { Release(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { Release(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { Release(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { Release(memory); }

namespace {

void NoteWait() {
    if (tCounting) ++tWaits;
}

// The C library's own function of that name.
template <class Function>
Function Real(const char* name) {
    static_assert(sizeof(Function) == sizeof(void*), "a function pointer");
    void* symbol = dlsym(RTLD_NEXT, name);
    if (!symbol) std::abort();
    Function function;
    std::memcpy(&function, &symbol, sizeof function);
    return function;
}

}  // namespace

// Each lock first tries without waiting; when the lock is taken, that is a
// wait, and the library's function then waits as usual.
#define ORVANTA_COUNT_WAITS(lock, tryLock, Lock)                              \
    extern "C" int lock(Lock* held) {                                         \
        if (tryLock(held) == 0) return 0;                                     \
        NoteWait();                                                           \
        static const auto real = Real<int (*)(Lock*)>(#lock);                 \
        return real(held);                                                    \
    }
ORVANTA_COUNT_WAITS(pthread_mutex_lock, pthread_mutex_trylock, pthread_mutex_t)
ORVANTA_COUNT_WAITS(pthread_rwlock_rdlock, pthread_rwlock_tryrdlock, pthread_rwlock_t)
ORVANTA_COUNT_WAITS(pthread_rwlock_wrlock, pthread_rwlock_trywrlock, pthread_rwlock_t)
ORVANTA_COUNT_WAITS(pthread_spin_lock, pthread_spin_trylock, pthread_spinlock_t)
extern "C" int pthread_mutex_timedlock(pthread_mutex_t* mutex, const struct timespec* until) {
    if (pthread_mutex_trylock(mutex) == 0) return 0;
    NoteWait();
    static const auto lock = Real<int (*)(pthread_mutex_t*, const struct timespec*)>("pthread_mutex_timedlock");
    return lock(mutex, until);
}

namespace {

using lv2_test::HostOptions;
using lv2_test::Lv2TestInstance;
using namespace Lv2Ports;

// Counts the allocations, releases and waits of a scope on this thread.
class ScopeCount {
public:
    ScopeCount() {
        tAllocations = tReleases = tWaits = 0;
        tCounting = true;
    }
    ~ScopeCount() { tCounting = false; }
    long Allocations() const { return tAllocations; }
    long Releases() const { return tReleases; }
    long Waits() const { return tWaits; }
};

// The counters themselves: a held lock is a wait, a free one is not; this thread's allocations count.
TEST(Lv2Realtime, CountingSeesWaitsAndAllocations) {
    std::mutex mutex;
    std::atomic<bool> held{false};
    std::thread holder([&] {
        std::lock_guard<std::mutex> lock(mutex);
        held = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    });
    while (!held) std::this_thread::yield();
    ScopeCount counts;
    { std::lock_guard<std::mutex> taken(mutex); }
    EXPECT_EQ(counts.Waits(), 1);
    { std::lock_guard<std::mutex> free(mutex); }
    EXPECT_EQ(counts.Waits(), 1) << "a free lock is no wait";
    // The function itself: an unused new-expression may be left out (clang does).
    ::operator delete(::operator new(sizeof(int)));
    EXPECT_EQ(counts.Allocations(), 1);
    EXPECT_EQ(counts.Releases(), 1);
    holder.join();
}

// After the first call, runs of 0 frames up to the largest block with every port changing neither
// allocate nor wait while another thread saves and restores states; a host without a URI map gets
// no state, but sound.
TEST(Lv2Realtime, RunNeitherAllocatesNorWaitsWhileAnotherThreadSavesAndRestores) {
    struct Case { int channels; double rate; HostOptions options; };  // maxBlockLength 0: none stated
    const Case cases[] = {{1, 48000, {true, 512}}, {2, 44100, {true, 512}}, {2, 192000, {true, 0}},
                          {1, 96000, {false, 0}},  {2, 48000, {false, 0}},  {2, 88200, {true, 1 << 30}}};
    const float kNaN = std::numeric_limits<float>::quiet_NaN();
    const uint32_t frames[] = {0, 1, 17, 256, 512, 1024};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << " ch, " << c.rate << " Hz");
        const bool uridMap = c.options.uridMap;
        Lv2TestInstance lv2(c.channels, c.rate, c.options, 1024);
        ASSERT_TRUE(lv2.Valid());
        for (int channel = 0; channel < c.channels; ++channel)
            for (size_t i = 0; i < 1024; ++i) lv2.Input(channel)[i] = float((i * 37 + size_t(channel)) % 200) / 250.0f;
        lv2_test::StateStore warm, plain;
        lv2.Control(kHarmonic) = 70;
        lv2.Control(kColor) = 5;
        lv2.Run(256);  // the first call
        EXPECT_NE(lv2.Output(0)[100], 0.0f) << "nothing processed";
        lv2.Control(kHarmonic) = 0;
        lv2.Control(kColor) = 1;
        if (uridMap) {
            ASSERT_EQ(lv2.Save(&warm), LV2_STATE_SUCCESS);
            lv2.Run(256);
            ASSERT_EQ(lv2.Save(&plain), LV2_STATE_SUCCESS);
            ASSERT_EQ(lv2.Restore(&warm), LV2_STATE_SUCCESS);
        } else {
            EXPECT_EQ(lv2.Save(&warm), LV2_STATE_ERR_NO_FEATURE);
            EXPECT_TRUE(warm.empty());
            EXPECT_EQ(lv2.Restore(&warm), LV2_STATE_ERR_NO_FEATURE);
        }

        std::atomic<bool> stop{false};
        std::atomic<long> saves{0}, failures{0};
        std::thread other([&] {
            lv2_test::StateStore saved;
            while (uridMap && !stop) {
                failures += lv2.Save(&saved) != LV2_STATE_SUCCESS || saved.begin()->second.bytes.size() != 96u;
                failures += lv2.Restore(&warm) != LV2_STATE_SUCCESS;
                failures += lv2.Restore(&plain) != LV2_STATE_SUCCESS;
                saves += 1;
            }
        });
        long waits = 0, allocations = 0;
        {
            ScopeCount count;
            for (int block = 0; block < 2400; ++block) {
                lv2.Control(kHarmonic) = float(block % 101);
                lv2.Control(kDynamic) = block % 7 == 0 ? kNaN : float((block * 13) % 150);
                lv2.Control(kOutputTrim) = float(block % 13) - 6.5f;
                lv2.Control(kDither) = float(block % 2);
                lv2.Control(kColor) = float(block % 6);
                lv2.Control(kEnabled) = block % 5 == 0 ? 0.0f : 1.0f;
                lv2.Run(frames[size_t(block) % (sizeof frames / sizeof frames[0])]);
            }
            waits = count.Waits();
            allocations = count.Allocations() + count.Releases();
        }
        stop = true;
        other.join();
        std::cout << "[ figures  ] 2400 runs, " << waits << " waits, " << allocations << " allocations; meanwhile "
                  << saves << " saves and " << 2 * saves << " restores\n";
        EXPECT_EQ(waits, 0);
        EXPECT_EQ(allocations, 0);
        EXPECT_EQ(failures, 0);
        EXPECT_TRUE(saves > 0 || !uridMap) << "the other thread ran alongside";
        // A late restore may have replaced the ports' values; changes that
        // waited for a busy model apply at the next run.
        for (float color : {3.0f, 4.0f}) {
            lv2.Control(kHarmonic) = color + 30.0f;
            lv2.Control(kColor) = color;
            lv2.Run(64);
        }
        EXPECT_NEAR(lv2.Normalized(Orvanta::kParamID_Harmonic), 0.34, 1e-9);
        EXPECT_NEAR(lv2.Normalized(Orvanta::kParamID_Color), 0.75, 1e-9);
    }
}

}  // namespace
