// The substitute host's own objects: what the description objects record,
// the controller's packet queue and the transport's arithmetic, and that
// every object they create is released again. (The automation delegate, the
// view container and the controller's companions are checked as the effect
// and its editor use them, and through the wrappers in tests/interfaces.)
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "AAX_UIDs.h"
#include "host/objects/HostCollection.h"
#include "host/objects/HostComponentDescriptor.h"
#include "host/objects/HostController.h"
#include "host/objects/HostRootObject.h"

namespace {

class HostObjects : public ::testing::Test {
protected:
    const acfUInt32 m_LiveBefore = HostObjectBase::LiveObjects();
    void TearDown() override { EXPECT_EQ(HostObjectBase::LiveObjects(), m_LiveBefore); }
};

// What the component records at the effect's registrations: tests/module/test_description.cpp.
TEST_F(HostObjects, ComponentRefusesATakenFieldANegativeSizeAndANullProcedure) {
    ACFPtr<HostComponentDescriptor> component = HostComponentDescriptor::Create();
    EXPECT_EQ(component->AddAudioIn(2), AAX_SUCCESS);
    EXPECT_EQ(component->AddAudioOut(2), AAX_ERROR_INVALID_PARAMETER_ID);  // field 2 is taken
    EXPECT_EQ(component->AddPrivateData(7, -1, 0), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ(component->AddProcessProc_Native(nullptr, nullptr, nullptr, nullptr, nullptr), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ(component->Current().fields.size(), 1u);
    EXPECT_TRUE(component->Current().processProcs.empty());
}

TEST_F(HostObjects, CollectionAnswersThePluginDefinitionAndKeepsAttributes) {
    ACFPtr<HostCollection> collection = HostCollection::Create();
    ACFPtr<IACFPluginDefinition> definition(IID_IACFPluginDefinition, collection->Identity());
    ASSERT_TRUE(definition);
    EXPECT_TRUE(collection->Is(definition.get()));
    const acfUID name = {1, 2, 3, 4};
    const char text[] = "Orvanta";
    EXPECT_EQ(definition->DefineAttribute(name, kACFAttrType_String, text, sizeof text), ACF_OK);
    acfUInt32 type = 0, size = 0;
    EXPECT_EQ(definition->GetAttributeInfo(name, &type, &size), ACF_OK);
    EXPECT_EQ(type, acfUInt32(kACFAttrType_String));
    EXPECT_EQ(size, sizeof text);
    char copy[16] = {};
    EXPECT_EQ(definition->CopyAttribute(name, kACFAttrType_String, copy, 4), ACF_E_INVALIDARG);  // too small
    EXPECT_EQ(definition->CopyAttribute(name, kACFAttrType_UInt32, copy, 16), ACF_E_INVALIDARG);  // wrong type
    EXPECT_EQ(definition->CopyAttribute(name, kACFAttrType_String, copy, 16), ACF_OK);
    EXPECT_STREQ(copy, "Orvanta");
    EXPECT_EQ(definition->GetAttributeInfo({9, 9, 9, 9}, &type, &size), ACF_E_INVALIDARG);

    ACFPtr<HostCollection> closed = HostCollection::Create(HostInterfaceLevel::Version2, nullptr, false);
    EXPECT_FALSE(ACFPtr<IACFPluginDefinition>(IID_IACFPluginDefinition, closed->Identity()));
    EXPECT_TRUE(ACFPtr<AAX_IACFCollection>(IID_IAAXCollectionV1, closed->Identity()));
}

TEST_F(HostObjects, FactoryCreatesKnownClassesOnly) {
    ACFPtr<HostComponentFactory> factory = HostComponentFactory::Create();
    struct Case { const char* name; acfCLSID clsid; acfIID iid; ACFRESULT expected; };
    const Case cases[] = {
        {"collection", AAXCompID_AAXCollection, IID_IAAXCollectionV1, ACF_OK},
        {"effect", AAXCompID_AAXEffectDescriptor, IID_IAAXEffectDescriptorV2, ACF_OK},
        {"component", AAXCompID_AAXComponentDescriptor, IID_IAAXComponentDescriptorV1, ACF_OK},
        {"map", AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV2, ACF_OK},
        {"services", AAXCompID_HostServices, IID_IAAXHostServicesV1, ACF_OK},
        {"wrong interface", AAXCompID_AAXPropertyMap, IID_IAAXControllerV1, ACF_E_NOINTERFACE},
        {"unknown class", {5, 6, 7, 8}, IID_IACFUnknown, ACF_E_CLASSNOTREG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const acfUInt32 live = HostObjectBase::LiveObjects();
        void* out = reinterpret_cast<void*>(0x1);
        EXPECT_EQ(factory->CreateComponent(c.clsid, nullptr, c.iid, &out), c.expected);
        EXPECT_EQ(out != nullptr, c.expected == ACF_OK);
        if (out) static_cast<IACFUnknown*>(out)->Release();
        // The factory keeps the collections it creates; every other object is gone with its reference.
        EXPECT_EQ(HostObjectBase::LiveObjects(), live + (c.clsid == AAXCompID_AAXCollection ? 1 : 0));
    }
    EXPECT_EQ(factory->Collections().size(), 1u);
}

// (The settings it reports reach the effect: the runtime's instance tests.)
TEST_F(HostObjects, ControllerQueuesCopiedPacketsPerFieldAndKeepsTheLatency) {
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

TEST_F(HostObjects, TransportPositionsFollowTheSampleLocation) {
    // 120 beats per minute in 4/4: one quarter note is half a second, 960000 ticks.
    struct Case { double rate; int64_t sample, ticks; int32_t bar, beat; };
    const Case cases[] = {
        {48000.0, 0, 0, 1, 1},                {48000.0, 24000, 960000, 1, 2},
        {48000.0, 96000, 3840000, 2, 1},      {44100.0, 22050 * 7, 6720000, 2, 4},
        {192000.0, 96000 * 9, 8640000, 3, 2}, {48000.0, 96000 * 5, 19200000, 6, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, sample " << c.sample);
        ACFPtr<HostTransport> transport = HostTransport::Create(c.rate);
        transport->SetSampleLocation(c.sample);
        int64_t ticks = -1, display = -1;
        int32_t bar = 0, beat = 0;
        EXPECT_EQ(transport->GetCurrentTickPosition(&ticks), AAX_SUCCESS);
        EXPECT_EQ(transport->GetBarBeatPosition(&bar, &beat, &display, c.sample), AAX_SUCCESS);
        EXPECT_EQ(std::make_tuple(ticks, bar, beat, display),
                  std::make_tuple(c.ticks, c.bar, c.beat, int64_t(0)));
    }
    EXPECT_EQ(HostTransport::Create(48000.0)->GetCurrentTempo(nullptr), AAX_ERROR_NULL_OBJECT);
}

// A getter with several out pointers refuses when any one of them is null
// and then leaves the others as they were; the transport is stopped and
// does not loop.
TEST_F(HostObjects, TransportGettersRefuseAnyNullOutPointerAndStoreNothing) {
    ACFPtr<HostTransport> transport = HostTransport::Create(48000.0);
    for (int nullAt = -1; nullAt < 3; ++nullAt) {
        SCOPED_TRACE(testing::Message() << "out pointer " << nullAt << " null");
        auto out = [nullAt](int position, auto* pointer) { return nullAt == position ? nullptr : pointer; };
        int32_t bar = -7, beat = -7;
        int64_t display = -7, start = -7, end = -7;
        bool looping = true;
        const AAX_Result expected = nullAt < 0 ? AAX_SUCCESS : AAX_ERROR_NULL_OBJECT;
        EXPECT_EQ(transport->GetBarBeatPosition(out(0, &bar), out(1, &beat), out(2, &display), 96000),
                  expected);
        EXPECT_EQ(transport->GetCurrentLoopPosition(out(0, &looping), out(1, &start), out(2, &end)),
                  expected);
        EXPECT_EQ(std::make_tuple(bar, beat, display, looping, start, end),
                  nullAt < 0 ? std::make_tuple(2, 1, int64_t(0), false, int64_t(0), int64_t(0))
                             : std::make_tuple(-7, -7, int64_t(-7), true, int64_t(-7), int64_t(-7)));
    }
}

}  // namespace
