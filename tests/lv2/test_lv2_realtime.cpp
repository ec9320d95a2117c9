// run() is real-time safe: after the first call it allocates and frees
// nothing and never waits on a lock, whatever the ports do (every port
// changing every block, NaNs, the bypass toggling), for runs of 0 frames up
// to the host's largest block, also while another thread saves and restores
// the state. The global allocation functions of this test program count the
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
extern "C" int pthread_mutex_lock(pthread_mutex_t* mutex) {
    if (pthread_mutex_trylock(mutex) == 0) return 0;
    NoteWait();
    static const auto lock = Real<int (*)(pthread_mutex_t*)>("pthread_mutex_lock");
    return lock(mutex);
}
extern "C" int pthread_mutex_timedlock(pthread_mutex_t* mutex, const struct timespec* until) {
    if (pthread_mutex_trylock(mutex) == 0) return 0;
    NoteWait();
    static const auto lock = Real<int (*)(pthread_mutex_t*, const struct timespec*)>("pthread_mutex_timedlock");
    return lock(mutex, until);
}
extern "C" int pthread_rwlock_rdlock(pthread_rwlock_t* lock) {
    if (pthread_rwlock_tryrdlock(lock) == 0) return 0;
    NoteWait();
    static const auto real = Real<int (*)(pthread_rwlock_t*)>("pthread_rwlock_rdlock");
    return real(lock);
}
extern "C" int pthread_rwlock_wrlock(pthread_rwlock_t* lock) {
    if (pthread_rwlock_trywrlock(lock) == 0) return 0;
    NoteWait();
    static const auto real = Real<int (*)(pthread_rwlock_t*)>("pthread_rwlock_wrlock");
    return real(lock);
}
extern "C" int pthread_spin_lock(pthread_spinlock_t* lock) {
    if (pthread_spin_trylock(lock) == 0) return 0;
    NoteWait();
    static const auto real = Real<int (*)(pthread_spinlock_t*)>("pthread_spin_lock");
    return real(lock);
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

TEST(Lv2Realtime, CountingSeesWaits) {
    std::mutex mutex;
    std::atomic<bool> held{false}, release{false};
    {
        WaitCount count;
        { std::lock_guard<std::mutex> free(mutex); }
        EXPECT_EQ(count.Waits(), 0) << "a free lock is no wait";
    }
    std::thread holder([&] {
        std::lock_guard<std::mutex> lock(mutex);
        held = true;
        while (!release) std::this_thread::yield();
    });
    while (!held) std::this_thread::yield();
    WaitCount count;
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        release = true;
    });
    { std::lock_guard<std::mutex> taken(mutex); }
    EXPECT_EQ(count.Waits(), 1);
    holder.join();
    releaser.join();
}

TEST(Lv2Realtime, CountingSeesAllocations) {
    AllocationCount count;
    // A call of the allocation function itself: a new-expression whose
    // result is unused may be left out by the compiler (clang does).
    ::operator delete(::operator new(sizeof(int)));
    std::vector<float> buffer(100);
    EXPECT_EQ(count.Allocations(), 2);
    buffer.clear();
    buffer.shrink_to_fit();
    EXPECT_EQ(count.Releases(), 2);
}

