// Tests of the helpers the checks judge audio with: bitwise comparison,
// finiteness, block plans and parameter steps.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "host/runtime/ValidationSupport.h"

using namespace validation;

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

TEST(ValidationSupport, FirstDifferenceComparesBitForBit) {
    struct Case {
        const char* name;
        AudioChannels a, b;
        int64_t first;
    };
    const Case cases[] = {
        {"identical", {{1, 2, 3}}, {{1, 2, 3}}, -1},
        {"one sample off", {{1, 2, 3}}, {{1, 2.0000002f, 3}}, 1},
        {"earliest of both channels", {{1, 2, 3}, {4, 5, 6}}, {{1, 2, 9}, {9, 5, 6}}, 0},
        {"the same NaN is no difference", {{kNaN, 1}}, {{kNaN, 1}}, -1},
        {"signed zeros differ", {{0.0f}}, {{-0.0f}}, 0},
        {"channel counts differ", {{1}}, {{1}, {1}}, 0},
        {"lengths differ", {{1, 2}}, {{1}}, 0},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        EXPECT_EQ(FirstDifference(testCase.a, testCase.b), testCase.first);
    }
}

TEST(ValidationSupport, AllFiniteLooksFromTheGivenSampleOn) {
    const AudioChannels audio = {{kNaN, 1, 2}, {kInf, 0, -1}};
    EXPECT_FALSE(AllFinite(audio));
    EXPECT_TRUE(AllFinite(audio, 1));
    EXPECT_FLOAT_EQ(Peak(audio), 2.0f);  // non-finite samples are left out
}

TEST(ValidationSupport, RandomBlockPlansStayWithinTheirLargestBlock) {
    std::mt19937_64 random(3);
    for (int32_t largest : {1, 7, 4096}) {
        const BlockPlan plan = RandomBlockPlan(random, largest, 200);
        ASSERT_EQ(plan.size(), 200u);
        for (int32_t size : plan) {
            EXPECT_GE(size, 1);
            EXPECT_LE(size, largest);
        }
    }
    EXPECT_EQ(PlanText({511}), "511");
    EXPECT_EQ(PlanText({3, 9, 1}), "random (3 sizes)");
}

TEST(ValidationSupport, StepValuesSpanTheUnitRangeEvenly) {
    EXPECT_EQ(StepValue(0, 5), 0.0);
    EXPECT_EQ(StepValue(1, 5), 0.25);
    EXPECT_EQ(StepValue(4, 5), 1.0);
    EXPECT_EQ(StepValue(1, 2), 1.0);
    EXPECT_EQ(StepValue(0, 1), 0.0);
}

TEST(ValidationSupport, NoiseIsRepeatableAndWithinItsAmplitude) {
    std::mt19937_64 first(9), second(9);
    const AudioChannels a = Noise(first, 2, 1000, 0.5f), b = Noise(second, 2, 1000, 0.5f);
    EXPECT_EQ(FirstDifference(a, b), -1);
    EXPECT_LE(Peak(a), 0.5f);
    EXPECT_NE(FirstDifference({a[0]}, {a[1]}), -1);  // channels independent
}

}  // namespace
