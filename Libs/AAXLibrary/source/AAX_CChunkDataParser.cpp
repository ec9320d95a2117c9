#include "AAX_CChunkDataParser.h"

#include <cstring>
#include <string>

using namespace AAX_ChunkDataParserDefs;

namespace {

int64_t RoundUpTo4(int64_t offset) { return (offset + 3) & ~int64_t(3); }

// ---- big-endian byte order ----

void PutBigEndian(uint8_t* out, uint64_t value, int byteCount) {
    for (int i = byteCount - 1; i >= 0; --i) {
        out[i] = uint8_t(value & 0xFF);
        value >>= 8;
    }
}

uint64_t GetBigEndian(const uint8_t* in, int byteCount) {
    uint64_t value = 0;
    for (int i = 0; i < byteCount; ++i) value = (value << 8) | in[i];
    return value;
}

uint64_t DoubleBits(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double DoubleFromBits(uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

float FloatFromBits(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

const char* PrefixOf(int32_t type) {
    switch (type) {
        case TYPE_FLOAT: return FLOAT_STRING_IDENTIFIER;
        case TYPE_LONG: return LONG_STRING_IDENTIFIER;
        case TYPE_DOUBLE: return DOUBLE_STRING_IDENTIFIER;
        case TYPE_SHORT: return SHORT_STRING_IDENTIFIER;
        case TYPE_STRING: return STRING_STRING_IDENTIFIER;
        default: return nullptr;
    }
}

// Bytes the value of an entry takes after its aligned name.
int64_t ValueSize(const AAX_CChunkDataParser::DataValue& entry) {
    switch (entry.mDataType) {
        case TYPE_DOUBLE: return 8;
        case TYPE_FLOAT:
        case TYPE_LONG:
        case TYPE_SHORT: return 4;
        case TYPE_STRING: return RoundUpTo4(int64_t(entry.mStringValue.Length()) + 1);
        default: return 0;
    }
}

// Bytes of the prefix, the name and its zero byte, aligned.
int64_t NameSize(const AAX_CChunkDataParser::DataValue& entry) {
    return RoundUpTo4(2 + int64_t(entry.mDataName.Length()) + 1);
}

// A bounded view of a record's data area: every read checks that it stays
// below the data size, so a damaged record can end the reading early but can
// never make it read past its end.
class DataReader {
public:
    DataReader(const uint8_t* data, int64_t size) : m_Data(data), m_Size(size) {}

    bool HasMore() const { return m_Offset < m_Size; }
    bool CanRead(int64_t byteCount) const { return m_Offset + byteCount <= m_Size; }

    // A zero-terminated text of at most maxLength bytes. A text that reaches
    // maxLength without its zero byte is cut there, and the byte after the
    // cut is skipped as if it were the zero byte. False when the text or that
    // byte would lie past the end of the data.
    bool ReadText(int64_t maxLength, std::string* text) {
        const int64_t available = m_Size - m_Offset;
        // Aligning past an unaligned end leaves the offset beyond the data.
        if (available <= 0) return false;
        const int64_t scanLimit = available < maxLength ? available : maxLength;
        const uint8_t* start = m_Data + m_Offset;
        const void* zero = std::memchr(start, 0, size_t(scanLimit));
        int64_t length;
        if (zero) {
            length = static_cast<const uint8_t*>(zero) - start;
        } else {
            if (maxLength >= available) return false;  // no room for the zero byte
            length = maxLength;
        }
        text->assign(reinterpret_cast<const char*>(start), size_t(length));
        m_Offset += length + 1;
        return true;
    }

    uint64_t ReadBigEndian(int byteCount) {
        const uint64_t value = GetBigEndian(m_Data + m_Offset, byteCount);
        m_Offset += byteCount;
        return value;
    }

    void Skip(int64_t byteCount) { m_Offset += byteCount; }
    int64_t Offset() const { return m_Offset; }
    void AlignTo4() { m_Offset = RoundUpTo4(m_Offset); }

private:
    const uint8_t* m_Data;
    int64_t m_Size;
    int64_t m_Offset = 4;  // just after the marker
};

// Reads the value that the first byte of the prefix announces. False when the
// value runs past the end of the data.
bool ReadValue(char typeLetter, DataReader& reader, AAX_CChunkDataParser::DataValue* entry) {
    switch (typeLetter) {
        case 'd':
            if (!reader.CanRead(8)) return false;
            entry->mDataType = TYPE_DOUBLE;
            entry->mDoubleValue = DoubleFromBits(reader.ReadBigEndian(8));
            return true;
        case 'f':
            if (!reader.CanRead(4)) return false;
            entry->mDataType = TYPE_FLOAT;
            entry->mFloatValue = FloatFromBits(uint32_t(reader.ReadBigEndian(4)));
            return true;
        case 'l':
            if (!reader.CanRead(4)) return false;
            entry->mDataType = TYPE_LONG;
            entry->mIntValue = int32_t(uint32_t(reader.ReadBigEndian(4)));
            return true;
        case 's':
            if (!reader.CanRead(2)) return false;
            entry->mDataType = TYPE_SHORT;
            entry->mIntValue = int16_t(uint16_t(reader.ReadBigEndian(2)));
            reader.Skip(2);
            return true;
        case 'r': {
            std::string text;
            if (!reader.ReadText(INT64_MAX, &text)) return false;
            entry->mDataType = TYPE_STRING;
            entry->mStringValue = AAX_CString(text.c_str());
            reader.AlignTo4();
            return true;
        }
        default:
            entry->mDataType = TYPE_UNKNOWN;
            return true;
    }
}

}  // namespace

AAX_CChunkDataParser::AAX_CChunkDataParser() : m_LastFoundIndex(-1), m_ChunkVersion(NO_VERSION) {}

void AAX_CChunkDataParser::Clear() {
    m_DataValues.clear();
    m_EntryOffsets.clear();
    m_LastFoundIndex = -1;
    m_ChunkVersion = NO_VERSION;
}

void AAX_CChunkDataParser::AddInt32(const char* name, int32_t value) {
    DataValue entry;
    entry.mDataType = TYPE_LONG;
    entry.mDataName = AAX_CString(name);
    entry.mIntValue = value;
    m_DataValues.push_back(entry);
}

void AAX_CChunkDataParser::AddDouble(const char* name, double value) {
    DataValue entry;
    entry.mDataType = TYPE_DOUBLE;
    entry.mDataName = AAX_CString(name);
    entry.mDoubleValue = value;
    m_DataValues.push_back(entry);
}

void AAX_CChunkDataParser::AddString(const char* name, const AAX_CString& value) {
    DataValue entry;
    entry.mDataType = TYPE_STRING;
    entry.mDataName = AAX_CString(name);
    entry.mStringValue = value;
    m_DataValues.push_back(entry);
}

// Entries of no known type have no prefix to write; they are left out of the
// size and of the data alike.
int32_t AAX_CChunkDataParser::GetChunkDataSize() const {
    int64_t size = 4;
    for (const DataValue& entry : m_DataValues)
        if (PrefixOf(entry.mDataType)) size += NameSize(entry) + ValueSize(entry);
    return int32_t(size);
}

AAX_Result AAX_CChunkDataParser::GetChunkData(AAX_SPlugInChunk* chunk) const {
    const int32_t size = GetChunkDataSize();
    chunk->fSize = size;
    uint8_t* data = AAX_ChunkData(chunk);
    std::memset(data, 0, size_t(size));
    PutBigEndian(data, VERSION_ID_1, 4);

    int64_t offset = 4;
    for (const DataValue& entry : m_DataValues) {
        const char* prefix = PrefixOf(entry.mDataType);
        if (!prefix) continue;
        std::memcpy(data + offset, prefix, 2);
        std::memcpy(data + offset + 2, entry.mDataName.Get(), entry.mDataName.Length());
        offset += NameSize(entry);
        uint8_t* value = data + offset;
        switch (entry.mDataType) {
            case TYPE_DOUBLE: PutBigEndian(value, DoubleBits(entry.mDoubleValue), 8); break;
            case TYPE_FLOAT: {
                uint32_t bits;
                std::memcpy(&bits, &entry.mFloatValue, sizeof bits);
                PutBigEndian(value, bits, 4);
                break;
            }
            case TYPE_LONG: PutBigEndian(value, uint32_t(entry.mIntValue), 4); break;
            case TYPE_SHORT: PutBigEndian(value, uint16_t(entry.mIntValue), 2); break;
            case TYPE_STRING:
                std::memcpy(value, entry.mStringValue.Get(), entry.mStringValue.Length());
                break;
        }
        offset += ValueSize(entry);
    }
    return AAX_SUCCESS;
}

void AAX_CChunkDataParser::LoadChunk(const AAX_SPlugInChunk* chunk) { Load(chunk, nullptr); }

bool AAX_CChunkDataParser::LoadChunkDiagnosing(const AAX_SPlugInChunk* chunk, std::string* problem) {
    std::string ignored;
    return Load(chunk, problem ? problem : &ignored);
}

namespace {
// The entry type a diagnosing read accepts: the exact two-character prefix.
bool IsKnownPrefix(const std::string& prefix) {
    for (int32_t type = TYPE_FLOAT; type <= TYPE_STRING; ++type)
        if (prefix == PrefixOf(type)) return true;
    return false;
}

// Bytes a value of this type takes, its padding included; 0 for a text.
int64_t FixedValueSize(char typeLetter) { return typeLetter == 'd' ? 8 : (typeLetter == 'r' ? 0 : 4); }
}  // namespace

bool AAX_CChunkDataParser::Load(const AAX_SPlugInChunk* chunk, std::string* problem) {
    Clear();
    m_EntryOffsets.clear();
    if (!chunk) {
        if (problem) *problem = "there is no record";
        return !problem;
    }
    m_ChunkVersion = chunk->fVersion;

    const int64_t size = chunk->fSize;  // a negative size is no data
    const uint8_t* data = AAX_ChunkData(chunk);
    if (problem) {
        if (size < 4) {
            *problem = "the data area holds " + std::to_string(size < 0 ? 0 : size) +
                       " bytes, fewer than its 4-byte marker";
            return false;
        }
        if (GetBigEndian(data, 4) != VERSION_ID_1) {
            *problem = "the data area does not start with the marker 01 01 01 01";
            return false;
        }
    } else if (size < 5 || GetBigEndian(data, 4) != VERSION_ID_1) {
        return true;
    }

    DataReader reader(data, size);
    while (reader.HasMore()) {
        const int64_t start = reader.Offset();
        const auto fail = [&](const std::string& what) {
            *problem = "entry " + std::to_string(m_DataValues.size() + 1) + " at data offset " +
                       std::to_string(start) + ": " + what;
            return false;
        };
        std::string prefixAndName;
        if (!reader.ReadText(problem ? INT64_MAX : MAX_NAME_LENGTH, &prefixAndName)) {
            if (problem) return fail("its name has no zero byte before the end of the data");
            return true;
        }
        if (problem && !IsKnownPrefix(prefixAndName.substr(0, 2)))
            return fail("\"" + prefixAndName.substr(0, 2) + "\" is not a type prefix (d_, f_, l_, s_, r_)");
        if (problem && int64_t(prefixAndName.size()) > MAX_NAME_LENGTH)
            return fail("its name is longer than " + std::to_string(MAX_NAME_LENGTH - 2) + " bytes");
        reader.AlignTo4();

        DataValue entry;
        const char typeLetter = prefixAndName.empty() ? '\0' : prefixAndName[0];
        entry.mDataName = AAX_CString(prefixAndName.size() > 2 ? prefixAndName.c_str() + 2 : "");
        const int64_t valueStart = reader.Offset();
        const bool read = ReadValue(typeLetter, reader, &entry);
        // A diagnosing read wants the whole value, its padding included.
        const int64_t valueEnd =
            typeLetter == 'r' ? RoundUpTo4(reader.Offset()) : valueStart + FixedValueSize(typeLetter);
        if (!read || (problem && valueEnd > size)) {
            if (problem)
                return fail("the value of \"" + std::string(entry.mDataName.Get()) +
                            "\" runs past the end of the data (" + std::to_string(size) + " bytes)");
            return true;
        }
        m_DataValues.push_back(entry);
        m_EntryOffsets.push_back(uint32_t(start));
    }
    return true;
}

int32_t AAX_CChunkDataParser::FindName(const AAX_CString& name) {
    const int32_t count = int32_t(m_DataValues.size());
    if (m_LastFoundIndex >= count - 1) m_LastFoundIndex = -1;
    const int32_t start = m_LastFoundIndex + 1;
    for (int32_t step = 0; step < count; ++step) {
        const int32_t index = (start + step) % count;
        if (m_DataValues[size_t(index)].mDataName == name) {
            m_LastFoundIndex = index;
            return index;
        }
    }
    return -1;
}

const AAX_CChunkDataParser::DataValue* AAX_CChunkDataParser::FindTyped(const char* name, int32_t type) {
    const int32_t index = FindName(AAX_CString(name));
    if (index < 0 || m_DataValues[size_t(index)].mDataType != type) return nullptr;
    return &m_DataValues[size_t(index)];
}

bool AAX_CChunkDataParser::FindInt32(const char* name, int32_t* value) {
    const DataValue* entry = FindTyped(name, TYPE_LONG);
    if (!entry) return false;
    *value = entry->mIntValue;
    return true;
}

bool AAX_CChunkDataParser::FindDouble(const char* name, double* value) {
    const DataValue* entry = FindTyped(name, TYPE_DOUBLE);
    if (!entry) return false;
    *value = entry->mDoubleValue;
    return true;
}

bool AAX_CChunkDataParser::FindString(const char* name, AAX_CString* value) {
    const DataValue* entry = FindTyped(name, TYPE_STRING);
    if (!entry) return false;
    *value = entry->mStringValue;
    return true;
}
