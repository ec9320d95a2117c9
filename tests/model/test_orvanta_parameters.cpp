// Orvanta_Parameters and its base under the substitute host.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "AAX_IParameter.h"
#include "AAX_UIDs.h"
#include "ModuleQueries.h"
#include "effect/dsp/Orvanta_ChannelState.h"
#include "tests/model/ModelHarness.h"

namespace {

using namespace Orvanta;

bool SamePacket(const SOrvanta_Knob_Packet& a, const SOrvanta_Knob_Packet& b) {
    return a.m_fHarmonic == b.m_fHarmonic && a.m_fDynamic == b.m_fDynamic && a.m_fOutputGain == b.m_fOutputGain &&
           a.m_iDither == b.m_iDither && a.m_iColor == b.m_iColor;
}

// Names, ranges, steps and default texts: the parameter listing (tests/cli); here the rest.
TEST(OrvantaParameters, TheSixParametersFromInitializeToUninitialize) {
    const acfUInt32 liveBefore = CACFUnknown::GetActiveObjectCount();
    AAX_CEffectParameters* uninitialised = Orvanta_Parameters::Create();
    uninitialised->AddRef();
    int32_t count = -1;
    uninitialised->GetNumberOfParameters(&count);
    EXPECT_EQ(count, 0);
    AAX_CString bypassID("x");
    EXPECT_EQ(uninitialised->GetMasterBypassParameter(&bypassID), 0);
    EXPECT_STREQ(bypassID.Get(), "");
    uninitialised->Release();

    auto h = std::make_unique<ModelHarness>();
    ASSERT_EQ(h->initializeResult, 0);
    h->model->GetNumberOfParameters(&count);
    ASSERT_EQ(count, 6);
    for (int32_t index = 0; index < count; ++index) {
        AAX_CString id;
        int32_t foundIndex = -1;
        AAX_EParameterOrientation orientation = -1;
        AAX_CBoolean automatable = 0;
        double normalizedDefault = -1.0;
        EXPECT_EQ(h->model->GetParameterIDFromIndex(index, &id), 0);
        SCOPED_TRACE(id.Get());
        h->model->GetParameterIndex(id.Get(), &foundIndex);
        h->model->GetParameterOrientation(id.Get(), &orientation);
        h->model->GetParameterIsAutomatable(id.Get(), &automatable);
        h->model->GetParameterDefaultNormalizedValue(id.Get(), &normalizedDefault);
        EXPECT_EQ(foundIndex, index);
        EXPECT_EQ(orientation, 0);
        EXPECT_TRUE(automatable);
        EXPECT_EQ(h->Normalized(id.Get()), normalizedDefault);
        EXPECT_TRUE(h->automation->IsRegistered(id.Get()));
    }
    bypassID = AAX_CString("x");
    h->model->GetMasterBypassParameter(&bypassID);
    EXPECT_STREQ(bypassID.Get(), "");

    // The interfaces it offers: tests/module (ModuleObjectsTest); here, one it does not.
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(h->model->QueryInterface(IID_IAAXEffectGUIV1, &none), ACF_E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(h->model->Uninitialize(), 0);
    EXPECT_TRUE(h->automation->RegisteredParameters().empty());  // each parameter unregistered
    h->model->GetNumberOfParameters(&count);
    EXPECT_EQ(count, 0);
    h.reset();
    EXPECT_EQ(CACFUnknown::GetActiveObjectCount(), liveBefore);
}

// The answers themselves: tests/runtime, tests/validate; here, the sizes a host may offer.
TEST(OrvantaParameters, QueriesAnswerOnlyIntoBlocksLargeEnough) {
    ModelHarness h;
    char text[512] = {};
    // One byte short, an unknown block, a delay block too small.
    const struct { AAX_CTypeID block; uint32_t size, written; } cases[] = {
        {ModuleQuery::kParameterRoles, 45, 45}, {ModuleQuery::kParameterRoles, 44, 0},
        {0x78787878, sizeof text, 0},           {ModuleQuery::kSignalDelay, 3, 0}};
    for (const auto& c : cases) {
        uint32_t written = 99;
        EXPECT_EQ(h.model->GetCustomData(c.block, c.size, text, &written), 0);
        EXPECT_EQ(written, c.written) << c.size;
    }
}

TEST(OrvantaParameters, TextsBothWays) {
    ModelHarness h;
    // Between the ends (the ends: the parameter listing, tests/cli).
    const struct { const char* id; double normalized; const char* text; } shown[] = {
        {kParamID_Color, 0.9, "4.00"}, {kParamID_Color, 0.9999, "5.00"}, {kParamID_Color, 0.5, "3.00"},
        {kParamID_Dither, 0.5, "1.00"}, {kParamID_Dither, 0.9995, "2.00"}, {kParamID_Bypass, 0.0001, "on"},
        {kParamID_OutputTrim, 0.75, "3.00"}, {kParamID_Harmonic, 0.25, "25.00"},
    };
    for (const auto& c : shown) {
        h.Set(c.id, c.normalized);
        EXPECT_EQ(h.ValueString(c.id), c.text) << c.id << " at " << c.normalized;
    }
    const struct { const char* id; const char* text; AAX_Result result; double normalized; } parsed[] = {
        {kParamID_Bypass, "on", 0, 1.0}, {kParamID_Bypass, "bypass", 0, 0.0},
        {kParamID_Bypass, "On", -20002, -1}, {kParamID_Color, "9", -20002, -1}, {kParamID_Color, "3", 0, 0.5},
        {kParamID_OutputTrim, "-3 dB", 0, 0.25}, {kParamID_Harmonic, "forty", -20002, -1},
        {"Nope", "1", -20001, -1},
    };
    for (const auto& c : parsed) {
        double normalized = -1.0;
        EXPECT_EQ(h.model->GetParameterValueFromString(c.id, &normalized, AAX_CString(c.text)), c.result) << c.text;
        EXPECT_EQ(normalized, c.normalized) << c.text;
    }
}

TEST(OrvantaParameters, KnobPacketFollowsTheParameters) {
    ModelHarness h;
    auto packets = h.Dispatch();  // packets start dirty: the defaults go out once
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_TRUE(SamePacket(packets[0], {0.0f, 0.0f, 1.0f, 1, 2}));
    EXPECT_TRUE(h.Dispatch().empty());

    const float minus6 = float(std::pow(10.0, double(-6.0f / 20.0f)));  // 0.501187
    const float plus6 = float(std::pow(10.0, double(6.0f / 20.0f)));
    const struct { std::vector<std::pair<const char*, double>> changes; SOrvanta_Knob_Packet expected; }
        cases[] = {
        {{{kParamID_Dither, 1.0}}, {0.0f, 0.0f, 1.0f, 2, 2}},
        {{{kParamID_Harmonic, 1.0}, {kParamID_Dynamic, 1.0}, {kParamID_OutputTrim, 0.0}, {kParamID_Color, 1.0}},
         {1.0f, 1.0f, minus6, 2, 5}},
        {{{kParamID_OutputTrim, 1.0}, {kParamID_Harmonic, 0.5}}, {0.5f, 1.0f, plus6, 2, 5}},
        {{{kParamID_Bypass, 1.0}}, {0.0f, 0.0f, 1.0f, 1, 1}},  // bypass packet whatever the others hold
        {{{kParamID_Color, 0.0}}, {0.0f, 0.0f, 1.0f, 1, 1}},
        {{{kParamID_Bypass, 0.0}}, {0.5f, 1.0f, plus6, 2, 1}},
        {{{kParamID_OutputTrim, 0.5}}, {0.5f, 1.0f, 1.0f, 2, 1}},
    };
    for (const auto& c : cases) {
        for (const auto& change : c.changes) h.Set(change.first, change.second);
        packets = h.Dispatch();
        ASSERT_EQ(packets.size(), 1u) << c.changes.size() << " changes give one packet";
        EXPECT_TRUE(SamePacket(packets[0], c.expected)) << c.changes.front().first;
    }
}

TEST(OrvantaParameters, ResetFieldDataInitialisesPrivateDataOnly) {
    const struct { AAX_CSampleRate rate; uint32_t multiple; int32_t rateCase; } cases[] = {
        {44100.0f, 1, 1}, {192000.0f, 4, 6}};
    for (const auto& c : cases) {
        ModelHarness h(c.rate);
        std::vector<uint8_t> block(Orvanta::kPrivateDataSize, 0xAB);
        EXPECT_EQ(h.model->ResetFieldData(Orvanta::kField_PrivateData, block.data(), uint32_t(block.size())), 0);
        // The records are the channel-state initialiser's (tests/dsp): here, that both get this rate.
        const auto* state = reinterpret_cast<const SOrvanta_Private_Data*>(block.data());
        for (const SOrvanta_Channel_State& channel : state->m_Channels) {
            EXPECT_EQ(channel.m_uRateMultiple, c.multiple) << c.rate;
            EXPECT_EQ(channel.m_iRateCase, c.rateCase) << c.rate;
            EXPECT_EQ(channel.m_iWriteIndex, 0);
        }
        std::vector<uint8_t> packet(Orvanta::kKnobPacketSize, 0xAB);
        EXPECT_EQ(h.model->ResetFieldData(Orvanta::kField_KnobPacket, packet.data(), uint32_t(packet.size())),
                  -20025);
        EXPECT_EQ(packet, std::vector<uint8_t>(Orvanta::kKnobPacketSize, 0xAB));
    }
    ModelHarness h;  // a block of another size: whole records only, nothing written past its end
    std::vector<uint8_t> oddBlock(300, 0xAB);
    EXPECT_EQ(h.model->ResetFieldData(Orvanta::kField_PrivateData, oddBlock.data(), 300), 0);
    EXPECT_EQ(std::vector<uint8_t>(oddBlock.begin() + 284, oddBlock.end()), std::vector<uint8_t>(16, 0xAB));
}

TEST(EffectParametersBase, HostFacingAnswers) {
    ModelHarness h;
    AAX_IEffectParameters* m = h.model;
    int32_t index = 0;
    EXPECT_EQ(m->GetParameterIndex("color", &index), -20001);
    EXPECT_EQ(index, -1);
    // Each answer as "result text"; an unknown identifier or index leaves an empty text.
    AAX_CString text("x");
    const auto answer = [&](AAX_Result result) { return std::to_string(result) + " " + text.Get(); };
    EXPECT_EQ(answer(m->GetParameterIDFromIndex(6, &text)), "-20001 ");
    text = AAX_CString("x");
    EXPECT_EQ(answer(m->GetParameterIDFromIndex(-1, &text)), "-20001 ");
    text = AAX_CString("x");
    EXPECT_EQ(answer(m->GetParameterName("Unknown", &text)), "0 ");
    EXPECT_EQ(answer(m->GetParameterNameOfLength("Harmonic", &text, 3)), "0 Harmonic");
    EXPECT_EQ(answer(m->GetParameterNameOfLength("OutputTrim", &text, 4)), "0 OutputTrim");
    EXPECT_EQ(answer(m->GetParameterStringFromValue("Color", 0.5, &text, 8)), "0 3.00");
    EXPECT_EQ(answer(m->GetParameterStringFromValue("Dynamic", 1.0, &text, 4)), "0 100");

    AAX_CTypeID chunkID = 1;
    int32_t chunks = 0;
    EXPECT_EQ(m->GetChunkIDFromIndex(1, &chunkID), -20006);
    EXPECT_EQ(m->GetChunkIDFromIndex(0, &chunkID), 0);
    EXPECT_EQ(chunkID, 0x656C636Bu);
    m->GetNumberOfChunks(&chunks);
    EXPECT_EQ(chunks, 1);

    AAX_IParameter* parameter = nullptr;
    EXPECT_EQ(m->GetParameter("Nope", &parameter), -20001);
    EXPECT_EQ(parameter, nullptr);
    EXPECT_EQ(m->GetParameter("Dither", &parameter), 0);
    ASSERT_NE(parameter, nullptr);
    EXPECT_STREQ(parameter->Identifier(), "Dither");
}

TEST(EffectParametersBase, RelativeChangesAreLimited) {
    ModelHarness h;
    for (const auto& [delta, requested] : {std::pair{0.8, 1.0}, {-0.8, 0.0}, {0.1, 0.6}}) {
        h.Set(kParamID_OutputTrim, 0.5);
        EXPECT_EQ(h.model->SetParameterNormalizedRelative(kParamID_OutputTrim, delta), 0);
        auto requests = h.automation->TakeSetValueRequests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_NEAR(requests[0].normalizedValue, requested, 1e-6) << delta;  // via the float value
    }
    EXPECT_EQ(h.model->SetParameterNormalizedRelative("Nope", 0.1), -20001);
    EXPECT_EQ(h.model->UpdateParameterNormalizedRelative(kParamID_Harmonic, 0.25), 0);
    EXPECT_DOUBLE_EQ(h.Normalized(kParamID_Harmonic), 0.25);
}

TEST(EffectParametersBase, UpdatesCountChangesAndMarkThePacket) {
    ModelHarness h;
    h.Dispatch();
    const auto changes = [&] {
        int32_t count = -1;
        h.model->GetNumberOfChanges(&count);
        return count;
    };
    const int32_t before = changes();
    EXPECT_EQ(h.model->UpdateParameterNormalizedValue("Unknown", 0.5, AAX_eUpdateSource_Parameter), -20001);
    EXPECT_EQ(changes(), before);
    EXPECT_TRUE(h.Dispatch().empty());
    // A known identifier counts and marks even when the value stays.
    EXPECT_EQ(h.model->UpdateParameterNormalizedValue(kParamID_Color, 0.25, AAX_eUpdateSource_Parameter), 0);
    EXPECT_EQ(changes(), before + 1);
    EXPECT_EQ(h.Dispatch().size(), 1u);
    // A change the model asks for counts once, when the host answers it.
    h.model->SetParameterNormalizedValue(kParamID_Harmonic, 0.4);
    EXPECT_EQ(changes(), before + 1);
    EXPECT_EQ(h.Answer(), 1u);
    EXPECT_EQ(changes(), before + 2);
}

}  // namespace
