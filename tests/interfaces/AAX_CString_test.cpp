#include <gtest/gtest.h>

#include <string>

#include "AAX_CString.h"

namespace {

TEST(AAX_CString, AppendNumberWritesFixedPointWithExactPrecision) {
    struct Case { const char* prefix; double value; uint32_t precision; const char* expected; };
    const Case cases[] = {
        {"", 3.0, 2, "3.00"},    {"", -0.5, 2, "-0.50"},         {"", 100.0, 2, "100.00"},  {"", -6.0, 2, "-6.00"},
        {"", 0.125, 1, "0.1"},  // round half to even on the exact binary value
        {"", 2.5, 0, "2"},       {"", 12345.678, 3, "12345.678"}, {"Gain ", 1.0, 1, "Gain 1.0"},
        {"", 1e20, 0, "100000000000000000000"},
    };
    for (const Case& c : cases) {
        AAX_CString text(c.prefix);
        EXPECT_STREQ(text.AppendNumber(c.value, c.precision).Get(), c.expected)
            << c.value << " precision " << c.precision;
    }
    // A huge precision pads zeros without overflowing the stack.
    AAX_CString text;
    text.AppendNumber(0.5, 5000);
    ASSERT_EQ(text.Length(), 2u + 5000u);
    EXPECT_EQ(text.StdString().substr(0, 4), "0.50");
    EXPECT_EQ(text.StdString().find_first_not_of('0', 3), std::string::npos);
}

TEST(AAX_CString, ToDoubleReadsAsStreamExtraction) {
    struct Case { const char* text; bool ok; double value; };
    const Case cases[] = {
        {"12.5 dB", true, 12.5}, {" 7", true, 7.0},  {"\t\n-3.25x", true, -3.25}, {"+4", true, 4.0},
        {".5", true, 0.5},       {"1e3 Hz", true, 1000.0}, {"0", true, 0.0},      {"dB", false, 0.0},
        {"", false, 0.0},        {"   ", false, 0.0},  {"-", false, 0.0},
        {"1e999", false, 0.0},  // out of range: extraction fails
    };
    for (const Case& c : cases) {
        double value = 99.0;
        EXPECT_EQ(AAX_CString(c.text).ToDouble(&value), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(value, c.value) << '"' << c.text << '"';
    }
}

// Number text under a decimal-comma locale: tests/editor/test_locale.cpp.

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
