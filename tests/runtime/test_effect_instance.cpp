// One instance driven as a host drives it, from creation to its end.
#include "RuntimeHarness.h"
#include "host/objects/HostObject.h"

namespace {

using namespace runtime_test;

// The declared latency is one sample less than the delay in stereo.
TEST(EffectInstance, EveryRateAndLayoutIsSetUpAndDelaysTheInputBy6mPlus1) {
    LinkedModule linked;
    for (const float rate : {44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f})
        for (int channels : {1, 2}) {
            SCOPED_TRACE(testing::Message() << rate << " Hz, " << channels << " ch");
            const int32_t delay = EffectDelay(rate);
            std::unique_ptr<EffectInstance> instance = linked.NewInstance(rate, channels, 1024);
            ASSERT_TRUE(instance);
            EXPECT_EQ(instance->Channels(), channels);
            EXPECT_EQ(instance->ReportedLatency(), delay - (channels == 2 ? 1 : 0));
            const AudioChannels input = TestSignal(channels, 5000, rate);
            for (int32_t blockSize : {1, 441, 4096}) {  // 4096 is processed in pieces of the largest block, 1024
                SCOPED_TRACE(testing::Message() << "blocks of " << blockSize);
                ExpectDelayed(Render(*linked.NewInstance(rate, channels, 1024), input, blockSize), input, delay);
                EXPECT_EQ(Render(*linked.NewInstance(rate, channels, 1024), input, blockSize, {}, delay), input);
            }
        }
}

TEST(EffectInstance, AnEditorChangeWaitsForTheHostsAnswerAndReachesTheNextBlock) {
    LinkedModule linked;
    std::unique_ptr<EffectInstance> changed = linked.NewInstance(48000.0f, 2);
    std::unique_ptr<EffectInstance> reference = linked.NewInstance(48000.0f, 2);
    const int32_t block = 512;
    const AudioChannels input = TestSignal(2, 2 * block);
    AudioChannels outChanged(2, std::vector<float>(2 * block)), outReference = outChanged;
    EXPECT_EQ(ProcessAt(*changed, input, outChanged, 0, block), AAX_SUCCESS);
    EXPECT_EQ(ProcessAt(*reference, input, outReference, 0, block), AAX_SUCCESS);

    // Touch, request, release: nothing changes until the host answers.
    AAX_IACFEffectParameters& model = changed->Parameters();
    model.TouchParameter(Orvanta::kParamID_Harmonic);
    EXPECT_TRUE(changed->IsTouched(Orvanta::kParamID_Harmonic));
    model.SetParameterNormalizedValue(Orvanta::kParamID_Harmonic, 0.6);
    model.ReleaseParameter(Orvanta::kParamID_Harmonic);
    EXPECT_FALSE(changed->IsTouched(Orvanta::kParamID_Harmonic));
    double value = -1.0;
    model.GetParameterNormalizedValue(Orvanta::kParamID_Harmonic, &value);
    EXPECT_EQ(value, 0.0);
    EXPECT_EQ(changed->Automation().PendingSetValueRequests(), 1u);
    EXPECT_EQ(DeliveredPacket(*changed).m_fHarmonic, 0.0f);

    // The next block answers the request, generates and delivers the packet.
    EXPECT_EQ(ProcessAt(*changed, input, outChanged, block, block), AAX_SUCCESS);
    EXPECT_EQ(ProcessAt(*reference, input, outReference, block, block), AAX_SUCCESS);
    model.GetParameterNormalizedValue(Orvanta::kParamID_Harmonic, &value);
    EXPECT_EQ(value, 0.6);
    EXPECT_EQ(DeliveredPacket(*changed).m_fHarmonic, 0.6f);

    // The audio hears it from the second block on, through the delay line.
    const size_t first = FirstDifference(outChanged, outReference);
    EXPECT_GE(first, size_t(block));
    EXPECT_LT(first, size_t(block + EffectDelay(48000.0f) + 16));
}

TEST(EffectInstance, RefusesAPacketOfTheWrongSizeAndKeepsTheLastGoodOne) {
    LinkedModule linked;
    std::unique_ptr<EffectInstance> instance = linked.NewInstance(48000.0f, 1);
    const AudioChannels input = TestSignal(1, 1024);
    AudioChannels output(1, std::vector<float>(1024));
    ProcessAt(*instance, input, output, 0, 512);
    const uint8_t shortPacket[3] = {0xFF, 0xFF, 0xFF};
    instance->Controller().PostPacket(Orvanta::kField_KnobPacket, shortPacket, sizeof shortPacket);
    ProcessAt(*instance, input, output, 512, 512);
    EXPECT_EQ(instance->RefusedPackets(), 1u);
    EXPECT_EQ(DeliveredPacket(*instance).m_fOutputGain, 1.0f);
    ExpectDelayed(output, input, EffectDelay(48000.0f));
}

TEST(EffectInstance, ReportsWhyItCannotBeCreated) {
    LinkedModule linked;
    const RecordedComponent* stereo = linked.module->ComponentForStemFormat(AAX_eStemFormat_Stereo);
    ASSERT_TRUE(stereo);
    const auto process = reinterpret_cast<AAX_CProcessProc>(linked.module->NativeProcessProc(*stereo, 48000.0f));
    struct NotADataModel : HostObject<IACFUnknown> {
        ACFRESULT FindInterface(const acfIID&, void**) override { return ACF_E_NOINTERFACE; }
    };
    struct Case { const char* name; bool withModel, foreignModel, withComponent, withProc; const char* message; };
    const Case cases[] = {
        {"no data model", false, false, true, true, "the module created no data model"},
        {"no component", true, false, false, true, "the module describes no component for this channel layout"},
        {"no procedure", true, false, true, false, "the component has no native process procedure for this sample rate"},
        {"foreign object", false, true, true, true, "the data model does not offer the effect-parameters interface"},
    };
    for (const Case& c : cases) {
        EffectInstance::Parts parts;
        if (c.withModel) parts.dataModel = linked.module->CreateDataModel();
        if (c.foreignModel) {
            parts.dataModel = (new NotADataModel)->Identity();
            parts.dataModel->AddRef();
        }
        parts.component = c.withComponent ? stereo : nullptr;
        parts.processProc = c.withProc ? process : nullptr;
        std::string error;
        EXPECT_FALSE(EffectInstance::Create(parts, EffectInstance::Setup(), &error)) << c.name;
        EXPECT_EQ(error, c.message) << c.name;
    }
    EXPECT_EQ(linked.module->LiveObjects(), 0) << "refused data models are released";
}

TEST(EffectInstance, ReleasesEveryObjectWhenItEnds) {
    const acfUInt32 hostObjectsBefore = HostObjectBase::LiveObjects();
    {
        LinkedModule linked;
        const acfUInt32 withModule = HostObjectBase::LiveObjects();
        {
            std::unique_ptr<EffectInstance> instance = linked.NewInstance(44100.0f, 2);
            IACFUnknown* editor = linked.module->CreateEditor();
            instance->AttachEditor(editor);
            editor->Release();
            EXPECT_GT(linked.module->LiveObjects(), 0);
        }
        EXPECT_EQ(linked.module->LiveObjects(), 0);
        EXPECT_EQ(HostObjectBase::LiveObjects(), withModule);
    }
    EXPECT_EQ(HostObjectBase::LiveObjects(), hostObjectsBefore);
}

}  // namespace
