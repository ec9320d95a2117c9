// The library's parameter and packet dispatcher, including what the effect itself does not use.
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
#include "AAX_CPacketDispatcher.h"
#include "AAX_CParameter.h"
#include "AAX_VAutomationDelegate.h"
#include "AAX_VController.h"
#include "host/objects/HostAutomationDelegate.h"

namespace {

using Calls = std::vector<std::string>;

template <class T, class Taper, class Display>
std::unique_ptr<AAX_CParameter<T>> Make(const char* id, T value, const Taper& taper, const Display& display) {
    return std::make_unique<AAX_CParameter<T>>(id, AAX_CString(id), value, taper, display, true);
}
auto MakeTrim(const char* id = "Gain") {
    return Make(id, 0.0f, AAX_CLinearTaperDelegate<float, 0>(-6.0f, 6.0f),
                AAX_CNumberDisplayDelegate<float, 2u, 0u>());
}
auto MakeColor() {
    return Make("Color", 2, AAX_CLinearTaperDelegate<int32_t, 1000>(1, 5),
                AAX_CNumberDisplayDelegate<int32_t, 2u, 0u>());
}

std::string Text(const AAX_IParameter& parameter) {
    AAX_CString text;
    parameter.GetValueString(&text);
    return text.Get();
}

// The substitute host's automation delegate; Take() renders the calls since the last Take().
struct Host {
    ACFPtr<HostAutomationDelegate> object = HostAutomationDelegate::Create();
    AAX_VAutomationDelegate delegate{object->Identity()};
    size_t seen = 0;

