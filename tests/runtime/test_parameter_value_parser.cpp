// Typed values through the data model's own parsing, with the effect's value names as aliases.
#include "RuntimeHarness.h"
#include "host/runtime/ModuleFacts.h"
#include "host/runtime/ParameterValueParser.h"

namespace {

using namespace runtime_test;
using Outcome = ParameterValueParser::Outcome;

// Texts the data model's lenient parsing would read as a leading number are refused whole.
TEST(ParameterValueParser, ParsesThroughTheDataModelAndNamesEveryRefusal) {
    LinkedModule linked;
    std::unique_ptr<EffectInstance> instance = linked.NewInstance(48000.0f, 2);
    std::vector<ParameterValueParser::Alias> aliases;  // the words the effect itself names for values
    for (const ValueName& entry : QueryValueNames(instance->Parameters()))
        aliases.push_back({entry.parameterID, entry.name, entry.normalized});
    const ParameterValueParser parser(instance->Parameters(), aliases);
    const std::string harmonic = " is not a value of Harmonic (expected a plain decimal number from 0.00 to 100.00 such as 40 or -2.5)";
    const std::string color = " is not a value of Color (expected a whole number from 1.00 to 5.00, or one of Silver, Gold, Rich, Fat, Deep)";
    const std::string dither = " is not a value of Dither (expected a whole number from 1.00 to 2.00, or one of Off, On)";
    const std::string parameters = " (parameters: Dynamic, Harmonic, OutputTrim, Dither, Color)";
    struct Case { const char* assignment; Outcome outcome; double normalized; std::string message; };
    const Case cases[] = {
        {"Harmonic=40", Outcome::Parsed, 0.4, ""},
        {"Dynamic=100", Outcome::Parsed, 1.0, ""},
        {"OutputTrim=-3", Outcome::Parsed, 0.25, ""},
        {"OutputTrim=+6", Outcome::Parsed, 1.0, ""},
        {"Color=3", Outcome::Parsed, 0.5, ""},
        {"Color=Gold", Outcome::Parsed, 0.25, ""},
        {"Color=deep", Outcome::Parsed, 1.0, ""},
        {"Color=+3", Outcome::Parsed, 0.5, ""},
        {"Dither=2", Outcome::Parsed, 1.0, ""},
        {"Dither=On", Outcome::Parsed, 1.0, ""},
        {"Dither=OFF", Outcome::Parsed, 0.0, ""},
        {"Harmonic=40.5", Outcome::Parsed, 0.405, ""},
        {"Harmonic=4e1", Outcome::Parsed, 0.4, ""},
        {"Harmonic=.5", Outcome::Parsed, 0.005, ""},
        {"Harmonic=150", Outcome::OutOfRange, 0, "value '150' for Harmonic lies outside its range 0.00 to 100.00"},
        {"OutputTrim=-6.5", Outcome::OutOfRange, 0, "value '-6.5' for OutputTrim lies outside its range -6.00 to 6.00"},
        {"Color=9", Outcome::OutOfRange, 0, "value '9' for Color lies outside its range 1.00 to 5.00"},
        {"Dither=0", Outcome::OutOfRange, 0, "value '0' for Dither lies outside its range 1.00 to 2.00"},
        {"Harmonic=1e999", Outcome::OutOfRange, 0, "value '1e999' for Harmonic lies outside its range 0.00 to 100.00"},
        {"Harmonic=40abc", Outcome::NotAValue, 0, "'40abc'" + harmonic},
        {"Harmonic=0x10", Outcome::NotAValue, 0, "'0x10'" + harmonic},
        {"Harmonic=4,5", Outcome::NotAValue, 0, "'4,5'" + harmonic},
        {"Harmonic= 40", Outcome::NotAValue, 0, "' 40'" + harmonic},
        {"Harmonic=40 ", Outcome::NotAValue, 0, "'40 '" + harmonic},
        {"Harmonic=", Outcome::NotAValue, 0, "''" + harmonic},
        {"Harmonic=nan", Outcome::NotAValue, 0, "'nan'" + harmonic},
        {"Harmonic=4e", Outcome::NotAValue, 0, "'4e'" + harmonic},
        {"Dynamic=50=60", Outcome::NotAValue, 0,
         "'50=60' is not a value of Dynamic (expected a plain decimal number from 0.00 to 100.00 such as 40 or -2.5)"},
        {"Color=2.9", Outcome::NotAValue, 0, "'2.9'" + color},
        {"Color=3.0", Outcome::NotAValue, 0, "'3.0'" + color},
        {"Color=3e0", Outcome::NotAValue, 0, "'3e0'" + color},
        {"Color=Teal", Outcome::NotAValue, 0, "'Teal'" + color},
        {"Dither=1.9", Outcome::NotAValue, 0, "'1.9'" + dither},
        {"Dither=yes", Outcome::NotAValue, 0, "'yes'" + dither},
        {"Sparkle=1", Outcome::UnknownParameter, 0, "unknown parameter 'Sparkle'" + parameters},
        {"harmonic=1", Outcome::UnknownParameter, 0, "unknown parameter 'harmonic'" + parameters},
        {"Harmonic", Outcome::NotAValue, 0, "'Harmonic' is not of the form ID=VALUE"},
        {"=3", Outcome::NotAValue, 0, "'=3' is not of the form ID=VALUE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.assignment);
        const ParameterValueParser::Result result = parser.ParseAssignment(c.assignment);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.message, c.message);
        if (c.outcome == Outcome::Parsed) {
            EXPECT_NEAR(result.normalizedValue, c.normalized, 1e-12);
        }
    }
}

}  // namespace
