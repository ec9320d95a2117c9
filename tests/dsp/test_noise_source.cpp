// The lock-free noise source: skipping across its chunk boundaries. (That it
// draws what rand() draws, and a sequence of its own per thread: the
// reference comparison, which runs rand() beside it on fresh threads.)
#include <gtest/gtest.h>

#include "effect/dsp/Orvanta_NoiseSource.h"

TEST(NoiseSource, NextAndSkipFollowTheSameSequence) {
    for (int32_t skip : {0, 1, 30, 31, 32, 127, 128, 129, 4096}) {
        Orvanta_NoiseSource skipped, drawn;
        skipped.Skip(skip);
        for (int32_t i = 0; i < skip; ++i) drawn.Next();
        EXPECT_EQ(skipped.Next(), drawn.Next()) << skip;
    }
}
