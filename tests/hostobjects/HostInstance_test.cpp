// The substitute host's per-instance objects: controller, transport,
// automation delegate and view container, on their own and as companions.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "AAX_CString.h"
#include "AAX_UIDs.h"
#include "host/objects/HostController.h"
#include "host/objects/HostViewContainer.h"

namespace {

class HostInstance : public ::testing::Test {
protected:
    const acfUInt32 m_LiveBefore = HostObjectBase::LiveObjects();
    void TearDown() override { EXPECT_EQ(HostObjectBase::LiveObjects(), m_LiveBefore); }
};

// (The settings it reports reach the effect: the runtime's instance tests
// at every rate and layout.)
TEST_F(HostInstance, ControllerQueuesPacketsPerFieldAndKeepsTheLatency) {
    ACFPtr<HostController> controller = HostController::Create(48000.0f, AAX_eStemFormat_Mono, AAX_eStemFormat_Mono);
    uint8_t bytes[20] = {1};
    EXPECT_EQ(controller->PostPacket(0, bytes, 20), AAX_SUCCESS);
    bytes[0] = 2;
    EXPECT_EQ(controller->PostPacket(0, bytes, 20), AAX_SUCCESS);
    EXPECT_EQ(controller->PostPacket(5, bytes, 1), AAX_SUCCESS);
    EXPECT_EQ(controller->PostPacket(0, nullptr, 4), AAX_ERROR_NULL_OBJECT);
    bytes[0] = 3;
    EXPECT_EQ(controller->PendingPackets(0), 2u);
    EXPECT_EQ(controller->PostedPacketCount(), 3u);

    HostController::Packet packet;
    ASSERT_TRUE(controller->TakePacket(0, &packet));
    EXPECT_EQ(packet.size(), 20u);
    EXPECT_EQ(packet[0], 1);  // oldest first, copied at posting
    const std::vector<HostController::Packet> rest = controller->TakePackets(0);
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(rest[0][0], 2);
    EXPECT_FALSE(controller->TakePacket(0, &packet));
    EXPECT_EQ(controller->PendingPackets(5), 1u);

    EXPECT_EQ(controller->SetSignalLatency(13), AAX_SUCCESS);
    EXPECT_EQ(controller->SetSignalLatency(-1), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ(controller->SignalLatency(), 13);
}

TEST_F(HostInstance, ControllerHandsOutItsCompanionsByInterface) {
    ACFPtr<HostController> controller = HostController::Create(48000.0f, AAX_eStemFormat_Mono, AAX_eStemFormat_Mono);
    const std::pair<const char*, acfIID> companions[] = {
        {"transport", IID_IAAXTransportV2}, {"automation", IID_IAAXAutomationDelegateV1},
        {"effect parameters", IID_IAAXEffectParametersV1}};
    for (const auto& c : companions) EXPECT_FALSE(ACFPtr<IACFUnknown>(c.second, controller->Identity())) << c.first;

    controller->AttachTransport(HostTransport::Create(48000.0).get());
    controller->AttachAutomationDelegate(HostAutomationDelegate::Create().get());
    // Any object can stand in for the data model: only the forwarding is tested.
    struct FakeModel : HostObject<IACFUnknown> {
        ACFRESULT FindInterface(const acfIID& iid, void** ppOut) override {
            return iid == IID_IAAXEffectParametersV1 ? Provide(Identity(), ppOut) : ACF_E_NOINTERFACE;
        }
    };
    ACFPtr<FakeModel> fake(new FakeModel);
    controller->AttachEffectParameters(fake->Identity());
    for (const auto& c : companions) EXPECT_TRUE(ACFPtr<IACFUnknown>(c.second, controller->Identity())) << c.first;
    EXPECT_EQ(fake->RefCount(), 2u);
    controller->AttachEffectParameters(nullptr);
    EXPECT_EQ(fake->RefCount(), 1u);
}

TEST_F(HostInstance, AutomationDelegateTracksRegistrationTouchAndQueuedRequests) {
    ACFPtr<HostAutomationDelegate> delegate = HostAutomationDelegate::Create();
    HostAutomationDelegate& d = *delegate;
    EXPECT_EQ(d.RegisterParameter("Harmonic"), AAX_SUCCESS);
    EXPECT_EQ(d.RegisterParameter(""), AAX_SUCCESS);  // the bypass parameter's identifier
    EXPECT_EQ(d.RegisterParameter(nullptr), AAX_ERROR_INVALID_PARAMETER_ID);

    constexpr AAX_Result kRefused = AAX_ERROR_INVALID_PARAMETER_ID;
    struct Step { const char* what; std::function<AAX_Result()> call; AAX_Result expected; bool touchedAfter; };
    const Step steps[] = {
        {"touch", [&] { return d.PostTouchRequest("Harmonic"); }, AAX_SUCCESS, true},
        {"request 0.75", [&] { return d.PostSetValueRequest("Harmonic", 0.75); }, AAX_SUCCESS, true},
        {"request 0.5", [&] { return d.PostSetValueRequest("Harmonic", 0.5); }, AAX_SUCCESS, true},
        {"release", [&] { return d.PostReleaseRequest("Harmonic"); }, AAX_SUCCESS, false},
        {"bypass request", [&] { return d.PostSetValueRequest("", 1.0); }, AAX_SUCCESS, false},
        {"report", [&] { return d.PostCurrentValue("Harmonic", 0.5); }, AAX_SUCCESS, false},
        {"unregistered request", [&] { return d.PostSetValueRequest("Unknown", 0.1); }, kRefused, false},
        {"touch in another case", [&] { return d.PostTouchRequest("harmonic"); }, kRefused, false},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(s.call(), s.expected) << s.what;
        AAX_CBoolean touched = 9;
        d.GetTouchState("Harmonic", &touched);
        EXPECT_EQ(bool(touched), s.touchedAfter) << s.what;
    }

    EXPECT_EQ(delegate->PendingSetValueRequests(), 3u);
    const auto requests = delegate->TakeSetValueRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].normalizedValue, 0.75);
    EXPECT_EQ(requests[2].parameterID, "");
    EXPECT_EQ(delegate->PendingSetValueRequests(), 0u);
    double reported = 0;
    EXPECT_TRUE(delegate->LastReportedValue("Harmonic", &reported));
    EXPECT_EQ(reported, 0.5);

