// AAX_CChunkDataParser: the circular name search, cut and damaged records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AAX_CChunkDataParser.h"
#include "tests/chunk/ChunkRecord.h"

namespace {

using Bytes = std::vector<uint8_t>;

ChunkRecord Written(const AAX_CChunkDataParser& parser) {
    ChunkRecord record(uint32_t(parser.GetChunkDataSize()));
    EXPECT_EQ(parser.GetChunkData(record.Get()), 0);
    return record;
}

AAX_CChunkDataParser Loaded(const ChunkRecord& record) {
    AAX_CChunkDataParser parser;
    parser.LoadChunk(record.Get());
    return parser;
}

TEST(ChunkParser, CircularSearchStartsAfterLastFound) {
    AAX_CChunkDataParser parser;
    for (int32_t i = 0; i < 4; ++i) parser.AddInt32(i == 3 ? "A" : std::string(1, char('A' + i)).c_str(), i);
    // Entries: A=0, B=1, C=2, A=3.
    AAX_CChunkDataParser read = Loaded(Written(parser));
    struct Step { const char* name; int32_t index; };
    const Step steps[] = {{"A", 0}, {"A", 3}, {"A", 0}, {"C", 2}, {"B", 1}, {"A", 3}, {"Z", -1}, {"B", 1}};
    for (const Step& s : steps) EXPECT_EQ(read.FindName(AAX_CString(s.name)), s.index) << s.name;
}

// The data size from which each entry reads whole: its value's end ("r_": its zero byte).
std::vector<uint32_t> EntryEnds(const AAX_CChunkDataParser& parser) {
    std::vector<uint32_t> ends;
    uint32_t offset = 4;
    for (const auto& entry : parser.Entries()) {
        const uint32_t valueStart = (offset + 2 + entry.mDataName.Length() + 1 + 3) & ~3u;
        uint32_t valueEnd = valueStart;
        switch (entry.mDataType) {
            case 2: valueEnd += 4; break;
            case 3: valueEnd += 8; break;
            case 5: valueEnd += entry.mStringValue.Length() + 1; break;
        }
        ends.push_back(valueEnd);
        offset = (valueEnd + 3) & ~3u;
    }
    return ends;
}

TEST(ChunkParser, TruncationAtEveryByteKeepsCompleteEntries) {
    AAX_CChunkDataParser parser;
    parser.AddDouble("Dynamic", 12.5);
    // Texts of every length modulo 4, each followed by another entry.
    for (const char* text : {"", "a", "abc", "abcd", "abcdefg"}) {
        parser.AddString((std::string("r") + text).c_str(), AAX_CString(text));
        parser.AddInt32((std::string("i") + text).c_str(), int32_t(std::string(text).size()));
    }
    parser.AddDouble("OutputTrim", -3.0);
    const ChunkRecord full = Written(parser);
    const std::vector<uint32_t> ends = EntryEnds(parser);
    const uint32_t size = uint32_t(full.Get()->fSize);
    ASSERT_EQ(ends.back(), size);

    for (uint32_t cut = 0; cut <= size; ++cut) {
        AAX_CChunkDataParser read = Loaded(ChunkRecord::CutFrom(full, cut));
        size_t complete = 0;
        while (complete < ends.size() && ends[complete] <= cut) ++complete;
        if (cut < 5) complete = 0;
        ASSERT_EQ(read.Entries().size(), complete) << "cut at " << cut;
        for (size_t i = 0; i < complete; ++i) {
            EXPECT_EQ(read.Entries()[i].mDataName, parser.Entries()[i].mDataName) << "cut at " << cut;
            EXPECT_EQ(read.Entries()[i].mDataType, parser.Entries()[i].mDataType) << "cut at " << cut;
            EXPECT_EQ(read.Entries()[i].mStringValue, parser.Entries()[i].mStringValue) << "cut at " << cut;
        }
    }
    double last = 0.0;
    EXPECT_TRUE(Loaded(full).FindDouble("OutputTrim", &last));
    EXPECT_EQ(last, -3.0);
}

TEST(ChunkParser, LongNamesAreCutWithoutOverflow) {
    // A prefix-and-name text of 255 bytes reads whole: the cut falls on its zero byte.
    const std::string name253(253, 'n');
    AAX_CChunkDataParser parser;
    parser.AddInt32(name253.c_str(), 41);
    parser.AddInt32("Next", 42);
    AAX_CChunkDataParser read = Loaded(Written(parser));
    int32_t value = 0;
    EXPECT_TRUE(read.FindInt32(name253.c_str(), &value));
    EXPECT_EQ(value, 41);
    EXPECT_TRUE(read.FindInt32("Next", &value));
    EXPECT_EQ(value, 42);

    // Longer texts are cut to 255 bytes; the rest is read as data, never past the record.
    for (size_t length : {254u, 255u, 300u, 1000u}) {
        AAX_CChunkDataParser longParser;
        longParser.AddDouble(std::string(length, 'q').c_str(), 1.0);
        for (uint32_t extra : {0u, 3u}) {
            const ChunkRecord full = Written(longParser);
            const uint32_t size = uint32_t(full.Get()->fSize) - extra;
            AAX_CChunkDataParser cutRead = Loaded(ChunkRecord::CutFrom(full, size));
            ASSERT_FALSE(cutRead.Entries().empty()) << length;
            EXPECT_EQ(cutRead.Entries()[0].mDataName.Length(), 253u) << length;
        }
    }
}

// Damaged records: no entry at all, or reading ends at an unterminated text
// or a value cut short, keeping the whole entry K before it.
TEST(ChunkParser, DamagedRecordsKeepTheEntriesBeforeTheDamage) {
    const Bytes k = {1, 1, 1, 1, 'l', '_', 'K', 0, 0, 0, 0, 9};
    const auto afterK = [&](Bytes tail) {
        tail.insert(tail.begin(), k.begin(), k.end());
        return tail;
    };
    Bytes longName(255, 'n');  // exactly the longest name read, with no room for its zero byte
    longName[0] = 'x';
    longName[1] = '_';
    struct Case { const char* what; Bytes data; int32_t sizeOverride; size_t entries; };
    const Case cases[] = {
        {"marker only", {1, 1, 1, 1}, -1, 0},
        {"empty", {}, -1, 0},
        {"three bytes", {1, 1, 1}, -1, 0},
        {"wrong marker", {1, 1, 1, 2, 'l', '_', 'X', 0, 0, 0, 0, 1}, -1, 0},
        {"negative size", k, -12, 0},
        {"name without zero byte", afterK({'l', '_', 'X'}), -1, 1},
        {"string value without zero byte", afterK({'r', '_', 'R', 0, 'a', 'b', 'c', 'd'}), -1, 1},
        {"double cut short", afterK({'d', '_', 'D', 0, 0, 0, 0}), -1, 1},
        {"long cut short", afterK({'l', '_', 'L', 0, 0, 0}), -1, 1},
        {"string entry whose name ends the data off the 4-byte grid", afterK({'r', '_', 0}), -1, 1},
        {"string entry whose name ends the data on the 4-byte grid", afterK({'r', '_', 'R', 0}), -1, 1},
        {"unknown-type name of 255 bytes ending the data", afterK(longName), -1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ChunkRecord record = ChunkRecord::FromData(c.data);
        if (c.sizeOverride != -1) record.Get()->fSize = c.sizeOverride;
        record.Get()->fVersion = 7;
        AAX_CChunkDataParser read = Loaded(record);
        ASSERT_EQ(read.Entries().size(), c.entries);
        EXPECT_EQ(read.GetChunkVersion(), 7);
        if (c.entries == 1) {
            EXPECT_STREQ(read.Entries()[0].mDataName.Get(), "K");
        }
    }
}

}  // namespace
