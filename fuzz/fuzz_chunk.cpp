// libFuzzer target: arbitrary bytes as a whole 'elck' chunk record (header
// included: data size, chunk identifier) restored into Orvanta_Parameters as a
// host restores a damaged session, in a heap block ending at the last declared
// data byte. Checked: calls answer 0, comparing changes nothing, values and
// the knob packet stay finite and in range, a record without entries changes
// nothing, and the re-saved 96-byte chunk restores to the same state.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "AAX_CString.h"
#include "AAX_SPlugInChunk.h"
#include "effect/Orvanta_Defs.h"
#include "effect/model/Orvanta_ParameterTable.h"
#include "effect/dsp/Orvanta_AlgContext.h"
#include "effect/model/Orvanta_Parameters.h"
#include "host/objects/HostAutomationDelegate.h"
#include "host/objects/HostController.h"
#include "host/objects/HostTransport.h"

namespace {

constexpr int32_t kSavedDataSize = 96;  // the marker and five entries
// A record declaring more data than the input holds is filled up to that size
// by repeating the input's data, up to this many bytes; beyond, it is cut.
constexpr int64_t kLongestLengthenedData = 4096;

void Check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "chunk invariant broken: %s\n", what);
    std::abort();
}

// A chunk record in a heap block of exactly header + data bytes.
class Record {
public:
    Record(const uint8_t* bytes, size_t size) {
        AAX_SPlugInChunk header{};
        std::memcpy(&header, bytes, size < kAAX_ChunkHeaderSize ? size : kAAX_ChunkHeaderSize);
        const uint8_t* data = bytes + kAAX_ChunkHeaderSize;
        const int64_t given = size > kAAX_ChunkHeaderSize ? int64_t(size - kAAX_ChunkHeaderSize) : 0;
        int64_t held = header.fSize < 0 ? 0 : header.fSize;
        if (held > given && (held > kLongestLengthenedData || given == 0)) {
            header.fSize = int32_t(given);
            held = given;
        }
        m_Bytes.assign(kAAX_ChunkHeaderSize + size_t(held), 0);
        std::memcpy(m_Bytes.data(), &header, kAAX_ChunkHeaderSize);
        for (int64_t offset = 0; offset < held; offset += given) {
            const int64_t count = held - offset < given ? held - offset : given;
            std::memcpy(m_Bytes.data() + kAAX_ChunkHeaderSize + offset, data, size_t(count));
        }
    }

    const AAX_SPlugInChunk* Get() const { return reinterpret_cast<const AAX_SPlugInChunk*>(m_Bytes.data()); }

    // Fewer than 5 data bytes, or no marker 01 01 01 01: no entry can be read.
    bool HoldsNoEntries() const {
        if (Get()->fSize < 5) return true;
        static const uint8_t kMarker[4] = {1, 1, 1, 1};
        return std::memcmp(AAX_ChunkData(Get()), kMarker, 4) != 0;
    }

private:
    std::vector<uint8_t> m_Bytes;
};

