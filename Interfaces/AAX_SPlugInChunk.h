// The state chunk record as the host holds it: a 56-byte header followed by
// fSize bytes of data. The host allocates the record with room for the data
// size the effect reported (GetChunkSize) and fills the three identifier
// fields and the chunk identifier itself.
//
//   offset  0  fSize      data size in bytes (host byte order)
//   offset  4  fVersion   written as -1
//   offset  8  fManID, fProdID, fPlugID   filled by the host
//   offset 20  fChunkID   the chunk identifier, filled by the host
//   offset 24  fName      zero-terminated name, zero padded
//   offset 56  fData      the data area
#pragma once

#include <cstddef>
#include <cstdint>

#include "AAX.h"

constexpr int32_t kAAX_ChunkNameSize = 32;

struct AAX_SPlugInChunk {
    int32_t fSize;
    int32_t fVersion;
    AAX_CTypeID fManID;
    AAX_CTypeID fProdID;
    AAX_CTypeID fPlugID;
    AAX_CTypeID fChunkID;
    char fName[kAAX_ChunkNameSize];
    // The first byte of the data area; the record runs on for fSize bytes.
    // Reach the data through AAX_ChunkData rather than by indexing this array.
    unsigned char fData[1];
};

constexpr size_t kAAX_ChunkHeaderSize = offsetof(AAX_SPlugInChunk, fData);
static_assert(kAAX_ChunkHeaderSize == 56, "the data area starts at byte 56 of the record");

// The data area of a record, as bytes.
inline uint8_t* AAX_ChunkData(AAX_SPlugInChunk* chunk) {
    return reinterpret_cast<uint8_t*>(chunk) + kAAX_ChunkHeaderSize;
}
inline const uint8_t* AAX_ChunkData(const AAX_SPlugInChunk* chunk) {
    return reinterpret_cast<const uint8_t*>(chunk) + kAAX_ChunkHeaderSize;
}

// Bytes a record with that many data bytes takes.
constexpr size_t AAX_ChunkRecordSize(uint32_t dataSize) { return kAAX_ChunkHeaderSize + dataSize; }
