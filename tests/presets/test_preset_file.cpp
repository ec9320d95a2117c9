// PresetFile: reading, refusing, restoring only its own. (Layout: test_preset_command.cpp.)
#include <cstring>
#include <functional>
#include <set>

#include "host/runtime/PresetFile.h"
#include "tests/runtime/RuntimeHarness.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Kind = PresetError::Kind;

constexpr size_t kHeader = kAAX_ChunkHeaderSize;
constexpr float kSampleRate = 48000.0f;

// Stereo instances of the linked module, the owner a host writes into their
// records, and the record of one at default settings.
struct Effect {
    std::unique_ptr<EffectInstance> NewInstance() { return linked.NewInstance(kSampleRate, 2); }
    Bytes Captured() {
        PresetFile preset;
        PresetError error;
        EXPECT_TRUE(PresetFile::Capture(NewInstance()->Parameters(), owner, &preset, &error))
            << error.message;
        return preset.Bytes();
    }

    runtime_test::LinkedModule linked;
    PresetOwner owner = PresetOwner::Of(*linked.module->ComponentForStemFormat(AAX_eStemFormat_Stereo), kSampleRate,
                                        AAX_eStemFormat_Stereo);
};

void SetDataSize(Bytes& bytes, int32_t size) { std::memcpy(bytes.data(), &size, sizeof size); }

// The record with its data area cut to dataSize bytes and the header saying so.
Bytes CutTo(const Bytes& record, size_t dataSize) {
    Bytes cut(record.begin(), record.begin() + long(kHeader + dataSize));
    SetDataSize(cut, int32_t(dataSize));
    return cut;
}

