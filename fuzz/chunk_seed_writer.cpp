// Writes the seed corpus of the chunk fuzz target: whole 'elck' chunk records
// (56-byte header + data) of the kinds a host hands back, one file each.
//
//   chunk_seed_writer DIRECTORY
//
// The records are built with the effect's own chunk parser, so they are
// exactly what the effect writes or could read.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "AAX_CChunkDataParser.h"
#include "AAX_SPlugInChunk.h"
#include "effect/Orvanta_Defs.h"
#include "effect/model/Orvanta_ParameterTable.h"

namespace {

using namespace Orvanta;

struct Seed {
    const char* fileName;
    std::function<void(AAX_CChunkDataParser&)> addEntries;
};

void AddAll(AAX_CChunkDataParser& p, double dynamic, double harmonic, double trim, int32_t dither, int32_t color) {
    p.AddDouble(kParamID_Dynamic, dynamic);
    p.AddDouble(kParamID_Harmonic, harmonic);
    p.AddDouble(kParamID_OutputTrim, trim);
    p.AddInt32(kParamID_Dither, dither);
    p.AddInt32(kParamID_Color, color);
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInfinity = std::numeric_limits<double>::infinity();
const int32_t kIntMax = std::numeric_limits<int32_t>::max();
const int32_t kIntMin = std::numeric_limits<int32_t>::min();

const SParameterInfo& OutputTrim() { return *FindParameter(kParamID_OutputTrim); }

const Seed kSeeds[] = {
    {"default", [](auto& p) { AddAll(p, 0.0, 0.0, 0.0, kDitherOff, 2); }},
    {"mid-values", [](auto& p) { AddAll(p, 37.5, 62.25, -1.2, kDitherOn, 4); }},
    {"lowest", [](auto& p) { AddAll(p, 0.0, 0.0, OutputTrim().minimum, kDitherOff, kColorMin); }},
    {"highest", [](auto& p) { AddAll(p, 100.0, 100.0, OutputTrim().maximum, kDitherOn, kColorMax); }},
    {"beyond-range", [](auto& p) { AddAll(p, -50.0, 1e300, 4e38, kIntMax, kIntMin); }},
    {"non-finite", [](auto& p) { AddAll(p, kNaN, kInfinity, -kInfinity, 0, -1); }},
    {"reordered", [](auto& p) {
         p.AddInt32(kParamID_Color, 5);
         p.AddDouble(kParamID_OutputTrim, 3.0);
         p.AddInt32(kParamID_Dither, kDitherOn);
         p.AddDouble(kParamID_Harmonic, 10.0);
         p.AddDouble(kParamID_Dynamic, 90.0);
     }},
    {"string-entry", [](auto& p) {
         p.AddString("Label", AAX_CString("warm and round"));
         AddAll(p, 20.0, 30.0, 1.5, kDitherOff, 3);
         p.AddString(kParamID_Color, AAX_CString("Gold"));
     }},
    {"unknown-entries", [](auto& p) {
         p.AddInt32("Volume", 11);
         AddAll(p, 45.0, 55.0, -3.0, kDitherOn, 1);
         p.AddDouble("Mix", 0.5);
         p.AddInt32("", 7);
     }},
    {"duplicates-and-wrong-types", [](auto& p) {
         p.AddDouble(kParamID_Dither, 2.0);
         p.AddInt32(kParamID_Harmonic, 50);
         AddAll(p, 10.0, 20.0, 0.5, kDitherOn, 5);
         AddAll(p, 90.0, 80.0, -0.5, kDitherOff, 1);
     }},
    {"color-missing", [](auto& p) {
         p.AddDouble(kParamID_Dynamic, 5.0);
         p.AddDouble(kParamID_Harmonic, 15.0);
         p.AddDouble(kParamID_OutputTrim, 2.0);
         p.AddInt32(kParamID_Dither, kDitherOff);
     }},
    {"marker-only", [](auto&) {}},
};

std::vector<uint8_t> RecordOf(const Seed& seed) {
    AAX_CChunkDataParser parser;
    seed.addEntries(parser);
    const int32_t dataSize = parser.GetChunkDataSize();
    std::vector<uint8_t> bytes(AAX_ChunkRecordSize(uint32_t(dataSize)), 0);
    auto* record = reinterpret_cast<AAX_SPlugInChunk*>(bytes.data());
    record->fVersion = AAX_ChunkDataParserDefs::NO_VERSION;
    record->fChunkID = kChunkID;
    std::strncpy(record->fName, kChunkName, sizeof record->fName - 1);
    parser.GetChunkData(record);
    return bytes;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: chunk_seed_writer DIRECTORY\n");
        return 2;
    }
    for (const Seed& seed : kSeeds) {
        const std::string path = std::string(argv[1]) + "/" + seed.fileName;
        if (!WriteFile(path, RecordOf(seed))) {
            std::fprintf(stderr, "chunk_seed_writer: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    std::printf("chunk_seed_writer: %zu seeds in %s\n", sizeof kSeeds / sizeof kSeeds[0], argv[1]);
    return 0;
}
