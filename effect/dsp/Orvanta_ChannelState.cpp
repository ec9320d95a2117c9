#include "effect/dsp/Orvanta_ChannelState.h"

#include <cstddef>
#include <cstring>

namespace {

constexpr float kBaseRate = 44100.0f;

// Rate multiple of a supported rate: the rate over 44.1 kHz, truncated.
uint32_t rateMultipleOf(float supportedRate) {
    return static_cast<uint32_t>(supportedRate / kBaseRate);
}

// How far apart two positive rates are, as a ratio of at least 1.
double rateDistance(double a, double b) { return a > b ? a / b : b / a; }

void initRecord(SOrvanta_Channel_State& record, const SOrvanta_RateSetting& setting) {
    record.m_uRateMultiple = setting.m_uRateMultiple;
    record.m_iRateCase = setting.m_iRateCase;
    record.m_fTapShaperLP = 0.0f;
    record.m_fInputLP = 0.0f;
    record.m_fColorLP = 0.0f;
    record.m_fSquareLP = 0.0f;
    record.m_fHarmonicLP = 0.0f;
    record.m_fTapLP = 0.0f;
    record.m_fDriveLP2 = 0.0f;
    record.m_fDriveLP1 = 0.0f;
    record.m_fEmphasisLP2 = 0.0f;
    record.m_fEmphasisLP1 = 0.0f;
    record.m_fOutputLP1 = 0.0f;
    record.m_fOutputLP2 = 0.0f;
    record.m_fNoise = 0.0f;
    record.m_fNoiseLP1 = 0.0f;
    record.m_fNoiseLP2 = 0.0f;
    record.m_fNoiseLP3 = 0.0f;
    record.m_fNoiseLP4 = 0.0f;
    for (float& slot : record.m_fDelayLine) slot = 0.0f;
    record.m_iWriteIndex = 0;
}

}  // namespace

SOrvanta_RateSetting Orvanta_RateSettingForSampleRate(float sampleRate) {
    using Orvanta::kNumSampleRates;
    using Orvanta::kSupportedSampleRates;
    // Pull the rate into the supported span first; this also settles rates
    // that have no ratio to the others (0, negative, not a number, infinite).
    double rate = sampleRate;
    if (!(rate > kSupportedSampleRates[0])) rate = kSupportedSampleRates[0];
    if (rate > kSupportedSampleRates[kNumSampleRates - 1]) rate = kSupportedSampleRates[kNumSampleRates - 1];

    int nearest = 0;
    for (int i = 1; i < kNumSampleRates; ++i)
        if (rateDistance(rate, kSupportedSampleRates[i]) < rateDistance(rate, kSupportedSampleRates[nearest]))
            nearest = i;
    return {nearest + 1, rateMultipleOf(kSupportedSampleRates[nearest])};
}

void Orvanta_InitChannelStates(float sampleRate, void* data, uint32_t sizeInBytes) {
    if (data == nullptr) return;
    const SOrvanta_RateSetting setting = Orvanta_RateSettingForSampleRate(sampleRate);
    auto* records = static_cast<SOrvanta_Channel_State*>(data);
    const size_t count = sizeInBytes / sizeof(SOrvanta_Channel_State);
    for (size_t i = 0; i < count; ++i) initRecord(records[i], setting);
}

namespace {
// Whether any of the n values has all exponent bits set (an infinity or not
// a number). Integer operations over the bits, which the compiler runs in
// vectors: this runs for every channel after every block.
bool anyNonFinite(const float* values, size_t n) {
    constexpr uint32_t kExponent = 0x7F800000u;
    uint32_t nonFinite = 0;
    for (size_t i = 0; i < n; ++i) {
        uint32_t bits;
        std::memcpy(&bits, &values[i], sizeof bits);
        nonFinite |= (bits & kExponent) == kExponent ? 1u : 0u;
    }
    return nonFinite != 0;
}
}  // namespace

bool Orvanta_ChannelStateIsFinite(const SOrvanta_Channel_State& r) {
    const float states[] = {r.m_fTapShaperLP, r.m_fInputLP,     r.m_fColorLP,     r.m_fSquareLP,  r.m_fHarmonicLP,
                            r.m_fTapLP,       r.m_fDriveLP2,    r.m_fDriveLP1,    r.m_fEmphasisLP2, r.m_fEmphasisLP1,
                            r.m_fOutputLP1,   r.m_fOutputLP2,   r.m_fNoise,       r.m_fNoiseLP1,  r.m_fNoiseLP2,
                            r.m_fNoiseLP3,    r.m_fNoiseLP4};
    return !anyNonFinite(states, sizeof states / sizeof states[0]) &&
           !anyNonFinite(r.m_fDelayLine, sizeof r.m_fDelayLine / sizeof r.m_fDelayLine[0]);
}

void Orvanta_ResetChannelState(SOrvanta_Channel_State& record) {
    const SOrvanta_RateSetting setting = {record.m_iRateCase, record.m_uRateMultiple};
    initRecord(record, setting);
}
