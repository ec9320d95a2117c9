// The state extension: the 'elck' chunk saved as one portable block and
// restored elsewhere; damaged or foreign values. (No URI map: test_lv2_realtime.cpp.)
#include <initializer_list>

#include "effect/Orvanta_Defs.h"
#include "tests/lv2/Lv2TestHost.h"

namespace {

using lv2_test::Lv2TestInstance;
using lv2_test::StateStore;
using namespace Lv2Ports;

const char* const kChunkParameters[] = {"Harmonic", "Dynamic", "OutputTrim", "Dither", "Color"};

// Sets the five ports from harmonic to colour, in port order.
void SetPorts(Lv2TestInstance& lv2, std::initializer_list<float> values) {
    uint32_t port = kHarmonic;
    for (float value : values) lv2.Control(port++) = value;
}

TEST(Lv2State, SavedChunkRestoresTheSameParametersInAnotherInstance) {
    for (int channels : {1, 2}) {
        Lv2TestInstance saved(channels, 48000);
        ASSERT_TRUE(saved.Valid());
        SetPorts(saved, {33, 44, 2.5f, 1, 5});
        saved.Run(64);
        StateStore store;
        ASSERT_EQ(saved.Save(&store), LV2_STATE_SUCCESS);
        ASSERT_EQ(store.size(), 1u);
        const lv2_test::StoredValue& value = store.begin()->second;
        EXPECT_EQ(store.begin()->first, saved.Map().Map(Lv2Identity::kStateKeyURI));
        EXPECT_EQ(value.type, saved.Map().Map(LV2_ATOM__Chunk));
        EXPECT_EQ(value.flags, uint32_t(LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE));
        ASSERT_EQ(value.bytes.size(), 96u);  // the effect's chunk data

        // Another host session: different URIDs, default ports, then the state.
        Lv2TestInstance restored(channels, 96000);
        ASSERT_TRUE(restored.Valid());
        restored.Map().Map("urn:shifts:every:urid");
        restored.Run(64);
        StateStore moved;
        moved[restored.Map().Map(Lv2Identity::kStateKeyURI)] = {value.bytes, restored.Map().Map(LV2_ATOM__Chunk),
                                                                 value.flags};
        ASSERT_EQ(restored.Restore(&moved), LV2_STATE_SUCCESS);
        for (const char* id : kChunkParameters) EXPECT_EQ(restored.Normalized(id), saved.Normalized(id)) << id;
        restored.Run(64);  // unchanged ports leave the restored values alone
        for (const char* id : kChunkParameters) EXPECT_EQ(restored.Normalized(id), saved.Normalized(id)) << id;

        StateStore again;
        ASSERT_EQ(restored.Save(&again), LV2_STATE_SUCCESS);
        EXPECT_EQ(again.begin()->second.bytes, value.bytes);
    }
}

TEST(Lv2State, RestoreRefusesForeignValuesAndKeepsTheParameters) {
    Lv2TestInstance lv2(2, 44100);
    ASSERT_TRUE(lv2.Valid());
    SetPorts(lv2, {70, 20, -3, 0, 4});
    lv2.Run(16);
    StateStore good;
    ASSERT_EQ(lv2.Save(&good), LV2_STATE_SUCCESS);
    const uint32_t key = good.begin()->first;
    const uint32_t chunkType = good.begin()->second.type;
    const std::vector<uint8_t>& bytes = good.begin()->second.bytes;

    struct Case { const char* name; StateStore store; LV2_State_Status expected; };
    std::vector<uint8_t> wrongMarker = bytes;
    wrongMarker[0] = 2;
    const Case cases[] = {
        {"empty state", {}, LV2_STATE_SUCCESS},
        {"other type", {{key, {bytes, lv2.Map().Map(LV2_ATOM__String), 0}}}, LV2_STATE_ERR_BAD_TYPE},
        {"too long", {{key, {std::vector<uint8_t>(Lv2EffectPlugin::kMaxStateSize + 1, 1), chunkType, 0}}},
         LV2_STATE_ERR_UNKNOWN},
        {"not a chunk", {{key, {wrongMarker, chunkType, 0}}}, LV2_STATE_SUCCESS},
        {"cut short", {{key, {std::vector<uint8_t>(bytes.begin(), bytes.begin() + 30), chunkType, 0}}},
         LV2_STATE_SUCCESS},
    };
    for (const Case& c : cases) {
        StateStore store = c.store;
        EXPECT_EQ(lv2.Restore(&store), c.expected) << c.name;
        StateStore after;
        ASSERT_EQ(lv2.Save(&after), LV2_STATE_SUCCESS);
        EXPECT_EQ(after.begin()->second.bytes, bytes) << c.name;
    }
}

}  // namespace
