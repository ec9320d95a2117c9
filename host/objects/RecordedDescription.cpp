#include "RecordedDescription.h"

bool FindProperty(const RecordedPropertySet& properties, int32_t id, int32_t* outValue) {
    const auto found = properties.find(id);
    if (found == properties.end()) return false;
    if (outValue) *outValue = found->second;
    return true;
}

std::string RecordedCall::ToString() const {
    std::string text = object + "." + operation + "(";
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (i) text += ", ";
        text += arguments[i];
    }
    return text + ")";
}

const char* RecordedField::KindName(Kind kind) {
    switch (kind) {
        case Kind::AudioIn: return "AudioIn";
        case Kind::AudioOut: return "AudioOut";
        case Kind::AudioBufferLength: return "AudioBufferLength";
        case Kind::SampleRate: return "SampleRate";
        case Kind::Clock: return "Clock";
        case Kind::SideChainIn: return "SideChainIn";
        case Kind::DataInPort: return "DataInPort";
        case Kind::AuxOutputStem: return "AuxOutputStem";
        case Kind::PrivateData: return "PrivateData";
        case Kind::TemporaryData: return "TemporaryData";
        case Kind::DmaInstance: return "DmaInstance";
        case Kind::Meters: return "Meters";
        case Kind::MIDINode: return "MIDINode";
        case Kind::Reserved: return "Reserved";
    }
    return "Unknown";
}

uint32_t RecordedProcessProc::SampleRateMask() const {
    int32_t mask = 0;
    FindProperty(properties, AAX_eProperty_SampleRate, &mask);
    return static_cast<uint32_t>(mask);
}

const RecordedField* RecordedComponent::FindField(AAX_CFieldIndex index) const {
    for (const RecordedField& field : fields)
        if (field.index == index) return &field;
    return nullptr;
}

const RecordedProcessProc* RecordedComponent::FindNativeProc(uint32_t sampleRateBit, int32_t stemFormat) const {
    for (const RecordedProcessProc& proc : processProcs) {
        if (proc.kind != RecordedProcessProc::Kind::Native || !(proc.SampleRateMask() & sampleRateBit)) continue;
        int32_t input = stemFormat;
        int32_t output = stemFormat;
        FindProperty(proc.properties, AAX_eProperty_InputStemFormat, &input);
        FindProperty(proc.properties, AAX_eProperty_OutputStemFormat, &output);
        if (input == stemFormat && output == stemFormat) return &proc;
    }
    return nullptr;
}

void* RecordedEffect::FindProcPtr(AAX_CProcPtrID id) const {
    const auto found = procPtrs.find(id);
    return found == procPtrs.end() ? nullptr : found->second;
}

const RecordedComponent* RecordedEffect::FindComponent(uint32_t sampleRateBit, int32_t stemFormat) const {
    for (const RecordedComponent& component : components)
        if (component.FindNativeProc(sampleRateBit, stemFormat)) return &component;
    return nullptr;
}

const RecordedEffect* RecordedDescription::FindEffect(const std::string& effectID) const {
    for (const RecordedEffect& effect : effects)
        if (effect.effectID == effectID) return &effect;
    return nullptr;
}

uint32_t SampleRateMaskBit(double sampleRate) {
    struct RateBit {
        double rate;
        AAX_ESampleRateMask bit;
    };
    static const RateBit kRateBits[] = {
        {44100.0, AAX_eSampleRateMask_44100}, {48000.0, AAX_eSampleRateMask_48000},
        {88200.0, AAX_eSampleRateMask_88200}, {96000.0, AAX_eSampleRateMask_96000},
        {176400.0, AAX_eSampleRateMask_176400}, {192000.0, AAX_eSampleRateMask_192000},
    };
    for (const RateBit& entry : kRateBits)
        if (sampleRate == entry.rate) return entry.bit;
    return 0;
}
