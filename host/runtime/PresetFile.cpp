#include "PresetFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "AAX_CChunkDataParser.h"
#include "AAX_CString.h"

namespace {

PresetError Error(PresetError::Kind kind, std::string message) {
    PresetError error;
    error.kind = kind;
    error.message = std::move(message);
    return error;
}

struct EntryType {
    const char* prefix;
    PresetEntry::Type type;
};
constexpr EntryType kEntryTypes[] = {
    {"f_", PresetEntry::Type::Float}, {"l_", PresetEntry::Type::Int32}, {"d_", PresetEntry::Type::Double},
    {"s_", PresetEntry::Type::Int16}, {"r_", PresetEntry::Type::Text},
};

const EntryType& EntryTypeOf(PresetEntry::Type type) {
    for (const EntryType& entryType : kEntryTypes)
        if (entryType.type == type) return entryType;
    return kEntryTypes[0];
}

// The entries of a record's data area, read by the chunk parser the data
// model uses, in its diagnosing form; or what is wrong with them.
bool DecodeEntries(const AAX_SPlugInChunk* record, std::vector<PresetEntry>* entries, std::string* problem) {
    using namespace AAX_ChunkDataParserDefs;
    AAX_CChunkDataParser parser;
    if (!parser.LoadChunkDiagnosing(record, problem)) return false;
    for (size_t i = 0; i < parser.Entries().size(); ++i) {
        const AAX_CChunkDataParser::DataValue& value = parser.Entries()[i];
        PresetEntry entry;
        entry.offset = parser.EntryOffset(i);
        entry.name = value.mDataName.Get();
        switch (value.mDataType) {
            case TYPE_FLOAT: entry.type = PresetEntry::Type::Float, entry.number = value.mFloatValue; break;
            case TYPE_LONG: entry.type = PresetEntry::Type::Int32, entry.number = value.mIntValue; break;
            case TYPE_DOUBLE: entry.type = PresetEntry::Type::Double, entry.number = value.mDoubleValue; break;
            case TYPE_SHORT: entry.type = PresetEntry::Type::Int16, entry.number = value.mIntValue; break;
            default: entry.type = PresetEntry::Type::Text, entry.text = value.mStringValue.Get(); break;
        }
        entries->push_back(entry);
    }
    return true;
}

std::vector<AAX_CTypeID> ChunkIDsOf(const AAX_IACFEffectParameters& model) {
    std::vector<AAX_CTypeID> chunkIDs;
    int32_t count = 0;
    if (model.GetNumberOfChunks(&count) != AAX_SUCCESS) return chunkIDs;
    for (int32_t index = 0; index < count; ++index) {
        AAX_CTypeID chunkID = 0;
        if (model.GetChunkIDFromIndex(index, &chunkID) == AAX_SUCCESS) chunkIDs.push_back(chunkID);
    }
    return chunkIDs;
}

std::string Join(const std::vector<AAX_CTypeID>& codes) {
    std::string text;
    for (AAX_CTypeID code : codes) text += (text.empty() ? "" : ", ") + FourCharCodeText(code);
    return text.empty() ? "none" : text;
}

template <typename Number>
std::string ShortestText(Number number) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

}  // namespace

// ---------------------------------------------------------------- owner

PresetOwner PresetOwner::FromProperties(const RecordedPropertySet& properties) {
    PresetOwner owner;
    int32_t value = 0;
    if (FindProperty(properties, AAX_eProperty_ManufacturerID, &value)) owner.manufacturerID = AAX_CTypeID(value);
    if (FindProperty(properties, AAX_eProperty_ProductID, &value)) owner.productID = AAX_CTypeID(value);
    if (FindProperty(properties, AAX_eProperty_PlugInID_Native, &value)) owner.plugInID = AAX_CTypeID(value);
    return owner;
}

PresetOwner PresetOwner::Of(const RecordedComponent& component, AAX_CSampleRate sampleRate, int32_t stemFormat) {
    const RecordedProcessProc* registration = component.FindNativeProc(SampleRateMaskBit(sampleRate), stemFormat);
    return registration ? FromProperties(registration->properties) : PresetOwner();
}

