// Value mappings of the taper delegates and texts of the display delegates.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(LinearTaper, FloatMapsBothWaysWithinTheRange) {
    const AAX_CLinearTaperDelegate<float, 0> trim(-6.0f, 6.0f);
    const AAX_CLinearTaperDelegate<float, 0> percent(0.0f, 100.0f);
    struct Case { const AAX_CLinearTaperDelegate<float, 0>& taper; double normalized; float real; };
    const Case cases[] = {
        {trim, 0.0, -6.0f}, {trim, 0.5, 0.0f}, {trim, 0.75, 3.0f}, {trim, 1.0, 6.0f},
        {trim, -0.5, -6.0f}, {trim, 1.5, 6.0f}, {trim, kNaN, -6.0f}, {trim, kInf, 6.0f}, {trim, -kInf, -6.0f},
        {percent, 0.25, 25.0f}, {percent, 1.0, 100.0f}, {percent, kNaN, 0.0f},
    };
    for (const Case& c : cases) EXPECT_EQ(c.taper.NormalizedToReal(c.normalized), c.real) << c.normalized;

    const float nanF = std::numeric_limits<float>::quiet_NaN();
    const float infF = std::numeric_limits<float>::infinity();
    const std::pair<float, double> backCases[] = {{-6.0f, 0.0}, {0.0f, 0.5}, {3.0f, 0.75}, {10.0f, 1.0},
                                                   {-100.0f, 0.0}, {nanF, 0.0}, {infF, 1.0}, {-infF, 0.0}};
    for (const auto& c : backCases) EXPECT_EQ(trim.RealToNormalized(c.first), c.second) << c.first;
    EXPECT_EQ(trim.ConstrainRealValue(nanF), -6.0f);
}

TEST(LinearTaper, IntRoundsToThreeDecimalsThenTruncatesWithoutOverflow) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
    const AAX_CLinearTaperDelegate<int32_t, 1000> color(1, 5), dither(1, 2), wide(kMin, kMax);
    struct Case { const AAX_CLinearTaperDelegate<int32_t, 1000>& taper; double normalized; int32_t real; };
    const Case cases[] = {
        {color, 0.0, 1}, {color, 0.25, 2}, {color, 0.5, 3}, {color, 0.75, 4}, {color, 1.0, 5},
        {color, 0.9, 4},      // 4.6 truncates
        {color, 0.9999, 5},   // 4.9996 rounds to 5.000 first
        {color, 0.99985, 4},  // 4.9994 stays below
        {dither, 0.5, 1}, {dither, 0.9994, 1}, {dither, 0.9995, 2}, {dither, 1.0, 2},
        {color, kNaN, 1}, {color, kInf, 5}, {color, -kInf, 1}, {color, 1e300, 5}, {color, -1e300, 1},
        {wide, 1.0, kMax}, {wide, 0.0, kMin}, {wide, 2.0, kMax},
    };
    for (const Case& c : cases) EXPECT_EQ(c.taper.NormalizedToReal(c.normalized), c.real) << c.normalized;
    EXPECT_EQ(color.RealToNormalized(3), 0.5);
    EXPECT_EQ(color.RealToNormalized(9), 1.0);
    EXPECT_EQ(color.ConstrainRealValue(-7), 1);
}

TEST(BinaryTaper, AnythingAboveZeroIsTrue) {
    const AAX_CBinaryTaperDelegate<bool> taper;
    struct Case { double normalized; bool real; };
    const Case cases[] = {{0.0, false}, {0.0001, true}, {1.0, true}, {-1.0, false}, {kNaN, false}, {kInf, true}};
    for (const Case& c : cases) EXPECT_EQ(taper.NormalizedToReal(c.normalized), c.real) << c.normalized;
    EXPECT_EQ(taper.RealToNormalized(true), 1.0);
    EXPECT_EQ(taper.RealToNormalized(false), 0.0);
}

TEST(NumberDisplay, RendersTwoDecimalsAndCutsToLength) {
    const AAX_CNumberDisplayDelegate<float, 2u, 0u> display;
    struct Case { float value; int32_t maxChars; const char* text; };  // maxChars < 0: unlimited
    const Case cases[] = {
        {0.0f, -1, "0.00"}, {-6.0f, -1, "-6.00"}, {100.0f, -1, "100.00"}, {2.5f, -1, "2.50"},
        {100.0f, 5, "100.0"}, {100.0f, 4, "100"},  // a dangling point is dropped
        {100.0f, 6, "100.00"}, {100.0f, 20, "100.00"}, {-6.0f, 2, "-6"}, {3.0f, 0, ""},
    };
    for (const Case& c : cases) {
        AAX_CString text("junk");
        EXPECT_TRUE(c.maxChars < 0 ? display.ValueToString(c.value, &text)
                                   : display.ValueToString(c.value, c.maxChars, &text));
        EXPECT_STREQ(text.Get(), c.text) << c.value << " in " << c.maxChars;
    }
    const AAX_CNumberDisplayDelegate<int32_t, 2u, 0u> intDisplay;
    AAX_CString text;
    intDisplay.ValueToString(3, &text);
    EXPECT_STREQ(text.Get(), "3.00");
}

TEST(NumberDisplay, ParsesLeadingNumber) {
    const AAX_CNumberDisplayDelegate<float, 2u, 0u> display;
    const AAX_CNumberDisplayDelegate<int32_t, 2u, 0u> intDisplay;
    struct Case { const char* text; bool ok; float value; int32_t intValue; };
    const Case cases[] = {
        {"8", true, 8.0f, 8}, {" 2.5dB", true, 2.5f, 2}, {"-3.9", true, -3.9f, -3},
        {"abc", false, 0.0f, 0}, {"", false, 0.0f, 0},
        {"1e20", true, 1e20f, std::numeric_limits<int32_t>::max()},
        {"-1e20", true, -1e20f, std::numeric_limits<int32_t>::min()},
    };
    for (const Case& c : cases) {
        float value = 99.0f;
        int32_t intValue = 99;
        EXPECT_EQ(display.StringToValue(AAX_CString(c.text), &value), c.ok) << c.text;
        EXPECT_EQ(intDisplay.StringToValue(AAX_CString(c.text), &intValue), c.ok) << c.text;
        EXPECT_FLOAT_EQ(value, c.value) << c.text;
        EXPECT_EQ(intValue, c.intValue) << c.text;
    }
}

TEST(BinaryDisplay, TwoExactTexts) {
    const AAX_CBinaryDisplayDelegate<bool> display("bypass", "on");
    AAX_CString text;
    display.ValueToString(true, &text);
    EXPECT_STREQ(text.Get(), "on");
    display.ValueToString(false, 1, &text);
    EXPECT_STREQ(text.Get(), "bypass");  // never cut

    struct Case { const char* text; bool ok; bool value; };
    const Case cases[] = {{"on", true, true}, {"bypass", true, false}, {"On", false, false},
                          {"on ", false, false}, {"", false, false}};
    for (const Case& c : cases) {
        bool value = true;
        EXPECT_EQ(display.StringToValue(AAX_CString(c.text), &value), c.ok) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

}  // namespace