// One effect instance with the substitute host's objects, as the host sets it up.
class Instance {
public:
    Instance()
        : m_Controller(HostController::Create(48000.0f, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo)),
          m_Automation(HostAutomationDelegate::Create()),
          m_Transport(HostTransport::Create(48000.0f)),
          m_Model(Orvanta_Parameters::Create()) {
        m_Controller->AttachAutomationDelegate(m_Automation.get());
        m_Controller->AttachTransport(m_Transport.get());
        m_Model->AddRef();
        Check(m_Model->Initialize(m_Controller->Identity()) == AAX_SUCCESS, "Initialize answers 0");
        int32_t count = 0;
        Check(m_Model->GetNumberOfParameters(&count) == AAX_SUCCESS, "parameter count");
        for (int32_t index = 0; index < count; ++index) {
            AAX_CString id;
            Check(m_Model->GetParameterIDFromIndex(index, &id) == AAX_SUCCESS, "parameter identifier");
            m_ParameterIDs.push_back(id);
        }
    }
    ~Instance() {
        m_Model->Uninitialize();
        m_Model->Release();
        m_Controller->AttachAutomationDelegate(nullptr);
        m_Controller->AttachTransport(nullptr);
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    // SetChunk, then the host's answers to the set-value requests.
    void Restore(const AAX_SPlugInChunk* record) {
        Check(m_Model->SetChunk(Orvanta::kChunkID, record) == AAX_SUCCESS, "SetChunk answers 0");
        for (const auto& request : m_Automation->TakeSetValueRequests())
            m_Model->UpdateParameterNormalizedValue(request.parameterID.c_str(), request.normalizedValue,
                                                    AAX_eUpdateSource_Chunk);
    }

    bool Compare(const AAX_SPlugInChunk* record) {
        AAX_CBoolean equal = 2;
        Check(m_Model->CompareActiveChunk(record, &equal) == AAX_SUCCESS, "CompareActiveChunk answers 0");
        Check(equal == 0 || equal == 1, "CompareActiveChunk sets its flag");
        Check(m_Automation->PendingSetValueRequests() == 0, "comparing requests no change");
        return equal != 0;
    }

    // The host's save: GetChunkSize, then GetChunk into a record of that size.
    std::vector<uint8_t> Save() {
        uint32_t size = 0;
        Check(m_Model->GetChunkSize(Orvanta::kChunkID, &size) == AAX_SUCCESS, "GetChunkSize answers 0");
        Check(size == uint32_t(kSavedDataSize), "the saved data area is 96 bytes");
        std::vector<uint8_t> bytes(AAX_ChunkRecordSize(size), 0);
        auto* record = reinterpret_cast<AAX_SPlugInChunk*>(bytes.data());
        Check(m_Model->GetChunk(Orvanta::kChunkID, record) == AAX_SUCCESS, "GetChunk answers 0");
        Check(record->fSize == kSavedDataSize && record->fVersion == -1, "GetChunk writes size and version");
        record->fChunkID = Orvanta::kChunkID;  // the host fills the identifier
        return bytes;
    }

    std::vector<double> NormalizedValues() const {
        std::vector<double> values;
        for (const AAX_CString& id : m_ParameterIDs) {
            double value = NAN;
            Check(m_Model->GetParameterNormalizedValue(id.Get(), &value) == AAX_SUCCESS, "normalized value");
            values.push_back(value);
        }
        return values;
    }

    // The knob packet the data model posts for the current values.
    bool LatestKnobPacket(SOrvanta_Knob_Packet* packet) {
        m_Model->GenerateCoefficients();
        const auto packets = m_Controller->TakePackets(Orvanta::kField_KnobPacket);
        if (packets.empty()) return false;
        Check(packets.back().size() == sizeof *packet, "knob packet size");
        std::memcpy(packet, packets.back().data(), sizeof *packet);
        return true;
    }

private:
    ACFPtr<HostController> m_Controller;
    ACFPtr<HostAutomationDelegate> m_Automation;
    ACFPtr<HostTransport> m_Transport;
    AAX_CEffectParameters* m_Model;
    std::vector<AAX_CString> m_ParameterIDs;
};

void CheckKnobPacket(const SOrvanta_Knob_Packet& packet) {
    const Orvanta::SParameterInfo& trim = *Orvanta::FindParameter(Orvanta::kParamID_OutputTrim);
    const float lowestGain = std::pow(10.0f, float(trim.minimum) / 20.0f);
    const float highestGain = std::pow(10.0f, float(trim.maximum) / 20.0f);
    Check(packet.m_fHarmonic >= 0.0f && packet.m_fHarmonic <= 1.0f, "packet harmonic in 0..1");
    Check(packet.m_fDynamic >= 0.0f && packet.m_fDynamic <= 1.0f, "packet dynamic in 0..1");
    Check(packet.m_fOutputGain >= lowestGain * 0.999f && packet.m_fOutputGain <= highestGain * 1.001f,
          "packet output gain within the trim range");
    Check(packet.m_iDither == Orvanta::kDitherOff || packet.m_iDither == Orvanta::kDitherOn, "packet dither");
    Check(packet.m_iColor >= Orvanta::kColorMin && packet.m_iColor <= Orvanta::kColorMax, "packet colour");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const Record record(bytes, size);
    Instance instance;
    const std::vector<double> before = instance.NormalizedValues();

    const bool equalBefore = instance.Compare(record.Get());
    if (record.Get()->fChunkID != Orvanta::kChunkID) Check(equalBefore, "a foreign chunk compares equal");
    if (record.Get()->fChunkID == Orvanta::kChunkID && record.HoldsNoEntries())
        Check(!equalBefore, "a chunk without entries compares as not equal");
    Check(instance.NormalizedValues() == before, "comparing changes no value");

    instance.Restore(record.Get());
    const std::vector<double> restored = instance.NormalizedValues();
    for (double value : restored) Check(std::isfinite(value) && value >= 0 && value <= 1, "values in 0..1");
    if (record.HoldsNoEntries()) Check(restored == before, "a chunk without entries changes nothing");
    instance.Compare(record.Get());

    SOrvanta_Knob_Packet packet;
    if (instance.LatestKnobPacket(&packet)) CheckKnobPacket(packet);

    const std::vector<uint8_t> saved = instance.Save();
    const auto* savedRecord = reinterpret_cast<const AAX_SPlugInChunk*>(saved.data());
    instance.Restore(savedRecord);
    Check(instance.NormalizedValues() == restored, "restoring the re-saved chunk changes nothing");
    Check(instance.Compare(savedRecord), "the re-saved chunk compares equal");
    Check(instance.Save() == saved, "saving again writes the same bytes");
    return 0;
}