// Half the cases restore a saved state between the first call and the
// counted ones.
TEST(Lv2Realtime, RunAllocatesNothingAfterTheFirstCallOrARestore) {
    struct Case {
        int channels;
        double rate;
        int32_t maxBlockLength;  // 0: none stated
        bool uridMap;
        bool restore;
    };
    const Case cases[] = {{1, 48000, 512, true, true}, {2, 44100, 512, true, false}, {2, 192000, 0, true, true},
                          {1, 96000, 0, false, false}, {2, 88200, 1 << 30, true, true}};
    const float kNaN = std::numeric_limits<float>::quiet_NaN();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << " ch, " << c.rate << " Hz" << (c.restore ? ", restored" : ""));
        HostOptions options;
        options.maxBlockLength = c.maxBlockLength;
        options.uridMap = c.uridMap;
        Lv2TestInstance lv2(c.channels, c.rate, options, 1024);
        ASSERT_TRUE(lv2.Valid());
        for (int channel = 0; channel < c.channels; ++channel)
            for (size_t i = 0; i < 1024; ++i) lv2.Input(channel)[i] = float((i * 37 + size_t(channel)) % 200) / 250.0f;
        lv2.Control(kHarmonic) = 50;
        lv2.Run(256);  // the first call
        if (c.restore) {
            lv2_test::StateStore store;
            ASSERT_EQ(lv2.Save(&store), LV2_STATE_SUCCESS);
            lv2.Control(kHarmonic) = 10;
            lv2.Run(256);
            ASSERT_EQ(lv2.Restore(&store), LV2_STATE_SUCCESS);
        }

        const uint32_t frames[] = {0, 1, 17, 256, 512, 1024};
        AllocationCount count;
        for (int block = 0; block < 240; ++block) {
            lv2.Control(kHarmonic) = float(block % 101);
            lv2.Control(kDynamic) = block % 7 == 0 ? kNaN : float((block * 13) % 150);
            lv2.Control(kOutputTrim) = float(block % 13) - 6.5f;
            lv2.Control(kDither) = float(block % 2);
            lv2.Control(kColor) = float(block % 6);
            lv2.Control(kEnabled) = block % 5 == 0 ? 0.0f : 1.0f;
            lv2.Run(frames[size_t(block) % (sizeof frames / sizeof frames[0])]);
        }
        EXPECT_EQ(count.Allocations(), 0);
        EXPECT_EQ(count.Releases(), 0);
    }
}

// A second thread saves, restores two different states (the host's
// parameter changes outside the ports) and saves again, in a loop, while
// this thread runs with every port changing every block: run never waits
// on a lock and allocates nothing, and the ports' last values hold at the
// end.
TEST(Lv2Realtime, RunNeverWaitsWhileAnotherThreadSavesAndRestores) {
    constexpr int kRuns = 4000;
    for (int channels : {1, 2}) {
        SCOPED_TRACE(testing::Message() << channels << " ch");
        Lv2TestInstance lv2(channels, 48000, HostOptions{}, 256);
        ASSERT_TRUE(lv2.Valid());
        for (int channel = 0; channel < channels; ++channel)
            for (size_t i = 0; i < 256; ++i) lv2.Input(channel)[i] = float((i * 31 + size_t(channel)) % 100) / 120.0f;
        lv2_test::StateStore warm, plain;
        lv2.Control(kHarmonic) = 70;
        lv2.Control(kColor) = 5;
        lv2.Run(64);
        ASSERT_EQ(lv2.Save(&warm), LV2_STATE_SUCCESS);
        lv2.Control(kHarmonic) = 0;
        lv2.Control(kColor) = 1;
        lv2.Run(64);
        ASSERT_EQ(lv2.Save(&plain), LV2_STATE_SUCCESS);

        std::atomic<bool> stop{false};
        std::atomic<long> saves{0}, restores{0}, failures{0};
        std::thread other([&] {
            lv2_test::StateStore saved;
            while (!stop) {
                failures += lv2.Save(&saved) != LV2_STATE_SUCCESS;
                failures += lv2.Restore(&warm) != LV2_STATE_SUCCESS;
                failures += lv2.Restore(&plain) != LV2_STATE_SUCCESS;
                saves += 1;
                restores += 2;
            }
        });
        long waits = 0, allocations = 0;
        {
            WaitCount count;
            AllocationCount allocated;
            for (int run = 0; run < kRuns; ++run) {
                lv2.Control(kHarmonic) = float(run % 101);
                lv2.Control(kDynamic) = float((run * 7) % 101);
                lv2.Control(kOutputTrim) = float(run % 13) - 6.0f;
                lv2.Control(kDither) = float(run % 2);
                lv2.Control(kColor) = float(1 + run % 5);
                lv2.Control(kEnabled) = run % 3 == 0 ? 0.0f : 1.0f;
                lv2.Run(64);
            }
            waits = count.Waits();
            allocations = allocated.Allocations() + allocated.Releases();
        }
        stop = true;
        other.join();
        std::cout << "[ figures  ] " << channels << " ch: " << kRuns << " runs, " << waits << " waits, " << allocations
                  << " allocations; meanwhile " << saves << " saves and " << restores << " restores\n";
        EXPECT_EQ(waits, 0);
        EXPECT_EQ(allocations, 0);
        EXPECT_EQ(failures, 0);
        EXPECT_GT(saves, 0) << "the other thread ran alongside";
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
