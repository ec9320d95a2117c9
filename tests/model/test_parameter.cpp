// AAX_CParameter: construction, detached and attached changes, the host
// answer path, steps, names, strings and typed access.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_VAutomationDelegate.h"
#include "host/objects/HostAutomationDelegate.h"

namespace {

using Calls = std::vector<std::string>;

std::unique_ptr<AAX_CParameter<float>> MakeTrim(const char* id = "Gain") {
    return std::make_unique<AAX_CParameter<float>>(id, AAX_CString("Gain"), 0.0f,
                                                   AAX_CLinearTaperDelegate<float, 0>(-6.0f, 6.0f),
                                                   AAX_CNumberDisplayDelegate<float, 2u, 0u>(), true);
}

std::unique_ptr<AAX_CParameter<int32_t>> MakeColor() {
    return std::make_unique<AAX_CParameter<int32_t>>("Color", AAX_CString("Color"), 2,
                                                     AAX_CLinearTaperDelegate<int32_t, 1000>(1, 5),
                                                     AAX_CNumberDisplayDelegate<int32_t, 2u, 0u>(), true);
}

std::unique_ptr<AAX_CParameter<bool>> MakeSwitch() {
    return std::make_unique<AAX_CParameter<bool>>("Switch", AAX_CString("Switch"), false,
                                                  AAX_CBinaryTaperDelegate<bool>(),
                                                  AAX_CBinaryDisplayDelegate<bool>("bypass", "on"), true);
}

// The substitute host's automation delegate as a parameter sees it. Take()
// renders what the parameter told it since the last Take(), a line a call.
struct Host {
    ACFPtr<HostAutomationDelegate> object = HostAutomationDelegate::Create();
    AAX_VAutomationDelegate delegate{object->Identity()};
    size_t seen = 0;

