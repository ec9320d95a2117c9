// The reader of typed text: the editor's lenient numbers and first-letter
// words, the program's strict numbers and whole words.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "toolkit/TypedText.h"

namespace {

using TypedText::WordMatch;

TEST(TypedText, WordsByFirstLettersOrWhole) {
    const std::vector<std::string> colours = {"Silver", "Gold", "Rich", "Fat", "Deep"};
    const std::vector<std::string> switches = {"Off", "On"};
    const struct { const char* text; const std::vector<std::string>* names; WordMatch match; int found; } cases[] = {
        {"G", &colours, WordMatch::Prefix, 1},       {"gx", &colours, WordMatch::Prefix, 1},
        {"deep", &colours, WordMatch::Prefix, 4},    {"x", &colours, WordMatch::Prefix, -1},
        {"", &colours, WordMatch::Prefix, -1},       {"ON", &switches, WordMatch::Prefix, 1},
        {"of", &switches, WordMatch::Prefix, 0},     {"ofxyz", &switches, WordMatch::Prefix, 0},
        {"o", &switches, WordMatch::Prefix, -1},     {"yes", &switches, WordMatch::Prefix, -1},
        {"gold", &colours, WordMatch::Whole, 1},     {"gol", &colours, WordMatch::Whole, -1},
        {"Golden", &colours, WordMatch::Whole, -1},  {"oFF", &switches, WordMatch::Whole, 0},
        {nullptr, &colours, WordMatch::Prefix, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        EXPECT_EQ(TypedText::FindWord(c.text, *c.names, c.match), c.found);
    }
}

TEST(TypedText, NumbersLenientAndStrict) {
    const struct { const char* text; double leading; bool plain, whole, startsWithNumber; } cases[] = {
        {"40", 40.0, true, true, true},        {"-2.5", -2.5, true, false, true},
        {"+6", 6.0, true, true, true},         {" 12abc", 12.0, false, false, true},
        {"abc", 0.0, false, false, false},     {"1e3", 1000.0, true, false, true},
        {"1e", 1.0, false, false, true},       {".5", 0.5, true, false, true},
        {"1e999", HUGE_VAL, true, false, true}, {"-1e999", -HUGE_VAL, true, false, true},
        {"1e-999", 0.0, true, false, true},    {"", 0.0, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TypedText::LeadingNumber(c.text), c.leading);
        EXPECT_EQ(TypedText::IsPlainNumber(c.text, false), c.plain);
        EXPECT_EQ(TypedText::IsPlainNumber(c.text, true), c.whole);
        EXPECT_EQ(TypedText::StartsWithNumber(c.text), c.startsWithNumber);
    }
    EXPECT_TRUE(std::isnan(TypedText::LeadingNumber("nan")));
    EXPECT_EQ(TypedText::LeadingNumber(nullptr), 0.0);
}

}  // namespace
