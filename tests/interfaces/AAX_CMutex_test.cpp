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
    std::thread([&] { mutex.Unlock(); }).join();  // not the owner: nothing happens
    EXPECT_FALSE(mutex.Lock());  // still held by this thread
    mutex.Unlock();
    mutex.Unlock();  // not the owner any more: nothing happens
    bool lockedElsewhere = false;
    std::thread([&] {
        lockedElsewhere = mutex.Lock();
        mutex.Unlock();
    }).join();
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

}  // namespace
