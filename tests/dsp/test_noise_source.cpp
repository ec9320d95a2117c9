// The lock-free noise source against the C library's rand().
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <vector>

#include "effect/dsp/Orvanta_NoiseSource.h"

TEST(NoiseSource, DrawsWhatRandDrawsWhenNeverSeeded) {
    std::srand(1);  // the same state as a process that never seeded
    Orvanta_NoiseSource noise;
    std::vector<uint32_t> draws(4096);
    for (int block = 0; block < 500; ++block) {
        noise.Fill(draws.data(), int32_t(draws.size()) - block % 7);  // uneven chunks
        for (size_t i = 0; i + size_t(block % 7) < draws.size(); ++i) ASSERT_EQ(draws[i], uint32_t(std::rand()));
    }
}

TEST(NoiseSource, NextAndSkipFollowTheSameSequence) {
    for (int32_t skip : {0, 1, 30, 31, 32, 127, 128, 129, 4096}) {
        Orvanta_NoiseSource skipped, drawn;
        skipped.Skip(skip);
        for (int32_t i = 0; i < skip; ++i) drawn.Next();
        EXPECT_EQ(skipped.Next(), drawn.Next()) << skip;
    }
}

TEST(NoiseSource, EachThreadHasItsOwnSequenceFromTheStart) {
    Orvanta_NoiseSource& mine = Orvanta_NoiseSource::ThisThread();
    mine.Skip(100);
    const Orvanta_NoiseSource before = mine;
    uint32_t theirs[3];
    std::thread([&] { Orvanta_NoiseSource::ThisThread().Fill(theirs, 3); }).join();
    Orvanta_NoiseSource fresh;
    for (uint32_t v : theirs) EXPECT_EQ(v, fresh.Next());
    EXPECT_EQ(Orvanta_NoiseSource(mine).Next(), Orvanta_NoiseSource(before).Next());  // untouched by the other thread
}
