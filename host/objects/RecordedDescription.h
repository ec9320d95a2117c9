// What the substitute host's description objects record while a module
// describes itself: the effects with their components, fields, process
// procedures (each with the property set read at its registration),
// procedure pointers, names and resources; the collection's maker and
// package data; and every call in order with its arguments.
//
// Plain data: the runtime finds components and procedures through it, and a
// describe command prints it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "AAX.h"
#include "AAX_IDma.h"

// Property id to value, as read from a property map at one moment.
using RecordedPropertySet = std::map<int32_t, int32_t>;

// Looks up a property; false when absent.
bool FindProperty(const RecordedPropertySet& properties, int32_t id, int32_t* outValue);

// One call on a description object, with its arguments rendered as text.
struct RecordedCall {
    std::string object;                  // e.g. "collection", "effect 1", "component 2", "map 3"
    std::string operation;               // e.g. "AddDataInPort"
    std::vector<std::string> arguments;  // in call order
    AAX_Result result = AAX_SUCCESS;     // what the host answered

    // "component 2.AddDataInPort(0, 20, 1)"
    std::string ToString() const;
};

// One field of the algorithm context, as a component declared it.
struct RecordedField {
    enum class Kind {
        AudioIn, AudioOut, AudioBufferLength, SampleRate, Clock, SideChainIn, DataInPort,
        AuxOutputStem, PrivateData, TemporaryData, DmaInstance, Meters, MIDINode, Reserved,
    };
    Kind kind = Kind::Reserved;
    AAX_CFieldIndex index = 0;
    uint32_t size = 0;        // packet size (DataInPort), block size (PrivateData, TemporaryData)
    uint32_t option = 0;      // port type, private-data options, stem format, DMA mode, node type, field type
    uint32_t channelMask = 0; // MIDI nodes
    std::string name;         // aux output stems, MIDI nodes
    std::vector<AAX_CTypeID> meterIDs;

    static const char* KindName(Kind kind);
};

// One process-procedure registration.
struct RecordedProcessProc {
    enum class Kind { Native, DSP };
    Kind kind = Kind::Native;
    AAX_CSelector procID = 0;  // the id this host assigned
    // Native registrations.
    AAX_CProcessProc processProc = nullptr;
    AAX_CInstanceInitProc instanceInitProc = nullptr;
    AAX_CBackgroundProc backgroundProc = nullptr;
    // DSP registrations.
    std::string dllFileName;
    std::string processProcSymbol;
    std::string instanceInitProcSymbol;
    std::string backgroundProcSymbol;
    // The property map as read at registration; hasProperties is false when
    // no map was given.
    bool hasProperties = false;
    RecordedPropertySet properties;

    // The sample-rate mask property, 0 when absent.
    uint32_t SampleRateMask() const;
};

// A component as it was when it was added to its effect.
struct RecordedComponent {
    std::vector<RecordedField> fields;
    std::vector<RecordedProcessProc> processProcs;

    const RecordedField* FindField(AAX_CFieldIndex index) const;
    // The native registration whose sample-rate mask holds sampleRateBit and
    // whose stem-format properties match (when present); null if none.
    const RecordedProcessProc* FindNativeProc(uint32_t sampleRateBit, int32_t stemFormat) const;
};

struct RecordedMeter {
    AAX_CTypeID meterID = 0;
    std::string name;
    bool hasProperties = false;
    RecordedPropertySet properties;
};

struct RecordedMIDINode {
    AAX_CTypeID nodeID = 0;
    AAX_EMIDINodeType nodeType = AAX_eMIDINodeType_LocalInput;
    std::string name;
    uint32_t channelMask = 0;
};

// An effect as it was when it was added to the collection.
struct RecordedEffect {
    std::string effectID;
    std::vector<std::string> names;
    std::vector<uint32_t> categories;
    std::vector<std::pair<uint32_t, std::string>> categoryBypassParameters;
    std::map<AAX_CProcPtrID, void*> procPtrs;  // factories by procedure-pointer id
    std::vector<std::pair<AAX_EResourceType, std::string>> resources;
    std::vector<RecordedComponent> components;
    std::vector<RecordedMeter> meters;
    std::vector<RecordedMIDINode> controlMIDINodes;
    bool hasProperties = false;
    RecordedPropertySet properties;

    // The procedure pointer registered under id, or null.
    void* FindProcPtr(AAX_CProcPtrID id) const;
    // The component with a native registration for this rate bit and stem format.
    const RecordedComponent* FindComponent(uint32_t sampleRateBit, int32_t stemFormat) const;
};

struct RecordedDescription {
    std::string manufacturerName;
    std::vector<std::string> packageNames;
    bool hasPackageVersion = false;
    uint32_t packageVersion = 0;
    bool hasProperties = false;
    RecordedPropertySet properties;
    std::vector<RecordedEffect> effects;
    std::vector<RecordedCall> calls;  // every call on every description object, in order

    const RecordedEffect* FindEffect(const std::string& effectID) const;
};

// The sample-rate mask bit of a supported rate (44.1 kHz bit 0 ... 192 kHz
// bit 5), 0 for any other rate.
uint32_t SampleRateMaskBit(double sampleRate);
