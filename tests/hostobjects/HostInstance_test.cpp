// The substitute host's per-instance objects on their own: the controller's
// packet queue and the transport. (The automation delegate, the view
// container and the controller's companions are checked as the effect and
// its editor use them: tests/runtime, tests/editor, tests/editorcli and the
// wrappers' tests in tests/interfaces.)
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
        {"GetCurrentLoopPosition", 3,
         [](const HostTransport& t, Outs& o, int n) {
             return t.GetCurrentLoopPosition(NullAt(n, 0, &o.flag), NullAt(n, 1, &o.c), NullAt(n, 2, &o.d));
         }},
        {"GetBarBeatPosition", 3,
         [](const HostTransport& t, Outs& o, int n) {
             return t.GetBarBeatPosition(NullAt(n, 0, &o.a), NullAt(n, 1, &o.b), NullAt(n, 2, &o.e), 96000 * 5);
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

}  // namespace
