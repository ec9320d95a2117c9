// The lock-free noise source against the C library's rand().
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <vector>

#include "effect/dsp/Orvanta_NoiseSource.h"

TEST(NoiseSource, DrawsWhatRandDrawsWhenNeverSeeded) {
    std::srand(1);  // the same state as a process that never seeded
    Orvanta_NoiseSource noise;
    for (int i = 0; i < 2'000'000; ++i) {
        const auto expected = uint32_t(std::rand());
        ASSERT_EQ(noise.Next(), expected) << "draw " << i;
    }
}

TEST(NoiseSource, FillAndSkipFollowTheSameSequence) {
    Orvanta_NoiseSource one, other;
    std::vector<uint32_t> filled(1000);
    one.Fill(filled.data(), 1000);
    for (uint32_t draw : filled) EXPECT_EQ(draw, other.Next());
    for (int32_t skip : {0, 1, 30, 31, 32, 4096}) {
        Orvanta_NoiseSource a = one, b = one;
        a.Skip(skip);
        for (int32_t i = 0; i < skip; ++i) b.Next();
        EXPECT_EQ(a.Next(), b.Next()) << "skip " << skip;
    }
}

TEST(NoiseSource, EachThreadHasItsOwnSequenceFromTheStart) {
    Orvanta_NoiseSource& mine = Orvanta_NoiseSource::ThisThread();
    for (int i = 0; i < 100; ++i) mine.Next();
    const uint32_t mineNext = Orvanta_NoiseSource(mine).Next();

    std::vector<uint32_t> seen(3);
    std::thread worker([&] {
        Orvanta_NoiseSource& theirs = Orvanta_NoiseSource::ThisThread();
        for (uint32_t& v : seen) v = theirs.Next();
    });
    worker.join();
    Orvanta_NoiseSource fresh;
    for (uint32_t v : seen) EXPECT_EQ(v, fresh.Next());
    EXPECT_EQ(Orvanta_NoiseSource(mine).Next(), mineNext);  // untouched by the other thread
}