    EXPECT_EQ(delegate->UnregisterParameter("Harmonic"), AAX_SUCCESS);
    EXPECT_EQ(delegate->UnregisterParameter("Harmonic"), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ(delegate->RegisteredParameters(), std::vector<std::string>{""});
    EXPECT_EQ(delegate->Events().size(), 3u + 8u + 2u);
}

TEST_F(HostInstance, TransportPositionsFollowTheSampleLocation) {
    struct Case { double rate; int64_t sample; int64_t ticks; int32_t bar; int32_t beat; };
    // 120 beats per minute: one quarter note is half a second.
    const Case cases[] = {
        {48000.0, 0, 0, 1, 1},         {48000.0, 24000, 960000, 1, 2},      {48000.0, 96000, 3840000, 2, 1},
        {44100.0, 22050 * 7, 6720000, 2, 4}, {192000.0, 96000 * 9, 8640000, 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, sample " << c.sample);
        ACFPtr<HostTransport> transport = HostTransport::Create(c.rate);
        transport->SetSampleLocation(c.sample);
        int64_t ticks = -1, display = -1;
        int32_t bar = 0, beat = 0;
        EXPECT_EQ(transport->GetCurrentTickPosition(&ticks), AAX_SUCCESS);
        EXPECT_EQ(transport->GetBarBeatPosition(&bar, &beat, &display, c.sample), AAX_SUCCESS);
        EXPECT_EQ(ticks, c.ticks);
        EXPECT_EQ(bar, c.bar);
        EXPECT_EQ(beat, c.beat);
        EXPECT_EQ(display, 0);
    }
    EXPECT_EQ(HostTransport::Create(48000.0)->GetCurrentTempo(nullptr), AAX_ERROR_NULL_OBJECT);
}

// out, or null when the call under test is to get a null pointer there.
template <class T>
T* NullAt(int nullAt, int position, T* out) {
    return nullAt == position ? nullptr : out;
}

// A getter with several out pointers refuses when any one of them is null
// and then leaves the others as they were.
TEST_F(HostInstance, TransportGettersRefuseAnyNullOutPointerAndStoreNothing) {
    ACFPtr<HostTransport> transport = HostTransport::Create(48000.0);
    transport->SetSampleLocation(96000 * 5);
    struct Outs {
        int32_t a = -7, b = -7;
        int64_t c = -7, d = -7, e = -7;
        bool flag = true;
        AAX_EFrameRate frameRate = AAX_eFrameRate_Undeclared;
        AAX_EFeetFramesRate feetRate = AAX_eFeetFramesRate_25;
        bool Untouched() const {
            return a == -7 && b == -7 && c == -7 && d == -7 && e == -7 && flag &&
                   frameRate == AAX_eFrameRate_Undeclared && feetRate == AAX_eFeetFramesRate_25;
        }
    };
    using Call = AAX_Result (*)(const HostTransport&, Outs&, int nullAt);
    struct Case { const char* getter; int outs; Call call; };
    const Case cases[] = {
        {"GetCurrentMeter", 2,
         [](const HostTransport& t, Outs& o, int n) {
             return t.GetCurrentMeter(NullAt(n, 0, &o.a), NullAt(n, 1, &o.b));
         }},
        {"GetCurrentLoopPosition", 3,
         [](const HostTransport& t, Outs& o, int n) {
             return t.GetCurrentLoopPosition(NullAt(n, 0, &o.flag), NullAt(n, 1, &o.c), NullAt(n, 2, &o.d));
         }},
        {"GetBarBeatPosition", 3,
         [](const HostTransport& t, Outs& o, int n) {
             return t.GetBarBeatPosition(NullAt(n, 0, &o.a), NullAt(n, 1, &o.b), NullAt(n, 2, &o.e), 96000 * 5);
         }},
        {"GetTimeCodeInfo", 2,
         [](const HostTransport& t, Outs& o, int n) {
             return t.GetTimeCodeInfo(NullAt(n, 0, &o.frameRate), NullAt(n, 1, &o.a));
         }},
        {"GetFeetFramesInfo", 2,
         [](const HostTransport& t, Outs& o, int n) {
             return t.GetFeetFramesInfo(NullAt(n, 0, &o.feetRate), NullAt(n, 1, &o.c));
         }},
    };
    for (const Case& c : cases) {
        for (int nullAt = 0; nullAt < c.outs; ++nullAt) {
            SCOPED_TRACE(testing::Message() << c.getter << ", out pointer " << nullAt << " null");
            Outs outs;
            EXPECT_EQ(c.call(*transport, outs, nullAt), AAX_ERROR_NULL_OBJECT);
            EXPECT_TRUE(outs.Untouched());
        }
        SCOPED_TRACE(c.getter);
        Outs outs;
        EXPECT_EQ(c.call(*transport, outs, -1), AAX_SUCCESS);
    }
    // Ten seconds at 120 beats per minute in 4/4: bar 6, beat 1, on the beat;
    // the transport is stopped and does not loop.
    Outs outs;
    ASSERT_EQ(transport->GetBarBeatPosition(&outs.a, &outs.b, &outs.e, 96000 * 5), AAX_SUCCESS);
    ASSERT_EQ(transport->GetCurrentLoopPosition(&outs.flag, &outs.c, &outs.d), AAX_SUCCESS);
    EXPECT_EQ(std::make_tuple(outs.a, outs.b, outs.e, outs.flag, outs.c, outs.d),
              std::make_tuple(6, 1, int64_t(0), false, int64_t(0), int64_t(0)));
}

TEST_F(HostInstance, ViewContainerDeclinesUntilToldToTakeEvents) {
    int view = 0;
    ACFPtr<HostViewContainer> container = HostViewContainer::Create(&view);
    EXPECT_EQ(container->GetType(), 1u);
    EXPECT_EQ(container->GetPtr(), &view);
    EXPECT_EQ(container->HandleParameterMouseDown("Color", 1), HostViewContainer::kDeclined);
    container->SetTakesMouseEvents(true);
    EXPECT_EQ(container->HandleParameterMouseDrag("Color", 2), AAX_SUCCESS);
    EXPECT_EQ(container->HandleParameterMouseUp(nullptr, 3), HostViewContainer::kDeclined);
    const auto events = container->MouseEvents();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[1].kind, HostViewContainer::MouseEvent::Kind::Drag);
    EXPECT_EQ(events[1].modifiers, 2u);

    AAX_Point size(200, 300), asked;
    EXPECT_FALSE(container->RequestedSize(&asked));
    EXPECT_EQ(container->SetViewSize(size), AAX_SUCCESS);
    ASSERT_TRUE(container->RequestedSize(&asked));
    EXPECT_EQ(asked, size);

    ACFPtr<HostViewContainer> other = HostViewContainer::Create(nullptr, AAX_eViewContainer_Type_HWND);
    EXPECT_EQ(other->GetType(), uint32_t(AAX_eViewContainer_Type_HWND));
    EXPECT_EQ(other->GetPtr(), nullptr);
}

}  // namespace
