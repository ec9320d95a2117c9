#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "AAX_CMutex.h"

namespace {

TEST(AAX_CMutex, ReentryAnswersFalseOnlyTheOwnerUnlocksAndOneUnlockReleases) {
    AAX_CMutex mutex;
    EXPECT_TRUE(mutex.Lock());
    EXPECT_FALSE(mutex.Lock());  // nested: runs inside the outer lock
    std::thread intruder([&] { mutex.Unlock(); });  // not the owner: nothing happens
    intruder.join();
    EXPECT_FALSE(mutex.Lock());  // still held by this thread
    mutex.Unlock();
    mutex.Unlock();  // not the owner any more: nothing happens

    bool lockedElsewhere = false;
    std::thread other([&] {
        lockedElsewhere = mutex.Lock();
        mutex.Unlock();
    });
    other.join();
    EXPECT_TRUE(lockedElsewhere);
}

TEST(AAX_CMutex, ASecondThreadWaitsForTheOwner) {
    AAX_CMutex mutex;
    ASSERT_TRUE(mutex.Lock());
    std::atomic<bool> acquired{false};
    std::thread waiter([&] {
        acquired = mutex.Lock();
        mutex.Unlock();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(acquired.load());
    mutex.Unlock();
    waiter.join();
    EXPECT_TRUE(acquired.load());
}

TEST(AAX_CMutex, GuardsACounterAcrossThreads) {
    AAX_CMutex mutex;
    long counter = 0;
    std::thread threads[4];
    for (std::thread& thread : threads) {
        thread = std::thread([&] {
            for (int i = 0; i < 10000; ++i) {
                const bool locked = mutex.Lock();
                ++counter;
                if (locked) mutex.Unlock();
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(counter, 40000);
}

}  // namespace
