// The substitute host's per-instance objects: controller, transport,
// automation delegate and view container, on their own and as companions.
#include <gtest/gtest.h>

#include <string>
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

TEST_F(HostInstance, ControllerReportsItsSettingsAndQueuesPacketsPerField) {
    struct Case {
        float rate;
        AAX_EStemFormat stem;
    };
    for (const Case& c : {Case{44100.0f, AAX_eStemFormat_Mono}, Case{192000.0f, AAX_eStemFormat_Stereo}}) {
        ACFPtr<HostController> controller = HostController::Create(c.rate, c.stem, c.stem);
        float rate = 0;
        AAX_EStemFormat input, output;
        EXPECT_EQ(controller->GetSampleRate(&rate), AAX_SUCCESS);
        EXPECT_EQ(controller->GetInputStemFormat(&input), AAX_SUCCESS);
        EXPECT_EQ(controller->GetOutputStemFormat(&output), AAX_SUCCESS);
        EXPECT_EQ(rate, c.rate);
        EXPECT_EQ(input, c.stem);
        EXPECT_EQ(output, c.stem);
    }

    ACFPtr<HostController> controller = HostController::Create(48000.0f, AAX_eStemFormat_Mono, AAX_eStemFormat_Mono);
    uint8_t bytes[20] = {1};
    EXPECT_EQ(controller->PostPacket(0, bytes, 20), AAX_SUCCESS);
    bytes[0] = 2;
    EXPECT_EQ(controller->PostPacket(0, bytes, 20), AAX_SUCCESS);
    EXPECT_EQ(controller->PostPacket(5, bytes, 1), AAX_SUCCESS);
    EXPECT_EQ(controller->PostPacket(0, nullptr, 4), AAX_ERROR_NULL_OBJECT);
    bytes[0] = 3;
    EXPECT_EQ(controller->PendingPackets(0), 2u);
    EXPECT_EQ(controller->PendingPackets(5), 1u);
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
    AAX_CString name;
    EXPECT_EQ(controller->GetHostName(&name), AAX_SUCCESS);
    EXPECT_STREQ(name.Get(), HostController::kHostName);
}

TEST_F(HostInstance, ControllerHandsOutItsCompanionsByInterface) {
    ACFPtr<HostController> controller = HostController::Create(48000.0f, AAX_eStemFormat_Mono, AAX_eStemFormat_Mono);
    ACFPtr<HostController> model = HostController::Create(48000.0f, AAX_eStemFormat_Mono, AAX_eStemFormat_Mono);
    struct Case {
        const char* name;
        acfIID iid;
    };
    const Case companions[] = {{"transport", IID_IAAXTransportV2},
                               {"automation", IID_IAAXAutomationDelegateV1},
                               {"effect parameters", IID_IAAXEffectParametersV1}};
    for (const Case& c : companions)
        EXPECT_FALSE(ACFPtr<IACFUnknown>(c.iid, controller->Identity())) << c.name << " before attaching";

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
    for (const Case& c : companions)
        EXPECT_TRUE(ACFPtr<IACFUnknown>(c.iid, controller->Identity())) << c.name << " after attaching";
    EXPECT_EQ(fake->RefCount(), 2u);
    controller->AttachEffectParameters(nullptr);
    EXPECT_EQ(fake->RefCount(), 1u);
}

TEST_F(HostInstance, AutomationDelegateTracksRegistrationTouchAndQueuedRequests) {
    ACFPtr<HostAutomationDelegate> delegate = HostAutomationDelegate::Create();
    using Kind = HostAutomationDelegate::Event::Kind;
    EXPECT_EQ(delegate->RegisterParameter("Harmonic"), AAX_SUCCESS);
    EXPECT_EQ(delegate->RegisterParameter(""), AAX_SUCCESS);  // the bypass parameter's identifier
    EXPECT_EQ(delegate->RegisterParameter(nullptr), AAX_ERROR_INVALID_PARAMETER_ID);

    struct Step {
        Kind kind;
        const char* id;
        double value;
        AAX_Result expected;
        bool touchedAfter;
    };
    const Step steps[] = {
        {Kind::Touch, "Harmonic", 0, AAX_SUCCESS, true},
        {Kind::SetValue, "Harmonic", 0.75, AAX_SUCCESS, true},
        {Kind::SetValue, "Harmonic", 0.5, AAX_SUCCESS, true},
        {Kind::Release, "Harmonic", 0, AAX_SUCCESS, false},
        {Kind::SetValue, "", 1.0, AAX_SUCCESS, false},
        {Kind::CurrentValue, "Harmonic", 0.5, AAX_SUCCESS, false},
        {Kind::SetValue, "Unknown", 0.1, AAX_ERROR_INVALID_PARAMETER_ID, false},
        {Kind::Touch, "harmonic", 0, AAX_ERROR_INVALID_PARAMETER_ID, false},
    };
    for (const Step& s : steps) {
        AAX_Result result = AAX_SUCCESS;
        switch (s.kind) {
            case Kind::Touch: result = delegate->PostTouchRequest(s.id); break;
            case Kind::Release: result = delegate->PostReleaseRequest(s.id); break;
            case Kind::SetValue: result = delegate->PostSetValueRequest(s.id, s.value); break;
            case Kind::CurrentValue: result = delegate->PostCurrentValue(s.id, s.value); break;
            default: break;
        }
        EXPECT_EQ(result, s.expected) << s.id;
        AAX_CBoolean touched = 9;
        delegate->GetTouchState("Harmonic", &touched);
        EXPECT_EQ(bool(touched), s.touchedAfter) << s.id;
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
    struct Case {
        double rate;
        int64_t sample;
        int64_t ticks;
        int32_t bar;
        int32_t beat;
    };
    // 120 beats per minute: one quarter note is half a second.
    const Case cases[] = {
        {48000.0, 0, 0, 1, 1},
        {48000.0, 24000, 960000, 1, 2},
        {48000.0, 96000, 3840000, 2, 1},
        {44100.0, 22050 * 7, 6720000, 2, 4},
        {192000.0, 96000 * 9, 8640000, 3, 2},
    };
    for (const Case& c : cases) {
        ACFPtr<HostTransport> transport = HostTransport::Create(c.rate);
        transport->SetSampleLocation(c.sample);
        int64_t ticks = -1, display = -1;
        int32_t bar = 0, beat = 0;
        EXPECT_EQ(transport->GetCurrentTickPosition(&ticks), AAX_SUCCESS);
        EXPECT_EQ(ticks, c.ticks) << c.rate << " " << c.sample;
        EXPECT_EQ(transport->GetBarBeatPosition(&bar, &beat, &display, c.sample), AAX_SUCCESS);
        EXPECT_EQ(bar, c.bar) << c.rate << " " << c.sample;
        EXPECT_EQ(beat, c.beat) << c.rate << " " << c.sample;
        EXPECT_EQ(display, 0);
    }
    ACFPtr<HostTransport> transport = HostTransport::Create(48000.0);
    double tempo = 0;
    int32_t numerator = 0, denominator = 0;
    bool playing = true;
    transport->GetCurrentTempo(&tempo);
    transport->GetCurrentMeter(&numerator, &denominator);
    transport->IsTransportPlaying(&playing);
    EXPECT_EQ(tempo, 120.0);
    EXPECT_EQ(numerator, 4);
    EXPECT_EQ(denominator, 4);
    EXPECT_FALSE(playing);
    EXPECT_EQ(transport->GetCurrentTempo(nullptr), AAX_ERROR_NULL_OBJECT);
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
