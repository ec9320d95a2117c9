// The scope sets flush-to-zero and denormals-are-zero for its lifetime and
// gives the thread back the mode it had.
#include <gtest/gtest.h>

#include <limits>

#include "host/runtime/FloatingPointModeScope.h"

namespace {

float HalveSmallest() {
    volatile float smallestNormal = std::numeric_limits<float>::min();
    volatile float half = 0.5f;
    return smallestNormal * half;  // a denormal unless results are flushed
}

TEST(FloatingPointModeScope, FlushesDenormalsInsideAndRestoresTheModeAfter) {
    ASSERT_FALSE(FloatingPointModeScope::DenormalsAreFlushed());
    EXPECT_NE(HalveSmallest(), 0.0f);
    {
        FloatingPointModeScope outer;
        EXPECT_TRUE(FloatingPointModeScope::DenormalsAreFlushed());
        EXPECT_EQ(HalveSmallest(), 0.0f);
        {
            FloatingPointModeScope nested;
            EXPECT_TRUE(FloatingPointModeScope::DenormalsAreFlushed());
        }
        // The nested scope restores the outer one's mode, not the original.
        EXPECT_TRUE(FloatingPointModeScope::DenormalsAreFlushed());
    }
    EXPECT_FALSE(FloatingPointModeScope::DenormalsAreFlushed());
    EXPECT_NE(HalveSmallest(), 0.0f);
}

}  // namespace
