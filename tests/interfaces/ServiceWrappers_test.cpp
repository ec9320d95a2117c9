// The service wrappers over the substitute host's objects, built with every
// interface level: each operation must reach the host when the version that
// offers it exists and answer the tabled code when it does not.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "AAX_CHostServices.h"
#include "AAX_CString.h"
#include "AAX_IHostServices.h"
#include "AAX_VAutomationDelegate.h"
#include "AAX_VController.h"
#include "AAX_VHostServices.h"
#include "AAX_VTransport.h"
#include "AAX_VViewContainer.h"
#include "host/objects/HostController.h"
#include "host/objects/HostRootObject.h"
#include "host/objects/HostViewContainer.h"

namespace {

constexpr AAX_Result kOK = AAX_SUCCESS;
constexpr AAX_Result kNull = AAX_ERROR_NULL_OBJECT;
constexpr AAX_Result kUnimpl = AAX_ERROR_UNIMPLEMENTED;

// The four kinds of host object a wrapper may be built over.
enum Over { kFull, kV1Only, kNoInterface, kNullObject };
const Over kAllOver[] = {kFull, kV1Only, kNoInterface, kNullObject};
const char* const kOverNames[] = {"full object", "version 1 only", "no interface", "null object"};

HostInterfaceLevel LevelFor(Over over) {
    return over == kFull ? HostInterfaceLevel::Version2
                         : over == kV1Only ? HostInterfaceLevel::Version1 : HostInterfaceLevel::None;
}

// A controller with its companions at the level of the kind of object; none for kNullObject.
ACFPtr<HostController> MakeController(Over over) {
    if (over == kNullObject) return {};
    const HostInterfaceLevel level = LevelFor(over);
    ACFPtr<HostController> controller =
        HostController::Create(48000.0f, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo, level);
    controller->AttachTransport(HostTransport::Create(48000.0, level).get());
    controller->AttachAutomationDelegate(HostAutomationDelegate::Create(level).get());
    controller->SetEffectID("com.example.aax.test");
    return controller;
}

IACFUnknown* IdentityOf(const ACFPtr<HostController>& controller) {
    return controller ? controller->Identity() : nullptr;
}

// One operation and its expected result over each kind of object.
template <class Wrapper>
struct Row { const char* name; std::function<AAX_Result(Wrapper&)> call; AAX_Result expected[4]; };

// Wraps a controller of each kind and checks every row over it.
template <class Wrapper>
void CheckRows(const std::vector<Row<Wrapper>>& rows) {
    for (Over over : kAllOver) {
        ACFPtr<HostController> controller = MakeController(over);
        Wrapper wrapper(IdentityOf(controller));
        for (const Row<Wrapper>& row : rows)
            EXPECT_EQ(row.call(wrapper), row.expected[over]) << row.name << " over " << kOverNames[over];
    }
}

class ControllerWrapper : public ::testing::Test {
protected:
    const acfUInt32 m_LiveBefore = HostObjectBase::LiveObjects();
    void TearDown() override { EXPECT_EQ(HostObjectBase::LiveObjects(), m_LiveBefore); }
};

TEST_F(ControllerWrapper, EveryOperationReachesTheHostOrAnswersItsMissingCode) {
    AAX_CString text;
    float rate = 0;
    int32_t samples = 0;
    uint32_t count = 0;
    AAX_EStemFormat stem;
    AAX_CPropertyValue value = 0;
    AAX_CTimestamp timestamp = 0;
    AAX_EProperty which = AAX_eProperty_TI_InstanceCycleCount;
    const uint8_t packet[4] = {1, 2, 3, 4};
    using W = AAX_VController;
    const std::vector<Row<W>> rows = {
        {"GetEffectID", [&](W& w) { return w.GetEffectID(&text); }, {kOK, kOK, kNull, kNull}},
        {"GetSampleRate", [&](W& w) { return w.GetSampleRate(&rate); }, {kOK, kOK, kNull, kNull}},
        {"GetInputStemFormat", [&](W& w) { return w.GetInputStemFormat(&stem); }, {kOK, kOK, kNull, kNull}},
        {"GetOutputStemFormat", [&](W& w) { return w.GetOutputStemFormat(&stem); }, {kOK, kOK, kNull, kNull}},
        {"GetSignalLatency", [&](W& w) { return w.GetSignalLatency(&samples); }, {kOK, kOK, kNull, kNull}},
        {"GetCycleCount", [&](W& w) { return w.GetCycleCount(which, &value); }, {kOK, kOK, kNull, kNull}},
        {"GetTODLocation", [&](W& w) { return w.GetTODLocation(&timestamp); }, {kOK, kOK, kNull, kNull}},
        {"SetSignalLatency", [&](W& w) { return w.SetSignalLatency(7); }, {kOK, kOK, kNull, kNull}},
        {"SetCycleCount", [&](W& w) { return w.SetCycleCount(&which, &value, 1); }, {kOK, kOK, kNull, kNull}},
        {"PostPacket", [&](W& w) { return w.PostPacket(0, packet, 4); }, {kOK, kOK, kNull, kNull}},
        {"SendNotification", [&](W& w) { return w.SendNotification(1, packet, 4); }, {kOK, kUnimpl, kUnimpl, kUnimpl}},
        {"GetMeterCount", [&](W& w) { return w.GetMeterCount(&count); }, {kOK, kOK, kNull, kNull}},
        {"GetHybridSignalLatency", [&](W& w) { return w.GetHybridSignalLatency(&samples); }, {kOK, kUnimpl, kUnimpl, kUnimpl}},
        {"GetCurrentAutomationTimestamp", [&](W& w) { return w.GetCurrentAutomationTimestamp(&timestamp); }, {kOK, kUnimpl, kUnimpl, kUnimpl}},
        {"GetHostName", [&](W& w) { return w.GetHostName(&text); }, {kOK, kUnimpl, kUnimpl, kUnimpl}},
    };
    CheckRows(rows);
}

TEST_F(ControllerWrapper, PostedPacketsAreCopiedAndAMissingTimestampIsZeroed) {
    ACFPtr<HostController> controller = MakeController(kV1Only);
    AAX_VController wrapper(controller->Identity());
    uint8_t packet[3] = {9, 8, 7};
    EXPECT_EQ(wrapper.PostPacket(0, packet, 3), kOK);
    packet[0] = 0;  // the host keeps its own copy
    HostController::Packet posted;
    ASSERT_TRUE(controller->TakePacket(0, &posted));
    EXPECT_EQ(posted, (HostController::Packet{9, 8, 7}));
    AAX_VController overNothing(nullptr);
    for (AAX_VController* w : {&wrapper, &overNothing}) {
        AAX_CTimestamp timestamp = 12345;
        EXPECT_EQ(w->GetCurrentAutomationTimestamp(&timestamp), kUnimpl);
        EXPECT_EQ(timestamp, 0);
    }
}

TEST_F(ControllerWrapper, TransportAnswersMinus20004ForEitherMissingVersion) {
    bool flag = false;
    int32_t a = 0, b = 0;
    int64_t x = 0, y = 0, z = 0;
    uint32_t ticks = 0;
    AAX_EFrameRate frameRate;
    AAX_EFeetFramesRate feetRate;
    using W = AAX_VTransport;
    const std::vector<Row<W>> rows = {
        {"GetCurrentTempo", [&](W& w) { double t; return w.GetCurrentTempo(&t); }, {kOK, kOK, kNull, kNull}},
        {"GetCurrentMeter", [&](W& w) { return w.GetCurrentMeter(&a, &b); }, {kOK, kOK, kNull, kNull}},
        {"IsTransportPlaying", [&](W& w) { return w.IsTransportPlaying(&flag); }, {kOK, kOK, kNull, kNull}},
        {"GetCurrentTickPosition", [&](W& w) { return w.GetCurrentTickPosition(&x); }, {kOK, kOK, kNull, kNull}},
        {"GetCurrentLoopPosition", [&](W& w) { return w.GetCurrentLoopPosition(&flag, &x, &y); }, {kOK, kOK, kNull, kNull}},
        {"GetCurrentNativeSampleLocation", [&](W& w) { return w.GetCurrentNativeSampleLocation(&x); }, {kOK, kOK, kNull, kNull}},
        {"GetCustomTickPosition", [&](W& w) { return w.GetCustomTickPosition(&x, 100); }, {kOK, kOK, kNull, kNull}},
        {"GetBarBeatPosition", [&](W& w) { return w.GetBarBeatPosition(&a, &b, &z, 100); }, {kOK, kOK, kNull, kNull}},
        {"GetTicksPerQuarter", [&](W& w) { return w.GetTicksPerQuarter(&ticks); }, {kOK, kOK, kNull, kNull}},
        {"GetCurrentTicksPerBeat", [&](W& w) { return w.GetCurrentTicksPerBeat(&ticks); }, {kOK, kOK, kNull, kNull}},
        {"GetTimelineSelectionStartPosition", [&](W& w) { return w.GetTimelineSelectionStartPosition(&x); }, {kOK, kNull, kNull, kNull}},
        {"GetTimeCodeInfo", [&](W& w) { return w.GetTimeCodeInfo(&frameRate, &a); }, {kOK, kNull, kNull, kNull}},
        {"GetFeetFramesInfo", [&](W& w) { return w.GetFeetFramesInfo(&feetRate, &x); }, {kOK, kNull, kNull, kNull}},
    };
    CheckRows(rows);
}

TEST_F(ControllerWrapper, AutomationDelegateAndViewContainerForwardOrAnswerTheTabledValues) {
    int nativeView = 0;
    for (Over over : kAllOver) {
        SCOPED_TRACE(kOverNames[over]);
        const bool present = over == kFull || over == kV1Only;
        ACFPtr<HostController> controller = MakeController(over);
        AAX_VAutomationDelegate delegate(IdentityOf(controller));
        const AAX_Result expected = present ? kOK : kNull;
        AAX_CBoolean touched = 0;
        EXPECT_EQ(delegate.RegisterParameter("Dynamic"), expected);
        EXPECT_EQ(delegate.PostTouchRequest("Dynamic"), expected);
        EXPECT_EQ(delegate.PostSetValueRequest("Dynamic", 0.25), expected);
        EXPECT_EQ(delegate.GetTouchState("Dynamic", &touched), expected);
        EXPECT_EQ(touched, present ? 1 : 0);
        EXPECT_EQ(delegate.PostCurrentValue("Dynamic", 0.25), expected);
        EXPECT_EQ(delegate.PostReleaseRequest("Dynamic"), expected);
        EXPECT_EQ(delegate.UnregisterParameter("Dynamic"), expected);
        if (present) {
            const auto requests = controller->AutomationDelegate()->TakeSetValueRequests();
            ASSERT_EQ(requests.size(), 1u);
            EXPECT_EQ(requests[0].parameterID, "Dynamic");
            EXPECT_EQ(requests[0].normalizedValue, 0.25);
        }

        ACFPtr<HostViewContainer> container =
            over == kNullObject ? ACFPtr<HostViewContainer>()
                                : HostViewContainer::Create(&nativeView, AAX_eViewContainer_Type_NSView, LevelFor(over));
        AAX_VViewContainer wrapper(container ? container->Identity() : nullptr);
        uint32_t modifiers = 0;
        AAX_Point size(300, 400);
        EXPECT_EQ(wrapper.GetType(), present ? 1u : 0u);
        EXPECT_EQ(wrapper.GetPtr(), present ? &nativeView : nullptr);
        EXPECT_EQ(wrapper.GetModifiers(&modifiers), present ? kOK : kUnimpl);
        EXPECT_EQ(wrapper.SetViewSize(size), kOK);
        // Present or not, the host declines mouse events by default.
        EXPECT_EQ(wrapper.HandleParameterMouseDown("Color", 0), kUnimpl);
        EXPECT_EQ(wrapper.HandleParameterMouseDrag("Color", 0), kUnimpl);
        EXPECT_EQ(wrapper.HandleParameterMouseUp("Color", 0), kUnimpl);
        if (present) {
            container->SetTakesMouseEvents(true);
            EXPECT_EQ(wrapper.HandleParameterMouseDown("Color", 3), kOK);
            EXPECT_EQ(container->MouseEvents().size(), 4u);
        }
    }
}

TEST(HostServicesWrapper, CreatedThroughTheFactoryOrMissing) {
    const acfUInt32 liveBefore = HostObjectBase::LiveObjects();
    struct Case { const char* name; HostInterfaceLevel rootLevel, servicesLevel; AAX_Result expected; };
    const Case cases[] = {
        {"full host", HostInterfaceLevel::Version2, HostInterfaceLevel::Version2, kOK},
        {"root without factory", HostInterfaceLevel::None, HostInterfaceLevel::Version2, kNull},
        {"services without interface", HostInterfaceLevel::Version2, HostInterfaceLevel::None, kNull},
    };
    for (const Case& c : cases) {
        std::ostringstream output;
        HostFactoryOptions options;
        options.hostServices = c.servicesLevel;
        options.servicesOutput = &output;
        ACFPtr<HostRootObject> root = HostRootObject::Create(c.rootLevel, options);
        AAX_VHostServices services(root->Identity());
        EXPECT_EQ(services.Assert("file.cpp", 12, "note"), c.expected) << c.name;
        EXPECT_EQ(services.Trace(AAX_eTracePriorityHost_Normal, "hello"), c.expected) << c.name;
        if (c.expected == kOK) {
            EXPECT_NE(output.str().find("file.cpp:12: note"), std::string::npos);
            EXPECT_NE(output.str().find("hello"), std::string::npos);
        }
    }
    AAX_VHostServices overNothing(nullptr);
    EXPECT_EQ(overNothing.Trace(0, "x"), kNull);
    EXPECT_EQ(HostObjectBase::LiveObjects(), liveBefore);
}

TEST(HostServicesWrapper, ProcessWideServicesKeepTheFirstStartUp) {
    const acfUInt32 liveBefore = HostObjectBase::LiveObjects();
    std::ostringstream output;
    HostFactoryOptions options;
    options.servicesOutput = &output;
    {
        ACFPtr<HostRootObject> root = HostRootObject::Create(HostInterfaceLevel::Version2, options);
        AAX_CHostServices::Set(nullptr);  // shut-down without start-up: nothing
        EXPECT_EQ(AAX_CHostServices::Get(), nullptr);
        EXPECT_EQ(AAX_CHostServices::Trace(0, "before"), kNull);

        AAX_CHostServices::Set(root->Identity());
        AAX_IHostServices* first = AAX_CHostServices::Get();
        ASSERT_NE(first, nullptr);
        AAX_CHostServices::Set(root->Identity());  // second start-up keeps the first
        EXPECT_EQ(AAX_CHostServices::Get(), first);
        EXPECT_EQ(AAX_CHostServices::Trace(1, "running"), kOK);
        EXPECT_EQ(AAX_CHostServices::HandleAssert("f", 1, "n"), kOK);
        AAX_CHostServices::Set(nullptr);
        EXPECT_EQ(AAX_CHostServices::Get(), nullptr);
    }
    EXPECT_NE(output.str().find("running"), std::string::npos);
    EXPECT_EQ(HostObjectBase::LiveObjects(), liveBefore);
}

}  // namespace