// ---------------------------------------------------------------- entries

const char* PresetEntry::Prefix() const { return EntryTypeOf(type).prefix; }

const char* PresetEntry::TypeName() const {
    switch (type) {
        case Type::Float: return "float";
        case Type::Int32: return "int32";
        case Type::Double: return "double";
        case Type::Int16: return "int16";
        case Type::Text: return "text";
    }
    return "";
}

std::string PresetEntry::ValueText() const {
    switch (type) {
        case Type::Float: return ShortestText(float(number));
        case Type::Double: return ShortestText(number);
        case Type::Int32:
        case Type::Int16: return ShortestText(int64_t(number));
        case Type::Text: return "\"" + text + "\"";
    }
    return "";
}

// ---------------------------------------------------------------- records

namespace {

// A record of totalLength bytes must hold the whole header and exactly the
// data size the header gives after it. header holds the record's first
// min(totalLength, 56) bytes.
bool CheckRecordSizes(const uint8_t* header, uint64_t totalLength, PresetError* error) {
    if (totalLength < kAAX_ChunkHeaderSize) {
        *error = Error(PresetError::Kind::Invalid, "not a state chunk record: " + std::to_string(totalLength) +
                                                       " bytes, fewer than its " +
                                                       std::to_string(kAAX_ChunkHeaderSize) + "-byte header");
        return false;
    }
    int32_t dataSize = 0;
    std::memcpy(&dataSize, header, sizeof dataSize);
    const uint64_t held = totalLength - kAAX_ChunkHeaderSize;
    if (dataSize < 0 || uint64_t(dataSize) != held) {
        *error = Error(PresetError::Kind::Invalid,
                       "sizes disagree: the header gives " + std::to_string(dataSize) + " data bytes, " +
                           std::to_string(held) + " follow its " + std::to_string(kAAX_ChunkHeaderSize) +
                           "-byte header");
        return false;
    }
    return true;
}

}  // namespace

bool PresetFile::FromBytes(std::vector<uint8_t> bytes, PresetFile* preset, PresetError* error) {
    if (!CheckRecordSizes(bytes.data(), bytes.size(), error)) return false;
    const AAX_SPlugInChunk* record = reinterpret_cast<const AAX_SPlugInChunk*>(bytes.data());
    std::vector<PresetEntry> entries;
    std::string problem;
    if (!DecodeEntries(record, &entries, &problem)) {
        *error = Error(PresetError::Kind::Invalid, "damaged state chunk: " + problem);
        return false;
    }
    preset->m_Bytes = std::move(bytes);
    preset->m_Entries = std::move(entries);
    return true;
}

bool PresetFile::ReadFile(const std::string& path, PresetFile* preset, PresetError* error) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff length = file ? std::streamoff(file.tellg()) : -1;
    if (length < 0) {
        *error = Error(PresetError::Kind::CannotRead, path + ": cannot open the preset: " + std::strerror(errno));
        return false;
    }
    // The header says how long the record is: a file of another length is
    // refused before more than its header is read.
    std::vector<uint8_t> bytes(size_t(std::min<std::streamoff>(length, kAAX_ChunkHeaderSize)));
    file.seekg(0);
    file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    if (file && CheckRecordSizes(bytes.data(), uint64_t(length), error)) {
        bytes.resize(size_t(length));
        file.read(reinterpret_cast<char*>(bytes.data() + kAAX_ChunkHeaderSize),
                  std::streamsize(bytes.size() - kAAX_ChunkHeaderSize));
        if (file && FromBytes(std::move(bytes), preset, error)) return true;
    }
    if (!file)
        *error = Error(PresetError::Kind::CannotRead, std::string("cannot read the preset: ") + std::strerror(errno));
    error->message = path + ": " + error->message;
    return false;
}