    Calls Take() {
        using Kind = HostAutomationDelegate::Event::Kind;
        static const char* const kWords[] = {"register", "unregister", "request",
                                             "current",  "touch",      "release"};
        const auto events = object->Events();
        Calls calls;
        for (; seen < events.size(); ++seen) {
            const auto& event = events[seen];
            std::ostringstream line;
            line << kWords[int(event.kind)] << " " << event.parameterID;
            if (event.kind == Kind::SetValue || event.kind == Kind::CurrentValue)
                line << " " << event.normalizedValue;
            calls.push_back(line.str());
        }
        return calls;
    }
};

TEST(Parameter, DetachedChangesTakeEffectAtOnceAndStayFinite) {
    auto trim = MakeTrim("ThisIdentifierIsFortyCharactersLong_____");
    EXPECT_STREQ(trim->Identifier(), "ThisIdentifierIsFortyCharacters");  // first 31
    trim->SetNormalizedValue(0.75);
    EXPECT_EQ(Text(*trim), "3.00");
    trim->SetValue(10.0f);
    EXPECT_EQ(trim->GetValue(), 6.0f);
    trim->SetToDefaultValue();
    EXPECT_EQ(trim->GetValue(), 0.0f);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    trim->SetNormalizedValue(nan);
    EXPECT_EQ(trim->GetValue(), -6.0f);
    trim->SetValueWithFloat(float(inf));
    EXPECT_EQ(trim->GetValue(), 6.0f);
    trim->SetValueWithFloat(float(nan));
    EXPECT_EQ(trim->GetValue(), -6.0f);
    trim->SetValue(1.0f);
    trim->UpdateNormalizedValue(-inf);
    EXPECT_EQ(trim->GetValue(), -6.0f);
    trim->SetNormalizedDefaultValue(nan);
    EXPECT_EQ(trim->GetNormalizedDefaultValue(), 0.0);
}

TEST(Parameter, AttachedRequestsThenHostAnswersOnce) {
    Host host;
    auto trim = MakeTrim();
    trim->SetAutomationDelegate(&host.delegate);
    EXPECT_EQ(host.Take(), (Calls{"register Gain"}));
    const Calls request = {"touch Gain", "request Gain 0.75", "release Gain"};

    trim->SetValue(3.0f);
    EXPECT_EQ(trim->GetValue(), 0.0f);  // unchanged until the host answers
    EXPECT_EQ(host.Take(), request);
    // A new taper re-requests the value; its answer is reported even when equal.
    for (const char* before : {"answer", "new taper"}) {
        SCOPED_TRACE(before);
        trim->UpdateNormalizedValue(0.75);
        EXPECT_EQ(trim->GetValue(), 3.0f);
        EXPECT_EQ(host.Take(), (Calls{"current Gain 0.75"}));
        trim->UpdateNormalizedValue(0.75);  // equal to the value: nothing to report
        EXPECT_EQ(host.Take(), Calls{});
        AAX_CLinearTaperDelegate<float, 0> sameRange(-6.0f, 6.0f);
        trim->SetTaperDelegate(sameRange, true);
        EXPECT_EQ(host.Take(), request);
    }
    trim.reset();
    EXPECT_EQ(host.Take(), (Calls{"unregister Gain"}));
}

TEST(Parameter, ReplacingDelegates) {
    Host first, second;
    auto trim = MakeTrim();
    trim->SetAutomationDelegate(&first.delegate);
    trim->SetAutomationDelegate(&second.delegate);
    EXPECT_EQ(first.Take(), (Calls{"register Gain", "unregister Gain"}));
    EXPECT_EQ(second.Take(), (Calls{"register Gain"}));

    AAX_CNumberDisplayDelegate<float, 1u, 0u> oneDecimal;
    trim->SetDisplayDelegate(oneDecimal);
    EXPECT_EQ(second.Take(), (Calls{"current Gain 0.5"}));
    EXPECT_EQ(Text(*trim), "0.0");
    AAX_CBinaryDisplayDelegate<bool> wrongType("a", "b");
    trim->SetDisplayDelegate(wrongType);  // of another value type: ignored
    EXPECT_EQ(Text(*trim), "0.0");

    // A new taper keeps the value, or else the position.
    auto detached = MakeTrim();
    detached->SetValue(3.0f);
    AAX_CLinearTaperDelegate<float, 0> wider(-12.0f, 12.0f), narrow(-6.0f, 6.0f);
    detached->SetTaperDelegate(wider, true);
    EXPECT_EQ(detached->GetValue(), 3.0f);
    EXPECT_DOUBLE_EQ(detached->GetNormalizedValue(), 0.625);
    detached->SetTaperDelegate(narrow, false);
    EXPECT_DOUBLE_EQ(detached->GetNormalizedValue(), 0.625);
    EXPECT_EQ(detached->GetValue(), 1.5f);
}

TEST(Parameter, StepsBothWays) {
    auto trim = MakeTrim();
    // Fewer than 2 steps: step 0, and setting a step does nothing.
    const struct { uint32_t steps; double normalized; uint32_t step, setStep; double after; } cases[] = {
        {5, 0.25, 1, 7, 1.0}, {5, 0.0, 0, 2, 0.5},  {5, 1.0, 4, 0, 0.0},      {5, 0.3, 1, 1, 0.25},
        {5, 0.4, 2, 4, 1.0},  {1, 0.75, 0, 0, 0.75}, {0, 0.75, 0, 3, 0.75}, {60, 0.5, 30, 59, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.steps << " steps at " << c.normalized);
        trim->SetNumberOfSteps(c.steps);
        trim->SetNormalizedValue(c.normalized);
        EXPECT_EQ(trim->GetStepValue(), c.step);
        trim->SetStepValue(c.setStep);
        EXPECT_EQ(trim->GetNormalizedValue(), c.after);
    }
}

TEST(Parameter, ShortenedNames) {
    auto trim = MakeTrim();
    trim->SetName(AAX_CString("OutputTrim"));
    EXPECT_STREQ(trim->ShortenedName(6).Get(), "OutputTrim");  // none stored: the name
    trim->AddShortenedName(AAX_CString("OutTrim8"));
    EXPECT_STREQ(trim->ShortenedName(6).Get(), "OutTrim8");  // all longer: the shortest
    trim->AddShortenedName(AAX_CString("Out"));
    const struct { int32_t maxChars; const char* name; } cases[] = {
        {6, "Out"},       {3, "Out"},         {2, "Out"}, {8, "OutTrim8"},
        {9, "OutTrim8"},  {10, "OutputTrim"}, {-1, "Out"}};
    for (const auto& c : cases) EXPECT_STREQ(trim->ShortenedName(c.maxChars).Get(), c.name) << c.maxChars;
    trim->AddShortenedName(AAX_CString("Tri"));  // replaces the one of length 3
    EXPECT_STREQ(trim->ShortenedName(6).Get(), "Tri");
    trim->ClearShortenedNames();
    EXPECT_STREQ(trim->ShortenedName(6).Get(), "OutputTrim");
}

TEST(Parameter, StringsToAndFromNormalizedValues) {
    auto trim = MakeTrim();
    // Outside the range: the nearest limit, refused; unparsable: nothing written.
    const struct { const char* text; bool ok; double normalized; } cases[] = {
        {"8", false, 1.0}, {"-7", false, 0.0}, {"abc", false, -1.0}, {" 2.5dB", true, 8.5 / 12.0},
        {"6", true, 1.0},
    };
    for (const auto& c : cases) {
        double normalized = -1.0;
        EXPECT_EQ(trim->GetNormalizedValueFromString(AAX_CString(c.text), &normalized), c.ok) << c.text;
        EXPECT_DOUBLE_EQ(normalized, c.normalized) << c.text;
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
    EXPECT_FALSE(trim->SetValueFromString(AAX_CString("loud")));
    EXPECT_EQ(trim->GetValue(), -2.0f);
}

TEST(Parameter, TypedAccessOnlyForOwnType) {
    auto trim = MakeTrim();
    auto color = MakeColor();
    auto toggle =
        Make("Switch", false, AAX_CBinaryTaperDelegate<bool>(), AAX_CBinaryDisplayDelegate<bool>("a", "b"));
    double d = -1.0;
    AAX_CString s("x");
    // Which accessors work, in the order get bool, int, float, double, string, then set the same.
    const auto works = [&](AAX_IParameter& p) {
        bool b = false;
        int32_t i = -1;
        float f = -1.0f;
        std::string flags;
        for (bool ok : {p.GetValueAsBool(&b), p.GetValueAsInt32(&i), p.GetValueAsFloat(&f),
                        p.GetValueAsDouble(&d), p.GetValueAsString(&s), p.SetValueWithBool(true),
                        p.SetValueWithInt32(4), p.SetValueWithFloat(1.5f), p.SetValueWithDouble(1.0),
                        p.SetValueWithString(AAX_CString("1"))})
            flags += ok ? '1' : '0';
        return flags;
    };
    EXPECT_EQ(works(*toggle), "1000010000");
    EXPECT_EQ(works(*color), "0100001000");
    EXPECT_EQ(works(*trim), "0010000100");
    EXPECT_EQ(d, -1.0);
    EXPECT_STREQ(s.Get(), "x");
    EXPECT_TRUE(toggle->GetValue());
    EXPECT_EQ(color->GetValue(), 4);
    EXPECT_EQ(trim->GetValue(), 1.5f);
}

// A controller over no host that records the field of every posted packet.
class RecordingController : public AAX_VController {
public:
    RecordingController() : AAX_VController(nullptr) {}
    AAX_Result PostPacket(AAX_CFieldIndex field, const void*, uint32_t) override {
        posts.push_back(field);
        return AAX_SUCCESS;
    }
    std::vector<AAX_CFieldIndex> posts;
};

// A handler target that writes its call count and remembers the identifiers it got.
struct CountingWorker {
    int calls = 0;
    AAX_Result result = 0;
    std::vector<std::string> identifiers;

    AAX_Result Fill(AAX_CPacket& packet) {
        packet.SetSize(1);
        *packet.GetPtr<uint8_t>() = uint8_t(++calls);
        return result;
    }
    AAX_Result FillWithID(AAX_CParamID id, AAX_CPacket& packet) {
        identifiers.push_back(id);
        return Fill(packet);
    }
};

class Dispatcher : public ::testing::Test {
protected:
    void SetUp() override { dispatcher.Initialize(&controller, nullptr); }
    RecordingController controller;
    CountingWorker worker;
    AAX_CPacketDispatcher dispatcher;
};

TEST_F(Dispatcher, FailingHandlerDropsThePostUntilNextChange) {
    // The effect's six parameters, all feeding the one packet of field 0.
    for (const char* id : {"", "Harmonic", "OutputTrim", "Dynamic", "Dither", "Color"})
        dispatcher.RegisterPacket(id, 0, &worker, &CountingWorker::Fill);
    worker.result = AAX_ERROR_NULL_OBJECT;
    EXPECT_EQ(dispatcher.Dispatch(), 0);
    EXPECT_TRUE(controller.posts.empty());
    EXPECT_EQ(dispatcher.Dispatch(), 0);
    EXPECT_EQ(worker.calls, 1);  // marked clean all the same
    worker.result = 0;
    dispatcher.SetDirty("Harmonic", true);
    dispatcher.Dispatch();
    EXPECT_EQ(controller.posts.size(), 1u);

    // A handler without member functions fails the same way.
    using Handler = AAX_CPacketHandler<CountingWorker>;
    const Handler empty(&worker, Handler::PacketOnlyHandler(nullptr));
    AAX_CPacket packet(0);
    EXPECT_EQ(empty.Call("x", packet), AAX_ERROR_NULL_OBJECT);
    dispatcher.RegisterPacket("x", 1, &empty);
    EXPECT_EQ(dispatcher.Dispatch(), 0);
    EXPECT_EQ(controller.posts.size(), 1u);
}

TEST_F(Dispatcher, VisitsIdentifiersInByteOrderAndSeparateFieldsSeparately) {
    CountingWorker second;
    const AAX_CPacketHandler<CountingWorker> byID(&worker, &CountingWorker::FillWithID);
    for (const char* id : {"b", "", "a"}) dispatcher.RegisterPacket(id, 0, &byID);
    const AAX_CPacketHandler<CountingWorker> other(&second, &CountingWorker::FillWithID);
    dispatcher.RegisterPacket("a", 3, &other);
    EXPECT_EQ(dispatcher.NumPackets(), 2u);

    dispatcher.Dispatch();
    EXPECT_EQ(worker.identifiers, (std::vector<std::string>{""}));  // the first in byte order fills it
    EXPECT_EQ(second.identifiers, (std::vector<std::string>{"a"}));
    EXPECT_EQ(controller.posts, (std::vector<AAX_CFieldIndex>{0, 3}));
    dispatcher.SetDirty("a", true);  // both fields are fed by "a"
    dispatcher.Dispatch();
    EXPECT_EQ(controller.posts.size(), 4u);
}

TEST_F(Dispatcher, HandlerMayReenterTheDispatcher) {
    // The lock is re-entrant for its owner: a handler that marks another packet dirty does not deadlock.
    struct Reentrant {
        AAX_CPacketDispatcher* dispatcher;
        AAX_Result Fill(AAX_CPacket& packet) {
            dispatcher->SetDirty("other", true);
            packet.SetSize(4);
            return 0;
        }
    };
    Reentrant reentrant{&dispatcher};
    dispatcher.RegisterPacket("x", 0, &reentrant, &Reentrant::Fill);
    EXPECT_EQ(dispatcher.Dispatch(), 0);
    EXPECT_EQ(controller.posts.size(), 1u);
}

}  // namespace
