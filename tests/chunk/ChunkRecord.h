// A chunk record in a heap buffer of exactly header plus data: sanitizers catch reads past it.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "AAX_SPlugInChunk.h"

class ChunkRecord {
public:
    // A record with room for dataCapacity data bytes and fSize set to it.
    explicit ChunkRecord(uint32_t dataCapacity, AAX_CTypeID chunkID = 0)
        : m_Bytes(AAX_ChunkRecordSize(dataCapacity), 0) {
        Get()->fSize = int32_t(dataCapacity);
        Get()->fChunkID = chunkID;
    }
    // The header of source and the first dataSize bytes of its data, fSize set to dataSize.
    static ChunkRecord CutFrom(const ChunkRecord& source, uint32_t dataSize) {
        ChunkRecord cut(dataSize);
        std::memcpy(cut.m_Bytes.data(), source.m_Bytes.data(), cut.m_Bytes.size());
        cut.Get()->fSize = int32_t(dataSize);
        return cut;
    }
    static ChunkRecord FromData(const std::vector<uint8_t>& data, AAX_CTypeID chunkID = 0) {
        ChunkRecord record(uint32_t(data.size()), chunkID);
        if (!data.empty()) std::memcpy(record.Data(), data.data(), data.size());
        return record;
    }

    AAX_SPlugInChunk* Get() { return reinterpret_cast<AAX_SPlugInChunk*>(m_Bytes.data()); }
    const AAX_SPlugInChunk* Get() const { return reinterpret_cast<const AAX_SPlugInChunk*>(m_Bytes.data()); }
    uint8_t* Data() { return AAX_ChunkData(Get()); }
    std::vector<uint8_t> DataBytes() const {
        const uint8_t* data = AAX_ChunkData(Get());
        return std::vector<uint8_t>(data, data + Get()->fSize);
    }

private:
    std::vector<uint8_t> m_Bytes;
};
