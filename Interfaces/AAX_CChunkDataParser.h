// Writes and reads the data area of a state chunk: a format marker followed
// by named, typed, big-endian entries, each aligned to 4 bytes from the start
// of the data area.
//
//   marker            01 01 01 01
//   per entry         type prefix ("d_", "f_", "l_", "s_", "r_"), name, 0,
//                     zero padding to a multiple of 4, then the value:
//                       d_ double (8)   f_ float (4)   l_ int32 (4)
//                       s_ int16 + 2 zero bytes (4)
//                       r_ text, 0, zero padding to a multiple of 4
//
// Values are found again by name with a circular search that starts after
// the last entry found, so entries read in the order they were written cost
// one comparison each.
//
// Called on the host's main thread through the data model; not locked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AAX.h"
#include "AAX_CString.h"
#include "AAX_SPlugInChunk.h"

namespace AAX_ChunkDataParserDefs {
constexpr uint32_t VERSION_ID_1 = 0x01010101;  // the format marker, 01 01 01 01
constexpr int32_t NO_VERSION = -1;
constexpr int32_t MAX_NAME_LENGTH = 255;  // longest prefix-and-name text read

constexpr const char* FLOAT_STRING_IDENTIFIER = "f_";
constexpr const char* LONG_STRING_IDENTIFIER = "l_";
constexpr const char* DOUBLE_STRING_IDENTIFIER = "d_";
constexpr const char* SHORT_STRING_IDENTIFIER = "s_";
constexpr const char* STRING_STRING_IDENTIFIER = "r_";

// Entry type codes.
constexpr int32_t TYPE_UNKNOWN = 0;
constexpr int32_t TYPE_FLOAT = 1;
constexpr int32_t TYPE_LONG = 2;
constexpr int32_t TYPE_DOUBLE = 3;
constexpr int32_t TYPE_SHORT = 4;
constexpr int32_t TYPE_STRING = 5;
}  // namespace AAX_ChunkDataParserDefs

class AAX_CChunkDataParser {
public:
    struct DataValue {
        int32_t mDataType = AAX_ChunkDataParserDefs::TYPE_UNKNOWN;
        AAX_CString mDataName;
        // The numeric value by type: the int32 (and the int16, widened), the
        // float's or the double's value.
        union {
            int32_t mIntValue;
            float mFloatValue;
            double mDoubleValue;
        };
        AAX_CString mStringValue;

        DataValue() : mDoubleValue(0.0) {}
    };

    AAX_CChunkDataParser();

    // Empties the entries; the last found index and the version become -1.
    void Clear();

    void AddInt32(const char* name, int32_t value);
    void AddDouble(const char* name, double value);
    void AddString(const char* name, const AAX_CString& value);

    // Bytes the current entries take in a data area (4 when there are none).
    int32_t GetChunkDataSize() const;
    // Writes the data size and the data area into the record, which must have
    // room for GetChunkDataSize() data bytes. Returns 0.
    AAX_Result GetChunkData(AAX_SPlugInChunk* chunk) const;
    // Replaces the entries by those read from the record. Never reads past the
    // record's data size: an entry cut short ends the reading and the complete
    // entries before it are kept.
    void LoadChunk(const AAX_SPlugInChunk* chunk);
    // The same reading for tools that show or check a stored state: a whole
    // record gives the entries LoadChunk gives; any damage (no marker, a
    // name without its zero byte, an unknown type prefix, a name longer than
    // MAX_NAME_LENGTH, a value or its padding past the data size) returns
    // false with the first problem, saying where, in *problem. The entries
    // read before it are kept.
    bool LoadChunkDiagnosing(const AAX_SPlugInChunk* chunk, std::string* problem);
    // Where entry index starts in the data area of the record last read.
    uint32_t EntryOffset(size_t index) const {
        return index < m_EntryOffsets.size() ? m_EntryOffsets[index] : 0;
    }

    // Index of an entry of that name, or -1.
    int32_t FindName(const AAX_CString& name);
    // True and the value when an entry of that name has the asked type; the
    // out-value is untouched otherwise.
    bool FindInt32(const char* name, int32_t* value);
    bool FindDouble(const char* name, double* value);
    bool FindString(const char* name, AAX_CString* value);

    int32_t GetChunkVersion() const { return m_ChunkVersion; }
    const std::vector<DataValue>& Entries() const { return m_DataValues; }

private:
    const DataValue* FindTyped(const char* name, int32_t type);
    // Reads the record; diagnosing when problem is given (see above).
    bool Load(const AAX_SPlugInChunk* chunk, std::string* problem);

    int32_t m_LastFoundIndex;
    int32_t m_ChunkVersion;
    std::vector<DataValue> m_DataValues;
    std::vector<uint32_t> m_EntryOffsets;  // parallel to m_DataValues when read from a record
};
