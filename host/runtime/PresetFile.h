// Preset files: one state chunk of an effect instance, stored byte for byte
// as the host holds the chunk record:
//
//   offset  0  4 bytes   data size N (signed, host byte order)
//   offset  4  4 bytes   version (signed, host byte order)
//   offset  8  12 bytes  manufacturer, product and plug-in identifiers
//                        (four-character codes, host byte order)
//   offset 20  4 bytes   chunk identifier (four-character code, host byte order)
//   offset 24  32 bytes  chunk name, zero-terminated and zero-padded
//   offset 56  N bytes   the data area the effect wrote
//
// The data area is read here only to show it and to refuse damaged files:
// the marker 01 01 01 01, then entries of a two-character type prefix, a
// name, a zero byte, zero padding to a multiple of 4 and a big-endian value.
// Restoring and saving go through the data model's chunk operations
// (GetChunkSize, GetChunk, SetChunk), as a host does.
//
// Main thread (it calls the data model).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AAX.h"
#include "AAX_IACFEffectParameters.h"
#include "AAX_SPlugInChunk.h"
#include "host/objects/RecordedDescription.h"

// Whose preset a record is: the identifiers the host writes into the header
// from the component's description.
struct PresetOwner {
    AAX_CTypeID manufacturerID = 0;
    AAX_CTypeID productID = 0;
    AAX_CTypeID plugInID = 0;

    // From a native registration's properties (absent ones stay 0).
    static PresetOwner FromProperties(const RecordedPropertySet& properties);
    // From the native registration of component that serves this rate and
    // stem format (all 0 when there is none).
    static PresetOwner Of(const RecordedComponent& component, AAX_CSampleRate sampleRate, int32_t stemFormat);
};

// Why a preset could not be read, restored or made.
struct PresetError {
    enum class Kind {
        CannotRead,  // the file is missing or unreadable
        Invalid,     // not a chunk record, sizes that disagree, or damaged data
        Foreign,     // a record of another chunk, product or maker
        Refused,     // the data model refused the operation
    };
    Kind kind = Kind::Invalid;
    std::string message;
};

// One entry of a record's data area.
struct PresetEntry {
    enum class Type { Float, Int32, Double, Int16, Text };
    uint32_t offset = 0;  // where the entry starts in the data area
    Type type = Type::Double;
    std::string name;
    double number = 0.0;   // Float, Int32, Double, Int16
    std::string text;      // Text

    // "d_", "f_", "l_", "s_" or "r_".
    const char* Prefix() const;
    // "double", "float", "int32", "int16" or "text".
    const char* TypeName() const;
    // The stored value as text: the shortest decimal that reads back to the
    // same number, or the text in double quotes.
    std::string ValueText() const;
};

class PresetFile {
public:
    // Checks that bytes are one whole chunk record: a 56-byte header, a data
    // size that is what follows the header, the marker, and entries that fill
    // the data area exactly. False with *error (Invalid) otherwise.
    static bool FromBytes(std::vector<uint8_t> bytes, PresetFile* preset, PresetError* error);
    // The same for a file's contents (CannotRead when it cannot be read).
    static bool ReadFile(const std::string& path, PresetFile* preset, PresetError* error);
    // The data model's current state: its first chunk through GetChunkSize
    // and GetChunk, with the owner and chunk identifier filled in as a host
    // fills them. False with *error (Refused or Invalid) otherwise.
    static bool Capture(AAX_IACFEffectParameters& model, const PresetOwner& owner, PresetFile* preset,
                        PresetError* error);

    // Restores the record into the data model through SetChunk. Refused
    // (Foreign) unless its chunk identifier is one of the model's chunks and
    // its manufacturer and product are the owner's. The model's set-value
    // requests still wait for the host's answers afterwards.
    bool RestoreInto(AAX_IACFEffectParameters& model, const PresetOwner& owner, PresetError* error) const;

    // The record, header and data, as a file holds it.
    const std::vector<uint8_t>& Bytes() const { return m_Bytes; }
    const AAX_SPlugInChunk& Header() const { return *reinterpret_cast<const AAX_SPlugInChunk*>(m_Bytes.data()); }
    // The chunk name in the header, up to its zero byte.
    std::string Name() const;
    const std::vector<PresetEntry>& Entries() const { return m_Entries; }

private:
    std::vector<uint8_t> m_Bytes;
    std::vector<PresetEntry> m_Entries;
};

// "'elck'" for a printable four-character code, else "0x656C636B".
std::string FourCharCodeText(AAX_CTypeID code);
