// The LV2 adapter's threading rules stop a debug build with a message naming
// the rule and the thread that broke it (release builds check nothing).
#include <gtest/gtest.h>
#include <pthread.h>

#include <atomic>
#include <thread>

#include "host/lv2/DataModelGuard.h"
#include "host/lv2/ThreadRuleCheck.h"

namespace {

void SecondThreadInsideRun() {
    ExclusiveCall run;
    std::atomic<bool> inside{false};
    std::thread first([&] {
        run.Enter("run called while another thread is inside run");
        inside = true;
        while (true) std::this_thread::yield();
    });
    first.detach();
    while (!inside) std::this_thread::yield();
    pthread_setname_np(pthread_self(), "second-audio");
    run.Enter("run called while another thread is inside run");
}

void LeavingTheModelWithoutEntering() {
    DataModelGuard guard;
    std::thread([&] { guard.Enter(); }).join();  // entered by another thread
    guard.Leave();
}

TEST(Lv2ThreadRules, BreakingARuleStopsWithTheRuleAndTheThreadNamed) {
#ifdef NDEBUG
    GTEST_SKIP() << "threading rules are checked in debug builds only";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(SecondThreadInsideRun(), "thread [0-9]+ 'second-audio' broke a threading rule: "
                                          "run called while another thread is inside run");
    EXPECT_DEATH(LeavingTheModelWithoutEntering(),
                 "broke a threading rule: left the data model without having entered it");
}

}  // namespace
