// The context laid out from declared fields, and the floating-point mode every block runs in.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "host/runtime/AlgorithmContext.h"
#include "host/runtime/FloatingPointModeScope.h"

namespace {

using Kind = RecordedField::Kind;

struct FieldRule { Kind kind; AAX_CFieldIndex index; uint32_t size = 0; };

RecordedComponent Component(const std::vector<FieldRule>& rules) {
    RecordedComponent component;
    for (const FieldRule& rule : rules) {
        RecordedField& field = component.fields.emplace_back();
        field.kind = rule.kind;
        field.index = rule.index;
        field.size = rule.size;
    }
    return component;
}

TEST(AlgorithmContext, LaysOutOneSlotPerDeclaredField) {
    // Fields declared out of order, with a gap at index 5.
    const RecordedComponent component = Component({
        {Kind::AudioOut, 3}, {Kind::DataInPort, 0, 20}, {Kind::PrivateData, 1, 568}, {Kind::AudioIn, 2},
        {Kind::AudioBufferLength, 4}, {Kind::SampleRate, 6}, {Kind::Clock, 7}, {Kind::TemporaryData, 8, 4},
    });
    AlgorithmContext::Setup setup;
    setup.sampleRate = 96000.0f;
    setup.channels = 2;
    setup.maxBlockSize = 64;
    std::string error;
    std::unique_ptr<AlgorithmContext> context = AlgorithmContext::Create(component, setup, &error);
    ASSERT_TRUE(context) << error;
    void* const* record = static_cast<void* const*>(context->Record());

    ASSERT_EQ(context->DataInPorts().size(), 1u);
    EXPECT_EQ(record[0], context->DataInPorts()[0].data);
    EXPECT_EQ(context->DataInPorts()[0].size, 20u);
    ASSERT_EQ(context->PrivateData().size(), 1u);
    EXPECT_EQ(record[1], context->PrivateData()[0].data);
    EXPECT_EQ(context->PrivateData()[0].size, 568u);
    EXPECT_EQ(record[5], nullptr);
    EXPECT_EQ(*static_cast<const AAX_CSampleRate*>(record[6]), 96000.0f);

    float left[64] = {}, right[64] = {}, outLeft[64] = {}, outRight[64] = {};
    float* inputs[] = {left, right};
    float* outputs[] = {outLeft, outRight};
    context->BeginBlock(inputs, outputs, 64);
    EXPECT_EQ(static_cast<float* const*>(record[2])[1], right);
    EXPECT_EQ(static_cast<float* const*>(record[3])[0], outLeft);
    EXPECT_EQ(*static_cast<const int32_t*>(record[4]), 64);
    context->EndBlock(64);
    context->BeginBlock(inputs, outputs, 10);
    EXPECT_EQ(*static_cast<const int32_t*>(record[4]), 10);
    EXPECT_EQ(*static_cast<const AAX_CTimestamp*>(record[7]), 64);
    // Temporary data: the element size for every sample of the largest block.
    std::memset(record[8], 0xAB, 4 * 64);
}

TEST(AlgorithmContext, RefusesComponentsThisHostCannotRun) {
    struct Case { const char* name; std::vector<FieldRule> fields; const char* message; };
    const Case cases[] = {
        {"side chain", {{Kind::AudioIn, 0}, {Kind::AudioOut, 1}, {Kind::SideChainIn, 2}},
         "context field 2 (SideChainIn) is not offered by this host"},
        {"MIDI node", {{Kind::AudioIn, 0}, {Kind::AudioOut, 1}, {Kind::MIDINode, 2}},
         "context field 2 (MIDINode) is not offered by this host"},
        {"no input", {{Kind::AudioOut, 0}}, "the component declares no audio input or no audio output"},
        {"no output", {{Kind::AudioIn, 0}}, "the component declares no audio input or no audio output"},
        {"negative index", {{Kind::AudioIn, -1}, {Kind::AudioOut, 1}},
         "context field index -1 is out of range"},
        {"huge index", {{Kind::AudioIn, 0}, {Kind::AudioOut, 1000000}},
         "context field index 1000000 is out of range"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(AlgorithmContext::Create(Component(c.fields), AlgorithmContext::Setup(), &error));
        EXPECT_EQ(error, c.message) << c.name;
    }
}

// The scope flushes denormals for its lifetime and restores the mode it found.
float HalveSmallest() {
    volatile float smallestNormal = std::numeric_limits<float>::min();
    volatile float half = 0.5f;
    return smallestNormal * half;  // a denormal unless results are flushed
}

TEST(FloatingPointModeScope, FlushesDenormalsInsideAndRestoresTheModeAfter) {
    ASSERT_FALSE(FloatingPointModeScope::DenormalsAreFlushed());
    EXPECT_NE(HalveSmallest(), 0.0f);
    {
        FloatingPointModeScope outer;
        EXPECT_TRUE(FloatingPointModeScope::DenormalsAreFlushed());
        EXPECT_EQ(HalveSmallest(), 0.0f);
        {
            FloatingPointModeScope nested;
            EXPECT_TRUE(FloatingPointModeScope::DenormalsAreFlushed());
        }
        // The nested scope restores the outer one's mode, not the original.
        EXPECT_TRUE(FloatingPointModeScope::DenormalsAreFlushed());
    }
    EXPECT_FALSE(FloatingPointModeScope::DenormalsAreFlushed());
    EXPECT_NE(HalveSmallest(), 0.0f);
}

}  // namespace
