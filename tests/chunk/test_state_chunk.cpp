// The 'elck' state chunk: exact bytes, save, restore, compare; foreign, damaged and hand-made chunks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "AAX_CChunkDataParser.h"
#include "tests/chunk/ChunkRecord.h"
#include "tests/model/ModelHarness.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr AAX_CTypeID kElck = 0x656C636B;
const char* const kSaved[] = {"Dynamic", "Harmonic", "OutputTrim", "Dither", "Color"};

// The host's save: GetChunkSize, then GetChunk into a record of that size.
ChunkRecord Save(ModelHarness& h) {
    uint32_t size = 0;
    EXPECT_EQ(h.model->GetChunkSize(kElck, &size), 0);
    ChunkRecord record(size, kElck);
    EXPECT_EQ(h.model->GetChunk(kElck, record.Get()), 0);
    record.Get()->fChunkID = kElck;  // the host fills the identifier
    return record;
}

bool Compare(ModelHarness& h, const ChunkRecord& record) {
    AAX_CBoolean equal = 2;
    EXPECT_EQ(h.model->CompareActiveChunk(record.Get(), &equal), 0);
    return equal != 0;
}

std::vector<double> State(const ModelHarness& h) {
    std::vector<double> state;
    for (const char* id : kSaved) state.push_back(h.Normalized(id));
    return state;
}

// One hand-made entry: type 'd' a double, 'l' an int32 (of number), 'r' a text.
struct Entry { char type; const char* name; double number; const char* text = ""; };

ChunkRecord Chunk(std::initializer_list<Entry> entries) {
    AAX_CChunkDataParser parser;
    for (const Entry& e : entries) {
        switch (e.type) {
            case 'd': parser.AddDouble(e.name, e.number); break;
            case 'l': parser.AddInt32(e.name, int32_t(e.number)); break;
            default: parser.AddString(e.name, AAX_CString(e.text)); break;
        }
    }
    ChunkRecord record(uint32_t(parser.GetChunkDataSize()), kElck);
    parser.GetChunkData(record.Get());
    return record;
}

TEST(StateChunk, DefaultStateIsTheDocumentedNinetySixBytes) {
    ModelHarness h;
    uint32_t size = 0;
    EXPECT_EQ(h.model->GetChunkSize(kElck, &size), 0);
    EXPECT_EQ(size, 96u);

    ChunkRecord record(size);
    record.Get()->fManID = 0x11111111;
    record.Get()->fChunkID = 0x22222222;
    ASSERT_EQ(h.model->GetChunk(kElck, record.Get()), 0);
    EXPECT_EQ(record.Get()->fSize, 96);
    EXPECT_EQ(record.Get()->fVersion, -1);
    EXPECT_EQ(record.Get()->fManID, 0x11111111u);   // host fields untouched
    EXPECT_EQ(record.Get()->fChunkID, 0x22222222u);
    char expectedName[32] = "Rizazuve Zovavode State";
    EXPECT_EQ(std::memcmp(record.Get()->fName, expectedName, 32), 0);
    // (The bytes entry by entry: tests/presets, PresetCommand.SaveWritesTheRecordAndShowReadsItBack.)

    // GetChunk again without a new GetChunkSize: the size has not changed.
    ChunkRecord again(size);
    EXPECT_EQ(h.model->GetChunk(kElck, again.Get()), 0);
    EXPECT_EQ(again.DataBytes(), record.DataBytes());
}

TEST(StateChunk, SizeAndIdentifierChecks) {
    ModelHarness h;
    ChunkRecord record(96);
    std::memset(record.Data(), 0xEE, 96);
    EXPECT_EQ(h.model->GetChunk(kElck, record.Get()), -20008);  // no GetChunkSize before
    EXPECT_EQ(record.DataBytes(), Bytes(96, 0xEE));

    uint32_t size = 5;
    EXPECT_EQ(h.model->GetChunkSize(0x41424344, &size), -20007);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(h.model->GetChunk(0x41424344, record.Get()), -20007);
    EXPECT_EQ(h.model->SetChunk(0x41424344, record.Get()), -20007);
    EXPECT_EQ(h.model->GetChunk(kElck, nullptr), -20004);
    EXPECT_EQ(h.model->SetChunk(kElck, nullptr), -20004);

    ChunkRecord foreign = Save(h);
    foreign.Get()->fChunkID = 0x41424344;
    h.Set("Color", 1.0);
    EXPECT_TRUE(Compare(h, foreign));  // not ours to judge
}