bool PresetFile::Capture(AAX_IACFEffectParameters& model, const PresetOwner& owner, PresetFile* preset,
                         PresetError* error) {
    const std::vector<AAX_CTypeID> chunkIDs = ChunkIDsOf(model);
    if (chunkIDs.empty()) {
        *error = Error(PresetError::Kind::Refused, "the effect has no state chunk to save");
        return false;
    }
    const AAX_CTypeID chunkID = chunkIDs.front();
    uint32_t dataSize = 0;
    AAX_Result result = model.GetChunkSize(chunkID, &dataSize);
    if (result != AAX_SUCCESS || dataSize > uint32_t(INT32_MAX) - kAAX_ChunkHeaderSize) {
        *error = Error(PresetError::Kind::Refused, "GetChunkSize answered " + std::to_string(result));
        return false;
    }
    std::vector<uint8_t> bytes(AAX_ChunkRecordSize(dataSize), 0);
    auto* record = reinterpret_cast<AAX_SPlugInChunk*>(bytes.data());
    record->fSize = int32_t(dataSize);
    record->fManID = owner.manufacturerID;
    record->fProdID = owner.productID;
    record->fPlugID = owner.plugInID;
    record->fChunkID = chunkID;
    result = model.GetChunk(chunkID, record);
    if (result != AAX_SUCCESS) {
        *error = Error(PresetError::Kind::Refused, "GetChunk answered " + std::to_string(result));
        return false;
    }
    if (record->fSize != int32_t(dataSize)) {
        *error = Error(PresetError::Kind::Invalid, "the effect wrote " + std::to_string(record->fSize) +
                                                       " data bytes after reporting " + std::to_string(dataSize));
        return false;
    }
    // The host's fields are the host's, whatever GetChunk did to them.
    record->fManID = owner.manufacturerID;
    record->fProdID = owner.productID;
    record->fPlugID = owner.plugInID;
    record->fChunkID = chunkID;
    if (!FromBytes(std::move(bytes), preset, error)) {
        error->message = "the effect's own chunk is unreadable: " + error->message;
        return false;
    }
    return true;
}

bool PresetFile::RestoreInto(AAX_IACFEffectParameters& model, const PresetOwner& owner, PresetError* error) const {
    const AAX_SPlugInChunk& header = Header();
    const std::vector<AAX_CTypeID> chunkIDs = ChunkIDsOf(model);
    bool known = false;
    for (AAX_CTypeID chunkID : chunkIDs) known = known || chunkID == header.fChunkID;
    if (!known) {
        *error = Error(PresetError::Kind::Foreign, "the preset holds chunk " + FourCharCodeText(header.fChunkID) +
                                                       ", which this effect does not have (its chunks: " +
                                                       Join(chunkIDs) + ")");
        return false;
    }
    const bool ownerKnown = owner.manufacturerID != 0 || owner.productID != 0;
    if (ownerKnown && (header.fManID != owner.manufacturerID || header.fProdID != owner.productID)) {
        *error = Error(PresetError::Kind::Foreign,
                       "the preset belongs to manufacturer " + FourCharCodeText(header.fManID) + ", product " +
                           FourCharCodeText(header.fProdID) + "; this effect is manufacturer " +
                           FourCharCodeText(owner.manufacturerID) + ", product " + FourCharCodeText(owner.productID));
        return false;
    }
    const AAX_Result result = model.SetChunk(header.fChunkID, &header);
    if (result != AAX_SUCCESS) {
        *error = Error(PresetError::Kind::Refused, "SetChunk answered " + std::to_string(result));
        return false;
    }
    return true;
}

std::string PresetFile::Name() const {
    const char* name = Header().fName;
    return std::string(name, strnlen(name, sizeof Header().fName));
}

std::string FourCharCodeText(AAX_CTypeID code) {
    std::string text = "'";
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = char((code >> shift) & 0xFF);
        if (c < 0x20 || c > 0x7E) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08X", unsigned(code));
            return hex;
        }
        text += c;
    }
    return text + "'";
}
