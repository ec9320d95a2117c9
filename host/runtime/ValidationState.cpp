// State checks:
//   - random states saved from one instance and restored into a fresh one
//     compare equal (every saved parameter, and CompareActiveChunk), and the
//     restored instance saves the same bytes again;
//   - damaged chunks (truncated, extended, bit-flipped, overwritten, empty,
//     foreign identifiers) never crash; after each the instance holds values
//     in range, saves its state and renders finite audio, and the intact
//     chunk still restores it exactly.
#include <cmath>
#include <cstring>
#include <string>

#include "AAX_SPlugInChunk.h"
#include "host/runtime/PluginModule.h"
#include "host/runtime/Validation.h"
#include "host/runtime/ValidationChecks.h"
#include "host/runtime/ValidationSupport.h"

using namespace validation;

namespace {

constexpr const char* kGroup = "state";

// A chunk record as the host keeps it: the 56-byte header and the data.
using ChunkRecord = std::vector<uint8_t>;

AAX_SPlugInChunk* Header(ChunkRecord& record) { return reinterpret_cast<AAX_SPlugInChunk*>(record.data()); }
const AAX_SPlugInChunk* Header(const ChunkRecord& record) {
    return reinterpret_cast<const AAX_SPlugInChunk*>(record.data());
}

// A record of dataSize bytes of data, its header filled as a host fills it.
ChunkRecord NewRecord(AAX_CTypeID chunkID, uint32_t dataSize) {
    ChunkRecord record(AAX_ChunkRecordSize(dataSize), 0);
    Header(record)->fSize = int32_t(dataSize);
    Header(record)->fChunkID = chunkID;
    return record;
}

AAX_CTypeID FirstChunkID(const AAX_IACFEffectParameters& model) {
    AAX_CTypeID id = 0;
    model.GetChunkIDFromIndex(0, &id);
    return id;
}

// The model's state as a host saves it. False with *error.
bool Save(AAX_IACFEffectParameters& model, ChunkRecord* record, std::string* error) {
    const AAX_CTypeID id = FirstChunkID(model);
    uint32_t size = 0;
    AAX_Result result = model.GetChunkSize(id, &size);
    if (result == AAX_SUCCESS) {
        *record = NewRecord(id, size);
        result = model.GetChunk(id, Header(*record));
    }
    if (result != AAX_SUCCESS && error) *error = "saving the state failed (result " + std::to_string(result) + ")";
    return result == AAX_SUCCESS;
}

// Restores a record as a host does: SetChunk, then the host answers the
// set-value requests the restore made.
AAX_Result Restore(EffectInstance& instance, const ChunkRecord& record) {
    const AAX_Result result = instance.Parameters().SetChunk(Header(record)->fChunkID, Header(record));
    instance.AnswerRequests();
    return result;
}

bool ChunkEqual(AAX_IACFEffectParameters& model, const ChunkRecord& record) {
    AAX_CBoolean equal = 0;
    return model.CompareActiveChunk(Header(record), &equal) == AAX_SUCCESS && equal != 0;
}

// The parameters whose values differ between two models (the master bypass,
// which is no part of the saved state, left out).
std::vector<std::string> Differences(const AAX_IACFEffectParameters& a, const AAX_IACFEffectParameters& b) {
    const std::string bypass = MasterBypassID(a);
    std::vector<std::string> differing;
    for (const std::string& id : ParameterIDs(a))
        if (id != bypass && NormalizedValue(a, id) != NormalizedValue(b, id)) differing.push_back(id);
    return differing;
}

std::string Listed(const std::vector<std::string>& ids) {
    std::string text;
    for (const std::string& id : ids) text += (text.empty() ? "'" : ", '") + id + "'";
    return text;
}

void CheckRoundTrips(ValidationRun& run, const PluginModule& module, CheckOutcome& check) {
    std::mt19937_64& random = run.Random();
    const std::vector<float> rates = SupportedRates(run);
    int restored = 0, resaved = 0;
    uint32_t smallest = UINT32_MAX, largest = 0;
    for (int state = 0; state < run.Budget().randomStates && !check.Failed(); ++state) {
        const float rate = rates[size_t(state) % rates.size()];
        const AAX_EStemFormat layout = state % 2 ? AAX_eStemFormat_Stereo : AAX_eStemFormat_Mono;
        std::string error;
        std::unique_ptr<EffectInstance> source = NewInstance(run, module, rate, layout, &error);
        std::unique_ptr<EffectInstance> target = NewInstance(run, module, rate, layout, &error);
        if (!check.Expect(source && target, error)) return;
        ChunkRecord saved, resavedRecord;
        if (!check.Expect(Apply(*source, RandomSettings(source->Parameters(), random), &error), error) ||
            !check.Expect(Save(source->Parameters(), &saved, &error), error))
            return;
        smallest = std::min<uint32_t>(smallest, uint32_t(Header(saved)->fSize));
        largest = std::max<uint32_t>(largest, uint32_t(Header(saved)->fSize));
        const std::string which = "state " + std::to_string(state + 1);
        check.Expect(ChunkEqual(source->Parameters(), saved), which + ": the saving instance finds its chunk unequal");
        const AAX_Result result = Restore(*target, saved);
        const std::vector<std::string> differing = Differences(source->Parameters(), target->Parameters());
        if (check.Expect(result == AAX_SUCCESS && differing.empty() && ChunkEqual(target->Parameters(), saved),
                         which + ": restored with result " + std::to_string(result) +
                             (differing.empty() ? "" : ", differing " + Listed(differing))))
            ++restored;
        if (check.Expect(Save(target->Parameters(), &resavedRecord, &error), error) &&
            check.Expect(resavedRecord == saved, which + ": the restored instance saves different bytes"))
            ++resaved;
    }
    check.Figure(std::to_string(restored) + "/" + std::to_string(run.Budget().randomStates) + " states restored equal");
    check.Figure(std::to_string(resaved) + " re-saved byte for byte");
    if (largest > 0) check.Figure("chunk data " + std::to_string(smallest) + " to " + std::to_string(largest) + " bytes");
}

// ---- damage ----

enum class Damage { Truncate, Extend, FlipBits, Overwrite, Empty, ForeignID, ForeignRecordID };
constexpr Damage kDamages[] = {Damage::Truncate,  Damage::Extend, Damage::FlipBits,       Damage::Overwrite,
                               Damage::FlipBits, Damage::Empty,  Damage::ForeignID, Damage::ForeignRecordID};

const char* DamageName(Damage damage) {
    switch (damage) {
        case Damage::Truncate: return "truncated";
        case Damage::Extend: return "extended";
        case Damage::FlipBits: return "bit-flipped";
        case Damage::Overwrite: return "overwritten";
        case Damage::Empty: return "empty";
        case Damage::ForeignID: return "foreign identifier";
        case Damage::ForeignRecordID: return "foreign record identifier";
    }
    return "damaged";
}

// A damaged copy of an intact record. The header's size always matches the
// data the host allocated, as a host guarantees; the data is what suffers.
ChunkRecord Damaged(const ChunkRecord& intact, Damage damage, std::mt19937_64& random, AAX_CTypeID* restoreID) {
    const uint32_t size = uint32_t(Header(intact)->fSize);
    const AAX_CTypeID id = Header(intact)->fChunkID;
    *restoreID = id;
    auto pick = [&](uint32_t lowest, uint32_t highest) {
        return std::uniform_int_distribution<uint32_t>(lowest, highest)(random);
    };
    auto copyData = [&](ChunkRecord& record, uint32_t bytes) {
        std::memcpy(AAX_ChunkData(Header(record)), AAX_ChunkData(Header(intact)), std::min(bytes, size));
    };
    ChunkRecord record;
    switch (damage) {
        case Damage::Truncate: {
            const uint32_t kept = size > 0 ? pick(0, size - 1) : 0;
            record = NewRecord(id, kept);
            copyData(record, kept);
            break;
        }
        case Damage::Extend: {
            const uint32_t extra = pick(1, 64);
            record = NewRecord(id, size + extra);
            copyData(record, size);
            for (uint32_t i = size; i < size + extra; ++i) AAX_ChunkData(Header(record))[i] = uint8_t(pick(0, 255));
            break;
        }
        case Damage::FlipBits: {
            record = intact;
            const uint32_t flips = pick(1, 8);
            for (uint32_t i = 0; i < flips && size > 0; ++i)
                AAX_ChunkData(Header(record))[pick(0, size - 1)] ^= uint8_t(1u << pick(0, 7));
            break;
        }
        case Damage::Overwrite: {
            record = intact;
            const uint32_t start = size > 0 ? pick(0, size - 1) : 0;
            const uint32_t end = size > 0 ? pick(start, size - 1) : 0;
            for (uint32_t i = start; i <= end && size > 0; ++i) AAX_ChunkData(Header(record))[i] = uint8_t(pick(0, 255));
            break;
        }
        case Damage::Empty: record = NewRecord(id, 0); break;
        case Damage::ForeignID:
            // Offered under another identifier than its own.
            record = intact;
            *restoreID = id ^ (1u + pick(0, 0xFFFE));
            break;
        case Damage::ForeignRecordID:
            // A record of another chunk offered under the effect's identifier.
            record = intact;
            Header(record)->fChunkID = id ^ (1u + pick(0, 0xFFFE));
            break;
    }
    return record;
}

void CheckDamagedChunks(ValidationRun& run, const PluginModule& module, CheckOutcome& check) {
    std::mt19937_64& random = run.Random();
    std::string error;
    std::unique_ptr<EffectInstance> instance = NewInstance(run, module, RateOr(run, 48000.0f), AAX_eStemFormat_Stereo, &error);
    if (!check.Expect(instance != nullptr, error)) return;
    AAX_IACFEffectParameters& model = instance->Parameters();
    ChunkRecord intact;
    if (!check.Expect(Apply(*instance, RandomSettings(model, random), &error) && Save(model, &intact, &error), error))
        return;
    const AudioChannels input = Noise(random, 2, 256, 0.8f);
    int accepted = 0, refused = 0, foreignAccepted = 0;
    const int total = run.Budget().damagedChunks;
    for (int i = 0; i < total; ++i) {
        const Damage damage = kDamages[size_t(i) % (sizeof kDamages / sizeof kDamages[0])];
        AAX_CTypeID offeredID = 0;
        const ChunkRecord record = Damaged(intact, damage, random, &offeredID);
        const std::string which = std::string(DamageName(damage)) + " chunk " + std::to_string(i + 1);
        const AAX_Result result = model.SetChunk(offeredID, Header(record));
        instance->AnswerRequests();
        AAX_CBoolean equal = 0;
        model.CompareActiveChunk(Header(record), &equal);
        (result == AAX_SUCCESS ? accepted : refused) += 1;
        if (damage == Damage::ForeignID && result == AAX_SUCCESS) ++foreignAccepted;

        // Still usable: values in range, state saved, audio finite.
        for (const std::string& id : ParameterIDs(model)) {
            const double value = NormalizedValue(model, id);
            check.Expect(std::isfinite(value) && value >= 0.0 && value <= 1.0,
                         which + ": '" + id + "' holds " + std::to_string(value));
        }
        ChunkRecord saved;
        check.Expect(Save(model, &saved, &error), which + ": " + error);
        AudioChannels output;
        check.Expect(RenderHere(*instance, input, {input[0].size() > 0 ? int32_t(input[0].size()) : 1}, &output, &error) &&
                         AllFinite(output),
                     which + ": the instance no longer renders finite audio");
        if (check.Failed()) break;
    }
    check.Expect(foreignAccepted == 0, std::to_string(foreignAccepted) + " chunk(s) under a foreign identifier accepted");
    const AAX_Result restored = Restore(*instance, intact);
    check.Expect(restored == AAX_SUCCESS && ChunkEqual(model, intact), "the intact chunk no longer restores the state");
    check.Figure(std::to_string(total) + " damaged chunks: " + std::to_string(accepted) + " accepted, " +
                 std::to_string(refused) + " refused");
    check.Figure("usable after each, intact state restored after all");
}

}  // namespace

void RunStateChecks(ValidationRun& run) {
    run.CheckWithModule(kGroup, "random states round trip",
                        [&](const PluginModule& module, CheckOutcome& check) { CheckRoundTrips(run, module, check); });
    run.CheckWithModule(kGroup, "damaged chunks",
                        [&](const PluginModule& module, CheckOutcome& check) { CheckDamagedChunks(run, module, check); });
}