// The record with data appended and the header's size grown to match.
Bytes WithData(const Bytes& record, const Bytes& more) {
    Bytes grown = record;
    grown.insert(grown.end(), more.begin(), more.end());
    SetDataSize(grown, int32_t(grown.size() - kHeader));
    return grown;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(PresetFile, RefusesRecordsThatAreNotWhole) {
    Effect effect;
    const Bytes good = effect.Captured();

    struct Case { const char* what; std::function<Bytes()> make; const char* message; };
    const Case cases[] = {
        {"empty file", [] { return Bytes(); }, "0 bytes, fewer than its 56-byte header"},
        {"header cut short", [&] { return Bytes(good.begin(), good.begin() + 55); }, "55 bytes"},
        {"size says more than follows", [&] { Bytes b = good; SetDataSize(b, 97); return b; },
         "the header gives 97 data bytes, 96 follow"},
        {"size says less than follows", [&] { Bytes b = good; SetDataSize(b, 92); return b; },
         "sizes disagree"},
        {"negative size", [&] { Bytes b = good; SetDataSize(b, -4); return b; }, "gives -4 data bytes"},
        {"huge size", [&] { Bytes b = good; SetDataSize(b, 0x7FFFFFFF); return b; }, "sizes disagree"},
        {"no data at all", [&] { return CutTo(good, 0); }, "fewer than its 4-byte marker"},
        {"wrong marker", [&] { Bytes b = good; b[kHeader + 3] = 2; return b; }, "marker 01 01 01 01"},
        {"unknown type prefix", [&] { return WithData(good, {'x', '_', 'A', 0, 0, 0, 0, 1}); },
         "entry 6 at data offset 96: \"x_\" is not a type prefix"},
        {"name without zero byte", [&] { return WithData(good, {'l', '_', 'A', 'B'}); }, "no zero byte"},
        {"text value without zero byte", [&] { return WithData(good, {'r', '_', 'T', 0, 'a', 'b', 'c', 'd'}); },
         "the value of \"T\" runs past the end"},
        {"name of 254 bytes", [&] {
             Bytes entry = Text("l_" + std::string(254, 'n'));
             entry.resize(260, 0);
             entry.push_back(0); entry.push_back(0); entry.push_back(0); entry.push_back(7);
             return WithData(good, entry);
         }, "longer than 253 bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PresetFile preset;
        PresetError error;
        EXPECT_FALSE(PresetFile::FromBytes(c.make(), &preset, &error));
        EXPECT_EQ(error.kind, Kind::Invalid);
        EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
    }
}

TEST(PresetFile, AcceptsCutsOnlyBetweenEntries) {
    Effect effect;
    const Bytes good = effect.Captured();
    const std::set<size_t> entryEnds = {4, 24, 44, 68, 84, 96};
    for (size_t cut = 0; cut <= 96; ++cut) {
        PresetFile preset;
        PresetError error;
        const bool read = PresetFile::FromBytes(CutTo(good, cut), &preset, &error);
        EXPECT_EQ(read, entryEnds.count(cut) == 1) << "cut at " << cut << ": " << error.message;
    }
}

TEST(PresetFile, DecodesEveryEntryType) {
    // Marker, then one entry of each type as the effect's format lays them out.
    const Bytes data = {
        1, 1, 1, 1,
        'f', '_', 'F', 0, 0x3F, 0xC0, 0, 0,                         // float 1.5
        'l', '_', 'L', 0, 0xFF, 0xFF, 0xFF, 0xFE,                   // int32 -2
        'd', '_', 'D', 0, 0x3F, 0xB9, 0x99, 0x99, 0x99, 0x99, 0x99, 0x9A,  // double 0.1
        's', '_', 'S', 0, 0x80, 0x00, 0, 0,                         // int16 -32768
        'r', '_', 'R', 0, 'w', 'a', 'r', 'm', 0, 0, 0, 0,           // text "warm"
        'd', '_', 0, 0, 0x7F, 0xF0, 0, 0, 0, 0, 0, 0,               // empty name, infinity
    };
    Bytes record(kHeader, 0);
    record.insert(record.end(), data.begin(), data.end());
    SetDataSize(record, int32_t(data.size()));
    PresetFile preset;
    PresetError error;
    ASSERT_TRUE(PresetFile::FromBytes(record, &preset, &error)) << error.message;

    struct Expected { const char* type; const char* name; const char* value; };
    const Expected expected[] = {
        {"float", "F", "1.5"}, {"int32", "L", "-2"}, {"double", "D", "0.1"},
        {"int16", "S", "-32768"}, {"text", "R", "\"warm\""}, {"double", "", "inf"},
    };
    ASSERT_EQ(preset.Entries().size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        const auto& entry = preset.Entries()[i];
        EXPECT_EQ(entry.TypeName() + (" " + entry.name) + " " + entry.ValueText(),
                  std::string(expected[i].type) + " " + expected[i].name + " " + expected[i].value);
    }
}

TEST(PresetFile, RestoresOnlyItsOwnChunkOfItsOwnProduct) {
    Effect effect;
    const Bytes good = effect.Captured();
    struct Case {
        const char* what;
        size_t offset;
        PresetOwner owner;
        const char* message; /* "": restores */
    };
    const Case cases[] = {
        {"as saved", 0, effect.owner, ""},
        {"another chunk", offsetof(AAX_SPlugInChunk, fChunkID), effect.owner,
         "which this effect does not have (its chunks: 'elck')"},
        {"another manufacturer", offsetof(AAX_SPlugInChunk, fManID), effect.owner, "belongs to manufacturer"},
        {"another product", offsetof(AAX_SPlugInChunk, fProdID), effect.owner,
         "this effect is manufacturer 'QUIL', product 'Orvn'"},
        {"the mono component's", offsetof(AAX_SPlugInChunk, fPlugID), effect.owner, ""},
        {"another product, owner unknown", offsetof(AAX_SPlugInChunk, fProdID), PresetOwner(), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bytes = good;
        if (c.offset) bytes[c.offset] ^= 0x01;
        PresetFile preset;
        PresetError error;
        ASSERT_TRUE(PresetFile::FromBytes(bytes, &preset, &error));
        auto target = effect.NewInstance();
        EXPECT_EQ(preset.RestoreInto(target->Parameters(), c.owner, &error), !*c.message);
        if (*c.message) {
            EXPECT_EQ(error.kind, Kind::Foreign);
            EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
            EXPECT_EQ(target->AnswerRequests(), 0u);
        }
    }
}

TEST(PresetFile, FourCharacterCodes) {
    EXPECT_EQ(FourCharCodeText(0), "0x00000000");
    EXPECT_EQ(FourCharCodeText(0x41FF4243), "0x41FF4243");
}

}  // namespace
