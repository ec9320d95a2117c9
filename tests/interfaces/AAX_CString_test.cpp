#include <gtest/gtest.h>

#include <string>

#include "AAX_CString.h"

namespace {

// Numbers as texts and texts as numbers are checked where they show: the
// parameters' texts and parsing (tests/model, tests/runtime) and under a
// decimal-comma locale (tests/editor/test_locale.cpp).
TEST(AAX_CString, AppendNumberPadsAHugePrecisionWithoutOverflowingTheStack) {
    AAX_CString text("Gain ");
    text.AppendNumber(0.5, 5000);
    ASSERT_EQ(text.Length(), 5u + 2u + 5000u);
    EXPECT_EQ(text.StdString().substr(0, 9), "Gain 0.50");
    EXPECT_EQ(text.StdString().find_first_not_of('0', 8), std::string::npos);
}

TEST(AAX_CString, EraseStaysInsideTheText) {
    struct Case { uint32_t position; uint32_t count; const char* expected; };
    const Case cases[] = {
        {1, 2, "adef"},   {0, 6, ""},            {2, 0, "abcdef"},
        {4, 10, "abcd"},  {0, 0xFFFFFFFFu, ""},  // running past the end: stops at the end
        {6, 1, "abcdef"}, {100, 5, "abcdef"},    // starting at or past the end: nothing
    };
    for (const Case& c : cases) {
        AAX_CString text("abcdef");
        EXPECT_STREQ(text.Erase(c.position, c.count).Get(), c.expected) << c.position << "+" << c.count;
    }
}

TEST(AAX_CString, ComparisonAndAssignmentThroughTheInterface) {
    EXPECT_STREQ(AAX_CString(nullptr).Get(), "");
    // Comparison is byte for byte up to the terminating zero.
    EXPECT_NE(AAX_CString("on"), AAX_CString("On"));
    EXPECT_NE(AAX_CString("on"), AAX_CString("on "));
    AAX_CString cut("on");
    cut[1] = '\0';
    EXPECT_EQ(cut, AAX_CString("o"));

    AAX_CString text, source("Harmonic");
    AAX_IString& boundary = text;
    boundary = static_cast<const AAX_IString&>(source);
    boundary = static_cast<const AAX_IString&>(boundary);  // self-assignment keeps the text
    EXPECT_STREQ(text.Get(), "Harmonic");
    boundary = "Dither";
    EXPECT_STREQ(AAX_CString(static_cast<const AAX_IString&>(text)).Get(), "Dither");
}

}  // namespace
