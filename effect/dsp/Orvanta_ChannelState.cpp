#include "effect/dsp/Orvanta_ChannelState.h"

#include <cstddef>

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

bool Orvanta_ChannelStateIsFinite(const SOrvanta_Channel_State& r) {
    // Sums and products of finite values can overflow, so each value is
    // tested on its own; x - x is 0 for a finite x and not a number otherwise.
    const float states[] = {r.m_fTapShaperLP, r.m_fInputLP,     r.m_fColorLP,     r.m_fSquareLP,  r.m_fHarmonicLP,
                            r.m_fTapLP,       r.m_fDriveLP2,    r.m_fDriveLP1,    r.m_fEmphasisLP2, r.m_fEmphasisLP1,
                            r.m_fOutputLP1,   r.m_fOutputLP2,   r.m_fNoise,       r.m_fNoiseLP1,  r.m_fNoiseLP2,
                            r.m_fNoiseLP3,    r.m_fNoiseLP4};
    bool finite = true;
    for (float v : states) finite &= (v - v) == 0.0f;
    for (float v : r.m_fDelayLine) finite &= (v - v) == 0.0f;
    return finite;
}

void Orvanta_ResetChannelState(SOrvanta_Channel_State& record) {
    const SOrvanta_RateSetting setting = {record.m_iRateCase, record.m_uRateMultiple};
    initRecord(record, setting);
}