    Calls Take() {
        using Kind = HostAutomationDelegate::Event::Kind;
        static const char* const kWords[] = {"register", "unregister", "request", "current", "touch", "release"};
        const auto events = object->Events();
        Calls calls;
        for (; seen < events.size(); ++seen) {
            const auto& event = events[seen];
            std::ostringstream line;
            line << kWords[int(event.kind)] << " " << event.parameterID;
            if (event.kind == Kind::SetValue || event.kind == Kind::CurrentValue) line << " " << event.normalizedValue;
            calls.push_back(line.str());
        }
        return calls;
    }
};

TEST(Parameter, ConstructionDefaultsAndDetachedChanges) {
    auto trim = MakeTrim("ThisIdentifierIsFortyCharactersLong_____");
    EXPECT_STREQ(trim->Identifier(), "ThisIdentifierIsFortyCharacters");  // first 31
    EXPECT_EQ(trim->GetValue(), 0.0f);

    // Without an automation delegate a change takes effect at once.
    trim->SetNormalizedValue(0.75);
    EXPECT_EQ(trim->GetValue(), 3.0f);
    AAX_CString text;
    EXPECT_TRUE(trim->GetValueString(&text));
    EXPECT_STREQ(text.Get(), "3.00");
    trim->SetValue(10.0f);
    EXPECT_EQ(trim->GetValue(), 6.0f);
    trim->SetToDefaultValue();
    EXPECT_EQ(trim->GetValue(), 0.0f);
}

TEST(Parameter, AttachedRequestsThenHostAnswersOnce) {
    Host host;
    auto trim = MakeTrim();
    trim->SetAutomationDelegate(&host.delegate);
    EXPECT_EQ(host.Take(), (Calls{"register Gain"}));

    trim->SetValue(3.0f);
    EXPECT_EQ(trim->GetValue(), 0.0f);  // unchanged until the host answers
    EXPECT_EQ(host.Take(), (Calls{"touch Gain", "request Gain 0.75", "release Gain"}));
    trim->UpdateNormalizedValue(0.75);
    EXPECT_EQ(trim->GetValue(), 3.0f);
    EXPECT_EQ(host.Take(), (Calls{"current Gain 0.75"}));
    trim->UpdateNormalizedValue(0.75);  // equal to the value: nothing to report
    EXPECT_EQ(host.Take(), Calls{});

    // A new taper re-requests the value; the answer is reported even when equal.
    AAX_CLinearTaperDelegate<float, 0> sameRange(-6.0f, 6.0f);
    trim->SetTaperDelegate(sameRange, true);
    EXPECT_EQ(host.Take(), (Calls{"touch Gain", "request Gain 0.75", "release Gain"}));
    trim->UpdateNormalizedValue(0.75);
    EXPECT_EQ(host.Take(), (Calls{"current Gain 0.75"}));
    trim->UpdateNormalizedValue(0.75);
    EXPECT_EQ(host.Take(), Calls{});

    trim.reset();
    EXPECT_EQ(host.Take(), (Calls{"unregister Gain"}));
}

TEST(Parameter, ReplacingDelegatesUnregistersAndReports) {
    Host first, second;
    auto trim = MakeTrim();
    trim->SetAutomationDelegate(&first.delegate);
    trim->SetAutomationDelegate(&second.delegate);
    EXPECT_EQ(first.Take(), (Calls{"register Gain", "unregister Gain"}));
    EXPECT_EQ(second.Take(), (Calls{"register Gain"}));

    AAX_CNumberDisplayDelegate<float, 1u, 0u> oneDecimal;
    trim->SetDisplayDelegate(oneDecimal);
    EXPECT_EQ(second.Take(), (Calls{"current Gain 0.5"}));
    AAX_CString text;
    trim->GetValueString(&text);
    EXPECT_STREQ(text.Get(), "0.0");

    AAX_CBinaryDisplayDelegate<bool> wrongType("a", "b");
    trim->SetDisplayDelegate(wrongType);  // of another value type: ignored
    trim->GetValueString(&text);
    EXPECT_STREQ(text.Get(), "0.0");
}

TEST(Parameter, TaperReplacementKeepsValueOrPosition) {
    auto trim = MakeTrim();
    trim->SetValue(3.0f);
    AAX_CLinearTaperDelegate<float, 0> wider(-12.0f, 12.0f);
    trim->SetTaperDelegate(wider, true);
    EXPECT_EQ(trim->GetValue(), 3.0f);
    EXPECT_DOUBLE_EQ(trim->GetNormalizedValue(), 0.625);
    AAX_CLinearTaperDelegate<float, 0> narrow(-6.0f, 6.0f);
    trim->SetTaperDelegate(narrow, false);
    EXPECT_DOUBLE_EQ(trim->GetNormalizedValue(), 0.625);
    EXPECT_EQ(trim->GetValue(), 1.5f);
}

TEST(Parameter, NonFiniteInputsNeverBecomeTheValue) {
    auto trim = MakeTrim();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    trim->SetNormalizedValue(nan);
    EXPECT_EQ(trim->GetValue(), -6.0f);
    trim->SetValueWithFloat(inf);
    EXPECT_EQ(trim->GetValue(), 6.0f);
    trim->SetValueWithFloat(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(trim->GetValue(), -6.0f);
    trim->UpdateNormalizedValue(-std::numeric_limits<double>::infinity());
    EXPECT_EQ(trim->GetValue(), -6.0f);
    trim->SetNormalizedDefaultValue(nan);
    EXPECT_EQ(trim->GetNormalizedDefaultValue(), 0.0);
}

TEST(Parameter, Steps) {
    auto trim = MakeTrim();
    struct Case { uint32_t steps; double normalized; uint32_t step; };
    const Case cases[] = {{5, 0.25, 1}, {5, 0.0, 0}, {5, 1.0, 4}, {5, 0.3, 1}, {5, 0.4, 2},
                          {1, 0.75, 0}, {0, 0.75, 0}, {60, 0.5, 30}};
    for (const Case& c : cases) {
        trim->SetNumberOfSteps(c.steps);
        trim->SetNormalizedValue(c.normalized);
        EXPECT_EQ(trim->GetStepValue(), c.step) << c.steps << " steps at " << c.normalized;
    }
    trim->SetNumberOfSteps(5);
    trim->SetStepValue(7);
    EXPECT_EQ(trim->GetNormalizedValue(), 1.0);
    trim->SetStepValue(2);
    EXPECT_EQ(trim->GetNormalizedValue(), 0.5);
    trim->SetNumberOfSteps(1);
    trim->SetStepValue(0);
    EXPECT_EQ(trim->GetNormalizedValue(), 0.5);  // fewer than 2 steps: nothing happens
}

TEST(Parameter, ShortenedNames) {
    auto trim = MakeTrim();
    trim->SetName(AAX_CString("OutputTrim"));
    EXPECT_STREQ(trim->ShortenedName(6).Get(), "OutputTrim");  // none stored: the name
    trim->AddShortenedName(AAX_CString("OutTrim8"));
    EXPECT_STREQ(trim->ShortenedName(6).Get(), "OutTrim8");  // all longer: the shortest
    trim->AddShortenedName(AAX_CString("Out"));
    struct Case { int32_t maxChars; const char* name; };
    const Case cases[] = {{6, "Out"}, {3, "Out"}, {2, "Out"}, {8, "OutTrim8"}, {9, "OutTrim8"},
                          {10, "OutputTrim"}, {-1, "Out"}};
    for (const Case& c : cases) EXPECT_STREQ(trim->ShortenedName(c.maxChars).Get(), c.name) << c.maxChars;
    trim->AddShortenedName(AAX_CString("Tri"));  // replaces the one of length 3
    EXPECT_STREQ(trim->ShortenedName(6).Get(), "Tri");
    trim->ClearShortenedNames();
    EXPECT_STREQ(trim->ShortenedName(6).Get(), "OutputTrim");
}

TEST(Parameter, StringsToAndFromNormalizedValues) {
    auto trim = MakeTrim();
    struct Case { const char* text; bool ok; bool writes; double normalized; };
    const Case cases[] = {
        {"8", false, true, 1.0},      // outside the range: nearest limit, refused
        {"-7", false, true, 0.0},
        {"abc", false, false, 0.0},  // unparsable: nothing written
        {" 2.5dB", true, true, 8.5 / 12.0},
        {"6", true, true, 1.0},
    };
    for (const Case& c : cases) {
        double normalized = -1.0;
        EXPECT_EQ(trim->GetNormalizedValueFromString(AAX_CString(c.text), &normalized), c.ok) << c.text;
        if (c.writes)
            EXPECT_DOUBLE_EQ(normalized, c.normalized) << c.text;
        else
            EXPECT_EQ(normalized, -1.0) << c.text;
    }

    // Beyond the integer type's range: the nearest limit all the same.
    double colorPosition = -1.0;
    EXPECT_FALSE(MakeColor()->GetNormalizedValueFromString(AAX_CString("1e20"), &colorPosition));
    EXPECT_EQ(colorPosition, 1.0);

    AAX_CString text;
    EXPECT_TRUE(trim->GetStringFromNormalizedValue(0.0, text));
    EXPECT_STREQ(text.Get(), "-6.00");
    EXPECT_TRUE(trim->GetStringFromNormalizedValue(1.0, 4, text));
    EXPECT_STREQ(text.Get(), "6.00");
    EXPECT_TRUE(trim->GetValueString(2, &text));  // no limit at this level
    EXPECT_STREQ(text.Get(), "0.00");

    EXPECT_TRUE(trim->SetValueFromString(AAX_CString("-2")));
    EXPECT_EQ(trim->GetValue(), -2.0f);
    EXPECT_FALSE(trim->SetValueFromString(AAX_CString("loud")));
    EXPECT_EQ(trim->GetValue(), -2.0f);
}

TEST(Parameter, TypedAccessOnlyForOwnType) {
    auto trim = MakeTrim();
    auto color = MakeColor();
    auto toggle = MakeSwitch();
    bool b = false;
    int32_t i = -1;
    float f = -1.0f;
    double d = -1.0;
    AAX_CString s("x");
    struct Row { AAX_IParameter* parameter; bool asBool, asInt, asFloat; };
    const Row rows[] = {{toggle.get(), true, false, false}, {color.get(), false, true, false},
                        {trim.get(), false, false, true}};
    for (const Row& r : rows) {
        EXPECT_EQ(r.parameter->GetValueAsBool(&b), r.asBool) << r.parameter->Identifier();
        EXPECT_EQ(r.parameter->GetValueAsInt32(&i), r.asInt) << r.parameter->Identifier();
        EXPECT_EQ(r.parameter->GetValueAsFloat(&f), r.asFloat) << r.parameter->Identifier();
        EXPECT_FALSE(r.parameter->GetValueAsDouble(&d));
        EXPECT_FALSE(r.parameter->GetValueAsString(&s));
        EXPECT_EQ(r.parameter->SetValueWithBool(true), r.asBool);
        EXPECT_EQ(r.parameter->SetValueWithInt32(4), r.asInt);
        EXPECT_EQ(r.parameter->SetValueWithFloat(1.5f), r.asFloat);
        EXPECT_FALSE(r.parameter->SetValueWithDouble(1.0));
        EXPECT_FALSE(r.parameter->SetValueWithString(AAX_CString("1")));
    }
    EXPECT_EQ(d, -1.0);
    EXPECT_STREQ(s.Get(), "x");
    EXPECT_TRUE(toggle->GetValue());
    EXPECT_EQ(color->GetValue(), 4);
    EXPECT_EQ(trim->GetValue(), 1.5f);
}

}  // namespace
