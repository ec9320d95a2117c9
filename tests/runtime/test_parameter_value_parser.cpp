// Typed values through the data model's own parsing, with colour names and
// On/Off as aliases, and the reasons a value is refused.
#include <gtest/gtest.h>

#include "RuntimeHarness.h"
#include "host/runtime/ModuleFacts.h"
#include "host/runtime/ParameterValueParser.h"

namespace {

using namespace runtime_test;
using Outcome = ParameterValueParser::Outcome;

// The words the effect itself names for values.
std::vector<ParameterValueParser::Alias> EffectAliases(const AAX_IACFEffectParameters& model) {
    std::vector<ParameterValueParser::Alias> aliases;
    for (const ValueName& entry : QueryValueNames(model))
        aliases.push_back({entry.parameterID, entry.name, entry.normalized});
    return aliases;
}

TEST(ParameterValueParser, ParsesThroughTheDataModelAndNamesEveryRefusal) {
    LinkedModule linked;
    std::unique_ptr<EffectInstance> instance = linked.NewInstance(48000.0f, 2);
    const ParameterValueParser parser(instance->Parameters(), EffectAliases(instance->Parameters()));
    struct Case {
        const char* assignment;
        Outcome outcome;
        double normalized;
        const char* message;
    };
    const Case cases[] = {
        {"Harmonic=40", Outcome::Parsed, 0.4, ""},
        {"Dynamic=100", Outcome::Parsed, 1.0, ""},
        {"OutputTrim=-3", Outcome::Parsed, 0.25, ""},
        {"OutputTrim=+6", Outcome::Parsed, 1.0, ""},
        {"Color=3", Outcome::Parsed, 0.5, ""},
        {"Color=Gold", Outcome::Parsed, 0.25, ""},
        {"Color=deep", Outcome::Parsed, 1.0, ""},
        {"Dither=2", Outcome::Parsed, 1.0, ""},
        {"Dither=On", Outcome::Parsed, 1.0, ""},
        {"Dither=OFF", Outcome::Parsed, 0.0, ""},
        {"Harmonic=150", Outcome::OutOfRange, 0, "value '150' for Harmonic lies outside its range 0.00 to 100.00"},
        {"OutputTrim=-6.5", Outcome::OutOfRange, 0, "value '-6.5' for OutputTrim lies outside its range -6.00 to 6.00"},
        {"Color=9", Outcome::OutOfRange, 0, "value '9' for Color lies outside its range 1.00 to 5.00"},
        {"Dither=0", Outcome::OutOfRange, 0, "value '0' for Dither lies outside its range 1.00 to 2.00"},
        {"Harmonic=1e999", Outcome::OutOfRange, 0, "value '1e999' for Harmonic lies outside its range 0.00 to 100.00"},
        {"Harmonic=40.5", Outcome::Parsed, 0.405, ""},
        {"Harmonic=4e1", Outcome::Parsed, 0.4, ""},
        {"Harmonic=.5", Outcome::Parsed, 0.005, ""},
        {"Color=+3", Outcome::Parsed, 0.5, ""},
    };
    for (const Case& c : cases) {
        const ParameterValueParser::Result result = parser.ParseAssignment(c.assignment);
        EXPECT_EQ(result.outcome, c.outcome) << c.assignment;
        EXPECT_EQ(result.message, c.message) << c.assignment;
        if (c.outcome == Outcome::Parsed) {
            EXPECT_NEAR(result.normalizedValue, c.normalized, 1e-12) << c.assignment;
        }
    }
}

// Texts the data model's lenient parsing would read as a leading number are
// refused whole, with the accepted forms named.
TEST(ParameterValueParser, RefusesTextsThatAreNotWholeNumbers) {
    LinkedModule linked;
    std::unique_ptr<EffectInstance> instance = linked.NewInstance(48000.0f, 2);
    const ParameterValueParser parser(instance->Parameters(), EffectAliases(instance->Parameters()));
    const std::string harmonic = " is not a value of Harmonic (expected a plain decimal number from 0.00 to 100.00 such as 40 or -2.5)";
    const std::string color = " is not a value of Color (expected a whole number from 1.00 to 5.00, or one of Silver, Gold, Rich, Fat, Deep)";
    const std::string dither = " is not a value of Dither (expected a whole number from 1.00 to 2.00, or one of Off, On)";
    struct Case {
        const char* assignment;
        std::string message;
    };
    const Case cases[] = {
        {"Harmonic=40abc", "'40abc'" + harmonic},  {"Harmonic=40 abc", "'40 abc'" + harmonic},
        {"Harmonic=0x10", "'0x10'" + harmonic},    {"Harmonic=4,5", "'4,5'" + harmonic},
        {"Harmonic= 40", "' 40'" + harmonic},      {"Harmonic=40 ", "'40 '" + harmonic},
        {"Harmonic=loud", "'loud'" + harmonic},    {"Harmonic=", "''" + harmonic},
        {"Harmonic=nan", "'nan'" + harmonic},      {"Harmonic=inf", "'inf'" + harmonic},
        {"Harmonic=.", "'.'" + harmonic},          {"Harmonic=4e", "'4e'" + harmonic},
        {"Harmonic=-", "'-'" + harmonic},          {"Dynamic=50=60", "'50=60'" + std::string(" is not a value of Dynamic (expected a plain decimal number from 0.00 to 100.00 such as 40 or -2.5)")},
        {"Color=3abc", "'3abc'" + color},          {"Color=2.9", "'2.9'" + color},
        {"Color=4.999", "'4.999'" + color},        {"Color=3.0", "'3.0'" + color},
        {"Color=Teal", "'Teal'" + color},          {"Color=3e0", "'3e0'" + color},
        {"Dither=1.9", "'1.9'" + dither},          {"Dither=yes", "'yes'" + dither},
    };
    for (const Case& c : cases) {
        const ParameterValueParser::Result result = parser.ParseAssignment(c.assignment);
        EXPECT_EQ(result.outcome, Outcome::NotAValue) << c.assignment;
        EXPECT_EQ(result.message, c.message) << c.assignment;
    }
}

TEST(ParameterValueParser, NamesUnknownParametersAndMalformedAssignments) {
    LinkedModule linked;
    std::unique_ptr<EffectInstance> instance = linked.NewInstance(48000.0f, 2);
    const ParameterValueParser parser(instance->Parameters(), EffectAliases(instance->Parameters()));
    struct Case {
        const char* assignment;
        Outcome outcome;
        double normalized;
        const char* message;
    };
    const Case cases[] = {
        {"Sparkle=1", Outcome::UnknownParameter, 0,
         "unknown parameter 'Sparkle' (parameters: Dynamic, Harmonic, OutputTrim, Dither, Color)"},
        {"harmonic=1", Outcome::UnknownParameter, 0,
         "unknown parameter 'harmonic' (parameters: Dynamic, Harmonic, OutputTrim, Dither, Color)"},
        {"Harmonic", Outcome::NotAValue, 0, "'Harmonic' is not of the form ID=VALUE"},
        {"=3", Outcome::NotAValue, 0, "'=3' is not of the form ID=VALUE"},
    };
    for (const Case& c : cases) {
        const ParameterValueParser::Result result = parser.ParseAssignment(c.assignment);
        EXPECT_EQ(result.outcome, c.outcome) << c.assignment;
        EXPECT_EQ(result.message, c.message) << c.assignment;
        if (c.outcome == Outcome::Parsed) {
            EXPECT_NEAR(result.normalizedValue, c.normalized, 1e-12) << c.assignment;
        }
    }
}

}  // namespace