// Restored values are limited: non-finite and huge ones too.
TEST(StateChunk, HandMadeChunks) {
    ModelHarness h;
    const double settings[] = {0.2, 0.3, 0.4, 1.0, 0.5};  // 20, 30, -1.2 dB, 2, 3
    for (size_t i = 0; i < 5; ++i) h.Set(kSaved[i], settings[i]);
    const std::vector<double> start = State(h);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
    const auto trimAndColor = [&](double trim, double color) {
        return std::vector<double>{start[0], start[1], trim, start[3], color};
    };
    struct Case {
        const char* what;
        ChunkRecord record;
        std::vector<double> restored;  // normalized, in kSaved order
        bool equalAfter;
    };
    const Case cases[] = {
        {"all five in order",
         Chunk({{'d', "Dynamic", 50}, {'d', "Harmonic", 100}, {'d', "OutputTrim", 3}, {'l', "Dither", 1},
                {'l', "Color", 5}}),
         {0.5, 1.0, 0.75, 0.0, 1.0}, true},
        {"reordered",
         Chunk({{'l', "Color", 1}, {'d', "OutputTrim", -6}, {'l', "Dither", 1}, {'d', "Harmonic", 10},
                {'d', "Dynamic", 90}}),
         {0.9, 0.1, 0.0, 0.0, 0.0}, true},
        {"Color missing",
         Chunk({{'d', "Dynamic", 0}, {'d', "Harmonic", 0}, {'d', "OutputTrim", 0}, {'l', "Dither", 1}}),
         {0.0, 0.0, 0.5, 0.0, start[4]}, false},
        {"Dither stored as a double",
         Chunk({{'d', "Dynamic", 10}, {'d', "Harmonic", 10}, {'d', "OutputTrim", 0}, {'d', "Dither", 1},
                {'l', "Color", 2}}),
         {0.1, 0.1, 0.5, start[3], 0.25}, false},
        {"duplicates: the first after the last found wins",
         Chunk({{'d', "Dynamic", 40}, {'d', "Dynamic", 60}, {'d', "Harmonic", 40}, {'d', "OutputTrim", 0},
                {'l', "Dither", 2}, {'l', "Color", 4}, {'l', "Color", 1}}),
         {0.4, 0.4, 0.5, 1.0, 0.75}, true},
        {"unknown entries and an r_ entry among them",
         Chunk({{'r', "Label", 0, "warm and round"}, {'d', "Dynamic", 30}, {'l', "Volume", 11}, {'d', "Harmonic", 70},
                {'r', "Dither", 0, "2"}, {'d', "OutputTrim", 6}, {'l', "Color", 3}, {'l', "Dither", 2}}),
         {0.3, 0.7, 1.0, 1.0, 0.5}, true},
        // No finite value in range equals what these store.
        {"NaN", Chunk({{'d', "OutputTrim", nan}, {'l', "Color", 3}}), trimAndColor(0.0, 0.5), false},
        {"inf", Chunk({{'d', "OutputTrim", inf}, {'l', "Color", kMax}}), trimAndColor(1.0, 1.0), false},
        {"-inf", Chunk({{'d', "OutputTrim", -inf}, {'l', "Color", kMin}}), trimAndColor(0.0, 0.0), false},
        {"1e300", Chunk({{'d', "OutputTrim", 1e300}, {'l', "Color", 0}}), trimAndColor(1.0, 0.0), false},
        {"-1e300", Chunk({{'d', "OutputTrim", -1e300}, {'l', "Color", 9}}), trimAndColor(0.0, 1.0), false},
        {"4e38", Chunk({{'d', "OutputTrim", 4e38}, {'l', "Color", 2}}), trimAndColor(1.0, 0.25), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (size_t i = 0; i < 5; ++i) h.Set(kSaved[i], start[i]);
        EXPECT_EQ(h.model->SetChunk(kElck, c.record.Get()), 0);
        EXPECT_EQ(State(h), start) << "requested, not yet answered by the host";
        h.Answer();
        const std::vector<double> state = State(h);
        for (size_t i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(state[i], c.restored[i]) << kSaved[i];
        EXPECT_EQ(Compare(h, c.record), c.equalAfter);
        const auto packets = h.Dispatch();
        ASSERT_EQ(packets.size(), 1u);
        EXPECT_TRUE(std::isfinite(packets[0].m_fOutputGain));
    }
}

TEST(StateChunk, ComparingNoticesAnyChange) {
    ModelHarness h;
    const ChunkRecord record = Save(h);
    EXPECT_TRUE(Compare(h, record));
    h.Set("OutputTrim", 0.5 + 1.0 / 60.0);  // one step
    EXPECT_FALSE(Compare(h, record));
    h.Set("OutputTrim", 0.5);
    EXPECT_TRUE(Compare(h, record));
    h.Set("", 1.0);  // the bypass is not saved: no difference
    EXPECT_TRUE(Compare(h, record));
}

}  // namespace
