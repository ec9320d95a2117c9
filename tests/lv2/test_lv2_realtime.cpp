// run() is real-time safe: after the first call it allocates and frees
// nothing and never waits on a lock, whatever the ports do, also while
// another thread saves and restores the state. The global allocation functions of this test program count the
// calls made on the counting thread, and its pthread lock functions count
// the locks that thread could not take at once (waits).
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
#include "effect/model/Orvanta_ParameterTable.h"
#include "tests/lv2/Lv2TestHost.h"

namespace {

thread_local bool tCounting = false;
thread_local long tAllocations = 0;
thread_local long tReleases = 0;

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

// ---- lock contention ----

namespace {

thread_local bool tCountingWaits = false;
thread_local long tWaits = 0;

void NoteWait() {
    if (tCountingWaits) ++tWaits;
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

// Counts the allocations and releases of a scope on this thread.
class AllocationCount {
public:
    AllocationCount() {
        tAllocations = tReleases = 0;
        tCounting = true;
    }
    ~AllocationCount() { tCounting = false; }
    long Allocations() const { return tAllocations; }
    long Releases() const { return tReleases; }
};

// Counts the waits of a scope on this thread.
class WaitCount {
public:
    WaitCount() {
        tWaits = 0;
        tCountingWaits = true;
    }
    ~WaitCount() { tCountingWaits = false; }
    long Waits() const { return tWaits; }
};

// The counters themselves: a free lock is no wait, a held one is; the
// allocation functions count what this thread allocates and frees.
TEST(Lv2Realtime, CountingSeesWaitsAndAllocations) {
    std::mutex mutex;
    std::atomic<bool> held{false}, release{false};
    std::thread holder([&] {
        std::lock_guard<std::mutex> lock(mutex);
        held = true;
        while (!release) std::this_thread::yield();
    });
    while (!held) std::this_thread::yield();
    WaitCount waits;
    AllocationCount allocations;
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        release = true;
    });
    { std::lock_guard<std::mutex> taken(mutex); }
    EXPECT_EQ(waits.Waits(), 1);
    { std::lock_guard<std::mutex> free(mutex); }
    EXPECT_EQ(waits.Waits(), 1) << "a free lock is no wait";
    holder.join();
    releaser.join();
    const long threads = allocations.Allocations();  // std::thread's own state
    // A call of the allocation function itself: a new-expression whose
    // result is unused may be left out by the compiler (clang does).
    ::operator delete(::operator new(sizeof(int)));
    EXPECT_EQ(allocations.Allocations(), threads + 1);
    EXPECT_GE(allocations.Releases(), 1);
}

// After its first call, for runs of 0 frames up to the host's largest
// block with every port changing every block (NaNs, the bypass toggling),
// run allocates and frees nothing and never waits on a lock, while a second
// thread saves (each save a whole chunk) and restores two different states
// (the host's parameter changes outside the ports), in a loop; the ports'
// last values hold at the end. A host without a URI map has no state, so
// no second thread there.
TEST(Lv2Realtime, RunNeitherAllocatesNorWaitsWhileAnotherThreadSavesAndRestores) {
    struct Case {
        int channels;
        double rate;
        int32_t maxBlockLength;  // 0: none stated
        bool uridMap;
    };
    const Case cases[] = {{1, 48000, 512, true}, {2, 44100, 512, true}, {2, 192000, 0, true},
                          {1, 96000, 0, false},  {2, 88200, 1 << 30, true}};
    const float kNaN = std::numeric_limits<float>::quiet_NaN();
    const uint32_t frames[] = {0, 1, 17, 256, 512, 1024};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << " ch, " << c.rate << " Hz");
        HostOptions options;
        options.maxBlockLength = c.maxBlockLength;
        options.uridMap = c.uridMap;
        Lv2TestInstance lv2(c.channels, c.rate, options, 1024);
        ASSERT_TRUE(lv2.Valid());
        for (int channel = 0; channel < c.channels; ++channel)
            for (size_t i = 0; i < 1024; ++i) lv2.Input(channel)[i] = float((i * 37 + size_t(channel)) % 200) / 250.0f;
        lv2_test::StateStore warm, plain;
        lv2.Control(kHarmonic) = 70;
        lv2.Control(kColor) = 5;
        lv2.Run(256);  // the first call
        lv2.Control(kHarmonic) = 0;
        lv2.Control(kColor) = 1;
        if (c.uridMap) {
            ASSERT_EQ(lv2.Save(&warm), LV2_STATE_SUCCESS);
            lv2.Run(256);
            ASSERT_EQ(lv2.Save(&plain), LV2_STATE_SUCCESS);
            ASSERT_EQ(lv2.Restore(&warm), LV2_STATE_SUCCESS);
        }

        std::atomic<bool> stop{false};
        std::atomic<long> saves{0}, failures{0};
        std::thread other([&] {
            lv2_test::StateStore saved;
            while (c.uridMap && !stop) {
                failures += lv2.Save(&saved) != LV2_STATE_SUCCESS || saved.begin()->second.bytes.size() != 96u;
                failures += lv2.Restore(&warm) != LV2_STATE_SUCCESS;
                failures += lv2.Restore(&plain) != LV2_STATE_SUCCESS;
                saves += 1;
            }
        });
        long waits = 0, allocations = 0;
        {
            WaitCount count;
            AllocationCount allocated;
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
            allocations = allocated.Allocations() + allocated.Releases();
        }
        stop = true;
        other.join();
        std::cout << "[ figures  ] 2400 runs, " << waits << " waits, " << allocations << " allocations; meanwhile "
                  << saves << " saves and " << 2 * saves << " restores\n";
        EXPECT_EQ(waits, 0);
        EXPECT_EQ(allocations, 0);
        EXPECT_EQ(failures, 0);
        EXPECT_TRUE(saves > 0 || !c.uridMap) << "the other thread ran alongside";
        // A restore after the last applied run may have replaced the ports'
        // values (a host then sets the ports again); port changes that
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
