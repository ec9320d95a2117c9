// run() is real-time safe: after the first call it allocates and frees
// nothing, whatever the ports do (every port changing every block, NaNs,
// the bypass toggling), for runs of 0 frames up to the host's largest
// block. The global allocation functions of this test program count the
// calls made on the counting thread.
#include <cstdlib>
#include <limits>
#include <new>

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

TEST(Lv2Realtime, CountingSeesAllocations) {
    AllocationCount count;
    delete new int(1);
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

}  // namespace
